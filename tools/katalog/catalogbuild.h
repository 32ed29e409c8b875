#pragma once

#include <QString>
#include <QTextStream>

// "brimora-katalog build": turns a catalog text (docs/katalogformat.md) into the question table
// <NAME>.QUZ with its memo file <NAME>.DBT, the questions in text order; on request also the topic
// table GEBIET.QUZ (one record per topic in order of first appearance, ANZ its number of questions)
// and an empty high score table HIGHSCOR.QUZ of 11 records.
// The tables are written under temporary names and only renamed into the target folder when all of
// them are complete, so a fault leaves no file behind.
class CatalogBuild
{
public:
    struct Options
    {
        QString source;
        QString targetFolder;
        QString name = QStringLiteral("QUIZ");
        bool withTopics = false;
        bool withHighScores = false;
    };

    // The number of entries of a new high score table.
    static constexpr int highScoreEntries = 11;

    // Returns the process exit status: 0, or 1 after German messages ("file:line: fault") on err.
    static int run(const Options& options, QTextStream& out, QTextStream& err);
};
