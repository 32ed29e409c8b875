#include "app/datadirectory.h"

#include "platform/filelookup.h"

#include <QDir>

namespace {

const QString catalog = QStringLiteral("quiz.QUZ");

bool holdsCatalog(const QString& dir)
{
    return QDir(dir).exists() && FileLookup::exists(dir, catalog);
}

} // namespace

QString DataDirectory::find(const QString& workingDirectory, const QString& allUsersProfile)
{
    QString Pfad = QDir::cleanPath(workingDirectory);
    // The last component, at most 50 characters, without trailing blanks; empty at the root.
    QString name = Pfad.mid(Pfad.lastIndexOf(QLatin1Char('/')) + 1).left(50);
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);

    const QString atRoot = QStringLiteral("/") + name;
    if (holdsCatalog(atRoot))
        return QDir::cleanPath(atRoot);
    if (!allUsersProfile.isEmpty()) {
        const QString inProfile = allUsersProfile + QLatin1Char('/') + name;
        if (holdsCatalog(inProfile))
            return QDir::cleanPath(inProfile);
    }
    return Pfad;
}
