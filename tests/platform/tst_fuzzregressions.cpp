// Inputs that fuzzing turned up, each read again through the reader it troubled, and the limits that
// the fixes for them rely on.
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void settingsFile_isReadUpToItsSizeLimit_data();
    void settingsFile_isReadUpToItsSizeLimit();
};

namespace {

constexpr qsizetype settingsSizeLimit = 1024 * 1024;

// A settings file of exactly size bytes (at least 12): one long comment line, then "zahl = 7".
QByteArray settingsFileOfSize(qsizetype size)
{
    const QByteArray last = "zahl = 7\n";
    return "# " + QByteArray(size - last.size() - 3, 'x') + "\n" + last;
}

} // namespace

// The reader takes a buffer of the file's own size instead of one of the limit (a few-line file had
// cost a megabyte each time it was read); the limit itself must still hold to the byte.
void TestFuzzRegressions::settingsFile_isReadUpToItsSizeLimit_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("a few lines") << qsizetype(40) << true;
    QTest::newRow("one byte under the limit") << settingsSizeLimit - 1 << true;
    QTest::newRow("exactly the limit") << settingsSizeLimit << true;
    QTest::newRow("one byte over the limit") << settingsSizeLimit + 1 << false;
    QTest::newRow("far over the limit") << 3 * settingsSizeLimit << false;
}

void TestFuzzRegressions::settingsFile_isReadUpToItsSizeLimit()
{
    QFETCH(qsizetype, size);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("gross.cfg"));
    const QByteArray text = settingsFileOfSize(size);
    QCOMPARE(text.size(), size);
    QVERIFY(TestFiles::write(path, text));

    NamedVariables vars;
    vars.set(QStringLiteral("zahl"), 1);
    try {
        SettingsFile::restore(path, vars);
        QVERIFY2(accepted, "a file over the limit was read");
        QCOMPARE(vars.value(QStringLiteral("zahl")), QVariant(7.0));
    } catch (const SettingsError& error) {
        QVERIFY2(!accepted, qPrintable(error.message()));
        QCOMPARE(error.kind(), SettingsError::Kind::Damaged);
        QCOMPARE(error.fault(), QStringLiteral("Die Datei ist zu groß für eine Einstellungsdatei."));
        QCOMPARE(vars.value(QStringLiteral("zahl")), QVariant(1.0));
    }
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
