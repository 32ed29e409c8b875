#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

#include <cmath>
#include <unistd.h>

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void namedVariables_matchNamesWithoutRegardToCase();
    void roundTrip_keepsEveryValueType_data();
    void roundTrip_keepsEveryValueType();
    void numbers_areWrittenInShortestForm_data();
    void numbers_areWrittenInShortestForm();
    void save_writesOnlyVariablesMatchingPattern_data();
    void save_writesOnlyVariablesMatchingPattern();
    void save_refusesVariableWithoutWrittenForm_data();
    void save_refusesVariableWithoutWrittenForm();
    void save_intoReadOnlyDirectory_reportsErrorAndKeepsOldFile();
    void restore_addsVariablesOverwritingWithoutRegardToCase();
    void withDefaultExtension_addsXpfOnlyWithoutExtension_data();
    void withDefaultExtension_addsXpfOnlyWithoutExtension();
    void fileName_isFoundWithoutRegardToCaseAndExtension();
    void restore_handWrittenFileWithCommentsCrlfAndBom();
    void restore_damagedFile_reportsLineAndChangesNothing_data();
    void restore_damagedFile_reportsLineAndChangesNothing();
    void restore_missingFile_isToldApartFromDamage();
    void restore_unreadableFile_reportsErrorAndChangesNothing();
};

// The variables of a file, read into an empty set.
static NamedVariables restored(const QString& path)
{
    NamedVariables vars;
    SettingsFile::restore(path, vars);
    return vars;
}

void TestSettingsFile::namedVariables_matchNamesWithoutRegardToCase()
{
    NamedVariables vars;
    vars.set(QStringLiteral("c_Cb"), 3);
    vars.set(QStringLiteral("C_CB"), 5);
    vars.set(QStringLiteral("musik"), 2);

    QCOMPARE(vars.names(), (QStringList{QStringLiteral("c_Cb"), QStringLiteral("musik")}));
    QCOMPARE(vars.value(QStringLiteral("c_cb")), QVariant(5.0));
    QVERIFY(vars.contains(QStringLiteral("MUSIK")));
    QVERIFY(!vars.value(QStringLiteral("screen")).isValid());
    vars.remove(QStringLiteral("Musik"));
    QCOMPARE(vars.names(), QStringList{QStringLiteral("c_Cb")});
}

void TestSettingsFile::roundTrip_keepsEveryValueType_data()
{
    QTest::addColumn<QVariant>("value");

    QTest::newRow("decimal") << QVariant(1.3);
    QTest::newRow("whole") << QVariant(2.0);
    QTest::newRow("negative") << QVariant(-2.0);
    QTest::newRow("one tenth") << QVariant(0.1);
    QTest::newRow("third") << QVariant(1.0 / 3.0);
    QTest::newRow("large") << QVariant(1e300);
    QTest::newRow("tiny") << QVariant(5e-324);
    QTest::newRow("negative zero") << QVariant(-0.0);
    QTest::newRow("empty string") << QVariant(QString());
    QTest::newRow("umlauts") << QVariant(QStringLiteral("Größe: ÄÖÜ äöü ß – €"));
    QTest::newRow("quotes and backslashes") << QVariant(QStringLiteral(R"(Er sagte "C:\Pfad\" \\)"));
    QTest::newRow("line breaks and tab") << QVariant(QStringLiteral("Zeile 1\r\nZeile 2\n\tEnde"));
    QTest::newRow("comment sign") << QVariant(QStringLiteral("# kein Kommentar"));
    QTest::newRow("list-like text") << QVariant(QStringLiteral("{1, 2} = .T."));
    QTest::newRow("blanks kept") << QVariant(QStringLiteral("  Sport   "));
    QTest::newRow("true") << QVariant(true);
    QTest::newRow("false") << QVariant(false);
    QTest::newRow("empty list") << QVariant(QVariantList{});
    QTest::newRow("catalog numbers") << QVariant(QVariantList{1.0, 3.0, 9.0});
    QTest::newRow("mixed list") << QVariant(QVariantList{1.5, QStringLiteral("drei, \"vier\""), true});
    QTest::newRow("nested lists")
        << QVariant(QVariantList{QVariantList{}, QVariantList{4.0, QVariantList{QStringLiteral("}")}}});
}

