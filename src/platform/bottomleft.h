#pragma once

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QSizeF>

class QWidget;

// The game places controls from the bottom-left corner of their parent's client area, y upwards,
// in fractional pixels. This is the one place where that becomes Qt's top-left integer geometry.
// A placed control remembers its bottom-left position and keeps its distance to the bottom edge
// when the parent's height changes.
class BottomLeft : public QObject
{
    Q_OBJECT

public:
    // Qt geometry of a rectangle at bottom-left position pos with size in a parent of that height.
    static QRect toQt(QPointF pos, QSizeF size, int parentHeight);
    // Places the widget; it follows its parent's bottom edge from now on.
    static void place(QWidget* widget, QPointF pos, QSizeF size);
    // The bottom-left position the widget was last placed at.
    static QPointF position(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BottomLeft(QObject* parent);
    static void apply(QWidget* widget);
};
