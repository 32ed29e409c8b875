#include "data/cataloglayout.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "childprocess.h"
#include "testfiles.h"

// "brimora-katalog build", run as the real tool; its tables are read back by python3-dbfread and
// by "brimora-katalog dump".
class TestKatalogBuild : public QObject
{
    Q_OBJECT

private slots:
    void build_tablesReadTheSameByAnIndependentReader();
    void dump_ofTheBuiltCatalogEqualsTheSource();
    void build_writesTheTablesItIsAskedFor_data();
    void build_writesTheTablesItIsAskedFor();
    void build_replacesAnOlderCatalogWhateverItsCase();
    void badSource_exitsOneWithTheLineAndLeavesNoFiles_data();
    void badSource_exitsOneWithTheLineAndLeavesNoFiles();
};

static const QStringList fieldNames{"GEBIET", "STUFE", "FR1", "FR2", "AR11", "AR12", "AF21",
                                    "AF22",   "AF31",  "AF32", "AF41", "AF42", "INFO"};

// The questions of the test catalog, field by field; the first has a memo of several blocks.
static QList<QStringList> questions()
{
    QString memo;
    while (memo.size() < 1100)
        memo += QStringLiteral("Schillers Räuber wurden 1782 in Mannheim uraufgeführt; ").replace(QLatin1Char(';'), QLatin1Char(','));
    memo = memo.trimmed();
    return {
        {"Geschichte", "3", "Wer schrieb das Drama", "Die Räuber?", "Friedrich Schiller", "", "Johann W. Goethe", "",
         "Gotthold E. Lessing", "", "Heinrich Heine", "", memo},
        {"Erdkunde", "0", "Welcher Fluss fließt durch Köln?", "", "der Rhein", "", "die Donau", "", "die Elbe", "",
         "die Weser", "", ""},
        {"Geschichte", "9", QString(49, QChar(0x00DF)) + QStringLiteral("?"), "Öl, Äpfel & Übermut", QString(40, QChar(0x00E4)),
         "zweite Zeile", "a", "b", "c", "d", "e", "f", "Kurz."},
    };
}

static QByteArray source(const QList<QStringList>& records)
{
    QStringList lines{QStringLiteral("# Testkatalog mit Umlauten")};
    for (const QStringList& values : records) {
        for (int i = 0; i < values.size(); ++i)
            lines << fieldNames[i].toLower() + QStringLiteral(": ") + values[i];
        lines << QString();
    }
    return lines.join(QLatin1Char('\n')).toUtf8();
}

// A record as both readers give it: texts without trailing blanks, STUFE a number, no memo null,
// the information broken into the lines the game shows.
static QJsonObject expectedRecord(const QStringList& values)
{
    QJsonObject record;
    for (int i = 0; i < values.size(); ++i) {
        if (fieldNames[i] == QLatin1String("STUFE"))
            record.insert(fieldNames[i], values[i].toInt());
        else if (fieldNames[i] == QLatin1String("INFO") && values[i].isEmpty())
            record.insert(fieldNames[i], QJsonValue::Null);
        else if (fieldNames[i] == QLatin1String("INFO"))
            record.insert(fieldNames[i], CatalogLayout::infoForTable(values[i]));
        else
            record.insert(fieldNames[i], values[i]);
    }
    return record;
}

static QList<QJsonObject> jsonLines(const QByteArray& out)
{
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (!line.trimmed().isEmpty())
            objects << QJsonDocument::fromJson(line).object();
    }
    return objects;
}

// Every record of the table as python3-dbfread reads it, fields by name.
static QList<QJsonObject> readByDbfread(const QString& table, QString* failure)
{
    static const char* script = R"(
import datetime, json, sys
from dbfread import DBF
for record in DBF(sys.argv[1], encoding='cp850', char_decode_errors='strict'):
    print(json.dumps({k: (v.isoformat() if isinstance(v, datetime.date) else v) for k, v in record.items()},
                     ensure_ascii=False))
)";
    const ChildProcess python = ChildProcess::run(QStringLiteral("/usr/bin/python3"),
                                                  {QStringLiteral("-c"), QString::fromLatin1(script), table});
    if (!python.finished() || python.exitCode() != 0) {
        *failure = python.describe();
        return {};
    }
    return jsonLines(python.out());
}

static ChildProcess build(const QStringList& arguments)
{
    return ChildProcess::run(QStringLiteral(BRIMORA_KATALOG_TOOL), QStringList{QStringLiteral("build")} + arguments);
}

