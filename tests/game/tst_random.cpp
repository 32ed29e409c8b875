#include "game/random.h"

#include <QtTest>

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator64>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The reference beside this file computes every rounding exactly with Python's decimal module.
QString referenceScript()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/random_reference.py");
}

struct ReferenceDraw
{
    int result;
    quint64 seedBits;
};

std::vector<ReferenceDraw> runReference(double clock, const QStringList& bounds)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{referenceScript(), QString::number(clock, 'g', 17)} + bounds);
    if (!python.waitForFinished(60000)) {
        python.kill();
        python.waitForFinished();
        qWarning() << "reference script did not finish:" << python.errorString();
        return {};
    }
    if (python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        qWarning() << "reference script failed:" << python.readAllStandardError();
        return {};
    }
    std::vector<ReferenceDraw> draws;
    const QList<QByteArray> lines = python.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3)
            draws.push_back({fields[0].toInt(), fields[1].toULongLong(nullptr, 16)});
    }
    return draws;
}

// Expands "24*300" into 300 times 24, as the reference script does.
std::vector<int> expandBounds(const QStringList& bounds)
{
    std::vector<int> result;
    for (const QString& item : bounds) {
        const QStringList parts = item.split(QLatin1Char('*'));
        const int count = parts.size() == 2 ? parts[1].toInt() : 1;
        result.insert(result.end(), count, parts[0].toInt());
    }
    return result;
}

// Writing the value 17 characters wide with 15 decimals and reading it back. Qt's formatting rounds a
// tie at the 16th decimal away from zero, as the game's rule says.
double textRoundTrip(double x)
{
    return QString::asprintf("%17.15f", x).toDouble();
}

// x ends in a 5 at the 16th decimal: the two ways of breaking a tie differ. A double m · 2^-q with m odd
// has exactly q decimals, the last one 5, so these are the odd multiples of 2^-16.
bool isTieAt16thDecimal(double x)
{
    const double scaled = std::ldexp(x, 16);
    return scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
}

Random::Clock fixedClock(double seconds)
{
    return [seconds] { return seconds; };
}

} // namespace

class TestRandom : public QObject
{
    Q_OBJECT

private slots:
    void sequenceMatchesReference_data();
    void sequenceMatchesReference();
    void fractionIsRoundedTo15DecimalsHalfAwayFromZero_data();
    void fractionIsRoundedTo15DecimalsHalfAwayFromZero();
    void roundingEqualsTextRoundTrip();
    void tiesAtThe16thDecimalGoAwayFromZero();
    void clockIsReadOnceAtTheFirstDraw();
    void randomOfZeroIsZero();
    void randomOfOneIsOneFromSeedHalfOn();
    void randomOf24CoversTheRangeWithHalfWeightAtTheEnds();
};

void TestRandom::sequenceMatchesReference_data()
{
    QTest::addColumn<double>("clock");
    QTest::addColumn<QStringList>("bounds");

    const QStringList mixed{QStringLiteral("24*300"), QStringLiteral("1*100"), QStringLiteral("0*20"),
                            QStringLiteral("1000*300"), QStringLiteral("7*100"), QStringLiteral("2147483647*50"),
                            QStringLiteral("24*1000")};
    QTest::newRow("midnight: the first seed is 0") << 0.0 << mixed;
    // e seconds after midnight make the first seed exactly 1, the largest seed there can be.
    QTest::newRow("first seed exactly 1") << std::exp(1.0) << mixed;
    // A clock value found with the reference: the first fraction is 0.0000152587890625, a tie at the
    // 16th decimal that rounds up to 0.000015258789063.
    QTest::newRow("first fraction a tie at the 16th decimal") << 0x1.a1ef7aae2802dp-3 << mixed;
    QTest::newRow("morning, milliseconds") << 27296.417 << mixed;
    QTest::newRow("noon") << 43200.0 << mixed;
    QTest::newRow("last millisecond of the day") << 86399.999 << mixed;
}

