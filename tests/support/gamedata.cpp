#include "gamedata.h"

#include "platform/dbf/dbftable.h"

#include <QDir>
#include <QFile>

void GameData::createMainFiles(const QString& dir, int questions)
{
    const QDir d(dir);
    QList<DbfField> catalog = {{"GEBIET", 'C', 25}, {"STUFE", 'N', 1}, {"FR1", 'C', 50}, {"FR2", 'C', 50}};
    for (const char* name : {"AR11", "AR12", "AF21", "AF22", "AF31", "AF32", "AF41", "AF42"})
        catalog.append({QString::fromLatin1(name), 'C', 40});
    catalog.append({"INFO", 'M', 10});
    DbfTable::create(d.filePath("QUIZ.QUZ"), catalog);
    auto quiz = DbfTable::open(d.filePath("QUIZ.QUZ"));
    for (int i = 1; i <= questions; ++i) {
        quiz->appendRecord({"Geographie", 1, QStringLiteral("Frage %1?").arg(i), "", "richtig", "", "falsch 1", "",
                            "falsch 2", "", "falsch 3", "", QStringLiteral("Zusatzinfo %1").arg(i)});
    }

    DbfTable::create(d.filePath("GEBIET.QUZ"), {{"NAME", 'C', 25}, {"ANZ", 'N', 5}});
    DbfTable::open(d.filePath("GEBIET.QUZ"))->appendRecord({"Geographie", questions});

    DbfTable::create(d.filePath("HIGHSCOR.QUZ"), {{"RICHTIGE", 'N', 4}, {"NAME", 'C', 20}, {"DATUM", 'D', 8}});
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
