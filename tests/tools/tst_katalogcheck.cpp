#include "data/cataloglayout.h"
#include "platform/dbf/dbftable.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "katalogfixture.h"

// "brimora-katalog check", run as the real tool: every fault of a catalog text or a built table is
// reported on a line of its own with the question's number and field, the exit status is 1, and
// only a faultless catalog passes with status 0.
class TestKatalogCheck : public QObject
{
    Q_OBJECT

private slots:
    void cleanCatalog_passesWithASummary_data();
    void cleanCatalog_passesWithASummary();
    void textFault_isReportedOnceWithItsPlace_data();
    void textFault_isReportedOnceWithItsPlace();
    void tableFault_isReportedWithItsPlace_data();
    void tableFault_isReportedWithItsPlace();
    void severalFaults_areAllReportedInQuestionOrder();
};

using Questions = QList<QStringList>;

enum Field { Gebiet, Stufe, Fr1, Fr2, Ar11, Ar12, Af21, Af22, Af31, Af32, Af41, Af42, Info };

// Three faultless questions: umlauts, two-line questions, answers of one and of two lines.
static Questions clean()
{
    return {
        {"Erdkunde", "2", "Welcher Fluss fließt durch Köln", "und durch Düsseldorf?", "der Rhein", "", "die Donau", "",
         "die Elbe", "", "die Weser", "", "Der Rhein ist rund 1230 km lang und mündet in den Niederlanden in die Nordsee."},
        {"Musik", "1", "Wie viele Saiten hat eine", "gewöhnliche Gitarre?", "sechs", "", "vier", "", "fünf", "", "sieben",
         "", "Die sechs Saiten sind meist auf E, A, d, g, h und e gestimmt."},
        {"Geschichte", "3", "Wer schrieb das Drama", "Die Räuber?", "Friedrich", "Schiller", "Johann Wolfgang",
         "von Goethe", "Gotthold Ephraim", "Lessing", "Heinrich Heine", "",
         "Schillers Räuber wurden 1782 in Mannheim uraufgeführt."},
    };
}

static Questions changed(Questions questions, int question, int field, const QString& value)
{
    questions[question - 1][field] = value;
    return questions;
}

// A catalog that shares no question with clean().
static Questions unrelated()
{
    return {changed(clean(), 1, Fr1, QStringLiteral("Welcher Fluss fließt durch Bonn")).first()};
}

// The tool's report: the fault lines and the summary line after them.
struct Report
{
    QStringList faults;
    QString summary;
};

static Report report(const ChildProcess& check)
{
    QStringList lines = QString::fromUtf8(check.out()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    Report result;
    result.summary = lines.isEmpty() ? QString() : lines.takeLast();
    result.faults = lines;
    return result;
}

// The check of file found exactly one fault: the line starts with file + where and contains also.
static void verifyOneFault(const ChildProcess& tool, const QString& file, const QString& where, const QString& also)
{
    QVERIFY2(tool.finished(), qPrintable(tool.describe()));
    QCOMPARE(tool.exitCode(), 1);
    const Report result = report(tool);
    QVERIFY2(result.faults.size() == 1, qPrintable(QString::fromUtf8(tool.out())));
    QVERIFY2(result.faults.first().startsWith(file + where), qPrintable(result.faults.first()));
    QVERIFY2(result.faults.first().contains(also), qPrintable(result.faults.first()));
    QCOMPARE(result.summary, file + QStringLiteral(": 3 Fragen, 1 Fehler"));
}

static ChildProcess check(const QString& file, const QStringList& others = {})
{
    QStringList arguments{QStringLiteral("check"), file};
    for (const QString& other : others)
        arguments << QStringLiteral("--gegen") << other;
    return KatalogFixture::tool(arguments);
}

// Writes the questions as a text "name.txt" or builds them into the table "NAME.QUZ".
static QString place(const QDir& dir, const QString& name, const Questions& questions, bool asTable)
{
    if (asTable)
        return KatalogFixture::buildTable(dir, name, questions);
    const QString path = dir.filePath(name + QStringLiteral(".txt"));
    return TestFiles::write(path, KatalogFixture::text(questions)) ? path : QString();
}

void TestKatalogCheck::cleanCatalog_passesWithASummary_data()
{
    QTest::addColumn<bool>("asTable");
    QTest::addColumn<Questions>("other");
    QTest::newRow("text") << false << Questions{};
    QTest::newRow("table") << true << Questions{};
    QTest::newRow("text against another catalog") << false << unrelated();
    QTest::newRow("table against another catalog") << true << unrelated();
}

void TestKatalogCheck::cleanCatalog_passesWithASummary()
{
    QFETCH(bool, asTable);
    QFETCH(Questions, other);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = place(dir.path(), QStringLiteral("sauber"), clean(), asTable);
    QVERIFY(!file.isEmpty());
    QStringList others;
    if (!other.isEmpty())
        others << place(dir.path(), QStringLiteral("andere"), other, false);

    const ChildProcess tool = check(file, others);
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe() + QString::fromUtf8(tool.out())));
    const Report result = report(tool);
    QCOMPARE(result.faults, QStringList());
    QCOMPARE(result.summary, file + QStringLiteral(": 3 Fragen, keine Fehler"));
}

