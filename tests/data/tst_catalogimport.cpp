#include "app/application.h"
#include "app/gamestate.h"
#include "data/catalogimport.h"
#include "data/cataloglayout.h"
#include "data/datafilelock.h"
#include "data/importjournal.h"
#include "platform/bottomleft.h"
#include "platform/dbf/database.h"
#include "platform/filelookup.h"
#include "platform/namedvariables.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/settingsfile.h"
#include "ui/bdbuttonfunctions.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "childprocess.h"
#include "dbfpeer.h"
#include "filesnapshot.h"
#include "gamedata.h"
#include "recordingsoundplayer.h"
#include "testfiles.h"

namespace {

const QString success = QStringLiteral("Hinweis: Der neue Fragen-Katalog wurde erfolgreich eingespielt !");
const QString already = QStringLiteral("Hinweis: Dieser Fragen-Katalog wurde bereits eingespielt !");

QString offer(int n)
{
    return QStringLiteral(" neuer Fragenkatalog : gefundenen Fragenkatalog #%1 übernehmen ?   ").arg(n);
}

// A question of a new catalog; its memo crosses a block of the memo file.
QList<QVariant> question(const QString& topic, int i)
{
    return {topic, 2, QStringLiteral("Neue Frage %1 über %2?").arg(i).arg(topic), QStringLiteral("Zeile 2"),
            QStringLiteral("richtig %1").arg(i), QString(), QStringLiteral("falsch a"), QString(),
            QStringLiteral("falsch b"), QString(), QStringLiteral("falsch c"), QStringLiteral("c2"),
            QStringLiteral("Zusatzinfo %1 zu %2. ").arg(i).arg(topic).repeated(20)};
}

// A new catalog with count questions per topic, in the order given.
void makeCatalog(const QString& path, const QList<std::pair<QString, int>>& topics,
                 const QList<DbfField>& fields = CatalogLayout::questionCatalog())
{
    DbfTable::create(path, fields);
    auto table = DbfTable::open(path);
    int i = 0;
    for (const auto& [topic, count] : topics) {
        for (int k = 0; k < count; ++k) {
            QList<QVariant> values = question(topic, ++i);
            values.resize(fields.size());
            table->appendRecord(values);
        }
    }
}

QList<int> importedNumbers(const QString& dir)
{
    NamedVariables variables;
    const QString file = QDir(dir).filePath(QStringLiteral("katalog.XPF"));
    if (SettingsFile::exists(file))
        SettingsFile::restore(file, variables);
    QList<int> numbers;
    for (const QVariant& n : variables.value(QStringLiteral("katnr")).toList())
        numbers << n.toInt();
    return numbers;
}

// The files changed since the snapshot, but for the topic index: every import builds it before
// it opens the new catalog.
QStringList changedBesidesTheIndex(const FileSnapshot& before)
{
    QStringList changed = before.changes();
    changed.removeAll(QStringLiteral("quizg.QUI"));
    return changed;
}

QList<QJsonObject> peerRead(const QString& table)
{
    QList<QJsonObject> records;
    QString error;
    if (!DbfPeer::read(table, &records, &error))
        qWarning("%s", qPrintable(error));
    return records;
}

// Records the captions the progress button shows on the screen, each change once.
class CaptionRecorder : public QObject
{
public:
    QStringList captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == CatalogImport::progressButtonName()) {
            const QString text = static_cast<QPushButton*>(watched)->text();
            if (captions.isEmpty() || captions.last() != text)
                captions << text;
        }
        return false;
    }
};

} // namespace

// The import of new catalogs KAT001 … KAT009: the offer loop, the questions and topic counts it
// adds, the record of imported numbers, bad catalogs refused whole, and a crashed import undone
// or completed at the next start so that every question arrives exactly once.
class TestCatalogImport : public QObject
{
    Q_OBJECT

private:
    // A data directory with the main tables and the import opened on it as the start-up does.
    struct Game
    {
        QTemporaryDir dir;
        GameState state;
        NamedVariables variables;
        ScriptedMessageBoxes boxes;
        Database db;
        DataFileLock lock{dir.path()};
        QWidget window;
        ButtonContext buttons;
        std::unique_ptr<CatalogImport> import;

