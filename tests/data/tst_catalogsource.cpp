#include "data/catalogsource.h"

#include <QtTest>

#include <random>

// Reading the catalog text: every fault with its line, good texts into the values the table takes.
class TestCatalogSource : public QObject
{
    Q_OBJECT

private slots:
    void faults_areReportedWithTheirLines_data();
    void faults_areReportedWithTheirLines();
    void faultyQuestion_isLeftOut();
    void goodText_givesItsRecords_data();
    void goodText_givesItsRecords();
    void goodRecord_givesItsValuesByField();
    void fieldNames_areTheCatalogFieldsInLowerCase();
    void anyBytes_giveRecordsOrErrorsWithinTheFile();
};

// One good question, a line per field (line n of the text is goodLines()[n - 1]).
static QStringList goodLines()
{
    return {
        QStringLiteral("gebiet: Erdkunde"),
        QStringLiteral("stufe: 2"),
        QStringLiteral("fr1: Welcher Fluss fließt durch Köln"),
        QStringLiteral("fr2: und Düsseldorf?"),
        QStringLiteral("ar11: der Rhein"),
        QStringLiteral("ar12:"),
        QStringLiteral("af21: die Donau"),
        QStringLiteral("af22:"),
        QStringLiteral("af31: die Elbe"),
        QStringLiteral("af32:"),
        QStringLiteral("af41: die Weser"),
        QStringLiteral("af42:"),
        QStringLiteral("info: Der Rhein mündet in die Nordsee."),
    };
}

static QByteArray text(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

// The good question with line n (1-based) replaced.
static QByteArray withLine(int n, const QString& line)
{
    QStringList lines = goodLines();
    lines[n - 1] = line;
    return text(lines);
}

// The good question with its line n (1-based) given as raw bytes.
static QByteArray withBytes(int n, const QByteArray& bytes)
{
    QList<QByteArray> lines;
    for (const QString& line : goodLines())
        lines << line.toUtf8();
    lines[n - 1] = bytes;
    return lines.join('\n') + '\n';
}

void TestCatalogSource::faults_areReportedWithTheirLines_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QStringList>("words");

    const QString fifty = QString(50, QLatin1Char('x'));
    QStringList swapped = goodLines();
    swapped.swapItemsAt(2, 3);
    QStringList twice = goodLines();
    twice.insert(3, QStringLiteral("fr1: noch einmal"));
    QStringList shortRecord = goodLines();
    shortRecord.removeLast();
    QStringList prose = goodLines();
    prose.insert(5, QStringLiteral("Das ist keine Feldzeile"));

    QTest::newRow("unknown field") << withLine(4, QStringLiteral("frage2: x")) << QList<int>{1, 4}
                                   << QStringList{QStringLiteral("fehlt das Feld „fr2“"), QStringLiteral("Unbekanntes Feld „frage2“")};
    QTest::newRow("field name in capitals") << withLine(4, QStringLiteral("FR2: x")) << QList<int>{1, 4}
                                            << QStringList{QStringLiteral("„fr2“"), QStringLiteral("klein")};
    QTest::newRow("field twice") << text(twice) << QList<int>{4} << QStringList{QStringLiteral("zweimal in der Frage (zuerst in Zeile 3)")};
    QTest::newRow("fields out of order") << text(swapped) << QList<int>{4} << QStringList{QStringLiteral("„fr1“ steht nach „fr2“")};
    QTest::newRow("field missing") << text(shortRecord) << QList<int>{1} << QStringList{QStringLiteral("fehlt das Feld „info“")};
    QTest::newRow("line without colon") << text(prose) << QList<int>{6} << QStringList{QStringLiteral("feld: wert")};
    QTest::newRow("stufe a letter") << withLine(2, QStringLiteral("stufe: x")) << QList<int>{2} << QStringList{QStringLiteral("0 bis 9")};
    QTest::newRow("stufe 10") << withLine(2, QStringLiteral("stufe: 10")) << QList<int>{2} << QStringList{QStringLiteral("„10“")};
    QTest::newRow("stufe negative") << withLine(2, QStringLiteral("stufe: -1")) << QList<int>{2} << QStringList{QStringLiteral("0 bis 9")};
    QTest::newRow("stufe a fraction") << withLine(2, QStringLiteral("stufe: 2.5")) << QList<int>{2} << QStringList{QStringLiteral("0 bis 9")};
    QTest::newRow("stufe empty") << withLine(2, QStringLiteral("stufe:")) << QList<int>{2} << QStringList{QStringLiteral("0 bis 9")};
    QTest::newRow("gebiet 26 characters") << withLine(1, QStringLiteral("gebiet: ") + QString(26, QLatin1Char('g')))
                                          << QList<int>{1} << QStringList{QStringLiteral("26 Zeichen lang; das Feld fasst 25")};
    QTest::newRow("fr1 51 characters") << withLine(3, QStringLiteral("fr1: ") + fifty + QStringLiteral("?"))
                                       << QList<int>{3} << QStringList{QStringLiteral("fasst 50")};
    QTest::newRow("af42 41 umlauts") << withLine(12, QStringLiteral("af42: ") + QString(41, QChar(0x00FC)))
                                     << QList<int>{12} << QStringList{QStringLiteral("41 Zeichen")};
    QTest::newRow("euro sign") << withLine(6, QStringLiteral("ar12: 5 €")) << QList<int>{6} << QStringList{QStringLiteral("€ (U+20AC)")};
    QTest::newRow("typographic quotes") << withLine(9, QStringLiteral("af31: „Faust“")) << QList<int>{9, 9}
                                        << QStringList{QStringLiteral("U+201E"), QStringLiteral("U+201C")};
    QTest::newRow("character beyond 16 bits") << withLine(13, QStringLiteral("info: gut 😀")) << QList<int>{13}
                                              << QStringList{QStringLiteral("U+1F600")};
    QTest::newRow("semicolon") << withLine(7, QStringLiteral("af21: Donau; Inn")) << QList<int>{7} << QStringList{QStringLiteral("„;“")};
    QTest::newRow("tilde in the memo") << withLine(13, QStringLiteral("info: ~ etwa 1230 km")) << QList<int>{13} << QStringList{QStringLiteral("„~“")};
    QTest::newRow("character 1A") << withBytes(13, "info: Ende\x1A hier") << QList<int>{13} << QStringList{QStringLiteral("0x1A")};
    QTest::newRow("tab in a value") << withBytes(5, "ar11: der\tRhein") << QList<int>{5} << QStringList{QStringLiteral("U+0009")};
    QTest::newRow("latin-1 umlaut") << withBytes(3, "fr1: K\xF6ln") << QList<int>{3} << QStringList{QStringLiteral("UTF-8")};
    QTest::newRow("latin-1 in a comment") << ("# K\xF6ln\n" + text(goodLines())) << QList<int>{1} << QStringList{QStringLiteral("UTF-8")};
    QTest::newRow("overlong encoding") << withBytes(8, "af22: \xC0\xAF") << QList<int>{8} << QStringList{QStringLiteral("UTF-8")};
    QTest::newRow("encoded surrogate") << withBytes(8, "af22: \xED\xA0\x80") << QList<int>{8} << QStringList{QStringLiteral("UTF-8")};
    QTest::newRow("sequence cut at the end") << text(goodLines()).chopped(1) + "\xC3" << QList<int>{13} << QStringList{QStringLiteral("UTF-8")};
    QTest::newRow("faults of every record")
        << text(QStringList(goodLines()) << QString() << QStringLiteral("# zweite Frage") << goodLines()).replace("stufe: 2", "stufe: y")
        << QList<int>{2, 17} << QStringList{QStringLiteral("0 bis 9"), QStringLiteral("0 bis 9")};
    QTest::newRow("no question") << QByteArray("# nur ein Kommentar\n\n") << QList<int>{0} << QStringList{QStringLiteral("keine Frage")};
    QTest::newRow("empty file") << QByteArray() << QList<int>{0} << QStringList{QStringLiteral("keine Frage")};
}

