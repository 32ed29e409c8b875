#include "data/cataloglayout.h"

namespace {

DbfField field(const char* name, char type, int length, int decimals = 0)
{
    DbfField f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.length = length;
    f.decimals = decimals;
    return f;
}

} // namespace

QList<DbfField> CatalogLayout::questionCatalog()
{
    return {
        field("GEBIET", 'C', 25), field("STUFE", 'N', 1),
        field("FR1", 'C', 50),    field("FR2", 'C', 50),
        field("AR11", 'C', 40),   field("AR12", 'C', 40),
        field("AF21", 'C', 40),   field("AF22", 'C', 40),
        field("AF31", 'C', 40),   field("AF32", 'C', 40),
        field("AF41", 'C', 40),   field("AF42", 'C', 40),
        field("INFO", 'M', 10),
    };
}

QList<DbfField> CatalogLayout::topicTable()
{
    return {field("NAME", 'C', 25), field("ANZ", 'N', 5)};
}

QList<DbfField> CatalogLayout::highScoreTable()
{
    return {field("RICHTIGE", 'N', 4), field("NAME", 'C', 20), field("DATUM", 'D', 8)};
}

QString CatalogLayout::infoForTable(const QString& text)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > infoLineLength) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QStringLiteral("\r\n"));
}

QString CatalogLayout::infoFromTable(const QString& stored)
{
    return QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
}
