#include "app/datadirectory.h"
#include "app/singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "filesnapshot.h"
#include "gamedata.h"
#include "testfiles.h"

#include <functional>

// Start-up with the real game: where it finds its data, what it unlocks and writes on the way,
// and how it ends when a table is missing or damaged or another game already plays on the data.
class TestStartup : public QObject
{
    Q_OBJECT

private:
    // Starts the game in a working directory, answering every message box unattended.
    static void startGame(QProcess& game, const QString& workingDirectory, const QString& allUsersProfile = {},
                          bool restarted = false)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (restarted)
            env.insert(QStringLiteral("BRIMORA_RESTARTED"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BRIMORA_ANSWERS"), QString());
        env.remove(QStringLiteral("ALLUSERSPROFILE"));
        if (!allUsersProfile.isEmpty())
            env.insert(QStringLiteral("ALLUSERSPROFILE"), allUsersProfile);
        game.setProcessEnvironment(env);
        game.setWorkingDirectory(workingDirectory);
        game.start(QStringLiteral(BRIMORA_GAME_EXECUTABLE), {});
        QVERIFY2(game.waitForStarted(10000), qPrintable(game.errorString()));
    }

    static bool waitFor(const std::function<bool()>& condition, QProcess& game)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > 30000 || game.state() == QProcess::NotRunning)
                return condition();
            QTest::qWait(20);
        }
        return true;
    }

    // The game has opened its tables once it holds the main catalog, the last one it opens.
    static bool waitUntilPlaying(QProcess& game, const QString& dataDir)
    {
        return waitFor([&] { return GameData::isHeldOpen(QDir(dataDir).filePath("QUIZ.QUZ")); }, game);
    }

    static void stop(QProcess& game)
    {
        game.kill();
        game.waitForFinished(10000);
    }

    static void lockAll(const QString& dir)
    {
        for (const char* file : {"QUIZ.QUZ", "GEBIET.QUZ", "HIGHSCOR.QUZ"})
            GameData::setFirstByte(QDir(dir).filePath(file), 0x1A);
    }

