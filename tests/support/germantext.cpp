#include "germantext.h"

#include <QRegularExpression>
#include <QSet>

bool GermanText::looksGerman(const QString& text)
{
    static const QSet<QString> words = {
        QStringLiteral("der"),   QStringLiteral("die"),   QStringLiteral("das"),   QStringLiteral("den"),
        QStringLiteral("dem"),   QStringLiteral("des"),   QStringLiteral("ein"),   QStringLiteral("eine"),
        QStringLiteral("einen"), QStringLiteral("ist"),   QStringLiteral("sind"),  QStringLiteral("nicht"),
        QStringLiteral("kein"),  QStringLiteral("keine"), QStringLiteral("keinen"), QStringLiteral("und"),
        QStringLiteral("hat"),   QStringLiteral("fehlt"), QStringLiteral("nur"),   QStringLiteral("zu"),
        QStringLiteral("mit"),   QStringLiteral("von"),   QStringLiteral("hinter"), QStringLiteral("passt"),
        QStringLiteral("Datei"), QStringLiteral("Tabelle"), QStringLiteral("Fehler"), QStringLiteral("Feld"),
    };
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"), QRegularExpression::UseUnicodePropertiesOption);
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        if (words.contains(word) || words.contains(word.toLower()))
            return true;
    }
    return false;
}
