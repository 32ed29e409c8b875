#pragma once

#include <QString>
#include <stdexcept>

// A settings file that could not be written or read. It names the file, the line for a damaged file,
// and what is wrong in German, so the game can show it to the player as it is or go on silently.
class SettingsError : public std::runtime_error
{
public:
    enum class Kind {
        FileMissing,  // restoring a file that does not exist
        CannotRead,   // the file exists but cannot be read (permissions, a directory, a read error)
        Damaged,      // the file's text is not a valid settings file; line() tells where
        CannotStore,  // a variable whose name or value has no written form in a settings file
        CannotWrite,  // the file could not be written (read-only directory, full disk)
    };

    // line counts from 1; 0 when the fault is not in a particular line.
    SettingsError(Kind kind, QString fileName, int line, QString fault);

    Kind kind() const { return m_kind; }
    // The file concerned, as the path that was used.
    const QString& fileName() const { return m_fileName; }
    int line() const { return m_line; }
    // What is wrong, one German sentence without file name and line.
    const QString& fault() const { return m_fault; }
    // File, line and fault together, ready for a message box.
    QString message() const;

private:
    Kind m_kind;
    QString m_fileName;
    int m_line;
    QString m_fault;
};
