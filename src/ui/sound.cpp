#include "ui/sound.h"

#include "ui/soundplayer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>

Sound::Sound(SoundPlayer& player, Beep beep)
    : m_player(player)
    , m_beep(std::move(beep))
{
}

void Sound::defaultBeep()
{
    QApplication::beep();
}

void Sound::playSound(const QString& fileName)
{
    stopSound();
    playWaveFile(fileName);
}

void Sound::stopSound()
{
    m_player.stop();
}

void Sound::playWaveFile(const QString& fileName)
{
    m_player.play(fileName);
}

int Sound::messageBeep(int /*code*/)
{
    m_beep();
    return 1;
}

int Sound::waveOutGetNumDevs() const
{
    return int(QMediaDevices::audioOutputs().size());
}
