#include "app/gamestate.h"
#include "game/playfield.h"
#include "game/random.h"
#include "platform/namedvariables.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/settingsfile.h"
#include "ui/bdbutton.h"

#include <QTemporaryDir>
#include <QtTest>

#include "recordingsoundplayer.h"

// The play field as it stands after start-up: where each control is, how it looks, what it says,
// what it sounds like and what it does.
class TestPlayField : public QObject
{
    Q_OBJECT

private:
    struct Field
    {
        QTemporaryDir dir;
        GameState state;
        NamedVariables variables;
        ScriptedMessageBoxes boxes;
        RecordingSoundPlayer sounds;
        QWidget client;
        ButtonContext buttons{&boxes, &sounds, &client};
        Random random{[] { return 3600.25; }};
        QStringList calls;
        std::unique_ptr<PlayField> field;

        Field(double F, int musik)
        {
            state.F = F;
            state.Pfad = dir.path();
            state.anzfra = 850;
            state.anzgeb = 17;
            NamedVariables sound;
            sound.set(QStringLiteral("musik"), musik);
            SettingsFile::save(dir.filePath(QStringLiteral("standard.cfg")), QStringLiteral("musi*"), sound);
            client.resize(qRound(796 * F), qRound(562 * F));
            field = std::make_unique<PlayField>(
                state, variables, random, buttons,
                PlayField::Actions{[this](int kind) { calls << QStringLiteral("joker %1").arg(kind); },
                                   [this] { calls << QStringLiteral("score"); },
                                   [this](bool right, int name) {
                                       calls << QStringLiteral("istOk %1 %2").arg(right).arg(name);
                                   }});
            field->zeige1();
            field->zeige2(1);
        }

        BDbutton* button(int name) { return findButton(&client, name); }
    };

private slots:
    void controlsStandWhereTheyBelongAndLookAsTheyShould_data()
    {
        QTest::addColumn<double>("F");
        QTest::addColumn<int>("name");
        QTest::addColumn<QPointF>("position"); // at scale 1; answers: from the layout
        QTest::addColumn<QSizeF>("size");      // at scale 1
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("points");       // at scale 1
        QTest::addColumn<QList<int>>("colors");
        QTest::addColumn<bool>("flat");
        for (double F : {1.0, 1.3}) {
            const QString f = QStringLiteral("F=%1 ").arg(F);
            auto row = [&](int name, QPointF pos, QSizeF size, const char* face, int points, QList<int> colors,
                           bool flat) {
                QTest::addRow("%s%d", qPrintable(f), name)
                    << F << name << pos << size << QString::fromLatin1(face) << points << colors << flat;
            };
            row(111, {716, 105}, {60, 27}, "Arial", 14, {3, 1, 1}, false);
            row(112, {716, 138}, {60, 27}, "Arial", 14, {5, 1, 1}, false);
            row(222, {648, 105}, {60, 60}, "Arial", 12, {5, 1, 1}, true);
            row(333, {580, 105}, {60, 60}, "Arial", 12, {5, 1, 1}, true);
            row(555, {4, 105}, {566, 60}, "Helv", 14, {8, 1, 1}, false);
            for (int name : {666, 777, 888, 999})
                row(name, {-1, -1}, {380, 45}, "Helv", 10, {15, 1, 2}, true);
        }
    }

    void controlsStandWhereTheyBelongAndLookAsTheyShould()
    {
        QFETCH(double, F);
        QFETCH(int, name);
        QFETCH(QPointF, position);
        QFETCH(QSizeF, size);
        QFETCH(QString, face);
        QFETCH(int, points);
        QFETCH(QList<int>, colors);
        QFETCH(bool, flat);
        Field field(F, 2);
        BDbutton* b = field.button(name);
        QVERIFY(b);
        if (position.x() < 0) {
            const GameState::Layout& p = field.state.layout(field.state.Platz);
            const int answer = (name - 666) / 111;
            position = QPointF(p[2 * answer], p[2 * answer + 1]);
        }
        QCOMPARE(b->position(), position * F);
        QCOMPARE(b->Size, size * F);
        QCOMPARE(b->font, QStringLiteral("%1.%2").arg(int(std::lround(points * F)), 2).arg(face));
        QCOMPARE(b->colorBG(), std::optional<int>(colors[0]));
        QCOMPARE(b->colorFG(), std::optional<int>(colors[1]));
        QCOMPARE(b->focuscolor, colors[2]);
        QCOMPARE(b->flat, flat);
        QVERIFY(b->enabled);
    }

