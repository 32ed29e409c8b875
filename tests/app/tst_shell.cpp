#include "app/application.h"
#include "app/mainwindow.h"
#include "app/menusystem.h"
#include "app/windowscale.h"
#include "platform/qtmessageboxes.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/bdbutton.h"
#include "ui/staticpart.h"

#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "gamedata.h"
#include "offscreendesktop.h"
#include "modalscript.h"
#include "recordingsoundplayer.h"
#include "testfiles.h"
#include "urlcatcher.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

// The shell around the play field on a desktop of 1024 × 768 pixels: the menu bar and what its
// items do, the sound setting, the window size steps, quitting and the restart.
class TestShell : public QObject
{
    Q_OBJECT

private:
    struct Game
    {
        QTemporaryDir dir;
        GameState state;
        ScriptedMessageBoxes scripted;
        QtMessageBoxes real;
        RecordingSoundPlayer sounds;
        QList<int> exits;
        std::unique_ptr<Application> app;

        // scale: the content of "screen.xpf"; sound: that of "standard.cfg" (none: no file).
        explicit Game(QList<int> answers = {}, double scale = 1.0, std::optional<int> sound = {},
                      bool realBoxes = false, QString executable = {})
            : scripted(std::move(answers))
        {
            GameData::createMainFiles(dir.path(), 3);
            write("screen.xpf", QStringLiteral("screen = %1\n").arg(scale));
            if (sound)
                write("standard.cfg", QStringLiteral("musik = %1\n").arg(*sound));
            MessageBoxes& boxes = realBoxes ? static_cast<MessageBoxes&>(real) : scripted;
            app = std::make_unique<Application>(state, boxes, sounds, [this](int status) { exits << status; },
                                                Application::Environment{dir.path(), QString(), executable});
            app->start();
        }

        void write(const char* name, const QString& text) { TestFiles::write(path(name), text.toUtf8()); }
        QString read(const char* name) { return QString::fromUtf8(TestFiles::read(path(name))); }
        QString path(const char* name) { return dir.filePath(QLatin1String(name)); }
        BDbutton* button(int name) { return findButton(app->mainWindow()->clientArea(), name); }
        QMenuBar* bar() { return app->mainWindow()->menuBar(); }
        QList<QAction*> items(QMenu* menu) { return menu ? menu->actions() : bar()->actions(); }
        QAction* item(QMenu* menu, const QString& text)
        {
            for (QAction* action : items(menu))
                if (action->text() == text)
                    return action;
            return nullptr;
        }
        QList<bool> soundChecks()
        {
            QList<bool> checks;
            for (QAction* action : items(state.oMenuA1))
                checks << action->isChecked();
            return checks;
        }
        QSize windowSize() { return app->mainWindow()->frameGeometry().size(); }
    };

    static QStringList texts(const QList<QAction*>& actions)
    {
        QStringList result;
        for (QAction* action : actions)
            result << (action->isSeparator() ? QStringLiteral("--") : action->text());
        return result;
    }

    static const QString restartQuestion;
    static const QString scaleQuestion;

private slots:
    void theMenuBarHoldsTheItemsInTheirOrder()
    {
        Game game;
        QCOMPARE(texts(game.items(nullptr)), (QStringList{"&Einstellungen   ", "&Hilfe ", "   +   ", "   -   "}));
        QCOMPARE(texts(game.items(game.state.oMenuA)),
                 (QStringList{"&Sound  ", "--", "Highscore-Liste zurücksetzen", "--", "anderen Katalog spielen", "--",
                              "beenden    "}));
        QCOMPARE(texts(game.items(game.state.oMenuA1)), (QStringList{"&aus     ", "&Standard", "&Extase"}));
        QCOMPARE(texts(game.items(game.state.oMenuB)),
                 (QStringList{"Hilfe ", "--", "online spielen", "--", "Info "}));
        QCOMPARE(game.items(game.state.oMenuA).first()->menu(), game.state.oMenuA1);
    }

