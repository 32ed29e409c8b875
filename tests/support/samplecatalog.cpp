#include "samplecatalog.h"

#include <QDate>
#include <QJsonObject>

namespace {

// A German text of exactly length characters.
QString text(int length, const QString& pattern = QStringLiteral("Köln liegt am Rhein; Straße, Größe, Übermaß. "))
{
    QString result;
    while (result.size() < length)
        result += pattern;
    return result.left(length);
}

QJsonValue peerValue(const QVariant& value)
{
    if (!value.isValid())
        return QJsonValue::Null;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::Double:
        return value.toDouble();
    default:
        return value.toString();
    }
}

} // namespace

QString SampleCatalog::fields()
{
    return QStringLiteral("GEBIET C(30); STUFE N(1,0); FR1 C(40); FR2 C(40); AR11 C(30); INFO M; DATUM D; PUNKTE N(7,2)");
}

QList<SampleCatalog::Record> SampleCatalog::records()
{
    const auto s = [](const QString& t) { return QVariant(t); };
    const auto n = [](qlonglong v) { return QVariant(v); };
    const auto d = [](double v) { return QVariant(v); };
    const QVariant blank;
    return {
        {false, {s(QStringLiteral("Geografie")), n(3), s(QStringLiteral("Wo liegt Köln?")),
                 s(QStringLiteral("Größte Stadt an der Straße")), s(QStringLiteral("Am Rhein")), s(text(600)),
                 QDate(1999, 12, 31), d(12.5)}},
        {false, {s(QStringLiteral("Sprache")), n(1), s(QStringLiteral("Was heißt ß?")), s(QString()),
                 s(QStringLiteral("Eszett")), s(text(1100, QStringLiteral("Zeile mit Ä, Ö und Ü.\r\n"))),
                 QDate(2024, 2, 29), d(-3.25)}},
        {false, {s(QStringLiteral("Leer")), blank, s(QString()), s(QString()), s(QString()), s(QString()), blank,
                 blank}},
        {true, {s(QStringLiteral("Gelöscht")), n(2), s(QStringLiteral("Ist das gelöscht?")), s(QString()),
                s(QStringLiteral("Ja")), s(QStringLiteral("kurz")), QDate(2000, 1, 1), d(0.5)}},
        {false, {s(QStringLiteral("Grenzfall ½ ± ° µ ¿ ¡")), n(9), s(text(39) + QStringLiteral("Ü")),
                 s(QStringLiteral("éèêàçñ ÆØÅ æøå")), s(text(30)), s(text(510)), QDate(1900, 1, 1), d(9999.99)}},
        {false, {s(QStringLiteral("Grenzfall")), n(0), s(QStringLiteral("Memo über die Blockgrenze")), s(QString()),
                 s(QStringLiteral("Nein")), s(text(511)), QDate(2038, 1, 19), d(-99.99)}},
        {false, {s(QStringLiteral("Grenzfall")), n(5), s(QStringLiteral("Memo von genau einem Block")), s(QString()),
                 s(QStringLiteral("Vielleicht")), s(text(512)), blank, d(1.0)}},
        {false, {s(QStringLiteral("Ohne Memo")), n(4), s(QStringLiteral("Kein Memo-Block")), s(QString()),
                 s(QStringLiteral("Gar keins")), blank, QDate(2023, 10, 3), blank}},
    };
}

QJsonArray SampleCatalog::forPeer(const QList<Record>& records)
{
    QJsonArray result;
    for (const Record& r : records) {
        QJsonArray values;
        for (const QVariant& v : r.values)
            values.append(peerValue(v));
        result.append(QJsonObject{{QStringLiteral("deleted"), r.deleted}, {QStringLiteral("values"), values}});
    }
    return result;
}
