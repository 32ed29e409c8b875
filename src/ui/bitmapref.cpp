#include "ui/bitmapref.h"

#include "platform/bitmapfiles.h"
#include "platform/bottomleft.h"
#include "platform/palette.h"

#include <QPainter>
#include <QResizeEvent>

namespace {

// Save takes this square at the bottom left of the surface.
constexpr int savedSide = 150;

} // namespace

BitmapRef::BitmapRef(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("bitmapref"));
}

BitmapRef* BitmapRef::init(QWidget* parent, QWidget* /*owner*/, QPointF position, QSizeF size, bool visible)
{
    if (parent != parentWidget())
        setParent(parent);
    hide();
    autoScale = true;
    lIsEmpty = true;
    oPS = DrawingSurface();
    oBmp = Bitmap();
    backcolor = -2;
    initPosition = position;
    initSize = size;
    initVisible = visible;
    return this;
}

BitmapRef* BitmapRef::create(std::optional<QPointF> position, std::optional<QSizeF> size,
                             std::optional<bool> visible)
{
    if (position)
        initPosition = *position;
    if (size)
        initSize = *size;
    if (visible)
        initVisible = *visible;
    BottomLeft::place(this, initPosition, initSize);
    oPS.setFillColor(Palette::color(backcolor));
    oPS.create(QWidget::size());
    created = true;
    setVisible(initVisible);
    update();
    return this;
}

BitmapRef* BitmapRef::destroy()
{
    oBmp = Bitmap();
    oPS.destroy();
    lIsEmpty = true;
    created = false;
    hide();
    return this;
}

QByteArray BitmapRef::setdata(const std::optional<QByteArray>& value)
{
    QByteArray buffer;
    if (value)
        buffer = *value;
    else if (dataLink)
        buffer = dataLink(std::nullopt);
    // A damaged buffer shows no picture rather than the one before, which belongs to other data.
    lIsEmpty = buffer.isEmpty() || !oBmp.setBuffer(buffer);
    if (lIsEmpty)
        oBmp = Bitmap();
    changed = false;
    draw();
    return buffer;
}

QByteArray BitmapRef::getdata()
{
    const QByteArray buffer = editbuffer();
    if (dataLink && !lIsEmpty)
        dataLink(buffer);
    return buffer;
}

QByteArray BitmapRef::editbuffer() const
{
    return oBmp.buffer();
}

bool BitmapRef::loadFile(const QString& fileName)
{
    changed = oBmp.loadFile(fileName);
    if (changed)
        lIsEmpty = false;
    return changed;
}

bool BitmapRef::draw()
{
    const bool drawn = drawOnSurface();
    update();
    return drawn;
}

bool BitmapRef::drawOnSurface()
{
    if (!created)
        return false;
    const int w = width();
    const int h = height();
    oPS.box({1, 1, double(w - 2), double(h - 2)});
    if (lIsEmpty)
        return false;
    const QSize picture = oBmp.size();
    const CornerRect source{0, 0, double(picture.width()), double(picture.height())};
    return oPS.drawBitmap(oBmp.image(), source, targetRect(picture, QSize(w, h), autoScale));
}

CornerRect BitmapRef::targetRect(QSize picture, QSize control, bool autoScale)
{
    const double w = control.width();
    const double h = control.height();
    CornerRect target{1, 1, w - 2, h - 2};
    if (picture.isEmpty())
        return target;
    if (autoScale) {
        const double r = double(picture.width()) / picture.height();
        if (r > 1)
            target.y2 = target.x2 / r;
        else
            target.x2 = target.y2 * r;
    } else {
        target.x2 = picture.width();
        target.y2 = picture.height();
    }
    // Centred in the room. x2 and y2 serve as the picture's extent here although they are its
    // upper-right corner: with the lower-left corner at (1, 1) both come to the same pixels.
    if (target.x2 < w - 2) {
        const double shift = (w - 2 - target.x2) / 2;
        target.x1 += shift;
        target.x2 += shift;
    }
    if (target.y2 < h - 2) {
        const double shift = (h - 2 - target.y2) / 2;
        target.y1 += shift;
        target.y2 += shift;
    }
    return target;
}

void BitmapRef::save(const QString& fileName)
{
    Scaled = graSaveScreen(oPS, QPointF(0, 0), QSize(savedSide, savedSide));
    saveBitmap(&*Scaled, fileName);
}

void BitmapRef::setPaintCallback(std::function<void(QWidget*)> callback)
{
    paintCallback = std::move(callback);
    update();
}

void BitmapRef::paintEvent(QPaintEvent*)
{
    if (!created)
        return;
    drawOnSurface();
    QPainter(this).drawImage(QPoint(0, 0), oPS.image());
    if (paintCallback)
        paintCallback(this);
}

void BitmapRef::resizeEvent(QResizeEvent* event)
{
    // The surface lies on the control and has its size.
    if (created)
        oPS.create(event->size());
    QWidget::resizeEvent(event);
}
