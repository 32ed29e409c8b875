#define QTEST_QPA_MOUSE_HANDLING
#include "app/application.h"
#include "data/catalogimport.h"
#include "data/cataloglayout.h"
#include "highscore/highscorelist.h"
#include "platform/dbf/dbftable.h"
#include "platform/scriptedmessageboxes.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "gamedata.h"
#include "germantext.h"
#include "largedesktop.h"
#include "modalscript.h"
#include "recordingsoundplayer.h"
#include "scriptedalertboxes.h"
#include "testfiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

// The game on a data directory that refuses writes: a full file system, read-only tables and
// read-only settings files. Every write that fails gives a German message naming the file and the
// fault, keeps what was stored, and the game goes on.
namespace {

enum class Fault { FullDisk, NearlyFullDisk, RoomForThreePages, ReadOnly };

// A small tmpfs of its own, so that filling it touches no other file system.
class SmallDisk
{
public:
    explicit SmallDisk(const QString& path)
        : m_path(QFile::encodeName(path))
    {
        m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", 0, "size=256k,mode=0755") == 0;
        if (!m_mounted)
            m_error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    const QString& error() const { return m_error; }

    // Fills the file system with a filler file, then gives back `spare` bytes. Returns whether the
    // file system really ran full.
    bool fill(qint64 spare) const
    {
        const QByteArray filler = m_path + "/filler";
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const QByteArray chunk(4096, 'x');
        qint64 written = 0;
        bool full = false;
        for (;;) {
            const ssize_t n = ::write(fd, chunk.constData(), size_t(chunk.size()));
            if (n <= 0) {
                full = errno == ENOSPC;
                break;
            }
            written += n;
        }
        const bool ok = full && ::ftruncate(fd, qMax<qint64>(0, written - spare)) == 0;
        ::close(fd);
        return ok;
    }

private:
    QByteArray m_path;
    bool m_mounted = false;
    QString m_error;
};

// The running game on a data directory, with its message boxes and alert boxes scripted.
struct Game
{
    GameState state;
    ScriptedMessageBoxes boxes;
    RecordingSoundPlayer sounds;
    ScriptedAlertBoxes alerts;
    QList<int> exits;
    std::unique_ptr<Application> app;

    Game(const QString& dir, QList<int> answers)
        : boxes(std::move(answers))
    {
        // A restart would start this test again: it runs a program that ends at once instead.
        app = std::make_unique<Application>(state, boxes, sounds, [this](int status) { exits << status; },
                                            Application::Environment{dir, QString(), QStringLiteral("/bin/true")},
                                            &alerts);
        app->start();
    }

    // The list as the player sees it after clicking the question field.
    QString shownList()
    {
        app->score();
        return alerts.calls().isEmpty() ? QString() : alerts.calls().last().text;
    }

    // The messages shown since the start, one per entry.
    QStringList messages() const { return boxes.shown(); }
};

// A data directory of the game, first started on a sound fault and then made faulty.
class FaultyData
{
public:
    explicit FaultyData(Fault fault)
        : m_fault(fault)
        , m_dir(m_base.filePath(QStringLiteral("daten")))
    {
        QDir().mkpath(m_dir);
        if (fault != Fault::ReadOnly)
            m_disk = std::make_unique<SmallDisk>(m_dir);
        GameData::createMainFiles(m_dir, 3);
    }
    ~FaultyData()
    {
        TestFiles::setPermissionOverride(true);
        ::chmod(QFile::encodeName(m_dir).constData(), 0755);
    }

    QString skipReason() const
    {
        if (m_disk && !m_disk->mounted())
            return QStringLiteral("a small tmpfs cannot be mounted here (%1); the full-disk cases need one")
                .arg(m_disk->error());
        return {};
    }

    const QString& dir() const { return m_dir; }
    QString path(const QString& name) const { return QDir(m_dir).filePath(name); }

    // Tables read-only before the game opens them, so it opens them for reading only.
    void protectTables() const
    {
        if (m_fault != Fault::ReadOnly)
            return;
        for (const char* name : {"QUIZ.QUZ", "QUIZ.DBT", "GEBIET.QUZ", "HIGHSCOR.QUZ"})
            ::chmod(QFile::encodeName(path(QLatin1String(name))).constData(), 0444);
        QVERIFY(TestFiles::setPermissionOverride(false));
    }

