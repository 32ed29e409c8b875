#pragma once

#include <QString>
#include <QStringList>

class DataFileLock;

// What the chooser "Katalogauswahl" lists: the special catalogs of the data directory, each with
// its number of questions, and the main catalog first while a special catalog is in play. Finding
// and counting need no window, so the list can be built and measured on its own.
class SpecialCatalogList
{
public:
    // The catalog files found, upper case with ".QUZ", in German alphabetical order.
    QStringList aKataloge;
    // true: the list holds only special catalogs; false: its first entry is the main catalog.
    bool haupt = true;
    // The lines the player reads, in the order shown.
    QStringList entries;

    // Finds and counts the catalogs of the data directory Pfad. playingAlias is the name of the
    // catalog in play without extension ("QUIZ" for the main catalog): it and every file whose name
    // begins with it stay out of the list. Each catalog is unlocked, opened on its own, counted,
    // closed and locked again; the tables the game holds open are not touched.
    static SpecialCatalogList build(const QString& Pfad, const QString& playingAlias, const DataFileLock& lock);

    // The special catalog files of the directory: file names as they are on disk, sorted by their
    // upper-case names; without the game's own tables, the high score tables "HSC_…" and anything
    // beginning with playingAlias.
    static QStringList findCatalogs(const QString& Pfad, const QString& playingAlias);
    // The records of a catalog, deleted ones included, unlocked for the count and locked again;
    // -1 when it cannot be opened, and then *fault (when given) says why, in German.
    static int countQuestions(const QString& Pfad, const QString& fileName, const DataFileLock& lock,
                              QString* fault = nullptr);
    // "NAME  (  143 Fragen )": the name without extension and the count in five characters; a
    // catalog that cannot be opened shows "?" for its count.
    static QString entryText(const QString& name, int count);
    // The name without its extension (the last four characters, ".QUZ").
    static QString withoutExtension(const QString& fileName);
};
