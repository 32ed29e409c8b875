#pragma once

#include "ui/soundplayer.h"

#include <functional>
#include <memory>

class QSoundEffect;

// Plays wave files with Qt Multimedia, in the background. One sound at a time: a new one stops the one
// before. A file that does not exist, or that cannot be read as a wave file, gives the alert sound
// instead. Without an audio device nothing is heard, and nothing waits.
class QtSoundPlayer : public SoundPlayer
{
public:
    // The desktop's alert sound; replaceable so that a test can count it.
    using Beep = std::function<void()>;

    explicit QtSoundPlayer(Beep beep = defaultBeep);
    ~QtSoundPlayer() override;

    void play(const QString& fileName) override;
    void stop() override;

    // The sound is playing (or waits for its file to be read); without an audio device Qt still
    // counts it as playing until it is stopped.
    bool isPlaying() const;
    // The file of the last sound is still being read.
    bool isLoading() const;

    static void defaultBeep();

private:
    Beep m_beep;
    std::unique_ptr<QSoundEffect> m_effect; // made at the first sound
};
