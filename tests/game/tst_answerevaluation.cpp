#include "app/application.h"
#include "app/mainwindow.h"
#include "game/answerevaluation.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/bdbutton.h"
#include "ui/staticpart.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gamedata.h"
#include "recordingsoundplayer.h"
#include "scriptedalertboxes.h"

// Answers, jokers and the end of a game, with the whole game running and its boxes answered
// from lists.
class TestAnswerEvaluation : public QObject
{
    Q_OBJECT

private:
    // Looks at the play field while a box is open, as the player sees it then.
    struct WatchedAlertBoxes : ScriptedAlertBoxes
    {
        using ScriptedAlertBoxes::ScriptedAlertBoxes;
        std::function<void()> onAlert;
        int alertBox(QWidget* owner, const QString& text, const QStringList& captions, std::optional<int> icon,
                     const QString& title) override
        {
            if (onAlert)
                onAlert();
            return ScriptedAlertBoxes::alertBox(owner, text, captions, icon, title);
        }
    };

    struct Game
    {
        QTemporaryDir dir;
        GameState state;
        ScriptedMessageBoxes boxes;
        WatchedAlertBoxes alerts;
        RecordingSoundPlayer sounds;
        QList<int> exits;
        std::unique_ptr<Application> app;

        Game(QList<int> yesNo, QList<int> alertAnswers)
            : boxes(std::move(yesNo))
            , alerts(std::move(alertAnswers))
        {
            GameData::createMainFiles(dir.path(), 20);
            app = std::make_unique<Application>(state, boxes, sounds, [this](int status) { exits << status; },
                                                Application::Environment{dir.path(), QString(), QString()}, &alerts);
            app->start();
        }

        BDbutton* button(int name) { return findButton(app->mainWindow()->clientArea(), name); }
        QString shown(int name) { return button(name)->oStatic->text(); }
        int recno() { return app->database().area(1).recNo(); }
        const ScriptedAlertBoxes::Call& lastAlert() { return alerts.calls().last(); }
        bool logoShows(const char* bitmap)
        {
            const QPixmap shown = qobject_cast<QLabel*>(state.oLogo)->pixmap();
            return shown.toImage() == QPixmap(QLatin1String(bitmap)).toImage();
        }
    };

private slots:
    void zusatzinfoText_data()
    {
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("text");
        const QString blank(36, QLatin1Char(' '));
        QTest::newRow("empty memo: the topic and one blank line") << "" << "Thema : Sport;;" + blank;
        QTest::newRow("one short line") << "Kurz." << "Thema : Sport;;Kurz." + QString(31, ' ') + ";" + blank;
        QTest::newRow("cut after 36 characters, inside words too")
            << QString(36, 'a') + "bbb cc"
            << "Thema : Sport;;" + QString(36, 'a') + ";bbb cc" + QString(30, ' ') + ";" + blank;
        QTest::newRow("its own line breaks")
            << "Erste Zeile\r\nZweite" << "Thema : Sport;;Erste Zeile" + QString(25, ' ') + ";Zweite"
                                              + QString(30, ' ') + ";" + blank;
    }

    void zusatzinfoText()
    {
        QFETCH(QString, info);
        QFETCH(QString, text);
        QCOMPARE(AnswerEvaluation::zusatzinfoText(QStringLiteral("Sport   "), info), text);
        QCOMPARE(AnswerEvaluation::zusatzinfoTitle(7), QStringLiteral("Zusatzinfo  (    7)"));
    }

