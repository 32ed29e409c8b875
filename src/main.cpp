#include "app/application.h"
#include "platform/qtmessageboxes.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/qtsoundplayer.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brimora 2.0"));

    // BRIMORA_ANSWERS answers the message boxes from a list, for unattended runs.
    std::unique_ptr<MessageBoxes> boxes;
    if (qEnvironmentVariableIsSet("BRIMORA_ANSWERS"))
        boxes = std::make_unique<ScriptedMessageBoxes>(
            ScriptedMessageBoxes::parseAnswers(qEnvironmentVariable("BRIMORA_ANSWERS")));
    else
        boxes = std::make_unique<QtMessageBoxes>();

    QtSoundPlayer sounds;
    GameState state;
    Application game(state, *boxes, sounds, [](int status) { std::exit(status); },
                     {QDir::currentPath(), qEnvironmentVariable("ALLUSERSPROFILE"), QCoreApplication::applicationFilePath()});
    game.start();
    return qtApp.exec();
}
