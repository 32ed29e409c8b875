#pragma once

#include "platform/dbf/dbfindex.h"
#include "platform/dbf/dbftable.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class Database;

// A numbered work area holding one open table with its alias, the current record and the list of
// active indexes; the first index of the list decides the order in which the records are visited.
// Past the last record the work area is at the end of file: the record number is count + 1 and
// every field reads as blank, as in every xBase engine.
class WorkArea
{
public:
    WorkArea(const Database& database, int number, std::unique_ptr<DbfTable> table, QString alias);

    int number() const { return m_number; }
    const QString& alias() const { return m_alias; }
    DbfTable& table() { return *m_table; }
    const DbfTable& table() const { return *m_table; }

    int recCount() const { return m_table->recordCount(); }
    int recNo() const { return m_recno; }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool found() const { return m_found; }
    bool deleted() const;

    void goTop();
    void goBottom();
    void goTo(int recno);
    void skip(int count = 1);

    QVariant fieldGet(const QString& name) const;
    QVariant fieldGet(int field) const;
    void fieldPut(const QString& name, const QVariant& value);
    void fieldPut(int field, const QVariant& value);
    // Appends a record (blank, or with the given values by field index) and makes it current.
    void append(const QList<QVariant>& values = {});

    // Builds an index file on the key and makes it the only active index, at the first record.
    // A file that cannot be written raises DbfError with the index already active.
    void createIndex(const QString& name, const QString& keyExpression);
    // Empties the list of active indexes: records are visited in record-number order.
    void clearIndexes();
    // Adds an index file to the list of active indexes; the first one decides the order.
    void setIndex(const QString& name);
    bool hasIndex() const { return !m_indexes.empty(); }
    // Looks the value up in the controlling index: on success that record becomes current,
    // otherwise the work area is at the end of file. The result is also kept as found().
    bool seek(const QVariant& key);

private:
    int positionOf(int recno) const;
    int recnoAt(int position) const;
    void goPhantom();
    void goToPosition(int position);
    void indexesTake(int recno, int field);

    const Database& m_database;
    int m_number;
    std::unique_ptr<DbfTable> m_table;
    QString m_alias;
    std::vector<std::unique_ptr<DbfIndex>> m_indexes;
    int m_recno = 0;
    bool m_eof = true;
    bool m_bof = true;
    bool m_found = false;
};