        explicit Game(QList<int> answers = {})
            : boxes(std::move(answers))
        {
            GameData::createMainFiles(dir.path(), 3);
            state.Pfad = dir.path();
            db.setDataDirectory(dir.path());
            db.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
            buttons.messageBoxes = &boxes;
            buttons.defaultParent = &window;
            window.resize(1035, 731);
            window.show();
            import = std::make_unique<CatalogImport>(state, variables,
                                                     CatalogImport::Parts{&db, &lock, &boxes, &buttons});
            import->setPause({});
        }

        void start()
        {
            import->recover();
            state.anzgeb = db.use(5, QStringLiteral("gebiet")).recCount();
            db.use(2, QStringLiteral("highscor"));
            state.anzfra = db.use(1, QStringLiteral("quiz")).recCount();
        }

        QString file(const QString& name) const { return FileLookup::resolve(dir.path(), name); }
        bool exists(const QString& name) const { return FileLookup::exists(dir.path(), name); }

        // The topic table as the game reads it now, "name anz" per record.
        QStringList topics()
        {
            QStringList result;
            WorkArea& area = db.area(5);
            for (area.goTop(); !area.eof(); area.skip())
                result << area.fieldGet(QStringLiteral("name")).toString().trimmed() + QLatin1Char(' ')
                        + QString::number(area.fieldGet(QStringLiteral("anz")).toLongLong());
            return result;
        }
    };

private slots:
    void offerLoopAsksLowestNumberFirstAndStopsAtNo_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<int>>("imported");
        QTest::newRow("yes to both") << QList<int>{MessageBoxes::Yes, MessageBoxes::Yes}
                                     << QStringList{offer(2), success, offer(5), success} << QList<int>{2, 5};
        QTest::newRow("no to the first") << QList<int>{MessageBoxes::No} << QStringList{offer(2)} << QList<int>{};
        QTest::newRow("yes, then no") << QList<int>{MessageBoxes::Yes, MessageBoxes::No}
                                      << QStringList{offer(2), success, offer(5)} << QList<int>{2};
    }

    void offerLoopAsksLowestNumberFirstAndStopsAtNo()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, shown);
        QFETCH(QList<int>, imported);
        Game game(answers);
        makeCatalog(game.dir.filePath(QStringLiteral("KAT002.QUZ")), {{QStringLiteral("Geographie"), 4}});
        // Found and deleted without regard to case.
        makeCatalog(game.dir.filePath(QStringLiteral("kat005.quz")), {{QStringLiteral("Geographie"), 6}});
        game.start();
        game.import->offerNewCatalogs();

        QCOMPARE(game.boxes.shown(), shown);
        QCOMPARE(importedNumbers(game.dir.path()), imported);
        const int added = (imported.contains(2) ? 4 : 0) + (imported.contains(5) ? 6 : 0);
        QCOMPARE(game.state.anzfra, 3 + added);
        QCOMPARE(game.db.area(1).recCount(), 3 + added);
        QCOMPARE(game.topics(), QStringList{QStringLiteral("Geographie %1").arg(3 + added)});
        for (int n : {2, 5}) {
            QCOMPARE(game.exists(QStringLiteral("KAT00%1.QUZ").arg(n)), !imported.contains(n));
            QCOMPARE(game.exists(QStringLiteral("KAT00%1.DBT").arg(n)), !imported.contains(n));
        }
        QCOMPARE(game.db.selected(), 1);
    }

    void importCopiesEveryQuestionAndCountsItsTopicsInNameOrder()
    {
        Game game;
        const QString kat = game.dir.filePath(QStringLiteral("KAT007.QUZ"));
        makeCatalog(kat, {{QStringLiteral("Geographie"), 2}, {QStringLiteral("Erfindungen"), 3},
                          {QStringLiteral("Astronomie"), 1}});
        const QList<QJsonObject> newQuestions = peerRead(kat);
        QCOMPARE(newQuestions.size(), 6);
        game.start();
        game.import->update(QStringLiteral("kat007"));

        QCOMPARE(game.boxes.shown(), QStringList{success});
        QCOMPARE(game.state.anzfra, 9);
        QCOMPARE(game.state.anzgeb, 3);
        QCOMPARE(game.topics(), (QStringList{QStringLiteral("Astronomie 1"), QStringLiteral("Erfindungen 3"),
                                             QStringLiteral("Geographie 5")}));
        QCOMPARE(game.db.selected(), 1);
        // The first import of all writes the list with its one number.
        QCOMPARE(importedNumbers(game.dir.path()), QList<int>{7});
        for (const char* gone : {"KAT007.QUZ", "KAT007.DBT", "import.XPF", "GEBIET.BAK"})
            QVERIFY2(!game.exists(QLatin1String(gone)), gone);

        // An independent reader finds every question with its memo, and the counts.
        const QList<QJsonObject> quiz = peerRead(game.file(QStringLiteral("QUIZ.QUZ")));
        QCOMPARE(quiz.size(), 9);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(quiz[3 + i].value(QStringLiteral("fields")), newQuestions[i].value(QStringLiteral("fields")));
        QStringList topics;
        for (const QJsonObject& topic : peerRead(game.file(QStringLiteral("GEBIET.QUZ")))) {
            const QJsonObject fields = topic.value(QStringLiteral("fields")).toObject();
            topics << fields.value(QStringLiteral("NAME")).toString() + QLatin1Char(' ')
                    + QString::number(fields.value(QStringLiteral("ANZ")).toInt());
        }
        QCOMPARE(topics, (QStringList{QStringLiteral("Geographie 5"), QStringLiteral("Erfindungen 3"),
                                      QStringLiteral("Astronomie 1")}));
    }

    void aCatalogImportedBeforeIsDeletedWithoutAddingQuestions()
    {
        Game game;
        game.variables.set(QStringLiteral("katnr"), QVariantList{3});
        SettingsFile::save(game.dir.filePath(QStringLiteral("katalog.XPF")), QStringLiteral("katn*"), game.variables);
        makeCatalog(game.dir.filePath(QStringLiteral("KAT003.QUZ")), {{QStringLiteral("Geographie"), 5}});
        game.start();
        game.import->update(QStringLiteral("kat003"));

        QCOMPARE(game.boxes.shown(), QStringList{already});
        QCOMPARE(game.state.anzfra, 3);
        QCOMPARE(game.db.area(1).recCount(), 3);
        QCOMPARE(importedNumbers(game.dir.path()), QList<int>{3});
        QVERIFY(!game.exists(QStringLiteral("KAT003.QUZ")));
        QVERIFY(!game.exists(QStringLiteral("KAT003.DBT")));
    }

    void progressShowsTenPercentPerFiftyQuestionsUpToTheFiveHundredth()
    {
        Game game;
        game.state.F = 1.3;
        makeCatalog(game.dir.filePath(QStringLiteral("KAT008.QUZ")), {{QStringLiteral("Geographie"), 1000}});
        game.start();
        QVERIFY(QTest::qWaitForWindowExposed(&game.window));
        CaptionRecorder painted;
        qApp->installEventFilter(&painted);
        QStringList paused;
        QSize size;
        QPointF position;
        game.import->setPause([&] {
            auto* button = game.window.findChild<QPushButton*>(CatalogImport::progressButtonName());
            paused << button->text();
            size = button->size();
            position = BottomLeft::position(button);
        });
        game.import->update(QStringLiteral("kat008"));
        qApp->removeEventFilter(&painted);

        QStringList expected;
        for (int pro = 0; pro <= 100; pro += 10)
            expected << QStringLiteral("bitte einen Moment Geduld ...  %1 %").arg(pro, 3);
        QCOMPARE(painted.captions, expected);
        QCOMPARE(paused, expected.mid(1));
        QCOMPARE(position, QPointF(390, 520));
        QCOMPARE(size, QSize(260, 39));
        QVERIFY(!game.window.findChild<QPushButton*>(CatalogImport::progressButtonName()));
        QCOMPARE(game.state.anzfra, 1003);
    }

    void aBadCatalogIsRefusedWholeAndTheNextOneIsOffered_data()
    {
        using Maker = std::function<void(const QString& path)>;
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QString>("fault");
        const auto good = [](const QString& path) { makeCatalog(path, {{QStringLiteral("Geographie"), 4}}); };
        QTest::newRow("shorter than a header") << Maker([](const QString& path) {
            TestFiles::write(path, QByteArray("\x83\x7c\x01\x01", 4));
        }) << QStringLiteral("kürzer als ein Tabellenkopf");
        QTest::newRow("more records counted than held") << Maker([good](const QString& path) {
            good(path);
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.seek(4);
            file.write(QByteArray("\xff\x00\x00\x00", 4));
        }) << QStringLiteral("Der Kopf zählt 255 Datensätze");
        QTest::newRow("memo file missing") << Maker([good](const QString& path) {
            good(path);
            QFile::remove(QString(path).replace(QStringLiteral(".QUZ"), QStringLiteral(".DBT")));
        }) << QStringLiteral("Die Memo-Datei KAT004.DBT fehlt.");
        QTest::newRow("a field missing") << Maker([](const QString& path) {
            QList<DbfField> fields = CatalogLayout::questionCatalog();
            fields.removeAt(11);
            makeCatalog(path, {{QStringLiteral("Geographie"), 4}}, fields);
        }) << QStringLiteral("Das Feld „AF42“ eines Fragen-Katalogs fehlt.");
        QTest::newRow("a question wider than the main catalog") << Maker([](const QString& path) {
            QList<DbfField> fields = CatalogLayout::questionCatalog();
            fields[2].length = 60;
            makeCatalog(path, {{QStringLiteral("Geographie"), 4}}, fields);
            DbfTable::open(path)->setValue(3, 2, QString(55, QLatin1Char('x')));
        }) << QStringLiteral("Frage 3 passt nicht in den Hauptkatalog: Feld FR1:");
        QTest::newRow("a level that is no number") << Maker([](const QString& path) {
            QList<DbfField> fields = CatalogLayout::questionCatalog();
            fields[1].type = 'C';
            makeCatalog(path, {}, fields);
            DbfTable::open(path)->appendRecord({QStringLiteral("Geographie"), QStringLiteral("2")});
        }) << QStringLiteral("Frage 1 passt nicht in den Hauptkatalog: Feld STUFE (Zahl) nimmt keinen Wert");
    }

    void aBadCatalogIsRefusedWholeAndTheNextOneIsOffered()
    {
        using Maker = std::function<void(const QString& path)>;
        QFETCH(Maker, make);
        QFETCH(QString, fault);
        Game game({MessageBoxes::Yes});
        make(game.dir.filePath(QStringLiteral("KAT004.QUZ")));
        makeCatalog(game.dir.filePath(QStringLiteral("KAT006.QUZ")), {{QStringLiteral("Geographie"), 2}});
        game.start();
        const FileSnapshot before(game.dir.path());
        game.import->update(QStringLiteral("kat004"));

        QCOMPARE(changedBesidesTheIndex(before), QStringList());
        QCOMPARE(game.boxes.shown().size(), 1);
        const QString message = game.boxes.shown().first();
        QVERIFY2(message.startsWith(QStringLiteral("Hinweis: Der Fragen-Katalog KAT004.QUZ wurde nicht eingespielt.")),
                 qPrintable(message));
        QVERIFY2(message.contains(fault), qPrintable(message));
        QCOMPARE(game.state.anzfra, 3);
        QCOMPARE(game.db.selected(), 1);

        // The game goes on: the refused catalog is not offered again in this run, the next one is.
        game.import->offerNewCatalogs();
        QCOMPARE(game.boxes.shown().mid(1), (QStringList{offer(6), success}));
        QCOMPARE(game.state.anzfra, 5);
        QCOMPARE(importedNumbers(game.dir.path()), QList<int>{6});
        QVERIFY(game.exists(QStringLiteral("KAT004.QUZ")));
    }

    void aFailurePartWayTakesTheQuestionsBack_data()
    {
        using Failure = std::function<void(const QString& dir)>;
        QTest::addColumn<Failure>("fail");
        QTest::addColumn<QString>("fault");
        QTest::newRow("a write fails") << Failure([](const QString& dir) {
            throw DbfError(DbfError::Kind::WriteFailed, QDir(dir).filePath(QStringLiteral("QUIZ.DBT")),
                           QStringLiteral("Auf dem Datenträger ist kein Platz mehr."));
        }) << QStringLiteral("kein Platz mehr");
        QTest::newRow("the number cannot be recorded") << Failure([](const QString& dir) {
            // A folder in the place of the list: it cannot be written.
            QDir(dir).mkpath(QStringLiteral("katalog.XPF/x"));
        }) << QStringLiteral("katalog.XPF");
    }

    void aFailurePartWayTakesTheQuestionsBack()
    {
        using Failure = std::function<void(const QString& dir)>;
        QFETCH(Failure, fail);
        QFETCH(QString, fault);
        Game game;
        makeCatalog(game.dir.filePath(QStringLiteral("KAT002.QUZ")),
                    {{QStringLiteral("Geographie"), 30}, {QStringLiteral("Erfindungen"), 30}});
        game.start();
        const FileSnapshot before(game.dir.path());
        game.import->setPause([&] { fail(game.dir.path()); });
        game.import->update(QStringLiteral("kat002"));

        QCOMPARE(changedBesidesTheIndex(before), QStringList());
        QCOMPARE(game.boxes.shown().size(), 1);
        const QString message = game.boxes.shown().first();
        QVERIFY2(message.contains(fault) && message.contains(QStringLiteral("wurden wieder entfernt")),
                 qPrintable(message));
        QCOMPARE(game.state.anzfra, 3);
        QCOMPARE(game.state.anzgeb, 1);
        QCOMPARE(game.db.area(1).recCount(), 3);
        QCOMPARE(game.topics(), QStringList{QStringLiteral("Geographie 3")});
        QVERIFY(game.db.area(5).hasIndex());
        QCOMPARE(game.db.selected(), 1);
        QVERIFY(!game.variables.value(QStringLiteral("katnr")).toList().contains(2));
    }

    void anInterruptedImportArrivesExactlyOnce_data()
    {
        QTest::addColumn<bool>("numberRecorded");
        QTest::addColumn<int>("questionsAfterRecovery");
        QTest::addColumn<QString>("answerToTheOffer");
        QTest::newRow("crash part-way") << false << 3 << success;
        QTest::newRow("crash after the number was recorded") << true << 63 << already;
    }

    void anInterruptedImportArrivesExactlyOnce()
    {
        QFETCH(bool, numberRecorded);
        QFETCH(int, questionsAfterRecovery);
        QFETCH(QString, answerToTheOffer);
        Game game({MessageBoxes::Yes});
        makeCatalog(game.dir.filePath(QStringLiteral("KAT002.QUZ")),
                    {{QStringLiteral("Geographie"), 30}, {QStringLiteral("Erfindungen"), 30}});
        const QDir saved(game.dir.filePath(QStringLiteral("saved")));
        QVERIFY(QDir(game.dir.path()).mkdir(QStringLiteral("saved")));
        const QStringList main{QStringLiteral("QUIZ.QUZ"), QStringLiteral("QUIZ.DBT"), QStringLiteral("GEBIET.QUZ")};
        QMap<QString, QByteArray> mainBefore;
        for (const QString& name : main)
            mainBefore[name] = TestFiles::read(game.file(name));
        game.start();

        // The crash: the game ends at the 50th question, or after the number was recorded but before
        // the journal and the catalog files were removed (they are put back afterwards).
        const QStringList kept{QStringLiteral("KAT002.QUZ"), QStringLiteral("KAT002.DBT"), ImportJournal::journalName(),
                               ImportJournal::backupName()};
        struct Crash {};
        game.import->setPause([&] {
            if (!numberRecorded)
                throw Crash();
            for (const QString& name : kept)
                QFile::copy(game.file(name), saved.filePath(name));
        });
        bool crashed = false;
        try {
            game.import->update(QStringLiteral("kat002"));
        } catch (const Crash&) {
            crashed = true;
        }
        QCOMPARE(crashed, !numberRecorded);
        game.db.closeAll();
        if (numberRecorded) {
            for (const QString& name : kept)
                QVERIFY(QFile::copy(saved.filePath(name), game.dir.filePath(name)));
        } else {
            // A record and a memo half written when the game died.
            for (const QString& name : {QStringLiteral("QUIZ.QUZ"), QStringLiteral("QUIZ.DBT")}) {
                QFile file(game.file(name));
                QVERIFY(file.open(QIODevice::Append));
                file.write(QByteArray(300, 'x'));
            }
        }
        QVERIFY(game.exists(ImportJournal::journalName()));

        game.boxes = ScriptedMessageBoxes({MessageBoxes::Yes});
        game.import->setPause({});
        game.start();
        QCOMPARE(game.boxes.shown(), QStringList());
        QCOMPARE(game.state.anzfra, questionsAfterRecovery);
        QCOMPARE(peerRead(game.file(QStringLiteral("QUIZ.QUZ"))).size(), questionsAfterRecovery);
        QVERIFY(!game.exists(ImportJournal::journalName()));
        QVERIFY(!game.exists(ImportJournal::backupName()));
        if (!numberRecorded) {
            for (const QString& name : main)
                QVERIFY2(TestFiles::read(game.file(name)) == mainBefore[name], qPrintable(name));
        }

        game.import->offerNewCatalogs();
        QCOMPARE(game.boxes.shown(), (QStringList{offer(2), answerToTheOffer}));
        QCOMPARE(game.state.anzfra, 63);
        QCOMPARE(peerRead(game.file(QStringLiteral("QUIZ.QUZ"))).size(), 63);
        QStringList topics = game.topics();
        topics.sort(); // in name order only when this run imported
        QCOMPARE(topics, (QStringList{QStringLiteral("Erfindungen 30"), QStringLiteral("Geographie 33")}));
        QCOMPARE(importedNumbers(game.dir.path()), QList<int>{2});
        QVERIFY(!game.exists(QStringLiteral("KAT002.QUZ")));
    }

    void theGameImportsACatalogBuiltByTheCatalogTool()
    {
        QTemporaryDir dir;
        GameData::createMainFiles(dir.path(), 3);
        const QString source =
            QDir(QStringLiteral(BRIMORA_FIXTURES_DIR)).absoluteFilePath(QStringLiteral("../../docs/beispiele/KAT001.txt"));
        const ChildProcess build = ChildProcess::run(
            QStringLiteral(BRIMORA_KATALOG_TOOL),
            {QStringLiteral("build"), source, dir.path(), QStringLiteral("--name"), QStringLiteral("KAT001")});
        QVERIFY2(build.finished() && build.exitCode() == 0, qPrintable(build.describe()));
        const QList<QJsonObject> newQuestions = peerRead(QDir(dir.path()).filePath(QStringLiteral("KAT001.QUZ")));
        QVERIFY(newQuestions.size() >= 10);

        GameState state;
        ScriptedMessageBoxes boxes({MessageBoxes::Yes});
        RecordingSoundPlayer sounds;
        QList<int> exits;
        Application app(state, boxes, sounds, [&](int status) { exits << status; },
                        Application::Environment{dir.path(), QString(), QString()});
        app.start();

        QCOMPARE(exits, QList<int>());
        QCOMPARE(boxes.shown(), (QStringList{offer(1), success}));
        QCOMPARE(state.anzfra, 3 + newQuestions.size());
        QCOMPARE(state.aArrayI.size(), 1);
        const QList<QJsonObject> quiz = peerRead(QDir(dir.path()).filePath(QStringLiteral("QUIZ.QUZ")));
        QCOMPARE(quiz.size(), 3 + newQuestions.size());
        QMap<QString, int> perTopic{{QStringLiteral("Geographie"), 3}};
        for (int i = 0; i < newQuestions.size(); ++i) {
            const QJsonObject fields = newQuestions[i].value(QStringLiteral("fields")).toObject();
            QCOMPARE(quiz[3 + i].value(QStringLiteral("fields")).toObject(), fields);
            ++perTopic[fields.value(QStringLiteral("GEBIET")).toString()];
        }
        QMap<QString, int> counted;
        for (const QJsonObject& topic : peerRead(QDir(dir.path()).filePath(QStringLiteral("GEBIET.QUZ")))) {
            const QJsonObject fields = topic.value(QStringLiteral("fields")).toObject();
            counted[fields.value(QStringLiteral("NAME")).toString()] = fields.value(QStringLiteral("ANZ")).toInt();
        }
        QCOMPARE(counted, perTopic);
        QCOMPARE(state.anzgeb, perTopic.size());
    }
};

QTEST_MAIN(TestCatalogImport)
#include "tst_catalogimport.moc"
