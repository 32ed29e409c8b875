#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers shared by the tests.
class TestFiles
{
public:
    static bool write(const QString& path, const QByteArray& bytes);
    // The whole file, empty when it cannot be read.
    static QByteArray read(const QString& path);
    // Root passes every permission check. Switching that override off for this thread makes a
    // read-only file read-only for the test too; switch it on again afterwards.
    static bool setPermissionOverride(bool enabled);
};
