#pragma once

#include <QString>
#include <stdexcept>

// A fault of a table, its memo file or its index, raised by the table engine. It names the file and
// what is wrong with it in German, so the error handler can show it to the player as it is.
class DbfError : public std::runtime_error
{
public:
    enum class Kind {
        FileMissing,          // the table (or index) file does not exist
        MemoMissing,          // a table with memo fields has no .DBT file beside it
        CannotOpen,           // the operating system refused to open the file
        InUse,                // another program holds the table open exclusively
        Locked,               // byte 0 is 1A: the table is locked while the game is not running
        BadVersion,           // byte 0 is not a dBASE III version byte
        ShortHeader,          // the file is shorter than its header
        BadHeaderLength,      // the header length does not fit the field list or the file
        BadRecordLength,      // the record length does not fit the field list
        NoFieldTerminator,    // the field list does not end with 0D
        NoFields,             // the table has no fields
        BadField,             // a field descriptor is impossible (type, length, offset)
        RecordCountTooLarge,  // the header counts more records than the file holds
        MemoBlockOutOfRange,  // a memo block number points beyond the memo file
        InvalidValue,         // a stored value is not valid for its field type
        UnknownField,         // a field name the table does not have
        ValueDoesNotFit,      // a value to write is longer or larger than its field
        WrongType,            // a value to write has the wrong type for its field
        ReadOnly,             // the table could only be opened for reading
        WriteFailed,          // the operating system refused a write
        NotPositioned,        // no record is current (end of file)
        NoTable,              // the work area has no open table
        BadIndex,             // an index file or key expression we cannot use
    };

    DbfError(Kind kind, QString fileName, QString fault);

    Kind kind() const { return m_kind; }
    // The file concerned, as a full path.
    const QString& fileName() const { return m_fileName; }
    // What is wrong, one German sentence without the file name.
    const QString& fault() const { return m_fault; }
    // File and fault together, ready for a message box.
    QString message() const;

private:
    Kind m_kind;
    QString m_fileName;
    QString m_fault;
};
