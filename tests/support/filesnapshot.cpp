#include "filesnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

FileSnapshot::FileSnapshot(const QString& directory)
    : m_directory(directory)
    , m_hashes(hashes(directory))
{
}

QMap<QString, QByteArray> FileSnapshot::hashes(const QString& directory)
{
    QMap<QString, QByteArray> result;
    const QDir dir(directory);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (file.open(QIODevice::ReadOnly))
            hash.addData(&file);
        result.insert(name, hash.result() + QByteArray::number(file.size()));
    }
    return result;
}

QStringList FileSnapshot::changes() const
{
    const QMap<QString, QByteArray> now = hashes(m_directory);
    QStringList changed;
    for (auto it = m_hashes.cbegin(); it != m_hashes.cend(); ++it) {
        if (now.value(it.key()) != it.value())
            changed << it.key();
    }
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (!m_hashes.contains(it.key()))
            changed << it.key();
    }
    return changed;
}
