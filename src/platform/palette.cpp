#include "platform/palette.h"

#include <QGuiApplication>
#include <QPalette>

QColor Palette::color(int number)
{
    switch (number) {
    case -47: return QGuiApplication::palette().color(QPalette::Base);
    case -2: return QColor(0xFF, 0xFF, 0xFF);
    case -1: return QColor(0x00, 0x00, 0x00);
    case 0: return QGuiApplication::palette().color(QPalette::Window);
    case 1: return QColor(0x00, 0x00, 0xFF);
    case 2: return QColor(0xFF, 0x00, 0x00);
    case 3: return QColor(0xFF, 0x00, 0xFF);
    case 4: return QColor(0x00, 0xFF, 0x00);
    case 5: return QColor(0x00, 0xFF, 0xFF);
    case 6: return QColor(0xFF, 0xFF, 0x00);
    case 7: return QColor(0xFF, 0xFF, 0xFF);
    case 8: return QColor(0x80, 0x80, 0x80);
    case 9: return QColor(0x00, 0x00, 0x80);
    case 10: return QColor(0x80, 0x00, 0x00);
    case 11: return QColor(0x80, 0x00, 0x80);
    case 12: return QColor(0x00, 0x80, 0x00);
    case 13: return QColor(0x00, 0x80, 0x80);
    case 14: return QColor(0x80, 0x80, 0x00);
    case 15: return QColor(0xC0, 0xC0, 0xC0);
    }
    return QColor();
}
