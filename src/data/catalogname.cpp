#include "data/catalogname.h"

#include <QStringList>

QString CatalogName::inCapitals(const QString& name)
{
    // Composed first, so that a name written with combining marks reads the same.
    const QStringList parts = name.normalized(QString::NormalizationForm_C).split(QChar(0x00DF));
    QStringList upper;
    for (const QString& part : parts)
        upper << part.toUpper();
    return upper.join(QChar(0x00DF));
}