void TestRandom::sequenceMatchesReference()
{
    QFETCH(double, clock);
    QFETCH(QStringList, bounds);

    const std::vector<ReferenceDraw> expected = runReference(clock, bounds);
    const std::vector<int> ns = expandBounds(bounds);
    QCOMPARE(expected.size(), ns.size());

    Random random(fixedClock(clock));
    for (size_t i = 0; i < ns.size(); ++i) {
        const int result = random.random(ns[i]);
        const auto seedBits = std::bit_cast<quint64>(random.seed());
        if (result != expected[i].result || seedBits != expected[i].seedBits)
            QFAIL(qPrintable(QStringLiteral("draw %1 of random(%2): got %3 with seed %4 (%5), expected %6 with seed %7")
                                 .arg(i + 1).arg(ns[i]).arg(result)
                                 .arg(seedBits, 16, 16, QLatin1Char('0')).arg(random.seed(), 0, 'f', 15)
                                 .arg(expected[i].result).arg(expected[i].seedBits, 16, 16, QLatin1Char('0'))));
    }
}

void TestRandom::fractionIsRoundedTo15DecimalsHalfAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "0.000000000000000";
    QTest::newRow("a whole number") << 12.0 << "0.000000000000000";
    QTest::newRow("0.1") << 0.1 << "0.100000000000000";
    QTest::newRow("a half") << 0.5 << "0.500000000000000";
    QTest::newRow("below the 15th decimal") << 0x1p-60 << "0.000000000000000";
    QTest::newRow("rounded up at the 16th decimal") << 0x1.f9add3746f65fp-4 << "0.123456789012346";
    QTest::newRow("just below a half") << 0x1.ffffffffffff7p-2 << "0.500000000000000";
    // 8 + 2^-16 = 8.0000152587890625: a tie, away from zero (text that breaks ties to even gives ...062).
    QTest::newRow("tie, even digit before it") << 0x1.00002p+3 << "0.000015258789063";
    QTest::newRow("tie, odd digit before it") << 0x1.00006p+3 << "0.000045776367188";
    // A product is at least 6.96 (seed + √2 > √2), so its fraction is a multiple of 2^-50 at the finest:
    // the largest, 1 - 2^-50, stays below 1 ...
    QTest::newRow("8 - 2^-50") << 0x1.fffffffffffffp+2 << "0.999999999999999";
    QTest::newRow("18 - 2^-48") << 0x1.1ffffffffffffp+4 << "0.999999999999996";
    // ... only a finer fraction rounds up to 1.
    QTest::newRow("2 - 2^-52") << 0x1.fffffffffffffp+0 << "1.000000000000000";
    QTest::newRow("largest double below 1") << 0x1.fffffffffffffp-1 << "1.000000000000000";
}

void TestRandom::fractionIsRoundedTo15DecimalsHalfAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(std::bit_cast<quint64>(Random::fractionRoundedTo15Decimals(value)), std::bit_cast<quint64>(expected.toDouble()));
}

void TestRandom::roundingEqualsTextRoundTrip()
{
    std::vector<double> values;
    // Products the game really rounds, along a sequence ...
    Random sequence(fixedClock(61234.567));
    for (int i = 0; i < 300000; ++i) {
        sequence.random(24);
        values.push_back(std::log(sequence.seed() + std::sqrt(2.0)) * std::exp(3.0));
    }
    // ... any double from 4 to 256, the sizes a product can have ...
    QRandomGenerator64 generator(20240611);
    for (int i = 0; i < 300000; ++i)
        values.push_back(std::ldexp(double(generator.generate() >> 11), -51 + int(generator.bounded(6))));
    // ... doubles of every size in [0, 1) ...
    for (int i = 0; i < 300000; ++i)
        values.push_back(std::ldexp(double(generator.generate() >> 11), -53 - int(generator.bounded(40))));
    // ... and every tie at the 16th decimal, m + j / 2^16 with j odd.
    for (int j = 1; j < 65536; j += 2)
        for (const double whole : {0.0, 7.0, 12.0, 17.0})
            values.push_back(whole + std::ldexp(double(j), -16));

    int mismatches = 0;
    for (const double x : values) {
        if (std::bit_cast<quint64>(Random::fractionRoundedTo15Decimals(x))
                != std::bit_cast<quint64>(textRoundTrip(x - std::floor(x)))
            && ++mismatches <= 5)
            qWarning("differs from the text round trip: %.17g", x);
    }
    QCOMPARE(mismatches, 0);
}

