#include "platform/filelookup.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString joined(const QString& dir, const QString& name)
{
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

// Names compare equal when their composed, upper-cased forms are equal, so a name typed with a
// precomposed ö also finds one stored with o and a combining diaeresis.
QString comparable(const QString& name)
{
    return name.normalized(QString::NormalizationForm_C).toUpper();
}

} // namespace

QString FileLookup::resolve(const QString& dir, const QString& name)
{
    if (QDir::isAbsolutePath(name))
        return name;
    const QString exact = joined(dir, name);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || QFileInfo::exists(exact))
        return exact;

    const QString wanted = comparable(name);
    const QStringList entries = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
                                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                   | QDir::NoDotAndDotDot,
                                               QDir::Name);
    for (const QString& entry : entries) {
        if (comparable(entry) == wanted)
            return joined(dir, entry);
    }
    return exact;
}

bool FileLookup::exists(const QString& dir, const QString& name)
{
    return QFileInfo::exists(resolve(dir, name));
}
