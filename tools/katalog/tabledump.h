#pragma once

#include <QString>
#include <QTextStream>

// "brimora-katalog dump": prints every record of a table as one JSON object per line (UTF-8):
// {"recno": 1, "deleted": false, "fields": {"GEBIET": "...", ...}} with the fields in table order.
// Texts lose their trailing blanks; empty numbers, dates and memos are null; dates are YYYY-MM-DD.
class TableDump
{
public:
    // Returns the process exit status: 0, or 1 after a German message on err.
    static int run(const QString& path, QTextStream& out, QTextStream& err);
    // A stored text without the blanks (and the zero bytes some writers pad with) at its end.
    static QString withoutPadding(QString text);
};
