#pragma once

#include <QString>

// The lock byte of the data files. While the game is not running, the tables it used carry 1A in
// byte 0 instead of their DBF version byte, so ordinary DBF tools refuse them; the game writes the
// version byte back before it opens them. Only byte 0 is ever written, so an unlocked file is the
// table it was before.
//
// Names are relative to the data directory and found there without regard to case. A missing,
// empty, read-only or otherwise unopenable file is passed over silently; no file is ever created.
class DataFileLock
{
public:
    explicit DataFileLock(QString Pfad);

    // Locks the file: byte 0 := 1A. Always true.
    bool crypt(const QString& name) const;
    // Unlocks the file: byte 0 := 83 (a table with a .DBT memo file) when memo, else 03. Always true.
    bool encrypt(const QString& name, bool memo) const;

private:
    void writeFirstByte(const QString& name, unsigned char byte) const;

    QString Pfad;
};
