#define QTEST_QPA_MOUSE_HANDLING
#include "app/application.h"
#include "app/mainwindow.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/bdbutton.h"
#include "ui/staticpart.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "gamedata.h"
#include "recordingsoundplayer.h"

// The whole start-up in one process: the play field shows a question of the catalog, and the close
// box asks before the game locks its files and ends.
class TestApplication : public QObject
{
    Q_OBJECT

private:
    struct Game
    {
        QTemporaryDir dir;
        GameState state;
        ScriptedMessageBoxes boxes;
        RecordingSoundPlayer sounds;
        QList<int> exits;
        std::unique_ptr<Application> app;

        explicit Game(QList<int> answers = {})
            : boxes(std::move(answers))
        {
            GameData::createMainFiles(dir.path(), 3);
            app = std::make_unique<Application>(state, boxes, sounds, [this](int status) { exits << status; },
                                                Application::Environment{dir.path(), QString(), QString()});
            app->start();
        }

        BDbutton* button(int name) { return findButton(app->mainWindow()->clientArea(), name); }
        int firstByte(const char* file) { return GameData::firstByte(dir.filePath(QLatin1String(file))); }
    };

private slots:
    void theFirstQuestionOfTheCatalogIsShown()
    {
        Game game;
        QVERIFY(game.exits.isEmpty());
        QCOMPARE(game.app->mainWindow()->windowTitle(), QStringLiteral("Brimora 2.0"));
        QCOMPARE(game.state.anzfra, 3);
        QCOMPARE(game.state.anzgeb, 1);
        QCOMPARE(game.state.aArrayI.size(), 1);
        QCOMPARE(game.app->database().selected(), 1);
        const int recno = game.state.aArrayI.last();
        QCOMPARE(game.app->database().current().recNo(), recno);
        QVERIFY(game.button(555)->oStatic->text().startsWith(QStringLiteral("Frage %1?").arg(recno)));
        QVERIFY(game.button(666)->oStatic->text().startsWith(QStringLiteral("richtig")));
        QCOMPARE(game.state.oLogo->parentWidget(), game.app->mainWindow()->clientArea());
        for (const char* file : {"QUIZ.QUZ", "GEBIET.QUZ", "HIGHSCOR.QUZ"})
            QVERIFY(game.app->database().findAlias(QFileInfo(QLatin1String(file)).baseName()));
    }

    void declinedQuitKeepsPlayingAndGivesTheFocusBack()
    {
        Game game({MessageBoxes::No});
        BDbutton* answer = game.button(777);
        game.app->mainWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game.app->mainWindow()));
        answer->setFocusPolicy(Qt::StrongFocus);
        answer->setFocus();
        QCOMPARE(QApplication::focusWidget(), answer);
        game.app->mainWindow()->close();
        QCOMPARE(game.boxes.shown(), QStringList{QStringLiteral("Ende: Programm jetzt beenden ?")});
        QVERIFY(game.exits.isEmpty());
        QVERIFY(game.app->database().isOpen(1));
        QCOMPARE(QApplication::focusWidget(), answer);
        QCOMPARE(game.firstByte("QUIZ.QUZ"), 0x83);
    }

    void confirmedQuitClosesTheTablesAndLocksTheFiles()
    {
        Game game({MessageBoxes::Yes});
        game.app->mainWindow()->close();
        QCOMPARE(game.exits, QList<int>{0});
        QVERIFY(!game.app->database().isOpen(1) && !game.app->database().isOpen(2) && !game.app->database().isOpen(5));
        QCOMPARE(game.firstByte("QUIZ.QUZ"), 0x1A);
        QCOMPARE(game.firstByte("GEBIET.QUZ"), 0x1A);
        QCOMPARE(game.firstByte("HIGHSCOR.QUZ"), 0x1A);
        QVERIFY(!QFile::exists(game.dir.filePath(QStringLiteral(".brimora.lock"))));
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