static QStringList files(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void TestKatalogBuild::build_tablesReadTheSameByAnIndependentReader()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("quelle.txt"));
    QVERIFY(TestFiles::write(text, source(questions())));
    const QString target = dir.filePath(QStringLiteral("daten"));
    const ChildProcess tool = build({text, target, QStringLiteral("--mit-sachgebieten"), QStringLiteral("--mit-highscores")});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));
    QVERIFY(QFileInfo(target + QStringLiteral("/QUIZ.DBT")).size() > 3 * 512);

    QString failure;
    const QList<QJsonObject> catalog = readByDbfread(target + QStringLiteral("/QUIZ.QUZ"), &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(catalog.size(), questions().size());
    for (int i = 0; i < catalog.size(); ++i)
        QCOMPARE(catalog[i], expectedRecord(questions()[i]));

    const QList<QJsonObject> topics = readByDbfread(target + QStringLiteral("/GEBIET.QUZ"), &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QList<QJsonObject> expectedTopics{QJsonObject{{"NAME", "Geschichte"}, {"ANZ", 2}},
                                            QJsonObject{{"NAME", "Erdkunde"}, {"ANZ", 1}}};
    QCOMPARE(topics, expectedTopics);

    const QList<QJsonObject> scores = readByDbfread(target + QStringLiteral("/HIGHSCOR.QUZ"), &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(scores.size(), 11);
    for (const QJsonObject& score : scores)
        QCOMPARE(score, (QJsonObject{{"RICHTIGE", 0}, {"NAME", ""}, {"DATUM", QJsonValue::Null}}));
}

void TestKatalogBuild::dump_ofTheBuiltCatalogEqualsTheSource()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("quelle.txt"));
    QVERIFY(TestFiles::write(text, source(questions())));
    const ChildProcess tool = build({text, dir.path()});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));

    const ChildProcess dump = ChildProcess::run(QStringLiteral(BRIMORA_KATALOG_TOOL),
                                                {QStringLiteral("dump"), dir.filePath(QStringLiteral("QUIZ.QUZ"))});
    QVERIFY2(dump.finished() && dump.exitCode() == 0, qPrintable(dump.describe()));
    const QList<QJsonObject> records = jsonLines(dump.out());
    QCOMPARE(records.size(), questions().size());
    for (int i = 0; i < records.size(); ++i) {
        QCOMPARE(records[i].value(QStringLiteral("recno")).toInt(), i + 1);
        QCOMPARE(records[i].value(QStringLiteral("fields")).toObject(), expectedRecord(questions()[i]));
    }
}

void TestKatalogBuild::build_writesTheTablesItIsAskedFor_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("catalog only") << QStringList{} << QStringList{"QUIZ.DBT", "QUIZ.QUZ"};
    QTest::newRow("named catalog") << QStringList{"--name", "kat001"} << QStringList{"KAT001.DBT", "KAT001.QUZ"};
    QTest::newRow("with topics") << QStringList{"--mit-sachgebieten"} << QStringList{"GEBIET.QUZ", "QUIZ.DBT", "QUIZ.QUZ"};
    QTest::newRow("with high scores") << QStringList{"--mit-highscores"} << QStringList{"HIGHSCOR.QUZ", "QUIZ.DBT", "QUIZ.QUZ"};
    QTest::newRow("everything, named")
        << QStringList{"--mit-highscores", "--name", "Spezial", "--mit-sachgebieten"}
        << QStringList{"GEBIET.QUZ", "HIGHSCOR.QUZ", "SPEZIAL.DBT", "SPEZIAL.QUZ"};
}

void TestKatalogBuild::build_writesTheTablesItIsAskedFor()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("quelle.txt"));
    QVERIFY(TestFiles::write(text, source(questions())));
    const QString target = dir.filePath(QStringLiteral("neu/daten"));

    const ChildProcess tool = build(QStringList{text, target} + options);
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));
    QCOMPARE(files(target), expected);
}

void TestKatalogBuild::build_replacesAnOlderCatalogWhateverItsCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("quelle.txt"));
    QVERIFY(TestFiles::write(text, source(questions())));
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("quiz.quz")), "alt"));
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("QUIZ.DBT")), "alt"));

    const ChildProcess tool = build({text, dir.path()});
    QVERIFY2(tool.finished() && tool.exitCode() == 0, qPrintable(tool.describe()));
    QCOMPARE(files(dir.path()), (QStringList{"QUIZ.DBT", "QUIZ.QUZ", "quelle.txt"}));
    QVERIFY(TestFiles::read(dir.filePath(QStringLiteral("QUIZ.DBT"))) != "alt");
}

void TestKatalogBuild::badSource_exitsOneWithTheLineAndLeavesNoFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("targetExists");

    // Line 1 is the comment, the first question's fields are lines 2 to 14, the second's 16 to 28.
    const QByteArray good = source(questions().mid(0, 2));
    QTest::newRow("stufe out of range") << QByteArray(good).replace("stufe: 0", "stufe: 12") << "quelle.txt:17:" << true;
    QTest::newRow("euro sign, new folder") << QByteArray(good).replace("der Rhein", "5 €") << "quelle.txt:20:" << false;
    QTest::newRow("latin-1 text") << QByteArray(good).replace("Die R\xC3\xA4uber?", "Die R\xE4uber?") << "quelle.txt:5:" << true;
    QTest::newRow("missing field") << QByteArray(good).replace("af42: \n", "") << "quelle.txt:2:" << true;
}

void TestKatalogBuild::badSource_exitsOneWithTheLineAndLeavesNoFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, where);
    QFETCH(bool, targetExists);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quelle.txt"));
    QVERIFY(TestFiles::write(path, text));
    const QString target = dir.filePath(QStringLiteral("daten"));
    if (targetExists) {
        QVERIFY(QDir().mkpath(target));
        QVERIFY(TestFiles::write(target + QStringLiteral("/QUIZ.QUZ"), "alter Katalog"));
    }

    const ChildProcess tool = build({path, target, QStringLiteral("--mit-sachgebieten"), QStringLiteral("--mit-highscores")});
    QVERIFY2(tool.finished(), qPrintable(tool.describe()));
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY2(QString::fromUtf8(tool.err()).contains(where), qPrintable(tool.describe()));
    if (targetExists) {
        QCOMPARE(files(target), QStringList{"QUIZ.QUZ"});
        QCOMPARE(TestFiles::read(target + QStringLiteral("/QUIZ.QUZ")), QByteArray("alter Katalog"));
    } else {
        QVERIFY(!QFileInfo::exists(target));
    }
}

QTEST_GUILESS_MAIN(TestKatalogBuild)
#include "tst_katalogbuild.moc"
