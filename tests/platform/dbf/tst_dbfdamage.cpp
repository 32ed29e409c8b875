#include "platform/dbf/dbftable.h"

#include "dbfpeer.h"
#include "filesnapshot.h"
#include "germantext.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <limits>

// Damaged tables and values that do not fit: the engine raises a typed error in German that names
// the faulty file, and it never crashes, hangs or writes a byte on the way.
class TestDbfDamage : public QObject
{
    Q_OBJECT

private:
    using Kind = DbfError::Kind;

    // The good table: python3-dbf's t.dbf and t.dbt with two records, both with a memo. The memo
    // field comes second, so a value after it is checked after the memo was encoded.
    QTemporaryDir m_pristine;
    enum { Name, Info, Anz, Datum, Preis };
    static constexpr int headerLength = 32 + 5 * 32 + 1;
    static constexpr int recordLength = 1 + 10 + 10 + 3 + 8 + 5;
    static constexpr int fieldOffset[] = {1, 11, 21, 24, 32};

    struct Copy
    {
        QTemporaryDir dir;
        QString table() const { return dir.filePath(QStringLiteral("t.dbf")); }
        QString memo() const { return dir.filePath(QStringLiteral("t.dbt")); }
    };

    bool copyPristine(Copy& copy) const
    {
        for (const QString& name : {QStringLiteral("t.dbf"), QStringLiteral("t.dbt")}) {
            if (!QFile::copy(m_pristine.filePath(name), copy.dir.filePath(name)))
                return false;
            QFile::setPermissions(copy.dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner);
        }
        return true;
    }

    static QByteArray le16(int v)
    {
        QByteArray b(2, '\0');
        qToLittleEndian<quint16>(quint16(v), b.data());
        return b;
    }

    static QByteArray le32(quint32 v)
    {
        QByteArray b(4, '\0');
        qToLittleEndian<quint32>(v, b.data());
        return b;
    }

    static int fieldAt(int recno, int field)
    {
        return headerLength + (recno - 1) * recordLength + fieldOffset[field];
    }

    static void readEverything(const DbfTable& table)
    {
        for (int recno = 1; recno <= table.recordCount(); ++recno) {
            table.isDeleted(recno);
            for (int f = 0; f < table.fields().size(); ++f)
                table.value(recno, f);
        }
    }