void TestRandom::tiesAtThe16thDecimalGoAwayFromZero()
{
    const auto cLibraryRoundTrip = [](double x) {
        char text[32];
        std::snprintf(text, sizeof text, "%17.15f", x);
        return std::strtod(text, nullptr);
    };
    // Every tie j / 2^16 (j odd), also as the fraction of 8 + j / 2^16, rounds as the next double above
    // it does. The C library's text output breaks such ties to even and would round some of them down.
    int cLibraryRoundsDown = 0;
    for (int j = 1; j < 65536; j += 2) {
        const double tie = std::ldexp(double(j), -16);
        QVERIFY(isTieAt16thDecimal(tie));
        const double rounded = Random::fractionRoundedTo15Decimals(tie);
        QVERIFY(rounded > tie);
        QCOMPARE(std::bit_cast<quint64>(rounded), std::bit_cast<quint64>(cLibraryRoundTrip(std::nextafter(tie, 1.0))));
        QCOMPARE(std::bit_cast<quint64>(Random::fractionRoundedTo15Decimals(8.0 + tie)), std::bit_cast<quint64>(rounded));
        if (cLibraryRoundTrip(tie) < tie)
            ++cLibraryRoundsDown;
    }
    QVERIFY(cLibraryRoundsDown > 0);
}

void TestRandom::clockIsReadOnceAtTheFirstDraw()
{
    int reads = 0;
    Random random([&reads] {
        ++reads;
        return 1000.0 * reads;
    });
    QCOMPARE(reads, 0);
    QVERIFY(!random.isSeeded());

    random.random(24);
    QCOMPARE(reads, 1);
    QVERIFY(random.isSeeded());
    for (int i = 0; i < 1000; ++i)
        random.random(24);
    QCOMPARE(reads, 1);

    // The same clock reading gives the same numbers.
    Random first(fixedClock(1000.0));
    Random again(fixedClock(1000.0));
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(first.random(100), again.random(100));
}

void TestRandom::randomOfZeroIsZero()
{
    Random random(fixedClock(50000.25));
    for (int i = 0; i < 1000; ++i) {
        QCOMPARE(random.random(0), 0);
        QVERIFY(random.seed() > 0.0);
    }
}

void TestRandom::randomOfOneIsOneFromSeedHalfOn()
{
    Random random(fixedClock(12345.678));
    int ones = 0;
    for (int i = 0; i < 10000; ++i) {
        const int result = random.random(1);
        QCOMPARE(result, random.seed() >= 0.5 ? 1 : 0);
        ones += result;
    }
    QVERIFY(ones > 4000 && ones < 6000);
}

void TestRandom::randomOf24CoversTheRangeWithHalfWeightAtTheEnds()
{
    constexpr int draws = 240000;
    std::vector<int> counts(25, 0);
    Random random(fixedClock(35000.5));
    for (int i = 0; i < draws; ++i) {
        const int result = random.random(24);
        QVERIFY2(result >= 0 && result <= 24, qPrintable(QString::number(result)));
        ++counts[result];
    }
    // 1 … 23 carry weight 1 each, 0 and 24 a half each: 24 in all. The logarithm stretches small seeds
    // more than large ones, so the values are only about equally likely (within some 7 %).
    const double inner = draws / 24.0;
    for (int k = 1; k <= 23; ++k)
        QVERIFY2(std::abs(counts[k] - inner) < 0.1 * inner, qPrintable(QStringLiteral("%1: %2").arg(k).arg(counts[k])));
    for (int k : {0, 24})
        QVERIFY2(std::abs(counts[k] - inner / 2) < 0.05 * inner, qPrintable(QStringLiteral("%1: %2").arg(k).arg(counts[k])));
}

QTEST_GUILESS_MAIN(TestRandom)
#include "tst_random.moc"
