#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The content of every file in a directory at one moment, to prove that nothing was written.
class FileSnapshot
{
public:
    explicit FileSnapshot(const QString& directory);

    // Files added, removed or changed since the snapshot was taken, by name.
    QStringList changes() const;

private:
    static QMap<QString, QByteArray> hashes(const QString& directory);

    QString m_directory;
    QMap<QString, QByteArray> m_hashes;
};