    static void checkError(const DbfError& e, Kind kind, const QString& file)
    {
        QCOMPARE(e.kind(), kind);
        QCOMPARE(e.fileName(), file);
        QVERIFY(!e.fault().isEmpty());
        QVERIFY2(GermanText::looksGerman(e.fault()), qPrintable(e.fault()));
        QVERIFY2(e.message().contains(file), qPrintable(e.message()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_pristine.isValid());
        const QJsonArray records = {
            QJsonObject{{"values", QJsonArray{"Erster", QString(600, QLatin1Char('m')), 12, "2024-02-29", 1.5}}},
            QJsonObject{{"values", QJsonArray{"Zweiter", "Kurzes Memo", 7, "1999-12-31", 99.99}}},
        };
        QString error;
        QVERIFY2(DbfPeer::write(m_pristine.filePath(QStringLiteral("t")),
                                QStringLiteral("NAME C(10); INFO M; ANZ N(3,0); DATUM D; PREIS N(5,2)"), records,
                                &error),
                 qPrintable(error));
        // The offsets this test patches at: the layout is what it expects, and it opens and reads.
        QFile table(m_pristine.filePath(QStringLiteral("t.dbf")));
        QVERIFY(table.open(QIODevice::ReadOnly));
        const QByteArray bytes = table.readAll();
        QCOMPARE(bytes.mid(8, 4), le16(headerLength) + le16(recordLength));
        QCOMPARE(bytes.mid(fieldAt(2, Name), 10), QByteArray("Zweiter   "));
        Copy copy;
        QVERIFY(copyPristine(copy));
        try {
            const auto t = DbfTable::open(copy.table());
            readEverything(*t);
            QCOMPARE(t->value(2, Anz), QVariant(qlonglong(7)));
        } catch (const DbfError& e) {
            QFAIL(qPrintable(e.message()));
        }
    }

    void damagedTableRaisesATypedErrorAndWritesNothing_data()
    {
        QTest::addColumn<QString>("target");     // "table" or "memo": the file that is damaged
        QTest::addColumn<QString>("action");     // "patch", "resize" or "remove"
        QTest::addColumn<int>("offset");         // where to patch, or the new size
        QTest::addColumn<QByteArray>("bytes");   // what to patch in
        QTest::addColumn<bool>("whenOpened");    // otherwise when the values are read
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("faultyFile"); // "table" or "memo": the file the error names

        const QString table = QStringLiteral("table");
        const QString memo = QStringLiteral("memo");
        const QString patch = QStringLiteral("patch");
        const QString resize = QStringLiteral("resize");
        QTest::newRow("empty file") << table << resize << 0 << QByteArray() << true << Kind::ShortHeader << table;
        QTest::newRow("shorter than a header") << table << resize << 20 << QByteArray() << true << Kind::ShortHeader
                                               << table;
        QTest::newRow("header length 32") << table << patch << 8 << le16(32) << true << Kind::BadHeaderLength << table;
        QTest::newRow("header length beyond the file") << table << patch << 8 << le16(0xFFFF) << true
                                                       << Kind::BadHeaderLength << table;
        QTest::newRow("record length one more than the fields") << table << patch << 10 << le16(recordLength + 1)
                                                                << true << Kind::BadRecordLength << table;
        QTest::newRow("record length one less than the fields") << table << patch << 10 << le16(recordLength - 1)
                                                                << true << Kind::BadRecordLength << table;
        QTest::newRow("no field terminator") << table << patch << headerLength - 1 << QByteArray(" ") << true
                                             << Kind::NoFieldTerminator << table;
        QTest::newRow("no fields") << table << patch << 32 << QByteArray("\r") << true << Kind::NoFields << table;
        QTest::newRow("one record more than the file holds") << table << patch << 4 << le32(3) << true
                                                             << Kind::RecordCountTooLarge << table;
        QTest::newRow("record count 4294967295") << table << patch << 4 << le32(0xFFFFFFFF) << true
                                                 << Kind::RecordCountTooLarge << table;
        QTest::newRow("field type X") << table << patch << 32 + 32 + 11 << QByteArray("X") << true << Kind::BadField
                                      << table;
        QTest::newRow("field length 0") << table << patch << 32 + 16 << QByteArray(1, '\0') << true << Kind::BadField
                                        << table;
        QTest::newRow("version 1A: locked") << table << patch << 0 << QByteArray("\x1A") << true << Kind::Locked
                                            << table;
        QTest::newRow("version 8B: dBASE IV") << table << patch << 0 << QByteArray("\x8B") << true
                                              << Kind::BadVersion << table;
        QTest::newRow("version 30") << table << patch << 0 << QByteArray("\x30") << true << Kind::BadVersion << table;
        QTest::newRow("version 00") << table << patch << 0 << QByteArray(1, '\0') << true << Kind::BadVersion
                                    << table;
        QTest::newRow("memo file missing") << memo << QStringLiteral("remove") << 0 << QByteArray() << true
                                           << Kind::MemoMissing << table;
        QTest::newRow("memo block beyond the memo file") << table << patch << fieldAt(2, Info)
                                                         << QByteArray("      9999") << false
                                                         << Kind::MemoBlockOutOfRange << memo;
        QTest::newRow("memo file emptied") << memo << resize << 0 << QByteArray() << false
                                           << Kind::MemoBlockOutOfRange << memo;
        QTest::newRow("memo block that is no number") << table << patch << fieldAt(1, Info) << QByteArray("abc       ")
                                                      << false << Kind::InvalidValue << table;
        QTest::newRow("number abc") << table << patch << fieldAt(2, Anz) << QByteArray("abc") << false
                                    << Kind::InvalidValue << table;
        QTest::newRow("month 13") << table << patch << fieldAt(1, Datum) << QByteArray("20231340") << false
                                  << Kind::InvalidValue << table;
        QTest::newRow("date of letters") << table << patch << fieldAt(2, Datum) << QByteArray("NotADate") << false
                                         << Kind::InvalidValue << table;
    }

    void damagedTableRaisesATypedErrorAndWritesNothing()
    {
        QFETCH(QString, target);
        QFETCH(QString, action);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, whenOpened);
        QFETCH(Kind, kind);
        QFETCH(QString, faultyFile);

        Copy copy;
        QVERIFY(copyPristine(copy));
        QFile file(target == QLatin1String("table") ? copy.table() : copy.memo());
        if (action == QLatin1String("remove")) {
            QVERIFY(file.remove());
        } else if (action == QLatin1String("resize")) {
            QVERIFY(file.resize(offset));
        } else {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(offset));
            QCOMPARE(file.write(bytes), bytes.size());
            file.close();
        }
        const QString named = faultyFile == QLatin1String("table") ? copy.table() : copy.memo();
        const FileSnapshot before(copy.dir.path());

