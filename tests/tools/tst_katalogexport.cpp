#include "data/cataloglayout.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "katalogfixture.h"

// "brimora-katalog export", run as the real tool: a built catalog comes back as a catalog text that
// builds into the same records, and a table whose records the text cannot give back exactly is
// reported record by record instead of being passed as a good export.
class TestKatalogExport : public QObject
{
    Q_OBJECT

private slots:
    void export_buildsIntoTheSameRecords_data();
    void export_buildsIntoTheSameRecords();
    void export_showsTheInformationAsOneLine();
    void recordTheTextCannotGiveBack_isReportedAndTheTextKept_data();
    void recordTheTextCannotGiveBack_isReportedAndTheTextKept();
    void tableWithoutACatalogField_writesNothing();
};

using Questions = QList<QStringList>;

// An information of several memo blocks, with umlauts, to be broken into lines of 36 characters.
static QString longInformation()
{
    QString text;
    while (text.size() < 1300)
        text += QStringLiteral("Die Große Mauer wurde über viele Jahrhunderte gebaut, ausgebessert und verlängert. ");
    return text.trimmed();
}

static Questions sample()
{
    return {
        {"Geschichte", "4", "Über wie viele Jahrhunderte", "wurde die Große Mauer gebaut?", "über mehr als", "zwanzig",
         "über zwei", "", "über fünf", "Jahrhunderte", "über ein einziges", "", longInformation()},
        {"Sprache", "0", "Wie viele Buchstaben hat", "das Wort 'Straße' ohne ß?", "fünf", "", "sechs", "", "sieben", "",
         "acht", "", "Ohne ß bleiben S, t, r, a und e: fünf Buchstaben."},
        {"Musik", "9", "Wer komponierte", "", "Ludwig van", "Beethoven", "Wolfgang Amadeus", "Mozart", "Johann Sebastian",
         "Bach", "Joseph", "Haydn", "Kurz."},
    };
}

static QString shippedCatalog()
{
    return QStringLiteral(BRIMORA_FIXTURES_DIR "/../../resources/catalogs/quiz.txt");
}

static QByteArray dump(const QString& table)
{
    const ChildProcess tool = KatalogFixture::tool({QStringLiteral("dump"), table});
    return tool.finished() && tool.exitCode() == 0 ? tool.out() : QByteArray();
}

void TestKatalogExport::export_buildsIntoTheSameRecords_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("sample with umlauts, two-line answers, long information") << QString();
    QTest::newRow("the shipped main catalog") << shippedCatalog();
}

void TestKatalogExport::export_buildsIntoTheSameRecords()
{
    QFETCH(QString, source);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (source.isEmpty()) {
        source = dir.filePath(QStringLiteral("quelle.txt"));
        QVERIFY(TestFiles::write(source, KatalogFixture::text(sample())));
    }
    QVERIFY2(QFileInfo::exists(source), qPrintable(source));
    const QString first = dir.filePath(QStringLiteral("erst"));
    const QString again = dir.filePath(QStringLiteral("wieder"));
    const QString exported = dir.filePath(QStringLiteral("export.txt"));

    ChildProcess tool = KatalogFixture::tool({QStringLiteral("build"), source, first});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));
    tool = KatalogFixture::tool({QStringLiteral("export"), first + QStringLiteral("/QUIZ.QUZ"), exported});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));
    tool = KatalogFixture::tool({QStringLiteral("build"), exported, again});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));

    const QByteArray before = dump(first + QStringLiteral("/QUIZ.QUZ"));
    QVERIFY(!before.isEmpty());
    QCOMPARE(dump(again + QStringLiteral("/QUIZ.QUZ")), before);
}

void TestKatalogExport::export_showsTheInformationAsOneLine()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString table = KatalogFixture::buildTable(dir.path(), QStringLiteral("mauer"), sample());
    QVERIFY(!table.isEmpty());
    const QString exported = dir.filePath(QStringLiteral("export.txt"));
    const ChildProcess tool = KatalogFixture::tool({QStringLiteral("export"), table, exported});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));

    const QStringList lines = QString::fromUtf8(TestFiles::read(exported)).split(QLatin1Char('\n'));
    QVERIFY(lines.contains(QStringLiteral("info: ") + longInformation()));
    QVERIFY(lines.contains(QStringLiteral("fr2: das Wort 'Straße' ohne ß?")));
    QVERIFY(lines.contains(QStringLiteral("ar12: zwanzig")));
    QVERIFY(lines.contains(QStringLiteral("fr2:")));
}

void TestKatalogExport::recordTheTextCannotGiveBack_isReportedAndTheTextKept_data()
{
    QTest::addColumn<int>("recno");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("also");
    QTest::newRow("deleted record") << 2 << QString() << QByteArray("*") << "gelöscht";
    QTest::newRow("text beginning with a blank") << 1 << "AR11" << QByteArray(" über mehr als") << "AR11";
    QTest::newRow("semicolon in a text") << 3 << "AF41" << QByteArray("Jo;eph") << "af41";
}

void TestKatalogExport::recordTheTextCannotGiveBack_isReportedAndTheTextKept()
{
    QFETCH(int, recno);
    QFETCH(QString, field);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, also);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString table = KatalogFixture::buildTable(dir.path(), QStringLiteral("mauer"), sample());
    QVERIFY(!table.isEmpty());
    QVERIFY(KatalogFixture::patchRecord(table, recno, field, bytes.replace("ü", "\x81")));
    const QString exported = dir.filePath(QStringLiteral("export.txt"));

    const ChildProcess tool = KatalogFixture::tool({QStringLiteral("export"), table, exported});
    QVERIFY2(tool.finished(), qPrintable(tool.describe()));
    QCOMPARE(tool.exitCode(), 1);
    const QString message = QString::fromUtf8(tool.err());
    // A record the text gives back otherwise is named by its number in the table, a text that does
    // not build by the number of the question in the text, which is the same.
    QVERIFY2(message.contains(QStringLiteral("Datensatz %1,").arg(recno)) || message.contains(QStringLiteral("Frage %1:").arg(recno))
                 || message.contains(QStringLiteral("Datensatz %1 ").arg(recno)),
             qPrintable(message));
    QVERIFY2(message.contains(also), qPrintable(message));
    QVERIFY(QFileInfo::exists(exported));
}

void TestKatalogExport::tableWithoutACatalogField_writesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString table = dir.filePath(QStringLiteral("ALT.QUZ"));
    QList<DbfField> fields = CatalogLayout::questionCatalog();
    fields.removeLast();
    DbfTable::create(table, fields);
    const QString exported = dir.filePath(QStringLiteral("export.txt"));

    const ChildProcess tool = KatalogFixture::tool({QStringLiteral("export"), table, exported});
    QVERIFY2(tool.finished(), qPrintable(tool.describe()));
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY2(QString::fromUtf8(tool.err()).contains(QStringLiteral("„INFO“")), qPrintable(tool.describe()));
    QVERIFY(!QFileInfo::exists(exported));
}

QTEST_GUILESS_MAIN(TestKatalogExport)
#include "tst_katalogexport.moc"
