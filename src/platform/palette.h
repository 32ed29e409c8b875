#pragma once

#include <QColor>

// The game's colour numbers: 0 the default background, 1 blue, 2 red, 3 pink, 4 green, 5 cyan,
// 6 yellow, 7 neutral, 8 dark grey, 9 dark blue, 10 dark red, 11 dark pink, 12 dark green,
// 13 dark cyan, 14 brown, 15 pale grey, -1 black, -2 white, -47 the background of entry fields.
class Palette
{
public:
    // The colour of a number; an unknown number gives an invalid QColor.
    static QColor color(int number);
};