    void theSoundSettingIsReadOrFirstWritten_data()
    {
        QTest::addColumn<std::optional<int>>("stored");
        QTest::addColumn<QList<bool>>("checks");
        QTest::newRow("first start") << std::optional<int>() << QList<bool>{false, true, false};
        QTest::newRow("off") << std::optional<int>(1) << QList<bool>{true, false, false};
        QTest::newRow("standard") << std::optional<int>(2) << QList<bool>{false, true, false};
        QTest::newRow("alternative") << std::optional<int>(3) << QList<bool>{false, false, true};
        QTest::newRow("any other value") << std::optional<int>(7) << QList<bool>{false, false, true};
    }

    void theSoundSettingIsReadOrFirstWritten()
    {
        QFETCH(std::optional<int>, stored);
        QFETCH(QList<bool>, checks);
        Game game({}, 1.0, stored);
        QCOMPARE(game.soundChecks(), checks);
        QVERIFY(game.read("standard.cfg").contains(QStringLiteral("musik = %1").arg(stored.value_or(2))));
        QVERIFY(game.scripted.shown().isEmpty());
    }

    void aSoundItemStoresTheSettingMovesTheMarkAndOffersARestart()
    {
        Game game({MessageBoxes::No, MessageBoxes::No});
        const QString soundBefore = game.button(666)->Caption;
        game.item(game.state.oMenuA1, QStringLiteral("&aus     "))->trigger();
        QCOMPARE(game.soundChecks(), (QList<bool>{true, false, false}));
        QVERIFY(game.read("standard.cfg").contains(QStringLiteral("musik = 1")));
        QCOMPARE(game.scripted.shown(), QStringList{restartQuestion});
        QVERIFY(game.exits.isEmpty());

        // The item that already carries the mark still stores and asks.
        TestFiles::write(game.path("standard.cfg"), "musik = 1 # gleich neu geschrieben\n");
        game.item(game.state.oMenuA1, QStringLiteral("&aus     "))->trigger();
        QVERIFY(!game.read("standard.cfg").contains(QStringLiteral("gleich")));
        QCOMPARE(game.scripted.shown().size(), 2);
        QCOMPARE(game.soundChecks(), (QList<bool>{true, false, false}));
        QVERIFY(game.app->database().isOpen(1));
    }

    void eachMenuItemCallsItsAction()
    {
        Game game({MessageBoxes::No, MessageBoxes::No, MessageBoxes::No});
        game.item(game.state.oMenuA, QStringLiteral("Highscore-Liste zurücksetzen"))->trigger();
        QVERIFY(game.scripted.shown().last().contains(QStringLiteral("Highscore")));

        game.item(game.state.oMenuB, QStringLiteral("Hilfe "))->trigger();
        QVERIFY(game.scripted.shown().last().startsWith(QStringLiteral("Kurzanleitung: ")));

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        game.item(game.state.oMenuB, QStringLiteral("online spielen"))->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(catcher.opened.size(), 1);

        // "beenden" asks the question of the close box; the answer no keeps the game going.
        game.item(game.state.oMenuA, QStringLiteral("beenden    "))->trigger();
        QTRY_COMPARE(game.scripted.shown().last(), QStringLiteral("Ende: Programm jetzt beenden ?"));
        QVERIFY(game.exits.isEmpty());

        game.item(nullptr, QStringLiteral("   +   "))->trigger();
        QVERIFY(qAbs(game.state.F - 1.1) < 1e-9);
        game.item(nullptr, QStringLiteral("   -   "))->trigger();
        QVERIFY(qAbs(game.state.F - 1.0) < 1e-9);
        QCOMPARE(game.scripted.shown().last(), scaleQuestion);
    }

    void aStepDownAtTheSmallestSizeDoesNothing()
    {
        Game game;
        const QSize size = game.windowSize();
        const QString stored = game.read("screen.xpf");
        game.app->bild(1);
        QCOMPARE(game.state.F, 1.0);
        QCOMPARE(game.windowSize(), size);
        QCOMPARE(game.read("screen.xpf"), stored);
        QVERIFY(game.scripted.shown().isEmpty());
    }