    void aRightAnswerIsCountedAndReported()
    {
        Game game({}, {1});
        const int question = game.recno();
        game.app->istOk(true, 666);
        QCOMPARE(game.state.richtig, 1);
        QCOMPARE(game.button(112)->oStatic->text(), QStringLiteral("  1"));
        QCOMPARE(game.alerts.calls().size(), 2);
        const auto& result = game.alerts.calls().first();
        QCOMPARE(result.text, QStringLiteral("deine Antwort war richtig !;  ;Zusatzinfos anzeigen oder  ;weiter zur nächsten Frage ? "));
        QCOMPARE(result.captions, (QStringList{"Zusatzinfo", "weiter"}));
        QCOMPARE(result.icon, std::optional<int>(11));
        QCOMPARE(result.title, QStringLiteral("  1. richtige Antwort"));
        QVERIFY(!result.ownerGiven || !result.owner);
        // "Zusatzinfo": the information of the question just answered.
        QCOMPARE(game.lastAlert().captions, QStringList{"zur nächsten Frage"});
        QCOMPARE(game.lastAlert().title, AnswerEvaluation::zusatzinfoTitle(question));
        QVERIFY(game.lastAlert().text.startsWith(QStringLiteral("Thema : Geographie;;Zusatzinfo %1").arg(question)));
        // The next question is on the play field.
        QCOMPARE(game.state.aArrayI.size(), 2);
        QVERIFY(game.recno() != question);
        QCOMPARE(game.button(666)->colorBG(), std::optional<int>(15));
    }

    void theBannerComesWithTheFirstWrongAnswerAndGoesWithTheSecond()
    {
        Game game({}, {});
        game.app->istOk(false, 888);
        QCOMPARE(game.state.fehler, 1);
        QCOMPARE(game.button(111)->oStatic->text(), QStringLiteral("  1"));
        QCOMPARE(game.alerts.calls().first().title, QStringLiteral("  1. falsche Antwort"));
        QCOMPARE(game.alerts.calls().size(), 1); // closed without a choice: no information
        QVERIFY(game.state.pb1 && game.state.pb2);
        QCOMPARE(game.state.pb1->text(), QStringLiteral("Website ansehen"));
        QCOMPARE(game.state.pb2->text(), QStringLiteral("hier Werbung schalten"));
        QCOMPARE(game.state.pb1->parentWidget(), game.state.oLogo);
        QVERIFY(game.logoShows(":/bitmaps/888"));

        game.app->istOk(true, 666);
        QVERIFY(game.state.pb1);
        game.app->istOk(false, 777);
        QCOMPARE(game.state.fehler, 2);
        QVERIFY(!game.state.pb1 && !game.state.pb2);
        QVERIFY(game.state.oLogo->findChildren<QPushButton*>().isEmpty());
        QVERIFY(game.logoShows(":/bitmaps/999"));
    }

    void theChosenWrongAnswerAndTheRightOneAreMarked()
    {
        Game game({}, {});
        QList<std::optional<int>> seen;
        game.alerts.onAlert = [&] {
            for (int name : {666, 777, 888, 999})
                seen << game.button(name)->colorBG();
            seen << game.button(999)->colorFG();
        };
        game.app->istOk(false, 999);
        QCOMPARE(seen, (QList<std::optional<int>>{5, 15, 15, 3, 0}));
        // The next question shows every answer in its normal colours again.
        for (int name : {666, 777, 888, 999})
            QCOMPARE(game.button(name)->colorBG(), std::optional<int>(15));
    }

    void theThirdWrongAnswerEndsTheGame_data()
    {
        QTest::addColumn<int>("again");
        QTest::newRow("no more") << int(MessageBoxes::No);
        QTest::newRow("a new game") << int(MessageBoxes::Yes);
    }

