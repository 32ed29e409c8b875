#include "data/catalogsource.h"

#include "data/cataloglayout.h"
#include "platform/cp850.h"

#include <QFile>
#include <QSet>

#include <algorithm>

namespace {

constexpr int stufeField = 1;
constexpr char32_t endOfFile = 0x1A;

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence (no overlong
// forms, no surrogates, nothing above U+10FFFF), -1 when the bytes are UTF-8.
qsizetype invalidUtf8At(const QByteArray& bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        int more = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n)
                return i;
            const unsigned char d = s[i + k];
            const unsigned char lo = k == 1 ? low : 0x80;
            const unsigned char hi = k == 1 ? high : 0xBF;
            if (d < lo || d > hi)
                return i;
        }
        i += more + 1;
    }
    return -1;
}

// A text from the file quoted for a message, shortened when it is long.
QString quoted(const QString& text)
{
    constexpr int shown = 40;
    return QStringLiteral("„%1“").arg(text.size() > shown ? text.left(shown) + QStringLiteral("…") : text);
}

QString codePoint(char32_t c)
{
    return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString fieldList()
{
    return CatalogSource::fieldNames().join(QStringLiteral(", "));
}

} // namespace

QString CatalogSource::Error::text(const QString& file) const
{
    return line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message)
                    : QStringLiteral("%1: %2").arg(file, message);
}

QStringList CatalogSource::fieldNames()
{
    QStringList names;
    for (const DbfField& f : CatalogLayout::questionCatalog())
        names << f.name.toLower();
    return names;
}

CatalogSource CatalogSource::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CatalogSource source;
        source.addError(0, QStringLiteral("Die Datei lässt sich nicht lesen: %1.").arg(file.errorString()));
        return source;
    }
    return parse(file.readAll());
}

CatalogSource CatalogSource::parse(const QByteArray& utf8)
{
    CatalogSource source;
    source.m_names = fieldNames();
    source.m_layout = CatalogLayout::questionCatalog();
    source.m_fields.resize(source.m_names.size());
    QByteArray text = utf8;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);

    int line = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArray bytes = text.mid(start, end - start);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        ++line;
        // A final line break does not start another line.
        if (!(end == text.size() && bytes.isEmpty() && start == end))
            source.parseLine(line, bytes);
        start = end + 1;
    }
    source.endRecord();

    if (source.m_records.isEmpty() && source.m_errors.isEmpty())
        source.addError(0, QStringLiteral("Die Datei enthält keine Frage."));
    std::stable_sort(source.m_errors.begin(), source.m_errors.end(),
                     [](const Error& a, const Error& b) { return a.line < b.line; });
    return source;
}

void CatalogSource::addError(int line, const QString& message)
{
    m_errors.append(Error{line, message});
}

void CatalogSource::parseLine(int line, const QByteArray& bytes)
{
    const qsizetype bad = invalidUtf8At(bytes);
    if (bad >= 0) {
        addError(line, QStringLiteral("Die Zeile ist kein gültiges UTF-8 (Byte 0x%1 an Stelle %2); "
                                      "die Datei muss als UTF-8 gespeichert sein.")
                           .arg(QString::number(uint(static_cast<unsigned char>(bytes[bad])), 16).toUpper())
                           .arg(bad + 1));
    }
    const QString text = QString::fromUtf8(bytes);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() && bad < 0) {
        endRecord();
        return;
    }
    if (trimmed.startsWith(QLatin1Char('#')))
        return;

    if (m_recordLine == 0)
        m_recordLine = line;
    if (bad >= 0)
        m_recordBroken = true;

    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        addError(line, QStringLiteral("Die Zeile hat nicht die Form „feld: wert“."));
        m_recordBroken = true;
        return;
    }
    const QString name = text.left(colon).trimmed();
    const int field = int(m_names.indexOf(name));
    if (field < 0) {
        if (name.isEmpty())
            addError(line, QStringLiteral("Vor dem Doppelpunkt fehlt der Feldname."));
        else if (m_names.contains(name.toLower()))
            addError(line, QStringLiteral("Feldnamen werden klein geschrieben: %1 statt %2.")
                               .arg(quoted(name.toLower()), quoted(name)));
        else
            addError(line, QStringLiteral("Unbekanntes Feld %1; die Felder sind: %2.").arg(quoted(name), fieldList()));
        m_recordBroken = true;
        return;
    }

    const QString& fieldName = m_names.at(field);
    if (m_fields[field].line > 0) {
        addError(line, QStringLiteral("Das Feld %1 steht zweimal in der Frage (zuerst in Zeile %2).")
                           .arg(quoted(fieldName))
                           .arg(m_fields[field].line));
        m_recordBroken = true;
        return;
    }
    if (field < m_lastField) {
        addError(line, QStringLiteral("Das Feld %1 steht nach %2; die Reihenfolge ist: %3.")
                           .arg(quoted(fieldName), quoted(m_names.at(m_lastField)), fieldList()));
        m_recordBroken = true;
    }
    m_lastField = std::max(m_lastField, field);

    Field& f = m_fields[field];
    f.line = line;
    f.value = text.mid(colon + 1).trimmed().normalized(QString::NormalizationForm_C);
    f.checked = bad < 0;
    if (f.checked && !checkValue(field, f))
        m_recordBroken = true;
}