void TestSettingsFile::roundTrip_keepsEveryValueType()
{
    QFETCH(QVariant, value);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("test.xpf"));
    NamedVariables vars;
    vars.set(QStringLiteral("wert"), value);

    SettingsFile::save(path, QStringLiteral("*"), vars);
    const QVariant back = restored(path).value(QStringLiteral("wert"));

    QCOMPARE(back, value);
    if (value.typeId() == QMetaType::Double)
        QCOMPARE(std::signbit(back.toDouble()), std::signbit(value.toDouble()));
}

void TestSettingsFile::numbers_areWrittenInShortestForm_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("scale factor") << 1.3 << QByteArray("screen = 1.3");
    QTest::newRow("whole number") << 2.0 << QByteArray("screen = 2");
    QTest::newRow("negative") << -2.0 << QByteArray("screen = -2");
    QTest::newRow("after arithmetic") << 1.3 * 1.1 << QByteArray("screen = 1.4300000000000002");
}

void TestSettingsFile::numbers_areWrittenInShortestForm()
{
    QFETCH(double, number);
    QFETCH(QByteArray, line);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("screen.xpf"));
    NamedVariables vars;
    vars.set(QStringLiteral("screen"), number);

    SettingsFile::save(path, QStringLiteral("scree*"), vars);

    QCOMPARE(TestFiles::read(path), QByteArray("# Brimora 2.0 – Einstellungen\n") + line + '\n');
}

void TestSettingsFile::save_writesOnlyVariablesMatchingPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("screen") << "scree*" << QStringList{"screen"};
    QTest::newRow("sound") << "musi*" << QStringList{"musik", "Musikant"};
    QTest::newRow("pattern in capitals") << "MUSI*" << QStringList{"musik", "Musikant"};
    QTest::newRow("catalogs") << "katn*" << QStringList{"katnr"};
    QTest::newRow("title panel") << "c_*" << QStringList{"c_Cb", "c_name1", "c_name2"};
    QTest::newRow("star inside") << "c_*1" << QStringList{"c_name1"};
    QTest::newRow("question mark") << "?usik" << QStringList{"musik"};
    QTest::newRow("everything") << "*"
                                << QStringList{"screen", "musik", "katnr", "c_Cb", "c_name1", "c_name2",
                                               "Musikant", "cx"};
    QTest::newRow("no match") << "nichts*" << QStringList{};
}

void TestSettingsFile::save_writesOnlyVariablesMatchingPattern()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("auswahl.xpf"));
    NamedVariables vars;
    vars.set(QStringLiteral("screen"), 1.3);
    vars.set(QStringLiteral("musik"), 2);
    vars.set(QStringLiteral("katnr"), QVariantList{1.0, 2.0});
    vars.set(QStringLiteral("c_Cb"), 1);
    vars.set(QStringLiteral("c_name1"), QStringLiteral("SPORT"));
    vars.set(QStringLiteral("c_name2"), QStringLiteral("Spezialkatalog"));
    vars.set(QStringLiteral("Musikant"), QStringLiteral("x"));
    vars.set(QStringLiteral("cx"), 5);

    SettingsFile::save(path, pattern, vars);

    const NamedVariables back = restored(path);
    QCOMPARE(back.names(), expected);
    for (const QString& name : expected)
        QCOMPARE(back.value(name), vars.value(name));
}

