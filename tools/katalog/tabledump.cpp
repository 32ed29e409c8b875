#include "tabledump.h"

#include "platform/dbf/dbftable.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString json(const QJsonValue& value)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

QJsonValue fieldValue(const DbfTable& table, int recno, int field)
{
    const QVariant value = table.value(recno, field);
    switch (table.fields().at(field).type) {
    case 'C':
        return TableDump::withoutPadding(value.toString());
    case 'N':
        if (!value.isValid())
            return QJsonValue::Null;
        return value.typeId() == QMetaType::LongLong ? QJsonValue(value.toLongLong()) : QJsonValue(value.toDouble());
    case 'D':
        return value.toDate().isNull() ? QJsonValue::Null : QJsonValue(value.toDate().toString(Qt::ISODate));
    case 'L':
        return value.isValid() ? QJsonValue(value.toBool()) : QJsonValue::Null;
    case 'M':
        return table.memoBlock(recno, field) == 0 ? QJsonValue::Null : QJsonValue(value.toString());
    }
    return QJsonValue::Null;
}

QString recordLine(const DbfTable& table, int recno)
{
    QString line = QStringLiteral("{\"recno\":%1,\"deleted\":%2,\"fields\":{")
                       .arg(recno)
                       .arg(table.isDeleted(recno) ? QStringLiteral("true") : QStringLiteral("false"));
    for (int f = 0; f < table.fields().size(); ++f) {
        if (f > 0)
            line += QLatin1Char(',');
        line += json(table.fields().at(f).name) + QLatin1Char(':') + json(fieldValue(table, recno, f));
    }
    return line + QStringLiteral("}}");
}

} // namespace

QString TableDump::withoutPadding(QString text)
{
    while (!text.isEmpty() && (text.endsWith(QLatin1Char(' ')) || text.endsWith(QChar(0))))
        text.chop(1);
    return text;
}

int TableDump::run(const QString& path, QTextStream& out, QTextStream& err)
{
    try {
        const auto table = DbfTable::open(path);
        for (int recno = 1; recno <= table->recordCount(); ++recno)
            out << recordLine(*table, recno) << '\n';
        out.flush();
        return 0;
    } catch (const DbfError& error) {
        out.flush();
        err << error.message() << '\n';
        err.flush();
        return 1;
    }
}