    // With the game running: the disk full, or the settings files and the directory read-only.
    bool breakDisk() const
    {
        switch (m_fault) {
        case Fault::FullDisk: return m_disk->fill(0);
        case Fault::NearlyFullDisk: return m_disk->fill(16 * 1024);
        case Fault::RoomForThreePages: return m_disk->fill(3 * 4096);
        case Fault::ReadOnly:
            for (const char* name : {"standard.cfg", "screen.xpf"})
                ::chmod(QFile::encodeName(path(QLatin1String(name))).constData(), 0444);
            return ::chmod(QFile::encodeName(m_dir).constData(), 0555) == 0;
        }
        return false;
    }

private:
    Fault m_fault;
    QTemporaryDir m_base;
    QString m_dir;
    std::unique_ptr<SmallDisk> m_disk;
};

// A new catalog KAT001 of questions with memos in a topic the main catalog does not have yet.
void createNewCatalog(const QString& dir, int questions)
{
    const QString table = QDir(dir).filePath(QStringLiteral("KAT001.QUZ"));
    DbfTable::create(table, CatalogLayout::questionCatalog());
    auto catalog = DbfTable::open(table);
    const QString memo = QStringLiteral("Eine Zusatzinformation, die über mehrere Zeilen geht. ").repeated(12);
    for (int i = 1; i <= questions; ++i) {
        catalog->appendRecord({"Erfindungen", 1, QStringLiteral("Neue Frage %1?").arg(i), "", "richtig", "",
                               "falsch 1", "", "falsch 2", "", "falsch 3", "", memo});
    }
}

// The one message of the game that mentions the file, or an empty text.
QString messageAbout(const QStringList& messages, const QString& file)
{
    for (const QString& message : messages) {
        if (message.contains(file, Qt::CaseInsensitive))
            return message;
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestDiskFaults : public QObject
{
    Q_OBJECT

private:
    // Starts the game on the faulty data; skips when the fault cannot be made here.
    static std::unique_ptr<Game> startGame(FaultyData& data, QList<int> answers)
    {
        data.protectTables();
        return std::make_unique<Game>(data.dir(), std::move(answers));
    }

    static void typeName(Game& game, ModalScript& script, const QString& name)
    {
        script.expect(QStringLiteral("scoreNameDialog"), [name](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(name);
            ModalScript::click(QStringLiteral("okButton"))(dialog);
        });
        game.state.richtig = 17;
        game.app->highScores().scoreName();
    }

private slots:
    void highScoreEntryKeepsTheListWhole_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("stored");
        // Entries overwrite records in place: a full disk needs no new room for them.
        QTest::newRow("full disk") << Fault::FullDisk << true;
        QTest::newRow("read-only table") << Fault::ReadOnly << false;
    }

    void highScoreEntryKeepsTheListWhole()
    {
        QFETCH(Fault, fault);
        QFETCH(bool, stored);
        FaultyData data(fault);
        if (!data.skipReason().isEmpty())
            QSKIP(qPrintable(data.skipReason()));
        auto game = startGame(data, {});
        QVERIFY(game->exits.isEmpty());
        const QString before = game->shownList();
        const QByteArray tableBefore = TestFiles::read(data.path(QStringLiteral("HIGHSCOR.QUZ")));
        QVERIFY(data.breakDisk());

        ModalScript script;
        typeName(*game, script, QStringLiteral("Erika"));
        QVERIFY2(script.done() && script.failure().isEmpty(), qPrintable(script.failure()));

        const QString message = messageAbout(game->messages(), QStringLiteral("HIGHSCOR.QUZ"));
        const QString list = game->shownList();
        if (stored) {
            QVERIFY2(message.isEmpty(), qPrintable(message));
            QVERIFY2(list.contains(QStringLiteral("   1      %1          17       Erika")
                                       .arg(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")))),
                     qPrintable(list));
        } else {
            QVERIFY2(message.contains(QStringLiteral("nicht in die Highscore-Liste eintragen")), qPrintable(message));
            QVERIFY(message.contains(QStringLiteral("schreibgeschützt")));
            QVERIFY(GermanText::looksGerman(message));
            QCOMPARE(list, before);
            QCOMPARE(TestFiles::read(data.path(QStringLiteral("HIGHSCOR.QUZ"))), tableBefore);
        }
        QVERIFY(game->exits.isEmpty());
        QCOMPARE(game->app->database().selected(), 1);
    }

    void resetOnFullDiskEmptiesTheListAndKeepsItsOrder()
    {
        FaultyData data(Fault::FullDisk);
        if (!data.skipReason().isEmpty())
            QSKIP(qPrintable(data.skipReason()));
        auto game = startGame(data, {MessageBoxes::Yes});
        {
            ModalScript script;
            typeName(*game, script, QStringLiteral("Vorher"));
        }
        QVERIFY(game->shownList().contains(QStringLiteral("Vorher")));
        QVERIFY(data.breakDisk());

        game->app->highScores().nullSc();
        // The records are emptied in place; only the index file needs new room.
        const QString message = messageAbout(game->messages(), QStringLiteral("ihigh"));
        QVERIFY2(message.contains(QStringLiteral("zurückgesetzt")), qPrintable(game->messages().join('\n')));
        QVERIFY(message.contains(QStringLiteral("Indexdatei ließ sich nicht schreiben")));
        QVERIFY(!game->shownList().contains(QStringLiteral("Vorher")));

        // The list is still read in index order: the next entries go into the spare slot and stay.
        for (const char* name : {"Erste", "Zweite"}) {
            ModalScript script;
            typeName(*game, script, QLatin1String(name));
            QVERIFY2(script.done() && script.failure().isEmpty(), qPrintable(script.failure()));
        }
        const QString list = game->shownList();
        QVERIFY2(list.contains(QStringLiteral("Erste")) && list.contains(QStringLiteral("Zweite")), qPrintable(list));
        QVERIFY(game->exits.isEmpty());
    }

    void resetOfReadOnlyTableChangesNothing()
    {
        FaultyData data(Fault::ReadOnly);
        auto game = startGame(data, {MessageBoxes::Yes});
        const QString before = game->shownList();
        const QByteArray tableBefore = TestFiles::read(data.path(QStringLiteral("HIGHSCOR.QUZ")));

        game->app->highScores().nullSc();
        const QString message = messageAbout(game->messages(), QStringLiteral("HIGHSCOR.QUZ"));
        QVERIFY2(message.contains(QStringLiteral("ließ sich nicht zurücksetzen")), qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("schreibgeschützt")));
        QCOMPARE(TestFiles::read(data.path(QStringLiteral("HIGHSCOR.QUZ"))), tableBefore);
        QCOMPARE(game->shownList(), before);
        QVERIFY(game->exits.isEmpty());
    }

    void settingThatCannotBeSavedKeepsTheFile_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("file");
        QTest::newRow("sound, full disk") << Fault::FullDisk << QStringLiteral("standard.cfg");
        QTest::newRow("sound, read-only") << Fault::ReadOnly << QStringLiteral("standard.cfg");
        QTest::newRow("window size, full disk") << Fault::FullDisk << QStringLiteral("screen.xpf");
        QTest::newRow("window size, read-only") << Fault::ReadOnly << QStringLiteral("screen.xpf");
    }

    void settingThatCannotBeSavedKeepsTheFile()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, file);
        FaultyData data(fault);
        if (!data.skipReason().isEmpty())
            QSKIP(qPrintable(data.skipReason()));
        // Both ask whether to restart: no.
        auto game = startGame(data, {MessageBoxes::No});
        const QByteArray before = TestFiles::read(data.path(file));
        QVERIFY(!before.isEmpty());
        QVERIFY(data.breakDisk());
        const QStringList namesBefore = QDir(data.dir()).entryList(QDir::Files | QDir::Hidden);

        if (file == QLatin1String("standard.cfg")) {
            game->app->mus(3);
            QCOMPARE(game->state.musik, 3);
        } else {
            game->app->bild(2);
            QCOMPARE(game->state.F, 1.4);
        }
        const QString message = messageAbout(game->messages(), file);
        QVERIFY2(message.contains(QStringLiteral("kann nicht geschrieben werden")), qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("nur bis zum Programmende")));
        QCOMPARE(TestFiles::read(data.path(file)), before);
        // No half-written copy stays behind either.
        QCOMPARE(QDir(data.dir()).entryList(QDir::Files | QDir::Hidden), namesBefore);
        QVERIFY(game->exits.isEmpty());
    }

