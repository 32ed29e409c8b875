#include "platform/desktopcenter.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void DesktopCenter::center(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize desktop = screen->geometry().size();
    const QSize outer = window->frameGeometry().size();
    window->move((desktop.width() - outer.width()) / 2, (desktop.height() - outer.height()) / 2);
}
