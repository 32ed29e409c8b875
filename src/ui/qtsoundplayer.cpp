#include "ui/qtsoundplayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(Beep beep)
    : m_beep(std::move(beep))
{
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::defaultBeep()
{
    QApplication::beep();
}

void QtSoundPlayer::play(const QString& fileName)
{
    stop();
    // A name without a folder means the file in the current directory at the moment of the call.
    const QFileInfo file(fileName);
    if (!file.isFile()) {
        m_beep();
        return;
    }
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        QObject::connect(m_effect.get(), &QSoundEffect::statusChanged, m_effect.get(), [this] {
            if (m_effect->status() == QSoundEffect::Error)
                m_beep();
        });
    }
    const QUrl source = QUrl::fromLocalFile(file.absoluteFilePath());
    if (source == m_effect->source() && m_effect->status() == QSoundEffect::Error) {
        m_beep(); // read before and found to be no wave file: it is not read again
        return;
    }
    // Loading happens in the background; the sound starts as soon as the file is read.
    m_effect->setSource(source);
    m_effect->play();
}

void QtSoundPlayer::stop()
{
    if (m_effect)
        m_effect->stop();
}

bool QtSoundPlayer::isPlaying() const
{
    return m_effect && m_effect->isPlaying();
}

bool QtSoundPlayer::isLoading() const
{
    return m_effect && m_effect->status() == QSoundEffect::Loading;
}