    void theThirdWrongAnswerEndsTheGame()
    {
        QFETCH(int, again);
        Game game({MessageBoxes::Yes, again}, {});
        game.app->joker(1); // a used joker comes back with a new game
        for (int i = 0; i < 3; ++i)
            game.app->istOk(false, 777);
        QCOMPARE(game.alerts.calls().last().text,
                 QStringLiteral("Sorry, das war der 3. Fehler und damit;ist das Spiel leider für dich zu Ende. ; ;"
                                "Du kannst es ja nochmal versuchen !; ;Zusatzinfos anzeigen oder weitermachen ? ;"));
        QCOMPARE(game.alerts.calls().last().title, QStringLiteral("  3. falsche Antwort"));
        // No right answer: the name dialog is not offered; the question is the last one asked.
        QCOMPARE(game.boxes.shown().last(), QStringLiteral("neuer Versuch ?: noch einen Versuch wagen ?"));
        if (again == MessageBoxes::No) {
            QCOMPARE(game.exits, QList<int>{0});
            QVERIFY(!game.app->database().isOpen(1));
            // This end locks nothing.
            QCOMPARE(GameData::firstByte(game.dir.filePath("QUIZ.QUZ")), 0x83);
            return;
        }
        QVERIFY(game.exits.isEmpty());
        QCOMPARE(game.state.fehler, 0);
        QCOMPARE(game.state.richtig, 0);
        QCOMPARE(game.button(111)->oStatic->text(), QStringLiteral("  0"));
        QCOMPARE(game.button(112)->oStatic->text(), QStringLiteral("  0"));
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(5));
        QCOMPARE(game.button(222)->colorBG(), std::optional<int>(5));
        QCOMPARE(game.app->database().selected(), 1);
    }

    void theFiftyFiftyJokerHidesTwoWrongAnswersOnce()
    {
        Game game({MessageBoxes::Yes}, {});
        const int question = game.recno();
        game.app->joker(1);
        QVERIFY(game.button(777)->isHidden());
        QVERIFY(game.button(999)->isHidden());
        QVERIFY(!game.button(666)->isHidden() && !game.button(888)->isHidden());
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(3));
        QCOMPARE(game.recno(), question);

        // Clicked again it only says it is gone.
        game.button(333)->activateAction(QVariant(), QVariant(), game.button(333));
        QCOMPARE(game.boxes.shown(), (QStringList{"Joker: wirklich Joker einsetzen ?",
                                                  "Pech gehabt !: Dieser Joker ist schon weg !"}));
    }

    void aDeclinedJokerChangesNothing()
    {
        Game game({MessageBoxes::No, MessageBoxes::No}, {});
        game.app->joker(1);
        game.app->joker(0);
        QVERIFY(!game.button(777)->isHidden());
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(5));
        QCOMPARE(game.button(222)->colorBG(), std::optional<int>(5));
        QVERIFY(game.alerts.calls().isEmpty());
    }

    void theSwapJokerBringsANewQuestionWithoutCountingIt_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("weiter") << 2;
        QTest::newRow("Zusatzinfo") << 1;
    }

    void theSwapJokerBringsANewQuestionWithoutCountingIt()
    {
        QFETCH(int, choice);
        Game game({MessageBoxes::Yes, MessageBoxes::Yes}, {choice});
        const int question = game.recno();
        game.app->joker(1); // both jokers on the same question
        game.app->joker(0);
        const auto& swap = game.alerts.calls().first();
        QCOMPARE(swap.text, QStringLiteral("   Lösung und Zusatzinfos ;   anzeigen oder direkt   ;   zur nächsten Frage ? "));
        QCOMPARE(swap.title, QStringLiteral("Frage wurde getauscht"));
        if (choice == 1) {
            QCOMPARE(game.alerts.calls().size(), 2);
            QCOMPARE(game.lastAlert().title, AnswerEvaluation::zusatzinfoTitle(question));
        } else {
            QCOMPARE(game.alerts.calls().size(), 1);
        }
        QVERIFY(game.recno() != question);
        QCOMPARE(game.state.richtig, 0);
        QCOMPARE(game.state.fehler, 0);
        QCOMPARE(game.button(222)->colorBG(), std::optional<int>(3));
        for (int name : {666, 777, 888, 999})
            QVERIFY(!game.button(name)->isHidden());
    }
};

QTEST_MAIN(TestAnswerEvaluation)
#include "tst_answerevaluation.moc"
