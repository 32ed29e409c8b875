#pragma once

#include <QString>

class DbfTable;

// Makes the import of a new catalog all or nothing. Before the first question is appended the
// topic table is copied to "GEBIET.BAK" and "import.XPF" records the catalog's number and how
// long the main catalog and its memo file were. Only after "katalog.XPF" holds the number is the
// journal removed. A journal found at the next start therefore means an interrupted import: when
// "katalog.XPF" holds its number it had finished, otherwise undo() cuts the appended questions off
// and puts the topic table back, so the catalog can be imported again, exactly once.
//
// Both files are written whole or not at all. Faults raise DbfError (copies, tables) or
// SettingsError (the journal file itself), each naming the file.
class ImportJournal
{
public:
    explicit ImportJournal(QString Pfad);

    static QString journalName() { return QStringLiteral("import.XPF"); }
    static QString backupName() { return QStringLiteral("GEBIET.BAK"); }

    bool exists() const;
    // Copies the topic table, then writes the journal: catalog number, record count of the question
    // table, size and next free block of its memo file.
    void begin(int number, const DbfTable& questions, const QString& topicTable) const;
    // The number of the catalog whose import the journal records.
    int catalogNumber() const;
    // Puts the question table, its memo file and the topic table back as they were at begin().
    // Neither table may be open.
    void undo(const QString& questionTable, const QString& topicTable) const;
    // Removes the journal, then the copy of the topic table.
    void finish() const;

private:
    struct Before
    {
        int number = 0;
        int questions = 0;
        qint64 memoSize = -1; // -1: the question table has no memo file
        qint64 memoNextBlock = 0;
    };

    Before read() const;
    QString journalPath() const;
    QString backupPath() const;
    static void cutMemoFile(const QString& memoPath, const Before& before);
    static void putBackInPlace(const QString& path, const QByteArray& bytes);

    QString Pfad;
};
