#pragma once

#include "platform/dbf/dbferror.h"
#include "platform/dbf/dbffield.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>
#include <memory>

// One dBASE III table file (version 03, or 83 with a .DBT memo file), opened exclusively.
// Records are numbered from 1. Reads come from the file, writes go straight through to it, in an
// order that leaves a table every DBF reader opens if the program dies between any two writes.
//
// Values as the game sees them:
//   C  QString with its trailing blanks          N  qlonglong (no decimals) or double; blank: invalid
//   D  QDate; blank: a null QDate                M  QString; no memo: empty
//   L  bool; blank or '?': invalid
// Opening never changes a byte of the table or its memo file. Damaged files raise DbfError.
class DbfTable
{
public:
    // Opens the table at path; its memo file is looked up beside it without regard to case.
    static std::unique_ptr<DbfTable> open(const QString& path);
    // Writes a new empty table (and an empty .DBT beside it when a field is of type M), marked as
    // code page 850. Field offsets are computed here. An existing file is replaced.
    static void create(const QString& path, const QList<DbfField>& fields);
    ~DbfTable();
    DbfTable(const DbfTable&) = delete;
    DbfTable& operator=(const DbfTable&) = delete;

    const QString& path() const { return m_path; }
    QString memoPath() const;
    bool isReadOnly() const { return m_readOnly; }
    unsigned char versionByte() const { return m_version; }

    int recordCount() const { return m_recordCount; }
    const QList<DbfField>& fields() const { return m_fields; }
    // Index of the field of that name (without regard to case), -1 when there is none.
    int fieldIndex(const QString& name) const;
    // Like fieldIndex, but raises DbfError::UnknownField.
    int requireField(const QString& name) const;

    bool isDeleted(int recno) const;
    QVariant value(int recno, int field) const;
    // The value of an empty field of that type, as read at the end of the table.
    QVariant blankValue(int field) const;
    // Memo block number a memo field points to, 0 for none.
    qint64 memoBlock(int recno, int field) const;

    // Writes a value into a field of an existing record. A text longer than the field, a number
    // that does not fit its width or a character without code page 850 equivalent raise
    // DbfError::ValueDoesNotFit; nothing is cut.
    void setValue(int recno, int field, const QVariant& value);
    // Appends a record and returns its number. values holds one value per field (by field index);
    // missing or invalid entries stay blank. Every value is checked before anything is written; the
    // memo blocks and the record go to the files before the header counts the new record.
    int appendRecord(const QList<QVariant>& values = {});
    // Checks values exactly as appendRecord does and raises the same DbfError, writing nothing.
    void checkValues(const QList<QVariant>& values) const;
    // Undoes appends: keeps the first count records (header count, file length and the end mark 1A
    // behind the last record). The memo file is left as it is. Raises DbfError when count is more
    // than the table holds.
    void truncate(int count);
    // Forces all written data to the disk.
    void commit();

private:
    DbfTable() = default;
    void readHeader();
    void openMemo();
    QByteArray readRecord(int recno) const;
    QByteArray fieldBytes(int recno, int field) const;
    QByteArray encodeValue(int field, const QVariant& value) const;
    QByteArray encodeRecord(const QList<QVariant>& values, QMap<int, QByteArray>* memos) const;
    QByteArray memoText(int field, const QVariant& value) const;
    QByteArray memoField(const QByteArray& text);
    QByteArray blankRecord() const;
    QString readMemo(qint64 block) const;
    qint64 writeMemo(const QByteArray& text);
    qint64 recordOffset(int recno) const;
    void writeAt(QFile& file, qint64 offset, const QByteArray& bytes);
    [[noreturn]] void fail(DbfError::Kind kind, const QString& fault, const QString& file = {}) const;
    void checkRecordNumber(int recno) const;
    void checkWritable() const;

    QString m_path;
    QFile m_file;
    QFile m_memo;
    bool m_readOnly = false;
    bool m_hasMemo = false;
    unsigned char m_version = 0;
    int m_headerLength = 0;
    int m_recordLength = 0;
    int m_recordCount = 0;
    QList<DbfField> m_fields;
    mutable int m_cachedRecno = 0;
    mutable QByteArray m_cachedRecord;
};