void TestCatalogSource::faults_areReportedWithTheirLines()
{
    QFETCH(QByteArray, source);
    QFETCH(QList<int>, lines);
    QFETCH(QStringList, words);

    const CatalogSource parsed = CatalogSource::parse(source);
    QStringList got;
    for (const CatalogSource::Error& error : parsed.errors())
        got << error.text(QStringLiteral("f"));
    QVERIFY2(parsed.errors().size() == lines.size(), qPrintable(got.join(QLatin1Char('\n'))));
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(parsed.errors()[i].line, lines[i]);
        QVERIFY2(parsed.errors()[i].message.contains(words[i]), qPrintable(got[i]));
    }
    QVERIFY(!parsed.isValid());
}

void TestCatalogSource::faultyQuestion_isLeftOut()
{
    QStringList lines = goodLines();
    lines[4] = QStringLiteral("ar11: der Rhein; die Ruhr");
    lines << QString() << QStringLiteral("# die zweite Frage ist gut") << goodLines();
    const CatalogSource parsed = CatalogSource::parse(text(lines));
    QCOMPARE(parsed.errors().size(), 1);
    QCOMPARE(parsed.records().size(), 1);
    QCOMPARE(parsed.records().first().line, 16);
}

void TestCatalogSource::goodText_givesItsRecords_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<int>("count");

    const QByteArray one = text(goodLines());
    QStringList commented = goodLines();
    commented.insert(6, QStringLiteral("# die falschen Antworten"));
    QStringList padded = goodLines();
    for (QString& line : padded)
        line += QStringLiteral("   ");
    QStringList full = goodLines();
    full[0] = QStringLiteral("gebiet: ") + QString(25, QChar(0x00C4));
    full[2] = QStringLiteral("fr1: ") + QString(49, QChar(0x00DF)) + QStringLiteral("?");
    full[4] = QStringLiteral("ar11: ") + QString(40, QChar(0x00F6));
    full[12] = QStringLiteral("info: ") + QString(3000, QLatin1Char('i'));

    QTest::newRow("one question") << one << 1;
    QTest::newRow("byte order mark and CR LF") << ("\xEF\xBB\xBF" + QByteArray(one).replace("\n", "\r\n")) << 1;
    QTest::newRow("comments and several blank lines")
        << ("# Katalog\n\n\n" + text(commented) + "\n  \n\n# noch eine\n" + one + "\n\n") << 2;
    QTest::newRow("blanks around values") << text(padded) << 1;
    QTest::newRow("values at full width with umlauts") << text(full) << 1;
    QTest::newRow("no line break at the end") << one.chopped(1) << 1;
    QTest::newRow("three questions") << (one + "\n" + one + "\n" + one) << 3;
}

