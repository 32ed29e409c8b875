#include "platform/drawingsurface.h"

#include "platform/bottomleft.h"

#include <QPainter>

void DrawingSurface::create(QSize size)
{
    m_image = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_image.fill(m_fillColor);
}

QRect DrawingSurface::pixels(const CornerRect& target) const
{
    const QSizeF extent(target.x2 - target.x1 + 1, target.y2 - target.y1 + 1);
    return BottomLeft::toQt(QPointF(target.x1, target.y1), extent, m_image.height());
}

void DrawingSurface::box(const CornerRect& target)
{
    if (!isCreated())
        return;
    QPainter painter(&m_image);
    painter.fillRect(pixels(target), m_fillColor);
}

bool DrawingSurface::drawBitmap(const QImage& picture, const CornerRect& source, const CornerRect& target)
{
    if (!isCreated() || picture.isNull())
        return false;
    const QSizeF sourceExtent(source.x2 - source.x1, source.y2 - source.y1);
    const QRect from = BottomLeft::toQt(QPointF(source.x1, source.y1), sourceExtent, picture.height());
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(pixels(target), picture, from);
    return true;
}

QImage DrawingSurface::copy(QPointF position, QSize size) const
{
    QImage copied(size, QImage::Format_RGB32);
    if (copied.isNull())
        return copied;
    copied.fill(m_fillColor);
    const QRect wanted = BottomLeft::toQt(position, QSizeF(size), m_image.height());
    const QRect available = wanted & m_image.rect();
    if (!available.isEmpty()) {
        QPainter painter(&copied);
        painter.drawImage(available.topLeft() - wanted.topLeft(), m_image, available);
    }
    return copied;
}
