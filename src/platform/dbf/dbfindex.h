#pragma once

#include <QCollator>
#include <QString>
#include <QVariant>
#include <vector>

class DbfTable;

// A single-key index over one open table, kept in memory. Two kinds of key are understood:
//   name                 a character field, ascending in German collation
//   descend(richtige)    a numeric field, highest value first
// Records with equal keys follow each other in ascending record-number order. The index file on
// disk only records the key expression, so opening an index rebuilds it from the table.
class DbfIndex
{
public:
    // Builds the index for the table; raises DbfError::BadIndex for a key it does not understand.
    DbfIndex(QString filePath, QString keyExpression, const DbfTable& table);

    const QString& filePath() const { return m_filePath; }
    const QString& keyExpression() const { return m_keyExpression; }
    int keyField() const { return m_field; }

    int count() const { return int(m_order.size()); }
    // Record number at a position (0-based) in index order.
    int recnoAt(int position) const { return m_order.at(position); }
    // Position of a record in index order, -1 for one the index does not hold.
    int positionOf(int recno) const;
    // Takes a changed or appended record into the index.
    void update(int recno);
    // Position of the first record whose key equals the value (trailing blanks ignored), or -1.
    int seek(const QVariant& key) const;

    // Writes the index file: a small text file of our own holding the key expression.
    void writeFile() const;
    // Reads the key expression back from an index file; raises DbfError when it is missing or damaged.
    static QString readKeyExpression(const QString& filePath);

private:
    QVariant keyOf(int recno) const;
    bool before(const QVariant& a, int recnoA, const QVariant& b, int recnoB) const;
    int compareKeys(const QVariant& a, const QVariant& b) const;
    void rebuildPositions();

    QString m_filePath;
    QString m_keyExpression;
    const DbfTable& m_table;
    int m_field = -1;
    bool m_descending = false;
    QCollator m_collator;
    std::vector<int> m_order;           // record numbers in index order
    std::vector<int> m_positions;       // by record number: position in m_order, -1 when absent
    std::vector<QVariant> m_keys;       // by record number: the record's key
};
