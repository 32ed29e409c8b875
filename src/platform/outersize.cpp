#include "platform/outersize.h"

#include <QWidget>
#include <cmath>

QSize OuterSize::inner(const QWidget& window, double width, double height)
{
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    return QSize(int(std::lround(width)), int(std::lround(height))) - frame;
}
