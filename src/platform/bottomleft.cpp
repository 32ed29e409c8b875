#include "platform/bottomleft.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {

const char* const positionProperty = "bottomLeftPosition";
const char* const sizeProperty = "bottomLeftSize";
const char* const watcherName = "bottomLeftWatcher";

int rounded(double v)
{
    return int(std::lround(v));
}

} // namespace

BottomLeft::BottomLeft(QObject* parent)
    : QObject(parent)
{
    setObjectName(QLatin1String(watcherName));
}

QRect BottomLeft::toQt(QPointF pos, QSizeF size, int parentHeight)
{
    const int left = rounded(pos.x());
    const int width = rounded(pos.x() + size.width()) - left;
    const int bottom = rounded(parentHeight - pos.y());
    const int top = rounded(parentHeight - pos.y() - size.height());
    return QRect(left, top, width, bottom - top);
}

void BottomLeft::apply(QWidget* widget)
{
    const QPointF pos = widget->property(positionProperty).toPointF();
    const QSizeF size = widget->property(sizeProperty).toSizeF();
    widget->setGeometry(toQt(pos, size, widget->parentWidget()->height()));
}

void BottomLeft::place(QWidget* widget, QPointF pos, QSizeF size)
{
    QWidget* parent = widget->parentWidget();
    widget->setProperty(positionProperty, pos);
    widget->setProperty(sizeProperty, size);
    if (!parent->findChild<BottomLeft*>(QLatin1String(watcherName), Qt::FindDirectChildrenOnly))
        parent->installEventFilter(new BottomLeft(parent));
    apply(widget);
}

QPointF BottomLeft::position(const QWidget* widget)
{
    return widget->property(positionProperty).toPointF();
}

bool BottomLeft::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        for (QObject* child : watched->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget && widget->property(positionProperty).isValid())
                apply(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}