    void fontsAtTheFirstStartScale()
    {
        Field field(1.3, 2);
        QCOMPARE(field.field->counterFont(), QStringLiteral("18.Arial"));
        QCOMPARE(field.field->jokerFont(), QStringLiteral("16.Arial"));
        QCOMPARE(field.field->questionFont(), QStringLiteral("18.Helv"));
        QCOMPARE(field.field->answerFont(), QStringLiteral("13.Helv"));
    }

    void theIntroductionNamesTheCatalogsSize()
    {
        Field field(1.3, 2);
        const QString line2 = QStringLiteral("\r\n.") + QString(130, QLatin1Char(' ')) + QLatin1Char('.');
        const QString blanks(60, QLatin1Char(' '));
        QCOMPARE(field.button(666)->Caption, "." + blanks + "  850 Fragen" + blanks + "." + line2);
        QCOMPARE(field.button(777)->Caption, "." + blanks + "   17 Sachgebiete" + blanks + "." + line2);
        QCOMPARE(field.button(888)->Caption, "." + blanks + "jeweils 4 mögliche Antworten" + blanks + "." + line2);
        QCOMPARE(field.button(999)->Caption, "." + blanks + "nur 2 Joker die Ihnen helfen" + blanks + "." + line2);
        const QString questionLine = "." + QString(120, QLatin1Char(' ')) + ".";
        QCOMPARE(field.button(555)->Caption, questionLine + "\r\n" + questionLine);
        QCOMPARE(field.button(111)->Caption, QStringLiteral("   0"));
        QCOMPARE(field.button(112)->Caption, QStringLiteral("   0"));
        QCOMPARE(field.button(222)->Caption, QStringLiteral("Joker\r\nTausch"));
        QCOMPARE(field.button(333)->Caption, QStringLiteral("Joker\r\n50/50"));
    }

    void theSoundSettingGivesTheAnswersTheirSounds_data()
    {
        QTest::addColumn<int>("musik");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("wrong");
        QTest::newRow("off") << 1 << QString() << QString();
        QTest::newRow("standard") << 2 << "ja.wav" << "no.wav";
        QTest::newRow("alternative") << 3 << "jaa.wav" << "noo.wav";
    }

    void theSoundSettingGivesTheAnswersTheirSounds()
    {
        QFETCH(int, musik);
        QFETCH(QString, right);
        QFETCH(QString, wrong);
        Field field(1.3, musik);
        QCOMPARE(field.state.musik, musik);
        QCOMPARE(field.button(666)->sound.value_or(QString()), right);
        for (int name : {777, 888, 999})
            QCOMPARE(field.button(name)->sound.value_or(QString()), wrong);
        for (int name : {111, 112, 222, 333, 555})
            QVERIFY(!field.button(name)->sound.has_value());
    }

    void eachControlCallsItsAction()
    {
        Field field(1.3, 2);
        for (int name : {111, 112, 222, 333, 555, 666, 777, 888, 999})
            field.button(name)->activateAction(QVariant(), QVariant(), field.button(name));
        QCOMPARE(field.calls, (QStringList{"joker 0", "joker 1", "score", "istOk 1 666", "istOk 0 777",
                                           "istOk 0 888", "istOk 0 999"}));
    }

    void theRightAnswerComesUpOnEveryPlace()
    {
        QSet<QString> places;
        for (int start = 0; start < 40 && places.size() < 4; ++start) {
            GameState state;
            NamedVariables variables;
            ScriptedMessageBoxes boxes;
            QWidget client;
            client.resize(1035, 731);
            ButtonContext buttons{&boxes, nullptr, &client};
            Random random([start] { return 1000.0 + 37.1 * start; });
            PlayField field(state, variables, random, buttons, {});
            field.zeige2(1);
            const QPointF at = findButton(&client, 666)->position();
            places.insert(QStringLiteral("%1,%2").arg(at.x()).arg(at.y()));
        }
        QCOMPARE(places.size(), 4);
    }
};

QTEST_MAIN(TestPlayField)
#include "tst_playfield.moc"
