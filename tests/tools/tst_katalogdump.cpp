#include "childprocess.h"
#include "dbfpeer.h"
#include "filesnapshot.h"
#include "germantext.h"
#include "samplecatalog.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

// "brimora-katalog dump": what a catalog author sees of a table is what an independent reader
// (python3-dbfread) reads from it, record by record; a table it cannot read gives a German message
// and exit status 1, and the table is left as it was.
class TestKatalogDump : public QObject
{
    Q_OBJECT

private:
    // A catalog written by python3-dbf under the game's names QUIZ.QUZ and QUIZ.DBT.
    static QString writeSample(const QTemporaryDir& dir)
    {
        QString error;
        if (!DbfPeer::write(dir.filePath(QStringLiteral("quiz")), SampleCatalog::fields(),
                            SampleCatalog::forPeer(SampleCatalog::records()), &error)) {
            qWarning().noquote() << error;
            return {};
        }
        if (!QFile::rename(dir.filePath(QStringLiteral("quiz.dbf")), dir.filePath(QStringLiteral("QUIZ.QUZ")))
            || !QFile::rename(dir.filePath(QStringLiteral("quiz.dbt")), dir.filePath(QStringLiteral("QUIZ.DBT"))))
            return {};
        return dir.filePath(QStringLiteral("QUIZ.QUZ"));
    }

    static QByteArray canonical(const QJsonObject& record)
    {
        const QJsonObject shared{{QStringLiteral("recno"), record.value(QStringLiteral("recno"))},
                                 {QStringLiteral("deleted"), record.value(QStringLiteral("deleted"))},
                                 {QStringLiteral("fields"), record.value(QStringLiteral("fields"))}};
        return QJsonDocument(shared).toJson(QJsonDocument::Compact);
    }

private slots:
    void dumpPrintsWhatDbfreadReads()
    {
        QTemporaryDir dir;
        const QString table = writeSample(dir);
        QVERIFY(!table.isEmpty());
        QList<QJsonObject> peer;
        QString error;
        QVERIFY2(DbfPeer::read(table, &peer, &error), qPrintable(error));
        QCOMPARE(peer.size(), SampleCatalog::records().size());

        const ChildProcess dump = ChildProcess::run(QStringLiteral(BRIMORA_KATALOG_TOOL), {QStringLiteral("dump"), table});
        QVERIFY2(dump.finished() && dump.exitCode() == 0 && dump.err().isEmpty(), qPrintable(dump.describe()));
        QList<QByteArray> lines = dump.out().split('\n');
        QCOMPARE(lines.takeLast(), QByteArray()); // every line ends with a line break
        QCOMPARE(lines.size(), peer.size());
        for (int i = 0; i < lines.size(); ++i) {
            QJsonParseError parseError;
            const QJsonDocument line = QJsonDocument::fromJson(lines[i], &parseError);
            QVERIFY2(line.isObject(), qPrintable(parseError.errorString()));
            QCOMPARE(canonical(line.object()), canonical(peer[i]));
        }
    }

    void dumpOfAFaultyTableFailsWithAGermanMessageAndWritesNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("table missing") << QStringLiteral("missing");
        QTest::newRow("header cut short") << QStringLiteral("short");
        QTest::newRow("locked table") << QStringLiteral("locked");
        QTest::newRow("memo file missing") << QStringLiteral("nomemo");
    }

    void dumpOfAFaultyTableFailsWithAGermanMessageAndWritesNothing()
    {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString table = writeSample(dir);
        QVERIFY(!table.isEmpty());
        QFile file(table);
        if (fault == QLatin1String("missing")) {
            QVERIFY(file.remove());
        } else if (fault == QLatin1String("short")) {
            QVERIFY(file.resize(20));
        } else if (fault == QLatin1String("locked")) {
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.write("\x1A", 1);
            file.close();
        } else {
            QVERIFY(QFile::remove(dir.filePath(QStringLiteral("QUIZ.DBT"))));
        }
        const FileSnapshot before(dir.path());

        const ChildProcess dump = ChildProcess::run(QStringLiteral(BRIMORA_KATALOG_TOOL), {QStringLiteral("dump"), table});
        QVERIFY2(dump.finished(), qPrintable(dump.describe()));
        QCOMPARE(dump.exitCode(), 1);
        QCOMPARE(dump.out(), QByteArray());
        const QString message = QString::fromUtf8(dump.err());
        QVERIFY2(message.contains(QStringLiteral("QUIZ.QUZ")), qPrintable(message));
        QVERIFY2(GermanText::looksGerman(message), qPrintable(message));
        QCOMPARE(before.changes().join(QStringLiteral(", ")), QString());
    }
};

QTEST_GUILESS_MAIN(TestKatalogDump)
#include "tst_katalogdump.moc"
