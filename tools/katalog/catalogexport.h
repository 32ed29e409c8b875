#pragma once

#include <QString>
#include <QTextStream>

// "brimora-katalog export": writes a built catalog table back as a catalog text (UTF-8, the format
// of docs/katalogformat.md), the information of each question joined back into one line. Then it
// builds the text again in a temporary folder and compares the dumps of both tables, so the author
// learns of every record that the text does not give back exactly (a deleted mark, blanks at the
// start of a text, characters the text format does not allow, line breaks of a foreign memo).
class CatalogExport
{
public:
    // Returns the process exit status: 0 when the text builds into the same records; 1 after German
    // messages on err when the table cannot be read (nothing is written) or the text, written all
    // the same, builds into other records.
    static int run(const QString& table, const QString& target, QTextStream& out, QTextStream& err);
};
