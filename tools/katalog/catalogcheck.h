#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// "brimora-katalog check": looks at a catalog text or a built catalog table the way the game will
// use it and reports every fault, one line each, with the question's number and field: a missing
// topic, question, answer or information, two equal answers, a level that is not a digit, a
// question asked twice (in the file, or also in one of the files to compare with), a line too wide
// for its button on the play field, and what the text format or the table cannot hold.
class CatalogCheck
{
public:
    struct Options
    {
        QString file;
        QStringList others; // catalogs whose questions must not come again in file
    };

    // Returns the process exit status: 0 after a summary line on out when nothing is wrong, 1 after
    // one line per fault and the summary.
    static int run(const Options& options, QTextStream& out, QTextStream& err);
};
