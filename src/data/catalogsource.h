#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/dbf/dbffield.h"

// The text form of a question catalog, as catalog authors write it (UTF-8, described in
// docs/katalogformat.md): one block of "name: wert" lines per question, the fields of the question
// catalog in table order with lower-case names, blocks separated by blank lines, "#" lines are
// comments. Reading checks every value against what the table can store and what the game shows,
// and collects every fault of the text with its line number; any input gives records or errors,
// never a crash.
class CatalogSource
{
public:
    struct Record
    {
        int line = 0;            // line of the record's first field
        QList<QVariant> values;  // one value per catalog field in table order: STUFE an int,
                                 // every other field a QString without surrounding blanks
    };

    struct Error
    {
        int line = 0;     // 1 for the first line; 0 for the file as a whole
        QString message;  // German, without file name and line number

        // "file:line: message" ("file: message" for the file as a whole).
        QString text(const QString& file) const;
    };

    static CatalogSource parse(const QByteArray& utf8);
    // Reads and parses a file; a file that cannot be read is an error of the file as a whole.
    static CatalogSource read(const QString& path);

    // The field names as the text writes them: "gebiet", "stufe", "fr1" … "info".
    static QStringList fieldNames();

    // The records in text order; only records without faults are here.
    const QList<Record>& records() const { return m_records; }
    // Every fault, in line order within each record.
    const QList<Error>& errors() const { return m_errors; }
    bool isValid() const { return m_errors.isEmpty(); }

private:
    struct Field
    {
        int line = 0;
        QString value;
        bool checked = true;  // false when its line was not valid UTF-8
    };

    void parseLine(int line, const QByteArray& bytes);
    void endRecord();
    void addError(int line, const QString& message);
    bool checkValue(int field, const Field& f);

    QStringList m_names;
    QList<DbfField> m_layout;
    QList<Record> m_records;
    QList<Error> m_errors;

    // The record being read.
    int m_recordLine = 0;
    bool m_recordBroken = false;
    int m_lastField = -1;
    QList<Field> m_fields;  // by field index; line 0: not yet given
};
