#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// The independent DBF implementations the table engine is checked against: python3-dbf writes,
// python3-dbfread reads (tests/support/dbfpeer.py run by /usr/bin/python3). Records come as
// {"recno": n, "deleted": bool, "fields": {"NAME": value}} with texts without trailing blanks,
// dates "YYYY-MM-DD" and null for blank values, the shape "brimora-katalog dump" prints, plus
// "values" (the same values in field order, as names may repeat) and "floats" (the indexes of
// the values dbfread read as floating-point numbers rather than whole numbers).
class DbfPeer
{
public:
    // Every record of the table in file order as python3-dbfread reads it (code page 850).
    // On failure returns false and puts the peer's message into *error.
    static bool read(const QString& table, QList<QJsonObject>* records, QString* error);

    // Writes a dBASE III table marked code page 850 with python3-dbf. fields as python3-dbf takes
    // them ("GEBIET C(30); INFO M"); records hold {"values": [...], "deleted": bool}, dates as
    // "YYYY-MM-DD", null for blank. python3-dbf names the files path + ".dbf" and ".dbt", so path
    // is given without extension; returns false with *error on failure.
    static bool write(const QString& path, const QString& fields, const QJsonArray& records, QString* error);

    static QString script();
};
