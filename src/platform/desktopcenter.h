#pragma once

class QWidget;

// Places a window in the middle of the desktop, by its outer size (frame included).
class DesktopCenter
{
public:
    static void center(QWidget* window);
};
