#include "fuzzscratch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/brimora-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/brimora-fuzz-XXXXXX"));
    FuzzScratch::require(dir.isValid(), "no scratch folder");
    return dir;
}

} // namespace

QString FuzzScratch::directory()
{
    return scratch().path();
}

QString FuzzScratch::path(const QString& name)
{
    return scratch().filePath(name);
}

void FuzzScratch::write(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
            "cannot write a scratch file");
}

QByteArray FuzzScratch::read(const QString& name)
{
    QFile file(path(name));
    require(file.open(QIODevice::ReadOnly), "cannot read a scratch file");
    return file.readAll();
}

void FuzzScratch::remove(const QString& name)
{
    QFile::remove(path(name));
}

void FuzzScratch::require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "Property violated: %s\n", what);
    std::abort();
}
