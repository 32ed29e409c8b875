#include "app/singleinstance.h"

#include <QDir>

SingleInstance::SingleInstance(const QString& dataDirectory)
    : m_lock(QDir(dataDirectory).filePath(lockFileName()))
{
    // A lock left by a process that no longer runs is taken over at once.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire(int timeoutMs)
{
    return m_lock.tryLock(timeoutMs);
}
