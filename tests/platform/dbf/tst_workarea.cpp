#include "platform/dbf/database.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

// The work areas as the game drives them: moving through a table in record and index order,
// the end of file, indexes that follow changes, seek, and opening by base name.
class TestWorkArea : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Database m_db;

    // A high score table with the given scores, one record each.
    void makeHighscores(const QString& file, const QList<int>& scores)
    {
        DbfTable::create(m_dir.filePath(file), {{QStringLiteral("RICHTIGE"), 'N', 4, 0},
                                                {QStringLiteral("NAME"), 'C', 20, 0},
                                                {QStringLiteral("DATUM"), 'D', 8, 0}});
        auto table = DbfTable::open(m_dir.filePath(file));
        for (int s : scores)
            table->appendRecord({s, QStringLiteral("P%1").arg(s), QVariant()});
    }

    void makeTopics(const QString& file, const QStringList& names)
    {
        DbfTable::create(m_dir.filePath(file), {{QStringLiteral("NAME"), 'C', 30, 0}, {QStringLiteral("ANZ"), 'N', 5, 0}});
        auto table = DbfTable::open(m_dir.filePath(file));
        for (const QString& n : names)
            table->appendRecord({n, 1});
    }

    QList<int> recnosInOrder(WorkArea& area)
    {
        QList<int> recnos;
        for (area.goTop(); !area.eof(); area.skip())
            recnos << area.recNo();
        return recnos;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_db.closeAll();
        m_db.setDataDirectory(m_dir.path());
        m_db.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
    }

    void opensByBaseNameWithoutRegardToCaseAndNamesTheAliasAfterIt()
    {
        makeHighscores(QStringLiteral("HIGHSCOR.QUZ"), {3});
        WorkArea& area = m_db.use(2, QStringLiteral("highscor"));
        QCOMPARE(area.alias(), QStringLiteral("HIGHSCOR"));
        QCOMPARE(m_db.selected(), 2);
        QCOMPARE(m_db.findAlias(QStringLiteral("Highscor")), &area);
        QCOMPARE(area.table().path(), m_dir.filePath(QStringLiteral("HIGHSCOR.QUZ")));
    }

    void openingAnotherTableInAnAreaClosesTheOneBefore()
    {
        makeHighscores(QStringLiteral("A.QUZ"), {1});
        makeHighscores(QStringLiteral("B.QUZ"), {1, 2});
        m_db.use(2, QStringLiteral("a"));
        m_db.use(2, QStringLiteral("b"));
        QCOMPARE(m_db.area(2).recCount(), 2);
        // A was released: it can be opened again elsewhere.
        m_db.use(3, QStringLiteral("a"));
        QCOMPARE(m_db.area(3).recCount(), 1);
    }

    void aMissingTableIsATypedErrorNamingTheFile()
    {
        try {
            m_db.use(1, QStringLiteral("quiz"));
            QFAIL("no error");
        } catch (const DbfError& e) {
            QCOMPARE(e.kind(), DbfError::Kind::FileMissing);
            QCOMPARE(e.fileName(), m_dir.filePath(QStringLiteral("quiz.QUZ")));
        }
        QVERIFY(!m_db.isOpen(1));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("quiz.QUZ"))));
    }

    void movesInRecordOrderAndReadsBlanksAtTheEnd()
    {
        makeHighscores(QStringLiteral("H.QUZ"), {5, 7, 6});
        WorkArea& area = m_db.use(2, QStringLiteral("h"));
        QCOMPARE(recnosInOrder(area), (QList<int>{1, 2, 3}));
        QVERIFY(area.eof());
        QCOMPARE(area.recNo(), 4);
        QCOMPARE(area.fieldGet(QStringLiteral("richtige")).toInt(), 0);
        QCOMPARE(area.fieldGet(QStringLiteral("name")).toString(), QString(20, QLatin1Char(' ')));
        QVERIFY(area.fieldGet(QStringLiteral("datum")).toDate().isNull());

        area.skip(-1);
        QCOMPARE(area.recNo(), 3);
        area.goTop();
        area.skip(-1);
        QVERIFY(area.bof());
        QCOMPARE(area.recNo(), 1);
        area.goTo(2);
        QCOMPARE(area.fieldGet(QStringLiteral("RICHTIGE")).toInt(), 7);
        area.goTo(9);
        QVERIFY(area.eof());
    }

    void anEmptyTableIsAtBothEnds()
    {
        makeHighscores(QStringLiteral("E.QUZ"), {});
        WorkArea& area = m_db.use(1, QStringLiteral("e"));
        QVERIFY(area.eof() && area.bof());
        area.goBottom();
        QVERIFY(area.eof() && area.bof());
        area.skip();
        QVERIFY(area.eof());
        QCOMPARE(area.recNo(), 1);
    }

    void descendingIndexPutsTheBestFirstAndEqualScoresInRecordOrder()
    {
        makeHighscores(QStringLiteral("HIGHSCOR.QUZ"), {5, 0, 9, 5, 0, 12});
        WorkArea& area = m_db.use(2, QStringLiteral("highscor"));
        area.createIndex(QStringLiteral("ihigh"), QStringLiteral("descend(richtige)"));
        area.clearIndexes();
        area.setIndex(QStringLiteral("ihigh"));
        QCOMPARE(recnosInOrder(area), (QList<int>{6, 3, 1, 4, 2, 5}));
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("ihigh.QUI"))));
        area.goBottom();
        QCOMPARE(area.recNo(), 5);
        area.skip(-1);
        QCOMPARE(area.recNo(), 2);
    }

    // The spare slot of the high score list: a score written into the last record moves it up,
    // and the record that is then last becomes the new spare slot.
    void theIndexFollowsAChangedScore()
    {
        makeHighscores(QStringLiteral("H.QUZ"), {9, 4, 0});
        WorkArea& area = m_db.use(2, QStringLiteral("h"));
        area.createIndex(QStringLiteral("ihigh"), QStringLiteral("descend(richtige)"));
        area.goBottom();
        QCOMPARE(area.recNo(), 3);
        area.fieldPut(QStringLiteral("richtige"), 7);
        QCOMPARE(area.recNo(), 3);
        QCOMPARE(recnosInOrder(area), (QList<int>{1, 3, 2}));
        area.goBottom();
        QCOMPARE(area.recNo(), 2);
    }

    void nameIndexOrdersTopicsInGermanCollation()
    {
        makeTopics(QStringLiteral("GEBIET.QUZ"),
                   {QStringLiteral("Sport"), QStringLiteral("Ägypten"), QStringLiteral("Zoologie"),
                    QStringLiteral("Abenteuer"), QStringLiteral("Öl und Gas"), QStringLiteral("Musik"),
                    QStringLiteral("Ostern")});
        WorkArea& area = m_db.use(5, QStringLiteral("gebiet"));
        area.createIndex(QStringLiteral("quizg"), QStringLiteral("name"));
        QStringList names;
        for (area.goTop(); !area.eof(); area.skip())
            names << area.fieldGet(QStringLiteral("name")).toString().trimmed();
        QCOMPARE(names, (QStringList{QStringLiteral("Abenteuer"), QStringLiteral("Ägypten"), QStringLiteral("Musik"),
                                     QStringLiteral("Öl und Gas"), QStringLiteral("Ostern"), QStringLiteral("Sport"),
                                     QStringLiteral("Zoologie")}));
    }

    void seekFindsATopicOrLeavesTheAreaAtTheEnd()
    {
        makeTopics(QStringLiteral("GEBIET.QUZ"), {QStringLiteral("Sport"), QStringLiteral("Musik")});
        WorkArea& area = m_db.use(5, QStringLiteral("gebiet"));
        area.createIndex(QStringLiteral("quizg"), QStringLiteral("name"));

        QVERIFY(area.seek(QStringLiteral("Musik                         ")));
        QVERIFY(area.found());
        QCOMPARE(area.recNo(), 2);

        QVERIFY(!area.seek(QStringLiteral("Mus")));
        QVERIFY(!area.seek(QStringLiteral("musik")));
        QVERIFY(!area.found());
        QVERIFY(area.eof());

        // A new topic appended is found at once and read in name order.
        area.append({QStringLiteral("Kunst"), 1});
        QVERIFY(area.seek(QStringLiteral("Kunst")));
        QCOMPARE(area.recNo(), 3);
        QCOMPARE(recnosInOrder(area), (QList<int>{3, 2, 1}));
    }

    void setIndexRebuildsFromTheKeyInTheIndexFile()
    {
        makeHighscores(QStringLiteral("H.QUZ"), {1, 3, 2});
        {
            WorkArea& area = m_db.use(2, QStringLiteral("h"));
            area.createIndex(QStringLiteral("ihigh"), QStringLiteral("descend(richtige)"));
            area.goTo(1);
            area.clearIndexes();
            area.fieldPut(QStringLiteral("richtige"), 8); // changed while no index was active
            m_db.close(2);
        }
        WorkArea& area = m_db.use(2, QStringLiteral("h"));
        area.setIndex(QStringLiteral("IHIGH"));
        QCOMPARE(recnosInOrder(area), (QList<int>{1, 2, 3}));
    }

    void anUnknownKeyOrIndexFileIsATypedError()
    {
        makeHighscores(QStringLiteral("H.QUZ"), {1});
        WorkArea& area = m_db.use(2, QStringLiteral("h"));
        for (const QString& key : {QStringLiteral("descend(name)"), QStringLiteral("nichtda"), QStringLiteral("richtige")}) {
            try {
                area.createIndex(QStringLiteral("x"), key);
                QFAIL(qPrintable(key));
            } catch (const DbfError& e) {
                QCOMPARE(e.kind(), DbfError::Kind::BadIndex);
            }
        }
        QVERIFY_THROWS_EXCEPTION(DbfError, area.setIndex(QStringLiteral("fehlt")));
        QFile bad(m_dir.filePath(QStringLiteral("bad.QUI")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("irgendwas\n");
        bad.close();
        QVERIFY_THROWS_EXCEPTION(DbfError, area.setIndex(QStringLiteral("bad")));
    }

    void writingAtTheEndOfFileIsRefused()
    {
        makeHighscores(QStringLiteral("H.QUZ"), {1});
        WorkArea& area = m_db.use(2, QStringLiteral("h"));
        area.skip();
        QVERIFY(area.eof());
        QVERIFY_THROWS_EXCEPTION(DbfError, area.fieldPut(QStringLiteral("richtige"), 3));
        QCOMPARE(area.recCount(), 1);
    }

    void aReadOnlyTableIsReadButRefusesWrites()
    {
        makeHighscores(QStringLiteral("R.QUZ"), {6});
        const QString path = m_dir.filePath(QStringLiteral("R.QUZ"));
        const QByteArray before = TestFiles::read(path);
        QFile::setPermissions(path, QFile::ReadOwner);
        TestFiles::setPermissionOverride(false);
        const auto restore = qScopeGuard([] { TestFiles::setPermissionOverride(true); });

        WorkArea& area = m_db.use(2, QStringLiteral("r"));
        QVERIFY(area.table().isReadOnly());
        QCOMPARE(area.fieldGet(QStringLiteral("richtige")).toInt(), 6);
        try {
            area.fieldPut(QStringLiteral("richtige"), 7);
            QFAIL("written");
        } catch (const DbfError& e) {
            QCOMPARE(e.kind(), DbfError::Kind::ReadOnly);
        }
        QVERIFY_THROWS_EXCEPTION(DbfError, area.append());
        QCOMPARE(area.recCount(), 1);
        m_db.closeAll();
        QCOMPARE(TestFiles::read(path), before);
    }

    void fieldsOfAnotherWorkAreaAreReadAndWritten()
    {
        makeHighscores(QStringLiteral("H.QUZ"), {4});
        makeTopics(QStringLiteral("G.QUZ"), {QStringLiteral("Sport")});
        m_db.use(2, QStringLiteral("h"));
        m_db.use(5, QStringLiteral("g"));
        m_db.select(1);
        m_db.area(2).fieldPut(QStringLiteral("datum"), QDate(2026, 12, 11));
        m_db.area(5).fieldPut(QStringLiteral("anz"), m_db.area(5).fieldGet(QStringLiteral("anz")).toInt() + 1);
        m_db.commitAll();
        m_db.closeAll();

        auto h = DbfTable::open(m_dir.filePath(QStringLiteral("H.QUZ")));
        QCOMPARE(h->value(1, 2).toDate(), QDate(2026, 12, 11));
        auto g = DbfTable::open(m_dir.filePath(QStringLiteral("G.QUZ")));
        QCOMPARE(g->value(1, 1).toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(TestWorkArea)
#include "tst_workarea.moc"