        std::unique_ptr<DbfTable> table;
        try {
            table = DbfTable::open(copy.table());
        } catch (const DbfError& e) {
            QVERIFY2(whenOpened, qPrintable(e.message()));
            checkError(e, kind, named);
            QCOMPARE(before.changes().join(QStringLiteral(", ")), QString());
            return;
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        QVERIFY2(!whenOpened, "a damaged table was opened");
        try {
            readEverything(*table);
            QFAIL("every value of a damaged table was read");
        } catch (const DbfError& e) {
            checkError(e, kind, named);
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        table.reset();
        QCOMPARE(before.changes().join(QStringLiteral(", ")), QString());
    }

    void valueThatDoesNotFitIsRefusedAndChangesNoFile_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("appended"); // otherwise written into an existing record
        const QList<std::tuple<const char*, int, QVariant>> cases = {
            {"text longer than its field", Name, QStringLiteral("Elf Zeichen")},
            {"1000 into N(3,0)", Anz, qlonglong(1000)},
            {"-100 into N(3,0)", Anz, -100},
            {"999.999 into N(5,2), 1000.00 when rounded", Preis, 999.999},
            {"1000.5 into N(5,2)", Preis, 1000.5},
            {"infinite number", Preis, std::numeric_limits<double>::infinity()},
            {"not a number", Preis, std::numeric_limits<double>::quiet_NaN()},
            {"euro sign in a text", Name, QStringLiteral("5 €")},
            {"check mark in a text", Name, QStringLiteral("✓")},
            {"character beyond 16 bits in a text", Name, QStringLiteral("Ja 😀")},
            {"euro sign in a memo", Info, QStringLiteral("Preis: 5 €")},
            {"end mark in a memo", Info, QStringLiteral("Vorher\x1A nachher")},
            {"year 10000", Datum, QDate(10000, 1, 1)},
        };
        for (const auto& [name, field, value] : cases) {
            QTest::addRow("%s, written", name) << int(field) << value << false;
            QTest::addRow("%s, appended", name) << int(field) << value << true;
        }
    }

    void valueThatDoesNotFitIsRefusedAndChangesNoFile()
    {
        QFETCH(int, field);
        QFETCH(QVariant, value);
        QFETCH(bool, appended);
        Copy copy;
        QVERIFY(copyPristine(copy));
        const FileSnapshot before(copy.dir.path());
        try {
            const auto table = DbfTable::open(copy.table());
            try {
                if (appended) {
                    // Every other value fits, the memo included.
                    QList<QVariant> values = {QStringLiteral("Neu"), QStringLiteral("Ein Memo"), qlonglong(1),
                                              QDate(2020, 1, 1), 2.5};
                    values[field] = value;
                    table->appendRecord(values);
                } else {
                    table->setValue(1, field, value);
                }
                QFAIL("the value was taken");
            } catch (const DbfError& e) {
                QCOMPARE(e.kind(), Kind::ValueDoesNotFit);
                QVERIFY(e.fileName() == copy.table() || e.fileName() == copy.memo());
                QVERIFY2(GermanText::looksGerman(e.fault()), qPrintable(e.fault()));
            }
            QCOMPARE(table->recordCount(), 2);
        } catch (const DbfError& e) {
            QFAIL(qPrintable(e.message()));
        }
        QCOMPARE(before.changes().join(QStringLiteral(", ")), QString());
    }

