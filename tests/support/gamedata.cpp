#include "gamedata.h"

#include "data/cataloglayout.h"
#include "platform/dbf/dbftable.h"

#include <QDir>
#include <QFile>

#include <sys/file.h>

void GameData::createMainFiles(const QString& dir, int questions)
{
    const QDir d(dir);
    DbfTable::create(d.filePath("QUIZ.QUZ"), CatalogLayout::questionCatalog());
    auto quiz = DbfTable::open(d.filePath("QUIZ.QUZ"));
    for (int i = 1; i <= questions; ++i) {
        quiz->appendRecord({"Geographie", 1, QStringLiteral("Frage %1?").arg(i), "", "richtig", "", "falsch 1", "",
                            "falsch 2", "", "falsch 3", "", QStringLiteral("Zusatzinfo %1").arg(i)});
    }

    DbfTable::create(d.filePath("GEBIET.QUZ"), CatalogLayout::topicTable());
    DbfTable::open(d.filePath("GEBIET.QUZ"))->appendRecord({"Geographie", questions});

    DbfTable::create(d.filePath("HIGHSCOR.QUZ"), CatalogLayout::highScoreTable());
    auto highscores = DbfTable::open(d.filePath("HIGHSCOR.QUZ"));
    for (int i = 0; i < 11; ++i)
        highscores->appendRecord({0});
}

int GameData::firstByte(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    char byte = 0;
    return file.getChar(&byte) ? static_cast<unsigned char>(byte) : -1;
}

void GameData::setFirstByte(const QString& path, unsigned char byte)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.write(reinterpret_cast<const char*>(&byte), 1);
}

bool GameData::isHeldOpen(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const bool held = ::flock(file.handle(), LOCK_EX | LOCK_NB) != 0;
    if (!held)
        ::flock(file.handle(), LOCK_UN);
    return held;
}