void TestSettingsFile::save_refusesVariableWithoutWrittenForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("name with umlaut") << QStringLiteral("größe") << QVariant(1.0);
    QTest::newRow("name with blank") << QStringLiteral("c name") << QVariant(1.0);
    QTest::newRow("not a number") << QStringLiteral("screen") << QVariant(std::nan(""));
    QTest::newRow("infinite") << QStringLiteral("screen") << QVariant(HUGE_VAL);
    QTest::newRow("date") << QStringLiteral("datum") << QVariant(QDate(2024, 1, 1));
    QTest::newRow("date in a list") << QStringLiteral("katnr") << QVariant(QVariantList{1.0, QDate(2024, 1, 1)});
}

void TestSettingsFile::save_refusesVariableWithoutWrittenForm()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("test.xpf"));
    NamedVariables vars;
    vars.set(name, value);

    try {
        SettingsFile::save(path, QStringLiteral("*"), vars);
        QFAIL("no error reported");
    } catch (const SettingsError& error) {
        QCOMPARE(error.kind(), SettingsError::Kind::CannotStore);
        QVERIFY2(error.message().contains(name), qPrintable(error.message()));
    }
    QVERIFY(!QFile::exists(path));
}

void TestSettingsFile::save_intoReadOnlyDirectory_reportsErrorAndKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("standard.cfg"));
    NamedVariables vars;
    vars.set(QStringLiteral("musik"), 2);
    SettingsFile::save(path, QStringLiteral("musi*"), vars);
    const QByteArray before = TestFiles::read(path);
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([&] {
        TestFiles::setPermissionOverride(true);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    TestFiles::setPermissionOverride(false);
    if (TestFiles::write(dir.filePath(QStringLiteral("probe")), "x"))
        QSKIP("this user may write into read-only directories");

    vars.set(QStringLiteral("musik"), 3);
    try {
        SettingsFile::save(path, QStringLiteral("musi*"), vars);
        QFAIL("no error reported");
    } catch (const SettingsError& error) {
        QCOMPARE(error.kind(), SettingsError::Kind::CannotWrite);
        QCOMPARE(error.fileName(), path);
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }

    QCOMPARE(TestFiles::read(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("standard.cfg")});
}

void TestSettingsFile::restore_addsVariablesOverwritingWithoutRegardToCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("standard.cfg"));
    QVERIFY(TestFiles::write(path, "musik = 3\nneu = \"da\"\n"));
    NamedVariables vars;
    vars.set(QStringLiteral("MUSIK"), 1);
    vars.set(QStringLiteral("screen"), 1.3);

    SettingsFile::restore(path, vars);

    QCOMPARE(vars.names(), (QStringList{QStringLiteral("MUSIK"), QStringLiteral("screen"), QStringLiteral("neu")}));
    QCOMPARE(vars.value(QStringLiteral("musik")), QVariant(3.0));
    QCOMPARE(vars.value(QStringLiteral("screen")), QVariant(1.3));
    QCOMPARE(vars.value(QStringLiteral("NEU")), QVariant(QStringLiteral("da")));
}

void TestSettingsFile::withDefaultExtension_addsXpfOnlyWithoutExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("bare name") << "screen" << "screen.xpf";
    QTest::newRow("own extension in capitals") << "katalog.XPF" << "katalog.XPF";
    QTest::newRow("other extension") << "standard.cfg" << "standard.cfg";
    QTest::newRow("path with bare name") << "/daten/screen" << "/daten/screen.xpf";
    QTest::newRow("dot only in the directory") << "/daten.alt/katalog" << "/daten.alt/katalog.xpf";
    QTest::newRow("catalog settings") << "/daten/SPORT.CFG" << "/daten/SPORT.CFG";
}

void TestSettingsFile::withDefaultExtension_addsXpfOnlyWithoutExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(SettingsFile::withDefaultExtension(name), expected);
}

