#pragma once

#include <QLockFile>
#include <QString>

// One running game per data directory: a lock file in the data directory, held for the life of
// the process. The operating system drops it with a process that dies, so a crash never locks
// the player out.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& dataDirectory);
    // Takes the lock, waiting at most timeoutMs for an instance that is ending.
    bool acquire(int timeoutMs = 0);
    static QString lockFileName() { return QStringLiteral(".brimora.lock"); }

private:
    QLockFile m_lock;
};
