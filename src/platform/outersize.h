#pragma once

#include <QSize>

class QWidget;

// Window sizes in the game are outer sizes, frame included; Qt sizes a window without its frame.
class OuterSize
{
public:
    // The size without frame that gives the window the outer size width × height (rounded). The
    // frame is known only once the window is shown; before that it counts as none.
    static QSize inner(const QWidget& window, double width, double height);
};
