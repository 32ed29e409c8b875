#include "platform/filelookup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFileLookup : public QObject
{
    Q_OBJECT

private slots:
    void resolve_findsNameWithoutRegardToCase_data();
    void resolve_findsNameWithoutRegardToCase();
    void resolve_returnsAbsoluteNameAsItIs();
    void exists_findsNameWithoutRegardToCase();
};

static void createFiles(const QString& dir, const QStringList& names)
{
    for (const QString& name : names) {
        QFile file(dir + QLatin1Char('/') + name);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
        file.write(name.toUtf8());
    }
}

void TestFileLookup::resolve_findsNameWithoutRegardToCase_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");  // the entry found, or the name itself when none matches

    const QStringList catalog{QStringLiteral("QUIZ.QUZ"), QStringLiteral("QUIZ.DBT")};
    QTest::newRow("exact") << catalog << "QUIZ.QUZ" << "QUIZ.QUZ";
    QTest::newRow("lower base name") << catalog << "quiz.QUZ" << "QUIZ.QUZ";
    QTest::newRow("mixed case") << catalog << "Quiz.quz" << "QUIZ.QUZ";
    QTest::newRow("stored in lower case") << QStringList{"katalog.xpf"} << "KATALOG.XPF" << "katalog.xpf";
    QTest::newRow("umlaut upper-cased") << QStringList{"höhlen.QUZ"} << "HÖHLEN.QUZ" << "höhlen.QUZ";
    QTest::newRow("umlaut decomposed on disk")
        << QStringList{QStringLiteral("ho\u0308hlen.QUZ")} << "HÖHLEN.QUZ" << QStringLiteral("ho\u0308hlen.QUZ");
    QTest::newRow("exact match preferred")
        << QStringList{"QUIZ.QUZ", "Quiz.Quz", "quiz.quz"} << "Quiz.Quz" << "Quiz.Quz";
    QTest::newRow("first in sorted order") << QStringList{"quiz.quz", "QUIZ.QUZ"} << "Quiz.Quz" << "QUIZ.QUZ";
    QTest::newRow("no extension is another name") << catalog << "QUIZ" << "QUIZ";
    QTest::newRow("missing keeps its spelling") << catalog << "Kat001.quz" << "Kat001.quz";
    QTest::newRow("empty directory") << QStringList{} << "screen.xpf" << "screen.xpf";
}

void TestFileLookup::resolve_findsNameWithoutRegardToCase()
{
    QFETCH(QStringList, files);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    createFiles(dir.path(), files);

    QCOMPARE(FileLookup::resolve(dir.path(), name), dir.path() + QLatin1Char('/') + expected);
}

void TestFileLookup::resolve_returnsAbsoluteNameAsItIs()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    createFiles(dir.path(), {QStringLiteral("QUIZ.QUZ")});
    const QString absolute = dir.path() + QStringLiteral("/quiz.quz");

    QCOMPARE(FileLookup::resolve(QStringLiteral("/elsewhere"), absolute), absolute);
}

void TestFileLookup::exists_findsNameWithoutRegardToCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    createFiles(dir.path(), {QStringLiteral("HIGHSCOR.QUZ")});

    QVERIFY(FileLookup::exists(dir.path(), QStringLiteral("highscor.QUZ")));
    QVERIFY(FileLookup::exists(dir.path(), QStringLiteral("HIGHSCOR.QUZ")));
    QVERIFY(!FileLookup::exists(dir.path(), QStringLiteral("HIGHSCOR")));
    QVERIFY(!FileLookup::exists(dir.path(), QStringLiteral("GEBIET.QUZ")));
}

QTEST_GUILESS_MAIN(TestFileLookup)
#include "tst_filelookup.moc"
