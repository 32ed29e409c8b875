#include "data/datafilelock.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

#include <fcntl.h>
#include <unistd.h>

class TestDataFileLock : public QObject
{
    Q_OBJECT

private slots:
    void lockThenUnlock_changesOnlyByteZero_data();
    void lockThenUnlock_changesOnlyByteZero();
    void unlock_overwritesVersionByteOfUnlockedFile_data();
    void unlock_overwritesVersionByteOfUnlockedFile();
    void name_isFoundWithoutRegardToCase();
    void nameWithoutFile_createsAndChangesNothing_data();
    void nameWithoutFile_createsAndChangesNothing();
    void readOnlyFile_isPassedOver();
    void emptyFile_staysEmpty();
};

// A small table image: version byte, a header with a date, and some record bytes.
static QByteArray tableBytes(char versionByte)
{
    QByteArray bytes(600, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + 1);
    bytes[0] = versionByte;
    return bytes;
}

static QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void TestDataFileLock::lockThenUnlock_changesOnlyByteZero_data()
{
    QTest::addColumn<bool>("memo");
    QTest::addColumn<char>("unlocked");

    QTest::newRow("catalog with memo") << true << char(0x83);
    QTest::newRow("table without memo") << false << char(0x03);
}

void TestDataFileLock::lockThenUnlock_changesOnlyByteZero()
{
    QFETCH(bool, memo);
    QFETCH(char, unlocked);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("QUIZ.QUZ"));
    const QByteArray original = tableBytes(unlocked);
    QVERIFY(TestFiles::write(path, original));
    const DataFileLock lock(dir.path());

    QVERIFY(lock.crypt(QStringLiteral("QUIZ.QUZ")));
    QByteArray expected = original;
    expected[0] = char(0x1A);
    QCOMPARE(TestFiles::read(path), expected);

    QVERIFY(lock.encrypt(QStringLiteral("QUIZ.QUZ"), memo));
    QCOMPARE(TestFiles::read(path), original);
}

void TestDataFileLock::unlock_overwritesVersionByteOfUnlockedFile_data()
{
    QTest::addColumn<char>("before");
    QTest::addColumn<bool>("memo");
    QTest::addColumn<char>("after");

    QTest::newRow("03 with memo") << char(0x03) << true << char(0x83);
    QTest::newRow("83 without memo") << char(0x83) << false << char(0x03);
    QTest::newRow("83 with memo") << char(0x83) << true << char(0x83);
}

void TestDataFileLock::unlock_overwritesVersionByteOfUnlockedFile()
{
    QFETCH(char, before);
    QFETCH(bool, memo);
    QFETCH(char, after);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("GEBIET.QUZ"));
    QVERIFY(TestFiles::write(path, tableBytes(before)));

    QVERIFY(DataFileLock(dir.path()).encrypt(QStringLiteral("GEBIET.QUZ"), memo));

    QCOMPARE(TestFiles::read(path), tableBytes(after));
}

void TestDataFileLock::name_isFoundWithoutRegardToCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("QUIZ.QUZ"));
    QVERIFY(TestFiles::write(path, tableBytes(char(0x83))));
    const DataFileLock lock(dir.path());

    QVERIFY(lock.crypt(QStringLiteral("quiz.QUZ")));
    QCOMPARE(TestFiles::read(path), tableBytes(char(0x1A)));
    QVERIFY(lock.encrypt(QStringLiteral("Quiz.quz"), true));
    QCOMPARE(TestFiles::read(path), tableBytes(char(0x83)));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("QUIZ.QUZ")});
}

void TestDataFileLock::nameWithoutFile_createsAndChangesNothing_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("without extension") << QStringLiteral("QUIZ");
    QTest::newRow("missing file") << QStringLiteral("KAT001.QUZ");
    QTest::newRow("in a missing directory") << QStringLiteral("fehlt/QUIZ.QUZ");
}

void TestDataFileLock::nameWithoutFile_createsAndChangesNothing()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("QUIZ.QUZ"));
    QVERIFY(TestFiles::write(path, tableBytes(char(0x83))));
    const DataFileLock lock(dir.path());

    QVERIFY(lock.crypt(name));
    QVERIFY(lock.encrypt(name, false));

    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("QUIZ.QUZ")});
    QCOMPARE(TestFiles::read(path), tableBytes(char(0x83)));
}

void TestDataFileLock::readOnlyFile_isPassedOver()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("HIGHSCOR.QUZ"));
    QVERIFY(TestFiles::write(path, tableBytes(char(0x03))));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const auto restore = qScopeGuard([] { TestFiles::setPermissionOverride(true); });
    TestFiles::setPermissionOverride(false);
    const int probe = ::open(QFile::encodeName(path).constData(), O_RDWR);
    if (probe >= 0) {
        ::close(probe);
        QSKIP("this user may write to read-only files");
    }

    QVERIFY(DataFileLock(dir.path()).crypt(QStringLiteral("HIGHSCOR.QUZ")));

    QCOMPARE(TestFiles::read(path), tableBytes(char(0x03)));
}

void TestDataFileLock::emptyFile_staysEmpty()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("KAT002.QUZ"));
    QVERIFY(TestFiles::write(path, QByteArray()));

    QVERIFY(DataFileLock(dir.path()).crypt(QStringLiteral("KAT002.QUZ")));

    QCOMPARE(QFileInfo(path).size(), 0);
}

QTEST_GUILESS_MAIN(TestDataFileLock)
#include "tst_datafilelock.moc"