void TestSettingsFile::fileName_isFoundWithoutRegardToCaseAndExtension()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("katalog.XPF")), "katnr = {1}\n"));
    const QString name = dir.filePath(QStringLiteral("katalog"));

    QVERIFY(SettingsFile::exists(name));
    QCOMPARE(restored(name).value(QStringLiteral("katnr")), QVariant(QVariantList{1.0}));

    NamedVariables vars;
    vars.set(QStringLiteral("katnr"), QVariantList{1.0, 2.0});
    SettingsFile::save(dir.filePath(QStringLiteral("KATALOG")), QStringLiteral("katn*"), vars);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("katalog.XPF")});
    QCOMPARE(restored(name).value(QStringLiteral("katnr")), vars.value(QStringLiteral("katnr")));
    QVERIFY(!SettingsFile::exists(dir.filePath(QStringLiteral("screen"))));
}

void TestSettingsFile::restore_handWrittenFileWithCommentsCrlfAndBom()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("SPORT.CFG"));
    QVERIFY(TestFiles::write(path,
                      "\xEF\xBB\xBF# Titel des Sportkatalogs\r\n"
                      "\r\n"
                      "   c_Cb=4   # grün\r\n"
                      "c_name1 = \"SPORT\"\r\n"
                      "\tc_oben =\t\"Fußball, Tennis # und mehr\"\r\n"
                      "an = .t.\r\n"
                      "aus = FALSE\r\n"
                      "ja = true\r\n"
                      "tausend = 1e3\r\n"
                      "halb = -.5\r\n"
                      "liste = { 1 ,{ },\"x\" }\r\n"
                      "c_Cb = 5\r\n"
                      "# Ende"));

    const NamedVariables vars = restored(path);

    QCOMPARE(vars.names(), (QStringList{"c_Cb", "c_name1", "c_oben", "an", "aus", "ja", "tausend", "halb", "liste"}));
    QCOMPARE(vars.value(QStringLiteral("c_Cb")), QVariant(5.0));
    QCOMPARE(vars.value(QStringLiteral("c_name1")), QVariant(QStringLiteral("SPORT")));
    QCOMPARE(vars.value(QStringLiteral("c_oben")), QVariant(QStringLiteral("Fußball, Tennis # und mehr")));
    QCOMPARE(vars.value(QStringLiteral("an")), QVariant(true));
    QCOMPARE(vars.value(QStringLiteral("aus")), QVariant(false));
    QCOMPARE(vars.value(QStringLiteral("ja")), QVariant(true));
    QCOMPARE(vars.value(QStringLiteral("tausend")), QVariant(1000.0));
    QCOMPARE(vars.value(QStringLiteral("halb")), QVariant(-0.5));
    QCOMPARE(vars.value(QStringLiteral("liste")), QVariant(QVariantList{1.0, QVariantList{}, QStringLiteral("x")}));
}

void TestSettingsFile::restore_damagedFile_reportsLineAndChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");

    // Every file begins with a good line, which must not be applied either.
    QTest::newRow("unterminated string") << QByteArray("musik = 3\nc_name1 = \"SPORT\n") << 2;
    QTest::newRow("string ends in backslash") << QByteArray("musik = 3\nc_name1 = \"SPORT\\\n") << 2;
    QTest::newRow("unknown escape") << QByteArray("musik = 3\nc_name1 = \"a\\qb\"\n") << 2;
    QTest::newRow("missing equals sign") << QByteArray("musik = 3\n# Kopf\n\nscreen 1.3\n") << 4;
    QTest::newRow("name only") << QByteArray("musik = 3\nscreen\n") << 2;
    QTest::newRow("missing value") << QByteArray("musik = 3\nscreen =   # leer\n") << 2;
    QTest::newRow("name starts with digit") << QByteArray("musik = 3\n1screen = 1.3\n") << 2;
    QTest::newRow("name with umlaut") << QByteArray("musik = 3\ngr\xC3\xB6\xC3\x9F" "e = 1\n") << 2;
    QTest::newRow("two dots") << QByteArray("musik = 3\nscreen = 1.3.4\n") << 2;
    QTest::newRow("letters in number") << QByteArray("musik = 3\nscreen = 12abc\n") << 2;
    QTest::newRow("decimal comma") << QByteArray("musik = 3\nscreen = 1,3\n") << 2;
    QTest::newRow("exponent without digits") << QByteArray("musik = 3\nscreen = 1e\n") << 2;
    QTest::newRow("number too large") << QByteArray("musik = 3\nscreen = 1e999\n") << 2;
    QTest::newRow("unquoted text") << QByteArray("musik = 3\nc_name1 = SPORT\n") << 2;
    QTest::newRow("unclosed list") << QByteArray("musik = 3\nkatnr = {1, 2\n") << 2;
    QTest::newRow("list without commas") << QByteArray("musik = 3\nkatnr = {1 2}\n") << 2;
    QTest::newRow("trailing comma in list") << QByteArray("musik = 3\nkatnr = {1, }\n") << 2;
    QTest::newRow("lists nested too deep") << QByteArray("musik = 3\nkatnr = ") + QByteArray(100000, '{') << 2;
    QTest::newRow("text after value") << QByteArray("musik = 3\nc_name1 = \"SPORT\" \"2\"\n") << 2;
    QTest::newRow("binary garbage")
        << QByteArray("musik = 3\r\n") + QByteArray::fromHex("ff fe 00 89 50 4e 47 0d 0a 1a 0a 00 c3") << 2;
    QTest::newRow("zero bytes") << QByteArray("musik = 3\n\n") + QByteArray(16, '\0') << 3;
    QTest::newRow("cut UTF-8 sequence") << QByteArray("musik = 3\nc_name1 = \"Gr\xC3\"\n") << 2;
}

