#pragma once

#include <QString>

// One field descriptor of a dBASE III table.
struct DbfField
{
    QString name;      // as stored, upper case
    char type = 'C';   // C, N, D, M or L
    int length = 0;    // bytes in the record
    int decimals = 0;  // for N fields
    int offset = 0;    // from the start of the record, after the deleted flag
};