    void aStepBeyondTheDesktopIsRefused()
    {
        Game game({}, 1.2);
        QCOMPARE(WindowScale::desktopSize(game.app->mainWindow()), QSize(1024, 768));
        const QSize size = game.windowSize();
        const QString stored = game.read("screen.xpf");
        game.app->bild(2); // 1.3 would need 1034.8 pixels
        QCOMPARE(game.state.F, 1.2);
        QCOMPARE(game.windowSize(), size);
        QCOMPARE(game.read("screen.xpf"), stored);
        QVERIFY(game.scripted.shown().isEmpty());
    }

    void oneStepLargerScalesWindowButtonsAndFonts()
    {
        Game game({MessageBoxes::Yes, MessageBoxes::No});
        game.app->joker(1); // the 50/50 joker: used (pink), two answers hidden; the step keeps that
        const QList<BDbutton*> answers{game.button(666), game.button(777), game.button(888), game.button(999)};
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(3));
        const QStringList shownBefore = game.scripted.shown();

        game.app->bild(2);

        QVERIFY(qAbs(game.state.F - 1.1) < 1e-9);
        QCOMPARE(game.windowSize(), QSize(876, 618));
        QCOMPARE(game.app->mainWindow()->minimumSize(), game.app->mainWindow()->maximumSize());
        QCOMPARE(game.app->mainWindow()->frameGeometry().topLeft(), QPoint((1024 - 876) / 2, (768 - 618) / 2));
        QCOMPARE(game.button(111)->font, QStringLiteral("15.Arial"));
        QCOMPARE(game.button(112)->font, QStringLiteral("15.Arial"));
        QCOMPARE(game.button(222)->font, QStringLiteral("13.Arial"));
        QCOMPARE(game.button(333)->font, QStringLiteral("13.Arial"));
        QCOMPARE(game.button(555)->font, QStringLiteral("15.Helv"));
        for (BDbutton* answer : answers)
            QCOMPARE(answer->font, QStringLiteral("11.Helv"));