void TestSettingsFile::restore_damagedFile_reportsLineAndChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("SPORT.CFG"));
    QVERIFY(TestFiles::write(path, content));
    NamedVariables vars;
    vars.set(QStringLiteral("musik"), 2);
    vars.set(QStringLiteral("c_name1"), QStringLiteral("vorher"));

    try {
        SettingsFile::restore(path, vars);
        QFAIL("no error reported");
    } catch (const SettingsError& error) {
        QCOMPARE(error.kind(), SettingsError::Kind::Damaged);
        QCOMPARE(error.line(), line);
        QCOMPARE(error.fileName(), path);
        QVERIFY2(error.message().contains(QStringLiteral("%1, Zeile %2").arg(path).arg(line)),
                 qPrintable(error.message()));
    }

    QCOMPARE(vars.names(), (QStringList{QStringLiteral("musik"), QStringLiteral("c_name1")}));
    QCOMPARE(vars.value(QStringLiteral("musik")), QVariant(2.0));
    QCOMPARE(vars.value(QStringLiteral("c_name1")), QVariant(QStringLiteral("vorher")));
}

void TestSettingsFile::restore_missingFile_isToldApartFromDamage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    NamedVariables vars;

    try {
        SettingsFile::restore(dir.filePath(QStringLiteral("TIERE.CFG")), vars);
        QFAIL("no error reported");
    } catch (const SettingsError& error) {
        QCOMPARE(error.kind(), SettingsError::Kind::FileMissing);
        QCOMPARE(error.line(), 0);
        QVERIFY2(error.message().contains(QStringLiteral("TIERE.CFG")), qPrintable(error.message()));
    }
    QVERIFY(vars.isEmpty());
}

void TestSettingsFile::restore_unreadableFile_reportsErrorAndChangesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("screen.xpf"));
    QVERIFY(TestFiles::write(path, "screen = 2\n"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    const auto restore = qScopeGuard([] { TestFiles::setPermissionOverride(true); });
    TestFiles::setPermissionOverride(false);
    if (QFile(path).open(QIODevice::ReadOnly))
        QSKIP("this user may read unreadable files");
    NamedVariables vars;
    vars.set(QStringLiteral("screen"), 1.3);

    try {
        SettingsFile::restore(path, vars);
        QFAIL("no error reported");
    } catch (const SettingsError& error) {
        QCOMPARE(error.kind(), SettingsError::Kind::CannotRead);
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
    QCOMPARE(vars.value(QStringLiteral("screen")), QVariant(1.3));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