    void importThatCannotBeWrittenKeepsTheCatalog_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("full disk") << Fault::FullDisk;
        QTest::newRow("disk full half way") << Fault::NearlyFullDisk;
        // Room for the import's index, journal and topic backup, but not for putting the topics back.
        QTest::newRow("disk full before the topics are put back") << Fault::RoomForThreePages;
        QTest::newRow("read-only main catalog") << Fault::ReadOnly;
    }

    void importThatCannotBeWrittenKeepsTheCatalog()
    {
        QFETCH(Fault, fault);
        FaultyData data(fault);
        if (!data.skipReason().isEmpty())
            QSKIP(qPrintable(data.skipReason()));
        auto game = startGame(data, {MessageBoxes::Yes});
        // Enough questions with memos to need more room than the nearly full disk has left.
        createNewCatalog(data.dir(), 40);
        const QByteArray questionsBefore = TestFiles::read(data.path(QStringLiteral("QUIZ.QUZ")));
        const QByteArray topicsBefore = TestFiles::read(data.path(QStringLiteral("GEBIET.QUZ")));
        const int anzfra = game->state.anzfra;
        if (fault != Fault::ReadOnly)
            QVERIFY(data.breakDisk());

        game->app->catalogImport().offerNewCatalogs();
        const QString message = messageAbout(game->messages(), QStringLiteral("KAT001.QUZ"));
        QVERIFY2(message.contains(QStringLiteral("wurde nicht eingespielt")), qPrintable(game->messages().join('\n')));
        QVERIFY(GermanText::looksGerman(message));
        // A write cut short by the full disk carries no system error text of its own.
        QVERIFY2(!message.contains(QStringLiteral("Unknown error")), qPrintable(message));
        QCOMPARE(TestFiles::read(data.path(QStringLiteral("QUIZ.QUZ"))), questionsBefore);
        QCOMPARE(TestFiles::read(data.path(QStringLiteral("GEBIET.QUZ"))), topicsBefore);
        QCOMPARE(game->state.anzfra, anzfra);
        QVERIFY(QFile::exists(data.path(QStringLiteral("KAT001.QUZ"))));
        QVERIFY(game->exits.isEmpty());
        QVERIFY(game->app->database().isOpen(1));
    }

    // The disk runs full half way and the topic table has become unreadable: the appended questions
    // cannot be taken back at once and the tables cannot be opened again. The game says so and ends;
    // the next start takes the questions back.
    void importWhoseTablesCannotBeReopenedEndsTheGame()
    {
        FaultyData data(Fault::FullDisk);
        if (!data.skipReason().isEmpty())
            QSKIP(qPrintable(data.skipReason()));
        auto game = startGame(data, {MessageBoxes::Yes});
        createNewCatalog(data.dir(), 60);
        const QByteArray questionsBefore = TestFiles::read(data.path(QStringLiteral("QUIZ.QUZ")));
        const QByteArray topicsBefore = TestFiles::read(data.path(QStringLiteral("GEBIET.QUZ")));
        const QByteArray topicFile = QFile::encodeName(data.path(QStringLiteral("GEBIET.QUZ")));
        bool broken = false;
        game->app->catalogImport().setPause([&] {
            if (broken)
                return;
            broken = ::chmod(topicFile.constData(), 0) == 0 && TestFiles::setPermissionOverride(false)
                && data.breakDisk();
        });

        game->app->offerNewCatalogs();
        QVERIFY(broken);
        QCOMPARE(game->exits, QList<int>{1});
        const QStringList messages = game->messages();
        QVERIFY2(messages.last().contains(QStringLiteral("GEBIET.QUZ"), Qt::CaseInsensitive)
                     && messages.last().endsWith(QStringLiteral("Das Programm wird beendet.")),
                 qPrintable(messages.join('\n')));
        QVERIFY(QFile::exists(data.path(QStringLiteral("import.XPF"))));

        game.reset();
        QVERIFY(TestFiles::setPermissionOverride(true));
        QCOMPARE(::chmod(topicFile.constData(), 0644), 0);
        QVERIFY(QFile::remove(data.path(QStringLiteral("filler"))));
        auto nextGame = std::make_unique<Game>(data.dir(), QList<int>{MessageBoxes::No});
        QVERIFY(nextGame->exits.isEmpty());
        QCOMPARE(TestFiles::read(data.path(QStringLiteral("QUIZ.QUZ"))), questionsBefore);
        QCOMPARE(TestFiles::read(data.path(QStringLiteral("GEBIET.QUZ"))), topicsBefore);
        QVERIFY(!QFile::exists(data.path(QStringLiteral("import.XPF"))));
        QVERIFY(QFile::exists(data.path(QStringLiteral("KAT001.QUZ"))));
    }
};

int main(int argc, char* argv[])
{
    QTemporaryDir screens;
    useLargeOffscreenDesktop(screens);
    QApplication app(argc, argv);
    TestDiskFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_diskfaults.moc"
