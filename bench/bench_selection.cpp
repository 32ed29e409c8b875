// A whole cycle of question selection over a catalog of 100,000 questions: every question picked
// once, the clock's last seconds digit varying from pick to pick. Prints one figure per line:
//   cycle_ms                  the whole cycle
//   random_calls              numbers drawn during the cycle
//   random_ms                 the same number of draws alone
//   selection_overhead_percent  what the selection adds on top of its draws
#include "app/gamestate.h"
#include "data/cataloglayout.h"
#include "game/questionselection.h"
#include "game/random.h"
#include "platform/dbf/database.h"
#include "platform/scriptedmessageboxes.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kQuestions = 100'000;
volatile int sink;

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QUIZ.QUZ"));
    DbfTable::create(path, CatalogLayout::questionCatalog());
    {
        auto table = DbfTable::open(path);
        for (int i = 0; i < kQuestions; ++i)
            table->appendRecord({QStringLiteral("Geographie"), 1, QStringLiteral("Frage %1?").arg(i)});
    }

    Database database;
    database.setDataDirectory(dir.path());
    database.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
    database.use(1, QStringLiteral("quiz"));
    GameState state;
    ScriptedMessageBoxes boxes;
    ButtonContext buttons;
    const auto clock = [] { return 45296.789; };
    Random random(clock);
    int digit = 0;
    QuestionSelection selection(state, database, random, boxes, buttons, [&digit] { return digit++ % 10; });

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kQuestions; ++i)
        selection.wahl();
    const double cycleMs = millisecondsSince(start);

    Random alone(clock);
    const auto drawStart = std::chrono::steady_clock::now();
    for (long long i = 0; i < random.calls(); ++i)
        sink = alone.random(kQuestions);
    const double randomMs = millisecondsSince(drawStart);

    std::printf("cycle_ms %.1f\n", cycleMs);
    std::printf("random_calls %lld\n", random.calls());
    std::printf("random_ms %.1f\n", randomMs);
    std::printf("selection_overhead_percent %.1f\n", 100.0 * (cycleMs - randomMs) / randomMs);
    return 0;
}