        // The answers keep their places in the layout in use, and the question its captions.
        const GameState::Layout& p = game.state.layout(game.state.Platz);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(answers[i]->position(), QPointF(p[2 * i] * 1.1, p[2 * i + 1] * 1.1));
            QCOMPARE(answers[i]->currentSize(), QSizeF(380 * 1.1, 45 * 1.1));
        }
        const int recno = game.state.aArrayI.last();
        QVERIFY(game.button(555)->oStatic->text().startsWith(QStringLiteral("Frage %1?").arg(recno)));
        QVERIFY(game.button(666)->oStatic->text().startsWith(QStringLiteral("richtig")));
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(3));
        QVERIFY(game.button(777)->isHidden() && game.button(999)->isHidden() && !game.button(888)->isHidden());

        // The logo keeps its size and stays centred above the play field.
        QCOMPARE(game.state.oLogo->x(), (876 - 784) / 2);
        QVERIFY(game.read("screen.xpf").contains(QStringLiteral("screen = 1.1")));
        QCOMPARE(game.scripted.shown().mid(shownBefore.size()), QStringList{scaleQuestion});
        QVERIFY(game.exits.isEmpty());
    }

    void controlsKeepTheirDistanceToTheBottomEdge()
    {
        Game game({MessageBoxes::No});
        QWidget* area = game.app->mainWindow()->clientArea();
        QTRY_VERIFY(area->height() > 0);
        const int counterGap = area->height() - game.button(111)->geometry().bottom();
        game.app->bild(2);
        // Whole pixels: the distance may be rounded either way.
        QTRY_VERIFY(qAbs(area->height() - game.button(111)->geometry().bottom() - counterGap * 1.1) <= 1.0);
    }

    void declinedQuitGivesTheFocusBackToTheAnswer()
    {
        Game game({}, 1.0, {}, true);
        BDbutton* answer = game.button(888);
        game.app->mainWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game.app->mainWindow()));
        answer->setFocusPolicy(Qt::StrongFocus);
        answer->setFocus();
        ModalScript script;
        script.expect(QStringLiteral("yesNoBox"), ModalScript::click(QStringLiteral("no")));
        game.app->mainWindow()->close();
        QVERIFY2(script.done(), qPrintable(script.failure()));
        QVERIFY(game.exits.isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), answer);
    }

    void quittingASpecialCatalogLocksItsOwnFiles()
    {
        Game game({MessageBoxes::Yes});
        for (const char* copy : {"SPORT.QUZ", "SPORT.DBT", "HSC_SPORT.QUZ"}) {
            const QString original = QString::fromLatin1(copy).startsWith("HSC_")
                ? QStringLiteral("HIGHSCOR.QUZ")
                : QStringLiteral("QUIZ.") + QFileInfo(QLatin1String(copy)).suffix();
            QVERIFY(QFile::copy(game.dir.filePath(original), game.path(copy)));
        }
        game.state.kana = QStringLiteral("SPORT.QUZ");
        game.state.kahi = QStringLiteral("HSC_SPORT.QUZ");
        game.app->mainWindow()->close();
        QCOMPARE(game.exits, QList<int>{0});
        QCOMPARE(GameData::firstByte(game.path("SPORT.QUZ")), 0x1A);
        QCOMPARE(GameData::firstByte(game.path("GEBIET.QUZ")), 0x1A);
        QCOMPARE(GameData::firstByte(game.path("HSC_SPORT.QUZ")), 0x1A);
        QCOMPARE(GameData::firstByte(game.path("QUIZ.QUZ")), 0x83);
        QCOMPARE(GameData::firstByte(game.path("HIGHSCOR.QUZ")), 0x03);
    }

    // The real game is started anew; it opens the tables only once this one has locked them, and
    // plays with the sound just chosen.
    void agreeingToARestartStartsTheGameAnew()
    {
        Game game({MessageBoxes::Yes}, 1.0, {}, false, QStringLiteral(BRIMORA_GAME_EXECUTABLE));
        const QString log = game.path("neustart.log");
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(game.dir.path()));
        qputenv("BRIMORA_ANSWERS", "");

        // The new game inherits our standard error: let it write into a file.
        fflush(stderr);
        const int savedError = dup(STDERR_FILENO);
        const int logFile = ::open(QFile::encodeName(log).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(logFile, STDERR_FILENO);
        game.app->mus(3);
        fflush(stderr);
        dup2(savedError, STDERR_FILENO);
        ::close(logFile);
        ::close(savedError);
        QDir::setCurrent(previous);

        QCOMPARE(game.exits, QList<int>{0});
        QTRY_VERIFY_WITH_TIMEOUT(TestFiles::read(log).contains("Sound 3"), 30000);
        // The old game had locked the catalog before the new one unlocked and opened it.
        QVERIFY(GameData::isHeldOpen(game.path("QUIZ.QUZ")));
        QCOMPARE(GameData::firstByte(game.path("QUIZ.QUZ")), 0x83);

        const pid_t pid = TestFiles::read(game.path(".brimora.lock")).split('\n').first().toInt();
        QVERIFY(pid > 0 && pid != getpid());
        ::kill(pid, SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(!GameData::isHeldOpen(game.path("QUIZ.QUZ")), 10000);
    }
};

const QString TestShell::restartQuestion = QStringLiteral(
    "Sicherheitsabfrage: Änderungen werden erst beim\nnächsten Programmstart wirksam !\n\nProgramm jetzt neu starten?");
const QString TestShell::scaleQuestion = QStringLiteral(
    ": Unter Umständen ist die graphische Darstellung erst nach einem Neustart des Programmes zu 100% in Ordnung. "
    "Quiz neu starten?");

// The window size steps need a desktop of a known size: 1024 × 768 pixels.
int main(int argc, char* argv[])
{
    QTemporaryDir screens;
    OffscreenDesktop::use(screens, 1024, 768);
    QApplication app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
