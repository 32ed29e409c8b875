#pragma once

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QVariant>

// A small question catalog with the fields the game reads (plus a date and a number with decimals),
// whose records stress what a DBF reader can get wrong: umlauts and ß, memos across the 512-byte
// block boundary and longer than 1024 bytes, an empty and a blank memo, blank numbers and dates,
// full-width texts and a deleted record.
class SampleCatalog
{
public:
    struct Record
    {
        bool deleted = false;
        // One value per field, as the engine reads it: QString for C (without the padding) and M,
        // qlonglong or double for N, QDate for D; an invalid QVariant for a blank field.
        QList<QVariant> values;
    };

    // "GEBIET C(30); STUFE N(1,0); ..." as python3-dbf takes it.
    static QString fields();
    static QList<Record> records();
    // The records as DbfPeer::write takes them.
    static QJsonArray forPeer(const QList<Record>& records);

    // Field positions.
    enum { Gebiet, Stufe, Fr1, Fr2, Ar11, Info, Datum, Punkte, FieldCount };
};
