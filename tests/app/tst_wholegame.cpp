#define QTEST_QPA_MOUSE_HANDLING
#include "app/application.h"
#include "app/mainwindow.h"
#include "highscore/highscorelist.h"
#include "platform/qtmessageboxes.h"
#include "ui/bdbutton.h"
#include "ui/staticpart.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "dbfpeer.h"
#include "gamedata.h"
#include "modalscript.h"
#include "recordingsoundplayer.h"

// A whole game played as a player plays it: clicks on the play field, the real alert boxes, the
// real yes/no boxes and the real name dialog.
class TestWholeGame : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    GameState m_state;
    QtMessageBoxes m_boxes;
    RecordingSoundPlayer m_sounds;
    QList<int> m_exits;
    std::unique_ptr<Application> m_app;

    BDbutton* button(int name) { return findButton(m_app->mainWindow()->clientArea(), name); }

    int m_clicks = 0;

    // Moves the pointer onto the button and clicks it near its middle, each time at another spot
    // (two quick clicks on one spot would make a double click).
    void click(int name)
    {
        BDbutton* b = button(name);
        const QPoint middle = b->rect().center() + QPoint((m_clicks++ % 2) * 12 - 6, 0);
        // Off whatever button holds the pointer, then onto this one.
        QTest::mouseMove(m_app->mainWindow()->clientArea(), QPoint(2, 2));
        QTest::mouseMove(b, middle);
        QTest::mouseClick(b, Qt::LeftButton, {}, middle);
    }

    void play(int name, ModalScript& script)
    {
        click(name);
        QVERIFY2(script.failure().isEmpty(), qPrintable(script.failure() + " after " + script.seen().join(" | ")));
        QVERIFY2(script.done(), qPrintable(script.seen().join(" | ")));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        GameData::createMainFiles(m_dir.path(), 30);
        m_app = std::make_unique<Application>(m_state, m_boxes, m_sounds, [this](int status) { m_exits << status; },
                                              Application::Environment{m_dir.path(), QString(), QString()});
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(m_app->mainWindow()));
    }

    void aRightAnswer()
    {
        ModalScript script;
        script.expect("alertBox", ModalScript::click("alertButton2")); // "weiter"
        play(666, script);
        QCOMPARE(script.seen(), QStringList{"alertBox:   1. richtige Antwort"});
        QCOMPARE(m_state.richtig, 1);
        QCOMPARE(m_sounds.events, (QStringList{"stop", "play ja.wav"}));
    }

    void aWrongAnswerWithItsInformationBringsTheBanner()
    {
        ModalScript script;
        script.expect("alertBox", ModalScript::click("alertButton1")); // "Zusatzinfo"
        script.expect("alertBox", ModalScript::click("alertButton1")); // "zur nächsten Frage"
        play(777, script);
        QCOMPARE(script.seen().size(), 2);
        QVERIFY(script.seen()[1].startsWith("alertBox: Zusatzinfo  ("));
        QCOMPARE(m_state.fehler, 1);
        QVERIFY(m_state.pb1 && m_state.pb1->isVisible());
    }

    void theFiftyFiftyJoker()
    {
        ModalScript script;
        script.expect("yesNoBox", ModalScript::click("yes"));
        play(333, script);
        QVERIFY(button(777)->isHidden() && button(999)->isHidden());
        QVERIFY(!button(666)->isHidden() && !button(888)->isHidden());
    }

    void aSecondWrongAnswerTakesTheBannerAway()
    {
        ModalScript script;
        script.expect("alertBox", ModalScript::click("alertButton2"));
        play(888, script);
        QCOMPARE(m_state.fehler, 2);
        QVERIFY(!m_state.pb1);
        QVERIFY(!button(777)->isHidden());
    }

    void theSwapJoker()
    {
        const int question = m_app->database().area(1).recNo();
        ModalScript script;
        script.expect("yesNoBox", ModalScript::click("yes"));
        script.expect("alertBox", ModalScript::click("alertButton2"));
        play(222, script);
        QVERIFY(m_app->database().area(1).recNo() != question);
        QCOMPARE(m_state.richtig, 1);
        QCOMPARE(m_state.fehler, 2);

        ModalScript gone; // a used joker only says so
        gone.expect("noticeBox", [](QWidget* box) { box->close(); });
        play(222, gone);
    }

    void theThirdWrongAnswerEndsTheGameAndTheNameGoesIntoTheList()
    {
        {
            ModalScript right;
            right.expect("alertBox", ModalScript::click("alertButton2"));
            play(666, right);
            QCOMPARE(m_state.richtig, 2);
        }

        ModalScript script;
        script.expect("alertBox", ModalScript::click("alertButton2")); // the end of the game
        script.expect("scoreNameDialog", [](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("nameEdit");
            QTest::keyClicks(edit, QStringLiteral("J"));
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Odiaeresis, QStringLiteral("ö"), Qt::NoModifier);
            QTest::keyClicks(edit, QStringLiteral("rg Spieler"));
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        script.expect("yesNoBox", ModalScript::click("yes")); // another game
        play(999, script);
        QVERIFY(m_exits.isEmpty());

        // A new game: counters at 0, both jokers usable again.
        QCOMPARE(m_state.fehler, 0);
        QCOMPARE(m_state.richtig, 0);
        QCOMPARE(button(111)->oStatic->text(), QStringLiteral("  0"));
        QCOMPARE(button(112)->oStatic->text(), QStringLiteral("  0"));
        QCOMPARE(button(222)->colorBG(), std::optional<int>(5));
        QCOMPARE(button(333)->colorBG(), std::optional<int>(5));
        ModalScript joker;
        joker.expect("yesNoBox", ModalScript::click("no"));
        play(333, joker);
    }

    void theListShowsTheNameAtPlaceOneAndAnotherReaderAgrees()
    {
        const QString list = HighScoreList::scoreText(m_app->database().area(2));
        const QString firstRow = list.split(';').at(2);
        QVERIFY2(firstRow.contains("Jörg Spieler") && firstRow.contains(QDate::currentDate().toString("dd.MM.yyyy")),
                 qPrintable(firstRow));
        QVERIFY(firstRow.startsWith("   1"));

        QList<QJsonObject> records;
        QString error;
        QVERIFY2(DbfPeer::read(m_dir.filePath("HIGHSCOR.QUZ"), &records, &error), qPrintable(error));
        int entries = 0;
        for (const QJsonObject& record : records) {
            const QJsonObject fields = record["fields"].toObject();
            if (fields["NAME"].toString().isEmpty())
                continue;
            ++entries;
            QCOMPARE(fields["NAME"].toString(), QStringLiteral("Jörg Spieler"));
            QCOMPARE(fields["RICHTIGE"].toInt(), 2);
            QCOMPARE(fields["DATUM"].toString(), QDate::currentDate().toString(Qt::ISODate));
        }
        QCOMPARE(entries, 1);
    }
};

QTEST_MAIN(TestWholeGame)
#include "tst_wholegame.moc"
