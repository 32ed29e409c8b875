#include "platform/compoundfont.h"

#include <QFontInfo>
#include <QtTest>

class TestCompoundFont : public QObject
{
    Q_OBJECT

private slots:
    void nameRoundsHalfAwayFromZeroRightAlignedInTwo_data();
    void nameRoundsHalfAwayFromZeroRightAlignedInTwo();
    void toFontReadsSizeAndFace_data();
    void toFontReadsSizeAndFace();
    void helvIsAnsweredByLiberationSans();
};

void TestCompoundFont::nameRoundsHalfAwayFromZeroRightAlignedInTwo_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("expected");
    QTest::newRow("counters at 1.3") << 14 * 1.3 << "Arial" << "18.Arial";
    QTest::newRow("jokers at 1.3") << 12 * 1.3 << "Arial" << "16.Arial";
    QTest::newRow("answers at 1.3") << 10 * 1.3 << "Helv" << "13.Helv";
    QTest::newRow("half goes up") << 12.5 << "Helv" << "13.Helv";
    QTest::newRow("just below half goes down") << 12.49 << "Helv" << "12.Helv";
    QTest::newRow("one digit right-aligned") << 8.0 << "Arial" << " 8.Arial";
    QTest::newRow("7.5 becomes 8") << 7.5 << "Arial" << " 8.Arial";
    QTest::newRow("negative half away from zero") << -2.5 << "Arial" << "-3.Arial";
    QTest::newRow("three digits not cut") << 100.0 << "Arial" << "100.Arial";
}

void TestCompoundFont::nameRoundsHalfAwayFromZeroRightAlignedInTwo()
{
    QFETCH(double, size);
    QFETCH(QString, face);
    QFETCH(QString, expected);
    QCOMPARE(CompoundFont::name(size, face), expected);
}

void TestCompoundFont::toFontReadsSizeAndFace_data()
{
    QTest::addColumn<QString>("compound");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("family");
    QTest::newRow("18.Arial") << "18.Arial" << 18 << "Arial";
    QTest::newRow("13.Helv") << "13.Helv" << 13 << "Helv";
    QTest::newRow("leading blank") << " 8.Arial" << 8 << "Arial";
}

void TestCompoundFont::toFontReadsSizeAndFace()
{
    QFETCH(QString, compound);
    QFETCH(int, points);
    QFETCH(QString, family);
    const QFont font = CompoundFont::toFont(compound);
    QCOMPARE(font.pointSize(), points);
    QCOMPARE(font.family(), family);
    QCOMPARE(CompoundFont::name(font), compound);
}

void TestCompoundFont::helvIsAnsweredByLiberationSans()
{
    QCOMPARE(QFontInfo(CompoundFont::toFont(QStringLiteral("13.Helv"))).family(),
             QStringLiteral("Liberation Sans"));
    // Arial is Arial where it is installed, else the metric-compatible Liberation Sans.
    const QString arial = QFontInfo(CompoundFont::toFont(QStringLiteral("18.Arial"))).family();
    QVERIFY2(arial == QLatin1String("Arial") || arial == QLatin1String("Liberation Sans"), qPrintable(arial));
}

QTEST_MAIN(TestCompoundFont)
#include "tst_compoundfont.moc"