private slots:
    void firstStartUnlocksTheMainFilesAndStoresTheScale()
    {
        QTemporaryDir dir;
        GameData::createMainFiles(dir.path());
        lockAll(dir.path());

        QProcess game;
        startGame(game, dir.path());
        QVERIFY2(waitUntilPlaying(game, dir.path()), game.readAllStandardError().constData());
        QVERIFY(waitFor([&] { return GameData::firstByte(dir.filePath("HIGHSCOR.QUZ")) == 0x03; }, game));
        QCOMPARE(GameData::firstByte(dir.filePath("GEBIET.QUZ")), 0x03);
        QVERIFY(QFile::exists(dir.filePath("ihigh.QUI")));
        stop(game);

        QFile screen(dir.filePath("screen.xpf"));
        QVERIFY(screen.open(QIODevice::ReadOnly));
        QVERIFY(screen.readAll().contains("screen = 1.3"));
    }

    void aMissingOrDamagedTableEndsTheGameWithAMessage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<QString>("named");
        QTest::newRow("catalog missing") << "QUIZ.QUZ" << QByteArray("delete") << "QUIZ.QUZ";
        QTest::newRow("catalog cut short") << "QUIZ.QUZ" << QByteArray("truncate") << "QUIZ.QUZ";
        QTest::newRow("memo file missing") << "QUIZ.DBT" << QByteArray("delete") << "QUIZ.DBT";
        QTest::newRow("topics cut short") << "GEBIET.QUZ" << QByteArray("truncate") << "GEBIET.QUZ";
        QTest::newRow("high scores missing") << "HIGHSCOR.QUZ" << QByteArray("delete") << "HIGHSCOR.QUZ";
    }

    void aMissingOrDamagedTableEndsTheGameWithAMessage()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, damage);
        QFETCH(QString, named);
        QTemporaryDir dir;
        GameData::createMainFiles(dir.path());
        QFile::remove(dir.filePath("ihigh.QUI"));
        const QString path = dir.filePath(file);
        if (damage == "delete")
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(QFile::resize(path, 20));
        // A later start: the scale and the sound are already stored.
        QVERIFY(TestFiles::write(dir.filePath("screen.xpf"), "screen = 1.3\n"));
        QVERIFY(TestFiles::write(dir.filePath("standard.cfg"), "musik = 2\n"));
        const FileSnapshot before(dir.path());

        QProcess game;
        startGame(game, dir.path());
        QVERIFY(game.waitForFinished(30000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString message = QString::fromUtf8(game.readAllStandardError());
        QVERIFY2(message.contains(named, Qt::CaseInsensitive) && message.contains(QStringLiteral("Fehler")),
                 qPrintable(message));

        // Apart from the version bytes written back at the start and the index built on the
        // way, nothing in the data directory was written or added.
        QStringList changes = before.changes();
        changes.removeAll(QStringLiteral("ihigh.QUI"));
        for (const char* unlocked : {"QUIZ.QUZ", "GEBIET.QUZ", "HIGHSCOR.QUZ"})
            changes.removeAll(QString::fromLatin1(unlocked));
        QVERIFY2(changes.isEmpty(), qPrintable(changes.join(", ")));
    }

    void aSecondGameOnTheSameDataIsTurnedAway()
    {
        QTemporaryDir dir;
        GameData::createMainFiles(dir.path());
        lockAll(dir.path());
        QProcess first;
        startGame(first, dir.path());
        QVERIFY(waitUntilPlaying(first, dir.path()));
        lockAll(dir.path()); // shows whether the second game writes the version bytes back
        const FileSnapshot before(dir.path());

        QProcess second;
        startGame(second, dir.path());
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("läuft bereits")));
        QCOMPARE(before.changes(), QStringList());
        QCOMPARE(first.state(), QProcess::Running);
        stop(first);
    }

    // While the old game still holds the data directory, the restarted one touches nothing; once
    // the old one is gone it starts with the scale the old one stored.
    void aRestartedGameWaitsUntilTheOldOneHasEnded()
    {
        QTemporaryDir dir;
        GameData::createMainFiles(dir.path());
        lockAll(dir.path());
        QVERIFY(TestFiles::write(dir.filePath("screen.xpf"), "screen = 1.1\n"));
        auto oldGame = std::make_unique<SingleInstance>(dir.path());
        QVERIFY(oldGame->acquire());
        const FileSnapshot before(dir.path());

        QProcess game;
        startGame(game, dir.path(), {}, true);
        QTest::qWait(1500);
        QCOMPARE(game.state(), QProcess::Running);
        QCOMPARE(before.changes(), QStringList());

        oldGame.reset();
        QVERIFY2(waitUntilPlaying(game, dir.path()), game.readAllStandardError().constData());
        QCOMPARE(GameData::firstByte(dir.filePath("QUIZ.QUZ")), 0x83);
        QByteArray report;
        QVERIFY(waitFor([&] { return (report += game.readAllStandardError()).contains("Faktor 1.1"); }, game));
        stop(game);
    }

    void theDataDirectoryIsFoundAtEachOfItsPlaces_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("drive root") << "root";
        QTest::newRow("all-users profile") << "profile";
        QTest::newRow("working directory") << "working";
    }

    void theDataDirectoryIsFoundAtEachOfItsPlaces()
    {
        QFETCH(QString, where);
        QTemporaryDir base;
        const QString name = QFileInfo(base.path()).fileName() + QStringLiteral("-Quiz");
        const QString working = base.filePath("Spiele/" + name);
        const QString profile = base.filePath("Profil");
        QString expected = working;
        if (where == "root") {
            expected = QStringLiteral("/") + name;
            if (!QDir().mkpath(expected))
                QSKIP("the file system root is not writable here");
        } else if (where == "profile") {
            expected = profile + QLatin1Char('/') + name;
        }
        const auto cleanRoot = qScopeGuard([&] {
            if (where == "root")
                QDir(expected).removeRecursively();
        });
        QVERIFY(QDir().mkpath(working));
        QVERIFY(QDir().mkpath(expected));
        GameData::createMainFiles(expected);
        lockAll(expected);
        if (expected != working)
            QVERIFY(QDir().mkpath(profile)); // a profile without the data must not matter

        QProcess game;
        startGame(game, working, profile);
        QVERIFY2(waitUntilPlaying(game, expected), game.readAllStandardError().constData());
        stop(game);
        QVERIFY(QFile::exists(QDir(expected).filePath("screen.xpf")));
        if (expected != working)
            QVERIFY(!QFile::exists(QDir(working).filePath("screen.xpf")));
    }

    void theDataDirectorySearchAtTheRootOfTheFileSystem()
    {
        // At the root the last component is empty: the first candidate is "/" + "" + "/quiz.QUZ".
        QCOMPARE(DataDirectory::find(QStringLiteral("/"), QString()), QStringLiteral("/"));
        // A name longer than 50 characters is cut to 50 for the candidates.
        const QString longName(60, QLatin1Char('q'));
        QCOMPARE(DataDirectory::find(QStringLiteral("/nirgends/") + longName, QString()),
                 QStringLiteral("/nirgends/") + longName);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
