#pragma once

class QTemporaryDir;

// A GUI test's desktop of a known size: the offscreen platform reads its screen from a file, which
// must be chosen before the QApplication exists (the default screen is smaller than the game window).
class OffscreenDesktop
{
public:
    // Writes the screen file into dir and points QT_QPA_PLATFORM at it.
    static void use(const QTemporaryDir& dir, int width, int height);
};
