#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>

// A rectangle by its lower-left corner (x1, y1) and its upper-right corner (x2, y2), counted from
// the bottom left, y upwards, in fractional pixels.
struct CornerRect
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;

    bool operator==(const CornerRect&) const = default;
};

// A surface to draw on, counted from its bottom-left corner: the picture control draws its picture
// here and then shows the surface, and a part of it can be copied into a new bitmap. A target
// rectangle includes both of its corners, so (1, 1, 98, 98) covers 98 × 98 pixels; a source
// rectangle of a bitmap ends before its upper-right corner, so (0, 0, w, h) is the whole w × h
// picture.
class DrawingSurface
{
public:
    bool isCreated() const { return !m_image.isNull(); }
    // A fresh surface of that size, filled with the fill colour.
    void create(QSize size);
    void destroy() { m_image = QImage(); }
    QSize size() const { return m_image.size(); }
    const QImage& image() const { return m_image; }

    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& colour) { m_fillColor = colour; }

    // A box filled with the fill colour, from corner to corner.
    void box(const CornerRect& target);
    // Draws the source rectangle of the picture into the target rectangle, stretched or shrunk:
    // rows and columns that fall away are dropped, colours are not blended. False when the surface
    // or the picture does not exist.
    bool drawBitmap(const QImage& picture, const CornerRect& source, const CornerRect& target);
    // A copy of the size × pixels whose lower-left corner is at position. What lies beyond the
    // surface comes out in the fill colour; a size without pixels gives no picture.
    QImage copy(QPointF position, QSize size) const;

private:
    // The surface's pixels covered by a target rectangle, in Qt's top-left counting.
    QRect pixels(const CornerRect& target) const;

    QImage m_image;
    QColor m_fillColor = Qt::white;
};
