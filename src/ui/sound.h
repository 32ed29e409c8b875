#pragma once

#include <QString>

#include <functional>

class SoundPlayer;

// The game's sound calls: play a wave file (cutting off the sound before), stop, a message beep and the
// number of audio outputs. No state of its own; the player holds the sound that is playing.
class Sound
{
public:
    using Beep = std::function<void()>;

    explicit Sound(SoundPlayer& player, Beep beep = defaultBeep);

    // stopSound(), then playWaveFile(fileName): two sounds never overlap.
    void playSound(const QString& fileName);
    void stopSound();
    // Starts the wave file and returns at once; a name without a folder is looked up in the current
    // directory, a missing file gives the alert sound.
    void playWaveFile(const QString& fileName);
    // Sounds the desktop's alert; the code is not used on this desktop. Returns 1 (done).
    int messageBeep(int code);
    // The number of audio outputs the system reports.
    int waveOutGetNumDevs() const;

    static void defaultBeep();

private:
    SoundPlayer& m_player;
    Beep m_beep;
};