void TestKatalogCheck::textFault_isReportedOnceWithItsPlace_data()
{
    QTest::addColumn<Questions>("questions");
    QTest::addColumn<Questions>("other");
    QTest::addColumn<bool>("otherAsTable");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("also");

    const auto at = [](int question, const char* field, int lineOffset = 0) {
        return QStringLiteral(":%1: Frage %2, %3:")
            .arg(KatalogFixture::firstLine(question) + lineOffset)
            .arg(question)
            .arg(QLatin1String(field));
    };
    const Questions none;
    QTest::newRow("empty topic") << changed(clean(), 2, Gebiet, "") << none << false << at(2, "gebiet") << "Sachgebiet";
    QTest::newRow("empty question") << changed(clean(), 2, Fr1, "") << none << false << at(2, "fr1") << "Frage fehlt";
    QTest::newRow("empty answer, its second line given")
        << changed(clean(), 3, Af31, "") << none << false << at(3, "af31") << "zweite falsche Antwort";
    QTest::newRow("two equal answers, case and blanks aside")
        << changed(clean(), 1, Af41, "DER  rhein") << none << false << at(1, "af41") << "ar11";
    QTest::newRow("two equal two-line answers")
        << changed(changed(clean(), 3, Af41, "Friedrich"), 3, Af42, "schiller") << none << false << at(3, "af41") << "ar11";
    QTest::newRow("question twice, broken differently")
        << changed(changed(clean(), 3, Fr1, "welcher Fluss  fließt"), 3, Fr2, "durch Köln und durch Düsseldorf?") << none
        << false << at(3, "fr1") << "als Frage 1.";
    QTest::newRow("question also in a text to compare with")
        << clean() << (unrelated() << clean().at(1)) << false << at(2, "fr1") << "als Frage 2.";
    QTest::newRow("question also in a table to compare with")
        << clean() << (unrelated() << clean().at(2)) << true << at(3, "fr1") << "als Datensatz 2.";
    QTest::newRow("answer line too wide")
        << changed(clean(), 1, Ar12, QString(40, QLatin1Char('W'))) << none << false << at(1, "ar12") << "Antwortknopf";
    QTest::newRow("question line too wide")
        << changed(clean(), 2, Fr2, QString(45, QLatin1Char('W'))) << none << false << at(2, "fr2") << "Fragefeld";
    QTest::newRow("empty information") << changed(clean(), 3, Info, "") << none << false << at(3, "info")
                                       << "Zusatzinformation";
    QTest::newRow("level not a digit")
        << changed(clean(), 2, Stufe, "x") << none << false
        << QStringLiteral(":%1: Frage 2:").arg(KatalogFixture::firstLine(2) + 1) << "stufe";
}

void TestKatalogCheck::textFault_isReportedOnceWithItsPlace()
{
    QFETCH(Questions, questions);
    QFETCH(Questions, other);
    QFETCH(bool, otherAsTable);
    QFETCH(QString, where);
    QFETCH(QString, also);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = place(dir.path(), QStringLiteral("quelle"), questions, false);
    QStringList others;
    if (!other.isEmpty())
        others << place(dir.path(), QStringLiteral("andere"), other, otherAsTable);

    verifyOneFault(check(file, others), file, where, also);
}

// Table faults that the tool's build never writes: made by the table engine or by changing bytes.
enum class TableFault { MemoLinkBeyondMemoFile, FieldMissing, LevelOutOfRange, ControlCharacter };
Q_DECLARE_METATYPE(TableFault)

