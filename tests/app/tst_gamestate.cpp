#include "app/gamestate.h"

#include <QtTest>

class TestGameState : public QObject
{
    Q_OBJECT

private slots:
    void startsWithAnEmptyGame()
    {
        const GameState s;
        QCOMPARE(s.xSize, 796.0);
        QCOMPARE(s.ySize, 562.0);
        QCOMPARE(s.fehler, 0);
        QCOMPARE(s.richtig, 0);
        QVERIFY(s.aArrayI.isEmpty());
        QVERIFY(!s.neuBG);
    }

    void answerLayouts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("letters");
        const QStringList rows = {"ABCD", "ABDC", "ACBD", "ACDB", "ADBC", "ADCB", "BACD", "BADC",
                                  "BCAD", "BCDA", "BDAC", "BDCA", "CABD", "CADB", "CBAD", "CBDA",
                                  "CDAB", "CDBA", "DABC", "DACB", "DBAC", "DBCA", "DCAB", "DCBA"};
        for (int i = 0; i < rows.size(); ++i)
            QTest::addRow("row %d %s", i + 1, qPrintable(rows[i])) << i + 1 << rows[i];
    }

    // The rows are the permutations of the places A to D in lexicographic order.
    void answerLayouts()
    {
        QFETCH(int, row);
        QFETCH(QString, letters);
        const QMap<QChar, QPair<int, int>> places = {
            {'A', {4, 4}}, {'B', {396, 4}}, {'C', {4, 54}}, {'D', {396, 54}}};
        const GameState s;
        const GameState::Layout& layout = s.layout(row);
        for (int answer = 0; answer < 4; ++answer) {
            QCOMPARE(layout[2 * answer], places[letters[answer]].first);
            QCOMPARE(layout[2 * answer + 1], places[letters[answer]].second);
        }
    }
};

QTEST_GUILESS_MAIN(TestGameState)
#include "tst_gamestate.moc"