// Checks one value against its field; adds an error for every fault and returns whether it is good.
bool CatalogSource::checkValue(int field, const Field& f)
{
    const QString name = quoted(m_names.at(field));
    const DbfField& layout = m_layout.at(field);
    bool good = true;
    const auto fault = [&](const QString& message) {
        addError(f.line, message);
        good = false;
    };

    QSet<char32_t> named;
    qsizetype characters = 0;
    for (char32_t c : f.value.toUcs4()) {
        ++characters;
        if (named.contains(c))
            continue;
        named.insert(c);
        if (c == U';')
            fault(QStringLiteral("%1 enthält „;“; das Zeichen trennt im Spiel die Zeilen.").arg(name));
        else if (c == U'~')
            fault(QStringLiteral("%1 enthält „~“; das Zeichen markiert im Spiel den Tastenkürzel-Buchstaben.").arg(name));
        else if (c == endOfFile)
            fault(QStringLiteral("%1 enthält das Zeichen 0x1A, das Dateiende-Zeichen der Tabellen.").arg(name));
        else if (c < 0x20 || c == 0x7F)
            fault(QStringLiteral("%1 enthält das Steuerzeichen %2.").arg(name, codePoint(c)));
        else if (c > 0xFFFF || !Cp850::canEncode(QChar(char16_t(c))))
            fault(QStringLiteral("%1 enthält das Zeichen %2 (%3), das es im Zeichensatz der Tabellen "
                                 "(Codepage 850) nicht gibt.")
                      .arg(name, QString::fromUcs4(&c, 1), codePoint(c)));
    }

    if (field == stufeField) {
        if (f.value.size() != 1 || f.value[0] < QLatin1Char('0') || f.value[0] > QLatin1Char('9'))
            fault(QStringLiteral("%1 muss eine ganze Zahl von 0 bis 9 sein, nicht %2.").arg(name, quoted(f.value)));
    } else if (layout.type == 'C' && characters > layout.length) {
        fault(QStringLiteral("%1 ist %2 Zeichen lang; das Feld fasst %3.").arg(name).arg(characters).arg(layout.length));
    }
    return good;
}

void CatalogSource::endRecord()
{
    if (m_recordLine == 0)
        return;
    QStringList missing;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].line == 0)
            missing << m_names.at(i);
    }
    if (!missing.isEmpty()) {
        addError(m_recordLine, missing.size() == 1
                                   ? QStringLiteral("Der Frage fehlt das Feld %1.").arg(quoted(missing.first()))
                                   : QStringLiteral("Der Frage fehlen die Felder %1.").arg(missing.join(QStringLiteral(", "))));
        m_recordBroken = true;
    }
    if (!m_recordBroken) {
        Record record;
        record.line = m_recordLine;
        for (int i = 0; i < m_fields.size(); ++i) {
            if (i == stufeField)
                record.values << QVariant(m_fields[i].value.toInt());
            else
                record.values << QVariant(m_fields[i].value);
        }
        m_records.append(record);
    }
    m_recordLine = 0;
    m_recordBroken = false;
    m_lastField = -1;
    m_fields.fill(Field{});
}
