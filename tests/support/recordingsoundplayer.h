#pragma once

#include "ui/soundplayer.h"

#include <QStringList>

// A sound player that plays nothing and writes down what it was asked: "stop" and "play <file name>".
class RecordingSoundPlayer : public SoundPlayer
{
public:
    void play(const QString& fileName) override;
    void stop() override;

    QStringList events;
};
