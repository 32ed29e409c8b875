// Opening the catalog chooser over 200 special catalogs of 500 questions each: finding them,
// unlocking, opening, counting, closing and locking each one, and building the list's entries.
// The dialog itself is not shown. Prints one figure per line:
//   chooser_open_ms   one opening, the median of the runs
#include "data/cataloglayout.h"
#include "data/datafilelock.h"
#include "platform/dbf/dbftable.h"
#include "special/specialcataloglist.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCatalogs = 200;
constexpr int kQuestions = 500;
constexpr int kRuns = 15;

void createCatalog(const QString& path)
{
    DbfTable::create(path, CatalogLayout::questionCatalog());
    auto table = DbfTable::open(path);
    for (int i = 1; i <= kQuestions; ++i)
        table->appendRecord({QStringLiteral("Thema"), 1, QStringLiteral("Frage %1?").arg(i), QString(),
                             QStringLiteral("richtig"), QString(), QStringLiteral("falsch 1"), QString(),
                             QStringLiteral("falsch 2"), QString(), QStringLiteral("falsch 3"), QString(),
                             QStringLiteral("Zusatzinformation zur Frage %1").arg(i)});
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QDir data(dir.path());
    createCatalog(data.filePath(QStringLiteral("QUIZ.QUZ")));
    for (int c = 1; c <= kCatalogs; ++c)
        createCatalog(data.filePath(QStringLiteral("KATALOG%1.QUZ").arg(c, 3, 10, QLatin1Char('0'))));
    const DataFileLock lock(dir.path());

    std::vector<double> runs;
    qsizetype entries = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const SpecialCatalogList list = SpecialCatalogList::build(dir.path(), QStringLiteral("QUIZ"), lock);
        runs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        entries = list.entries.size();
    }
    if (entries != kCatalogs) {
        std::fprintf(stderr, "listed %lld catalogs instead of %d\n", static_cast<long long>(entries), kCatalogs);
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    std::printf("chooser_open_ms %.1f\n", runs[runs.size() / 2]);
    return 0;
}
