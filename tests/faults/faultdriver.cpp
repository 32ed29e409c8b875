// brimora-faultdriver: runs the real game in this process, offscreen and without a player, and
// repeats one of its writing operations until the process is killed; or checks a data directory
// after such a kill with the game's own table engine and settings reader.
//
//   brimora-faultdriver score    DIR   enter results into the high score list, one after the other
//   brimora-faultdriver nullsc   DIR   empty the high score list again and again
//   brimora-faultdriver settings DIR   change the sound (standard.cfg) and the window size (screen.xpf)
//   brimora-faultdriver check    DIR   open every table and settings file; one line per file
//
// The operations print "bereit" once the game has started and then one line per finished
// operation. tests/faults/killtrials.py kills the driver at random moments and checks what is left.

#include "app/application.h"
#include "highscore/highscorelist.h"
#include "platform/dbf/dbftable.h"
#include "platform/filelookup.h"
#include "platform/messageboxes.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTemporaryDir>

#include "largedesktop.h"
#include "modalscript.h"
#include "recordingsoundplayer.h"
#include "scriptedalertboxes.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Answers every question with yes, except the offers to restart the game: those with no, so the
// driver stays the one process that writes. Every box is printed, so faults show up in the log.
class DriverAnswers : public MessageBoxes
{
public:
    int yesNo(QWidget*, const QString& text, const QString& title, int, int) override
    {
        print(text, title);
        return text.contains(QStringLiteral("neu starten")) ? No : Yes;
    }
    void notice(QWidget*, const QString& text, const QString& title) override { print(text, title); }

private:
    static void print(const QString& text, const QString& title)
    {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(QString(text).replace('\r', '\n')));
        std::fflush(stderr);
    }
};

void say(const QByteArray& line)
{
    std::fprintf(stdout, "%s\n", line.constData());
    std::fflush(stdout);
}

// The highest score in the list: the next results go above it, so each one enters at place 1 and
// pushes the lowest entry out.
int highestScore(Application& game)
{
    WorkArea& highscores = game.database().area(2);
    highscores.goTop();
    const int highest = highscores.fieldGet(QStringLiteral("richtige")).toInt();
    game.database().select(1);
    return highest;
}

void enterScore(Application& game, int richtig)
{
    ModalScript script;
    const QString name = QStringLiteral("Spieler %1").arg(richtig);
    script.expect(QStringLiteral("scoreNameDialog"), [name](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(name);
        ModalScript::click(QStringLiteral("okButton"))(dialog);
    });
    game.state().richtig = richtig;
    game.highScores().scoreName();
    if (!script.done() || !script.failure().isEmpty()) {
        std::fprintf(stderr, "Der Namensdialog kam nicht: %s\n", qUtf8Printable(script.failure()));
        std::exit(3);
    }
}

int runOperation(const QString& operation, const QString& dir)
{
    DriverAnswers boxes;
    ScriptedAlertBoxes alerts;
    RecordingSoundPlayer sounds;
    GameState state;
    // A restart would start the game in a second process: the driver runs a program that ends at once.
    Application game(state, boxes, sounds, [](int status) { std::exit(status == 0 ? 4 : status); },
                     Application::Environment{QDir(dir).absolutePath(), QString(), QStringLiteral("/bin/true")},
                     &alerts);
    game.start();
    say("bereit");

    int richtig = highestScore(game);
    for (int n = 1;; ++n) {
        if (operation == QLatin1String("score")) {
            // The score field holds four digits; past them the list starts again from the bottom.
            richtig = richtig >= 9999 ? 1 : richtig + 1;
            enterScore(game, richtig);
        } else if (operation == QLatin1String("nullsc")) {
            game.highScores().nullSc();
        } else {
            game.mus(1 + n % 3);
            // One step up and one down, so the window stays within the desktop.
            game.bild(state.F < 1.35 ? 2 : 1);
        }
        say(QByteArray::number(n));
    }
}

// Reads every value of every record, memos included, so a damaged record shows up too.
int readWholeTable(const QString& path)
{
    const auto table = DbfTable::open(path);
    for (int recno = 1; recno <= table->recordCount(); ++recno) {
        for (int field = 0; field < table->fields().size(); ++field)
            table->value(recno, field);
    }
    return table->recordCount();
}

// A table the game left locked (byte 0 is 1A) is read from a copy with its version byte written
// back, as the game does before it opens one.
int readLockedTable(const QString& path)
{
    QTemporaryDir copy;
    const QFileInfo info(path);
    const QString memo = FileLookup::resolve(info.absolutePath(), info.completeBaseName() + QStringLiteral(".DBT"));
    const bool withMemo = QFileInfo(memo).isFile();
    const QString table = copy.filePath(info.fileName());
    QFile::copy(path, table);
    if (withMemo)
        QFile::copy(memo, copy.filePath(info.completeBaseName() + QStringLiteral(".DBT")));
    QFile file(table);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (file.open(QIODevice::ReadWrite)) {
        file.putChar(char(withMemo ? 0x83 : 0x03));
        file.close();
    }
    return readWholeTable(table);
}

int check(const QString& dir)
{
    int faults = 0;
    const QDir d(dir);
    for (const QString& name : d.entryList(QDir::Files, QDir::Name)) {
        const QString suffix = QFileInfo(name).suffix().toLower();
        const QString path = d.filePath(name);
        if (suffix == QLatin1String("quz")) {
            try {
                int count = 0;
                try {
                    count = readWholeTable(path);
                } catch (const DbfError& error) {
                    if (error.kind() != DbfError::Kind::Locked)
                        throw;
                    count = readLockedTable(path);
                }
                say("table " + name.toUtf8() + ' ' + QByteArray::number(count));
            } catch (const DbfError& error) {
                say("table-error " + name.toUtf8() + ' ' + error.message().replace('\n', ' ').toUtf8());
                ++faults;
            }
        } else if (suffix == QLatin1String("cfg") || suffix == QLatin1String("xpf")) {
            NamedVariables vars;
            try {
                SettingsFile::restore(path, vars);
                QJsonObject values;
                for (const QString& variable : vars.names())
                    values.insert(variable.toLower(), QJsonValue::fromVariant(vars.value(variable)));
                say("settings " + name.toUtf8() + ' ' + QJsonDocument(values).toJson(QJsonDocument::Compact));
            } catch (const SettingsError& error) {
                say("settings-error " + name.toUtf8() + ' ' + error.message().replace('\n', ' ').toUtf8());
                ++faults;
            }
        }
    }
    return faults == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList operations{QStringLiteral("score"), QStringLiteral("nullsc"), QStringLiteral("settings"),
                                 QStringLiteral("check")};
    if (argc != 3 || !operations.contains(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "Aufruf: %s score|nullsc|settings|check DATENORDNER\n", argv[0]);
        return 2;
    }
    const QString operation = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    if (operation == QLatin1String("check")) {
        QCoreApplication app(argc, argv);
        return check(dir);
    }
    // Always offscreen, on a desktop where the window size steps have room.
    QTemporaryDir scratch;
    useLargeOffscreenDesktop(scratch);
    QApplication app(argc, argv);
    return runOperation(operation, dir);
}
