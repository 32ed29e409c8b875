#pragma once

#include <QString>

// Finds files the way the game names them: without regard to case. The game calls the same file
// "QUIZ.QUZ", "quiz.QUZ" and "Quiz.quz"; on Linux those are different names, so a name is looked up
// among the entries of its directory, compared after Unicode upper-casing (ö matches Ö).
class FileLookup
{
public:
    // The full path of the entry in dir whose name equals name without regard to case. An exact match
    // wins; among several others the first in sorted order. Without any match, dir + "/" + name, so
    // the caller can create the file under that name. An absolute name is returned as it is.
    static QString resolve(const QString& dir, const QString& name);

    // Whether dir holds an entry of that name, without regard to case.
    static bool exists(const QString& dir, const QString& name);
};