    void valueThatFitsIsStoredAsDBaseStoresIt_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("999 into N(3,0)") << int(Anz) << QVariant(999) << QByteArray("999");
        QTest::newRow("-99 into N(3,0)") << int(Anz) << QVariant(qlonglong(-99)) << QByteArray("-99");
        QTest::newRow("7 right-aligned") << int(Anz) << QVariant(7) << QByteArray("  7");
        QTest::newRow("5.0 into N(3,0)") << int(Anz) << QVariant(5.0) << QByteArray("  5");
        QTest::newRow("blank number") << int(Anz) << QVariant() << QByteArray("   ");
        QTest::newRow("99.99 into N(5,2)") << int(Preis) << QVariant(99.99) << QByteArray("99.99");
        QTest::newRow("-9.5 into N(5,2)") << int(Preis) << QVariant(-9.5) << QByteArray("-9.50");
        // Like dBASE, more decimals than the field has are rounded, half away from zero, not refused.
        QTest::newRow("12.345 into N(5,2)") << int(Preis) << QVariant(12.345) << QByteArray("12.35");
        QTest::newRow("12.344 into N(5,2)") << int(Preis) << QVariant(12.344) << QByteArray("12.34");
        QTest::newRow("2.5 into N(3,0)") << int(Anz) << QVariant(2.5) << QByteArray("  3");
        QTest::newRow("-2.5 into N(3,0)") << int(Anz) << QVariant(-2.5) << QByteArray(" -3");
        QTest::newRow("text of exactly the width") << int(Name) << QVariant(QStringLiteral("Zehn Zeich"))
                                                   << QByteArray("Zehn Zeich");
        // The game writes back texts it read, trailing blanks included.
        QTest::newRow("text with blanks beyond the width") << int(Name)
                                                           << QVariant(QStringLiteral("Zehn Zeich     "))
                                                           << QByteArray("Zehn Zeich");
        QTest::newRow("umlauts in code page 850") << int(Name) << QVariant(QStringLiteral("Größe ß"))
                                                  << QByteArray("Gr\x94\xe1" "e \xe1   ");
        QTest::newRow("date") << int(Datum) << QVariant(QDate(2024, 2, 29)) << QByteArray("20240229");
        QTest::newRow("blank date") << int(Datum) << QVariant() << QByteArray("        ");
    }

    void valueThatFitsIsStoredAsDBaseStoresIt()
    {
        QFETCH(int, field);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, stored);
        Copy copy;
        QVERIFY(copyPristine(copy));
        try {
            const auto table = DbfTable::open(copy.table());
            table->setValue(2, field, value);
        } catch (const DbfError& e) {
            QFAIL(qPrintable(e.message()));
        }
        QFile file(copy.table());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.seek(fieldAt(2, field)));
        QCOMPARE(file.read(stored.size()), stored);
    }

    void aTableOpenedTwiceIsInUse()
    {
        Copy copy;
        QVERIFY(copyPristine(copy));
        const FileSnapshot before(copy.dir.path());
        try {
            auto first = DbfTable::open(copy.table());
            try {
                DbfTable::open(copy.table());
                QFAIL("opened twice");
            } catch (const DbfError& e) {
                checkError(e, Kind::InUse, copy.table());
            }
            QCOMPARE(first->value(2, Anz), QVariant(qlonglong(7))); // the first one still works
            first.reset();
            QCOMPARE(DbfTable::open(copy.table())->recordCount(), 2); // and gives the table free again
        } catch (const DbfError& e) {
            QFAIL(qPrintable(e.message()));
        }
        QCOMPARE(before.changes().join(QStringLiteral(", ")), QString());
    }
};

QTEST_GUILESS_MAIN(TestDbfDamage)
#include "tst_dbfdamage.moc"