// Writes the clean questions into path with the given field list, the information stored as the
// build stores it.
static bool writeTable(const QString& path, const QList<DbfField>& fields, const Questions& questions)
{
    try {
        DbfTable::create(path, fields);
        const auto table = DbfTable::open(path);
        const QList<DbfField> layout = CatalogLayout::questionCatalog();
        for (const QStringList& question : questions) {
            QList<QVariant> values;
            for (const DbfField& field : fields) {
                const int index = int(std::find_if(layout.begin(), layout.end(),
                                                   [&](const DbfField& f) { return f.name == field.name; })
                                      - layout.begin());
                if (field.name == QLatin1String("STUFE"))
                    values << question[index].toInt();
                else if (field.name == QLatin1String("INFO"))
                    values << CatalogLayout::infoForTable(question[index]);
                else
                    values << question[index];
            }
            table->appendRecord(values);
        }
        table->commit();
        return true;
    } catch (const DbfError& error) {
        qWarning().noquote() << error.message();
        return false;
    }
}

void TestKatalogCheck::tableFault_isReportedWithItsPlace_data()
{
    QTest::addColumn<TableFault>("fault");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("also");
    QTest::newRow("memo link beyond the memo file")
        << TableFault::MemoLinkBeyondMemoFile << ": Datensatz 2, INFO:" << "Memo-Block 9999";
    QTest::newRow("field missing") << TableFault::FieldMissing << ": Der Tabelle fehlt" << "AF42";
    QTest::newRow("level out of range")
        << TableFault::LevelOutOfRange << ": Datensatz 3, STUFE:" << "„12“";
    QTest::newRow("control character in a text")
        << TableFault::ControlCharacter << ": Datensatz 1, AR11:" << "U+0009";
}

void TestKatalogCheck::tableFault_isReportedWithItsPlace()
{
    QFETCH(TableFault, fault);
    QFETCH(QString, where);
    QFETCH(QString, also);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString table = dir.filePath(QStringLiteral("KATALOG.QUZ"));
    QList<DbfField> fields = CatalogLayout::questionCatalog();
    switch (fault) {
    case TableFault::MemoLinkBeyondMemoFile:
        QVERIFY(writeTable(table, fields, clean()));
        QVERIFY(KatalogFixture::patchRecord(table, 2, QStringLiteral("INFO"), "      9999"));
        break;
    case TableFault::FieldMissing:
        fields.removeAt(Af42);
        QVERIFY(writeTable(table, fields, clean()));
        break;
    case TableFault::LevelOutOfRange:
        fields[Stufe].length = 2;
        QVERIFY(writeTable(table, fields, changed(clean(), 3, Stufe, "12")));
        break;
    case TableFault::ControlCharacter:
        QVERIFY(writeTable(table, fields, clean()));
        QVERIFY(KatalogFixture::patchRecord(table, 1, QStringLiteral("AR11"), "der\tRhein"));
        break;
    }

    verifyOneFault(check(table), table, where, also);
}

void TestKatalogCheck::severalFaults_areAllReportedInQuestionOrder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Questions questions = changed(clean(), 3, Info, "");
    questions = changed(questions, 1, Af21, QString(40, QLatin1Char('M')));
    questions = changed(questions, 2, Gebiet, "");
    questions = changed(questions, 2, Af31, "Sechs");
    const QString file = dir.filePath(QStringLiteral("quelle.txt"));
    QVERIFY(TestFiles::write(file, KatalogFixture::text(questions)));

    const ChildProcess tool = check(file);
    QVERIFY2(tool.finished(), qPrintable(tool.describe()));
    QCOMPARE(tool.exitCode(), 1);
    const Report result = report(tool);
    QCOMPARE(result.faults.size(), 4);
    const QStringList places{"Frage 1, af21:", "Frage 2, gebiet:", "Frage 2, af31:", "Frage 3, info:"};
    for (int i = 0; i < places.size(); ++i)
        QVERIFY2(result.faults[i].contains(places[i]), qPrintable(result.faults.join(QLatin1Char('\n'))));
    QCOMPARE(result.summary, file + QStringLiteral(": 3 Fragen, 4 Fehler"));
}

QTEST_GUILESS_MAIN(TestKatalogCheck)
#include "tst_katalogcheck.moc"
