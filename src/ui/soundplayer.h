#pragma once

#include <QString>

// Plays the game's wave files: one at a time, in the background.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Starts playing the wave file and returns at once. A name without a folder is resolved against
    // the process's working directory; a missing file gives the desktop's alert sound.
    virtual void play(const QString& fileName) = 0;
    // Stops the sound that is playing, if any.
    virtual void stop() = 0;
};
