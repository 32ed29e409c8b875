#include "data/cataloglayout.h"

#include <QtTest>

// The additional information is stored in lines the game shows whole: the game cuts after every
// 36th character, so the catalog breaks the text at word boundaries before that.
class TestCatalogLayout : public QObject
{
    Q_OBJECT

private slots:
    void infoIsBrokenAtWordsIntoLinesTheGameShowsWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("short") << "Ein Satz." << QStringList{"Ein Satz."};
        QTest::newRow("exactly 36") << QString(36, 'a') << QStringList{QString(36, 'a')};
        QTest::newRow("two lines")
            << "Der Rhein entspringt in den Schweizer Alpen und mündet in die Nordsee."
            << QStringList{"Der Rhein entspringt in den", "Schweizer Alpen und mündet in die", "Nordsee."};
        QTest::newRow("a word longer than a line stays whole")
            << "Das Wort Donaudampfschifffahrtsgesellschaftskapitän ist lang."
            << QStringList{"Das Wort", "Donaudampfschifffahrtsgesellschaftskapitän", "ist lang."};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void infoIsBrokenAtWordsIntoLinesTheGameShowsWhole()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        const QString stored = CatalogLayout::infoForTable(text);
        QCOMPARE(stored.isEmpty() ? QStringList{} : stored.split(QStringLiteral("\r\n")), lines);
        QCOMPARE(CatalogLayout::infoFromTable(stored), text);
    }
};

QTEST_GUILESS_MAIN(TestCatalogLayout)
#include "tst_cataloglayout.moc"
