#pragma once

#include <QString>

// The game's three main tables in a data directory, made with the table engine: QUIZ.QUZ (with
// QUIZ.DBT) holding a few questions, GEBIET.QUZ with their topics and an empty HIGHSCOR.QUZ of 11 records.
class GameData
{
public:
    static void createMainFiles(const QString& dir, int questions = 3);
    // Byte 0 of a file, -1 when it cannot be read.
    static int firstByte(const QString& path);
    static void setFirstByte(const QString& path, unsigned char byte);
    // Whether another process holds the table open (the engine opens tables exclusively).
    static bool isHeldOpen(const QString& path);
};
