#pragma once

#include <QByteArray>
#include <QString>

// The harnesses' own folder for the files they hand to the readers: one per fuzzing process, in
// memory where the system offers it (/dev/shm), so thousands of files a second cost no disk. It is
// removed when the process ends. A file that cannot be written or read stops the run: a harness that
// silently fed nothing to the readers would report millions of clean executions for nothing.
class FuzzScratch
{
public:
    static QString directory();
    static QString path(const QString& name);
    static void write(const QString& name, const QByteArray& bytes);
    static QByteArray read(const QString& name);
    static void remove(const QString& name);
    // Ends the run with a message when a property of the reader does not hold.
    static void require(bool condition, const char* what);
};
