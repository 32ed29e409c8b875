#include "app/gamestate.h"
#include "game/playfield.h"
#include "game/questionselection.h"
#include "game/random.h"
#include "platform/bottomleft.h"
#include "platform/dbf/database.h"
#include "platform/namedvariables.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/bdbutton.h"
#include "ui/staticpart.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "gamedata.h"
#include "recordingsoundplayer.h"

// Picking the next question and showing it: every question once per cycle, the message when all
// were asked, the answer layouts, and a catalog without questions.
class TestQuestionSelection : public QObject
{
    Q_OBJECT

private:
    // A play field over a catalog of the given size, with a fixed clock.
    struct Game
    {
        QTemporaryDir dir;
        GameState state;
        Database database;
        NamedVariables variables;
        ScriptedMessageBoxes boxes;
        RecordingSoundPlayer sounds;
        QWidget client;
        ButtonContext buttons{&boxes, &sounds, &client};
        Random random{[] { return 45296.789; }};
        int digit = 7;
        std::unique_ptr<PlayField> field;
        std::unique_ptr<QuestionSelection> selection;

        explicit Game(int questions)
        {
            GameData::createMainFiles(dir.path(), questions);
            database.setDataDirectory(dir.path());
            database.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
            database.use(1, QStringLiteral("quiz"));
            state.Pfad = dir.path();
            state.anzfra = questions;
            client.resize(1035, 731);
            field = std::make_unique<PlayField>(state, variables, random, buttons, PlayField::Actions{});
            field->zeige1();
            field->zeige2(1);
            selection = std::make_unique<QuestionSelection>(state, database, random, boxes, buttons,
                                                            [this] { return digit; });
        }

        int pick()
        {
            if (!selection->wahl())
                return 0;
            return database.current().recNo();
        }

        QString shownCaption(int name) const
        {
            return findButton(const_cast<QWidget*>(&client), name)->oStatic->text();
        }
    };

    static const QString allAsked;

private slots:
    void aCatalogOfOneQuestionAsksItAgainAfterTheMessage()
    {
        Game game(1);
        QCOMPARE(game.pick(), 1);
        QVERIFY(game.boxes.shown().isEmpty());
        QCOMPARE(game.pick(), 1);
        QCOMPARE(game.boxes.shown(), QStringList{allAsked});
        QCOMPARE(game.state.aArrayI.list(), QList<int>{1});
    }

    void everyQuestionComesOncePerCycle_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("digit");
        QTest::newRow("3 questions") << 3 << 7;
        QTest::newRow("200 questions") << 200 << 3;
        // An attempt with the digit 0 would draw nothing: it must still come to an end.
        QTest::newRow("seconds digit 0") << 50 << 0;
    }

    void everyQuestionComesOncePerCycle()
    {
        QFETCH(int, questions);
        QFETCH(int, digit);
        Game game(questions);
        game.digit = digit;
        QSet<int> picked;
        for (int i = 0; i < questions; ++i) {
            const int recno = game.pick();
            QVERIFY(recno >= 1 && recno <= questions);
            QVERIFY2(!picked.contains(recno), qPrintable(QString::number(recno)));
            picked.insert(recno);
            QCOMPARE(game.state.aArrayI.last(), recno);
        }
        QVERIFY(game.boxes.shown().isEmpty());
        game.pick();
        QCOMPARE(game.boxes.shown(), QStringList{allAsked});
        QCOMPARE(game.state.aArrayI.size(), 1);
    }

    void anEmptyCatalogLeavesThePlayFieldAsItIs()
    {
        Game game(0);
        const QString intro = game.shownCaption(666);
        QVERIFY(!game.selection->wahl());
        QVERIFY(game.boxes.shown().isEmpty());
        QVERIFY(game.state.aArrayI.isEmpty());
        QCOMPARE(game.shownCaption(666), intro);
    }

    void theQuestionAndItsAnswersGoToTheLayoutPlaces_data()
    {
        QTest::addColumn<double>("F");
        QTest::newRow("F = 1") << 1.0;
        QTest::newRow("F = 1.3") << 1.3;
    }

    void theQuestionAndItsAnswersGoToTheLayoutPlaces()
    {
        QFETCH(double, F);
        Game game(5);
        game.state.F = F;
        for (int round = 0; round < 5; ++round) {
            QVERIFY(game.selection->wahl());
            QVERIFY(game.selection->frageNeu());
            const int recno = game.database.current().recNo();
            QVERIFY(game.state.Platz >= 1 && game.state.Platz <= 24);
            const GameState::Layout& p = game.state.layout(game.state.Platz);
            const int names[4] = {666, 777, 888, 999};
            for (int i = 0; i < 4; ++i) {
                BDbutton* answer = findButton(&game.client, names[i]);
                QCOMPARE(answer->position(), QPointF(p[2 * i] * F, p[2 * i + 1] * F));
                QVERIFY(answer->isVisible() || !game.client.isVisible());
                QVERIFY(!answer->isHidden());
                QCOMPARE(answer->colorBG(), std::optional<int>(15));
            }
            const QString right = game.shownCaption(666);
            QVERIFY2(right.startsWith(QStringLiteral("richtig")), qPrintable(right));
            QVERIFY(right.contains(QLatin1Char('\n')));
            QVERIFY(game.shownCaption(777).startsWith(QStringLiteral("falsch 1")));
            QVERIFY(game.shownCaption(999).startsWith(QStringLiteral("falsch 3")));
            QVERIFY(game.shownCaption(555).startsWith(QStringLiteral("Frage %1?").arg(recno)));
            QCOMPARE(findButton(&game.client, 555)->colorBG(), std::optional<int>(15));
        }
    }

    void aNewQuestionShowsAnswersTheJokerHid()
    {
        Game game(3);
        findButton(&game.client, 777)->hide();
        findButton(&game.client, 999)->hide();
        QVERIFY(game.selection->wahl());
        QVERIFY(game.selection->frageNeu());
        QVERIFY(!findButton(&game.client, 777)->isHidden());
        QVERIFY(!findButton(&game.client, 999)->isHidden());
    }

    void everyLayoutComesUp()
    {
        Random random([] { return 1234.5; });
        QSet<int> layouts;
        for (int i = 0; i < 2000; ++i) {
            const int Platz = QuestionSelection::drawLayout(random);
            QVERIFY(Platz >= 1 && Platz <= 24);
            layouts.insert(Platz);
        }
        QCOMPARE(layouts.size(), 24);
    }
};

const QString TestQuestionSelection::allAsked =
    QStringLiteral("Info: Es wurden alle Fragen bereits gestellt\nJetzt beginnt es wieder von vorne !");

QTEST_MAIN(TestQuestionSelection)
#include "tst_questionselection.moc"
