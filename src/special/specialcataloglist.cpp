#include "special/specialcataloglist.h"

#include "data/catalogname.h"
#include "data/datafilelock.h"
#include "platform/dbf/dbftable.h"
#include "platform/filelookup.h"

#include <QCollator>
#include <QDir>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace {

const QString mainCatalog = QStringLiteral("QUIZ.QUZ");
const QString mainEntryName = QStringLiteral("QUIZ Hauptkatalog");
const QString highScorePrefix = QStringLiteral("HSC_");
constexpr int extensionLength = 4; // ".QUZ"

// The game's own tables, which are no special catalogs.
const QStringList ownTables{QStringLiteral("GEBIET.QUZ"), mainCatalog, QStringLiteral("HIGHSCOR.QUZ"),
                            QStringLiteral("TEMPLATE.QUZ"), QStringLiteral("SACHGEB.QUZ")};

// File names compare without regard to case, as everywhere in the game.
QString comparable(const QString& name)
{
    return name.normalized(QString::NormalizationForm_C).toUpper();
}

bool isSpecialCatalog(const QString& name, const QString& playingAlias)
{
    const QString upper = comparable(name);
    return !ownTables.contains(upper) && !upper.startsWith(highScorePrefix)
        && !upper.startsWith(comparable(playingAlias));
}

} // namespace

SpecialCatalogList SpecialCatalogList::build(const QString& Pfad, const QString& playingAlias,
                                             const DataFileLock& lock)
{
    SpecialCatalogList list;
    const QStringList files = findCatalogs(Pfad, playingAlias);
    for (const QString& file : files)
        list.aKataloge << CatalogName::inCapitals(file);

    if (!comparable(playingAlias).startsWith(QStringLiteral("QUIZ"))) {
        list.haupt = false;
        list.entries << entryText(mainEntryName, countQuestions(Pfad, mainCatalog, lock));
    }
    for (const QString& file : files)
        list.entries << entryText(withoutExtension(CatalogName::inCapitals(file)), countQuestions(Pfad, file, lock));
    return list;
}

QStringList SpecialCatalogList::findCatalogs(const QString& Pfad, const QString& playingAlias)
{
    const QStringList found = QDir(Pfad).entryList({QStringLiteral("*.QUZ")}, QDir::Files);
    QStringList files;
    QSet<QString> seen; // one file under names that differ only in case counts once
    for (const QString& file : found) {
        if (isSpecialCatalog(file, playingAlias) && !seen.contains(comparable(file))) {
            seen.insert(comparable(file));
            files << file;
        }
    }
    QCollator german{QLocale(QLocale::German, QLocale::Germany)};
    std::sort(files.begin(), files.end(),
              [&german](const QString& a, const QString& b) { return german.compare(CatalogName::inCapitals(a), CatalogName::inCapitals(b)) < 0; });
    return files;
}

int SpecialCatalogList::countQuestions(const QString& Pfad, const QString& fileName, const DataFileLock& lock,
                                       QString* fault)
{
    lock.encrypt(fileName, true);
    int count = -1;
    try {
        count = DbfTable::open(FileLookup::resolve(Pfad, fileName))->recordCount();
    } catch (const DbfError& error) {
        if (fault)
            *fault = error.fault();
    }
    lock.crypt(fileName);
    return count;
}

QString SpecialCatalogList::entryText(const QString& name, int count)
{
    const QString shown = count < 0 ? QStringLiteral("?") : QString::number(count);
    return name + QStringLiteral("  (") + shown.rightJustified(5, QLatin1Char(' ')) + QStringLiteral(" Fragen )");
}

QString SpecialCatalogList::withoutExtension(const QString& fileName)
{
    return fileName.chopped(qMin<qsizetype>(extensionLength, fileName.size()));
}