void TestCatalogSource::goodText_givesItsRecords()
{
    QFETCH(QByteArray, source);
    QFETCH(int, count);

    const CatalogSource parsed = CatalogSource::parse(source);
    QStringList got;
    for (const CatalogSource::Error& error : parsed.errors())
        got << error.text(QStringLiteral("f"));
    QVERIFY2(parsed.isValid(), qPrintable(got.join(QLatin1Char('\n'))));
    QCOMPARE(parsed.records().size(), count);
    for (const CatalogSource::Record& record : parsed.records())
        QCOMPARE(record.values.size(), 13);
}

void TestCatalogSource::goodRecord_givesItsValuesByField()
{
    QStringList lines = goodLines();
    lines[3] = QStringLiteral("fr2:   und Du\u0308sseldorf?  ");  // decomposed ü, blanks around
    const CatalogSource parsed = CatalogSource::parse("# Kopf\n\n" + text(lines));
    QVERIFY(parsed.isValid());
    QCOMPARE(parsed.records().size(), 1);
    const CatalogSource::Record& record = parsed.records().first();
    QCOMPARE(record.line, 3);
    const QList<QVariant> expected{
        QStringLiteral("Erdkunde"), 2, QStringLiteral("Welcher Fluss fließt durch Köln"),
        QStringLiteral("und Düsseldorf?"), QStringLiteral("der Rhein"), QString(),
        QStringLiteral("die Donau"), QString(), QStringLiteral("die Elbe"), QString(),
        QStringLiteral("die Weser"), QString(), QStringLiteral("Der Rhein mündet in die Nordsee."),
    };
    QCOMPARE(record.values.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(record.values[i].typeId(), expected[i].typeId());
        QCOMPARE(record.values[i], expected[i]);
    }
}

void TestCatalogSource::fieldNames_areTheCatalogFieldsInLowerCase()
{
    QCOMPARE(CatalogSource::fieldNames(),
             QStringList({"gebiet", "stufe", "fr1", "fr2", "ar11", "ar12", "af21", "af22", "af31", "af32", "af41",
                          "af42", "info"}));
}

// Records as catalog text, one block per record.
static QByteArray written(const QList<CatalogSource::Record>& records)
{
    QStringList lines;
    for (const CatalogSource::Record& record : records) {
        for (int i = 0; i < record.values.size(); ++i)
            lines << CatalogSource::fieldNames().at(i) + QStringLiteral(": ") + record.values[i].toString();
        lines << QString();
    }
    return text(lines);
}

// Random damage to a good text: the reader gives records or errors, and every error's line is a
// line of the text.
void TestCatalogSource::anyBytes_giveRecordsOrErrorsWithinTheFile()
{
    const QByteArray good = text(goodLines()) + "\n" + text(goodLines());
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        QByteArray source = good;
        const int changes = 1 + int(random() % 8);
        for (int c = 0; c < changes; ++c) {
            const qsizetype at = qsizetype(random() % quint32(source.size() + 1));
            switch (random() % 3) {
            case 0:
                source.insert(at, char(random() % 256));
                break;
            case 1:
                if (at < source.size())
                    source.remove(at, 1);
                break;
            default:
                if (at < source.size())
                    source[at] = char(random() % 256);
            }
        }
        const CatalogSource parsed = CatalogSource::parse(source);
        const int lineCount = int(source.count('\n')) + 1;
        QVERIFY(!parsed.records().isEmpty() || !parsed.errors().isEmpty());
        for (const CatalogSource::Error& error : parsed.errors()) {
            QVERIFY2(error.line >= 0 && error.line <= lineCount, qPrintable(error.text(QStringLiteral("f"))));
            QVERIFY(!error.message.isEmpty());
        }
        for (const CatalogSource::Record& record : parsed.records())
            QCOMPARE(record.values.size(), 13);
        // What was read, written out again, reads back the same.
        if (parsed.isValid()) {
            const CatalogSource again = CatalogSource::parse(written(parsed.records()));
            QVERIFY(again.isValid());
            QCOMPARE(again.records().size(), parsed.records().size());
            for (int r = 0; r < parsed.records().size(); ++r)
                QCOMPARE(again.records()[r].values, parsed.records()[r].values);
        }
    }
}

QTEST_GUILESS_MAIN(TestCatalogSource)
#include "tst_catalogsource.moc"
