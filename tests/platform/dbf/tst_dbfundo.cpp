#include "data/cataloglayout.h"
#include "platform/dbf/dbftable.h"

#include <QTemporaryDir>
#include <QtTest>

#include "dbfpeer.h"
#include "testfiles.h"

// What the catalog import needs to be all or nothing: values checked without writing, and appended
// records cut off again so that the table is byte for byte what it was.
class TestDbfUndo : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString makeCatalog(int questions)
    {
        const QString path = m_dir.filePath(QStringLiteral("QUIZ.QUZ"));
        DbfTable::create(path, CatalogLayout::questionCatalog());
        auto table = DbfTable::open(path);
        for (int i = 1; i <= questions; ++i)
            table->appendRecord(question(i));
        return path;
    }

    static QList<QVariant> question(int i)
    {
        return {QStringLiteral("Geographie"), 1, QStringLiteral("Frage %1?").arg(i), QString(), QStringLiteral("ja"),
                QString(), QStringLiteral("nein"), QString(), QStringLiteral("vielleicht"), QString(),
                QStringLiteral("nie"), QString(), QStringLiteral("Zusatz %1 ").arg(i).repeated(60)};
    }

private slots:
    void truncatingTakesBackAppendedRecordsByteForByte()
    {
        const QString path = makeCatalog(3);
        const QByteArray before = TestFiles::read(path);
        {
            auto table = DbfTable::open(path);
            for (int i = 4; i <= 6; ++i)
                table->appendRecord(question(i));
            table->truncate(3);
            QCOMPARE(table->recordCount(), 3);
            QCOMPARE(table->value(3, 2).toString().trimmed(), QStringLiteral("Frage 3?"));
            // The next append takes the place of the first one cut off.
            QCOMPARE(table->appendRecord(question(7)), 4);
            table->truncate(3);
        }
        QCOMPARE(TestFiles::read(path), before);

        QList<QJsonObject> records;
        QString error;
        QVERIFY2(DbfPeer::read(path, &records, &error), qPrintable(error));
        QCOMPARE(records.size(), 3);
    }

    void truncatingCutsATornRecordBehindTheCount()
    {
        const QString path = makeCatalog(2);
        const QByteArray before = TestFiles::read(path);
        // A record half written when the program died: the header does not count it yet.
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(100, 'x'));
        file.close();
        DbfTable::open(path)->truncate(2);
        QCOMPARE(TestFiles::read(path), before);
    }

    void truncatingToMoreRecordsThanTheTableHoldsIsRefused()
    {
        const QString path = makeCatalog(2);
        const QByteArray before = TestFiles::read(path);
        auto table = DbfTable::open(path);
        QVERIFY_THROWS_EXCEPTION(DbfError, table->truncate(3));
        QVERIFY_THROWS_EXCEPTION(DbfError, table->truncate(-1));
        QCOMPARE(TestFiles::read(path), before);
    }

    void checkingValuesRaisesWhatAppendingWouldAndWritesNothing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("kind");
        QTest::newRow("text too long") << 2 << QVariant(QString(51, QLatin1Char('a'))) << int(DbfError::Kind::ValueDoesNotFit);
        QTest::newRow("number too wide") << 1 << QVariant(12) << int(DbfError::Kind::ValueDoesNotFit);
        QTest::newRow("text into a number") << 1 << QVariant(QStringLiteral("x")) << int(DbfError::Kind::WrongType);
        QTest::newRow("memo beyond code page 850") << 12 << QVariant(QStringLiteral("\u20ac")) << int(DbfError::Kind::ValueDoesNotFit);
        QTest::newRow("fits") << 2 << QVariant(QString(50, QLatin1Char('a'))) << -1;
    }

    void checkingValuesRaisesWhatAppendingWouldAndWritesNothing()
    {
        QFETCH(int, field);
        QFETCH(QVariant, value);
        QFETCH(int, kind);
        const QString path = makeCatalog(1);
        const QByteArray before = TestFiles::read(path);
        QList<QVariant> values = question(2);
        values[field] = value;
        auto table = DbfTable::open(path);
        const auto kindOf = [&](auto&& step) {
            try {
                step();
                return -1;
            } catch (const DbfError& error) {
                return int(error.kind());
            }
        };
        QCOMPARE(kindOf([&] { table->checkValues(values); }), kind);
        QCOMPARE(TestFiles::read(path), before);
        QCOMPARE(kindOf([&] { table->appendRecord(values); }), kind);
    }
};

QTEST_GUILESS_MAIN(TestDbfUndo)
#include "tst_dbfundo.moc"
