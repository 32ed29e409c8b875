// Importing a new catalog of 100,000 questions with memos into a main catalog of 1,000, without the
// pauses of the progress display, against copying the same files with cp. Prints one figure per line:
//   import_questions_per_second  questions appended (checked first, counted into their topics)
//   import_ms                    the whole import, from the offer's yes to the deleted files
//   cp_ms                        cp of the new catalog's .QUZ and .DBT
//   import_to_cp_ratio           how many times the copy the import takes
#include "app/gamestate.h"
#include "data/catalogimport.h"
#include "data/cataloglayout.h"
#include "data/datafilelock.h"
#include "platform/dbf/database.h"
#include "platform/namedvariables.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/bdbuttonfunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kMainQuestions = 1'000;
constexpr int kNewQuestions = 100'000;
constexpr int kTopics = 12;

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

QString topic(int i)
{
    return QStringLiteral("Sachgebiet %1").arg(i % kTopics);
}

// A question with a memo of about 300 characters, as the shipped catalogs have.
QList<QVariant> question(int i)
{
    return {topic(i), 1 + i % 3, QStringLiteral("Frage Nummer %1 über").arg(i), QStringLiteral("ein Gebiet?"),
            QStringLiteral("richtig"), QString(), QStringLiteral("falsch eins"), QString(),
            QStringLiteral("falsch zwei"), QString(), QStringLiteral("falsch drei"), QString(),
            CatalogLayout::infoForTable(QStringLiteral("Zusatzinformation %1 mit Umlauten äöü und ß. ").arg(i).repeated(6))};
}

void makeCatalog(const QString& path, int questions, int first)
{
    DbfTable::create(path, CatalogLayout::questionCatalog());
    auto table = DbfTable::open(path);
    for (int i = first; i < first + questions; ++i)
        table->appendRecord(question(i));
}

void makeMainFiles(const QDir& dir)
{
    makeCatalog(dir.filePath(QStringLiteral("QUIZ.QUZ")), kMainQuestions, 0);
    DbfTable::create(dir.filePath(QStringLiteral("GEBIET.QUZ")), CatalogLayout::topicTable());
    auto topics = DbfTable::open(dir.filePath(QStringLiteral("GEBIET.QUZ")));
    for (int t = 0; t < kTopics; ++t)
        topics->appendRecord({topic(t), kMainQuestions / kTopics});
}

double copyMs(const QDir& from, const QString& to)
{
    const auto start = std::chrono::steady_clock::now();
    QProcess::execute(QStringLiteral("cp"), {from.filePath(QStringLiteral("KAT009.QUZ")),
                                             from.filePath(QStringLiteral("KAT009.DBT")), to});
    return millisecondsSince(start);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir data;
    QTemporaryDir copy;
    const QDir dir(data.path());
    makeMainFiles(dir);
    makeCatalog(dir.filePath(QStringLiteral("KAT009.QUZ")), kNewQuestions, kMainQuestions);
    const double cpMs = copyMs(dir, copy.path());

    GameState state;
    state.Pfad = data.path();
    NamedVariables variables;
    ScriptedMessageBoxes boxes;
    ButtonContext buttons;
    Database database;
    database.setDataDirectory(data.path());
    database.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
    const DataFileLock lock(data.path());
    CatalogImport import(state, variables, CatalogImport::Parts{&database, &lock, &boxes, &buttons});
    import.setPause({});
    database.use(5, QStringLiteral("gebiet"));
    state.anzfra = database.use(1, QStringLiteral("quiz")).recCount();

    const auto start = std::chrono::steady_clock::now();
    import.update(QStringLiteral("kat009"));
    const double importMs = millisecondsSince(start);
    if (state.anzfra != kMainQuestions + kNewQuestions) {
        std::fprintf(stderr, "import failed: %s\n", qPrintable(boxes.shown().join(QLatin1Char('\n'))));
        return 1;
    }

    std::printf("import_questions_per_second %.0f\n", kNewQuestions / (importMs / 1000.0));
    std::printf("import_ms %.1f\n", importMs);
    std::printf("cp_ms %.1f\n", cpMs);
    std::printf("import_to_cp_ratio %.1f\n", importMs / cpMs);
    return 0;
}
