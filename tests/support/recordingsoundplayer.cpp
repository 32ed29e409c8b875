#include "recordingsoundplayer.h"

void RecordingSoundPlayer::play(const QString& fileName)
{
    events.append(QStringLiteral("play ") + fileName);
}

void RecordingSoundPlayer::stop()
{
    events.append(QStringLiteral("stop"));
}
