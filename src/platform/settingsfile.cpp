#include "platform/settingsfile.h"

#include "platform/filelookup.h"
#include "platform/settingserror.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

namespace {

// Settings files are a few lines long; anything bigger is not one of ours.
constexpr qint64 maximumFileSize = 1024 * 1024;
// Lists in lists: deep enough for any setting, shallow enough to stop a runaway "{{{{…".
constexpr int maximumListDepth = 32;

using Variable = std::pair<QString, QVariant>;

bool isNameStart(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || c == QLatin1Char('_');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || isDigit(c);
}

bool isValidName(const QString& name)
{
    if (name.isEmpty() || !isNameStart(name.front()))
        return false;
    for (QChar c : name) {
        if (!isNameChar(c))
            return false;
    }
    return true;
}

// A piece of the line for a message, cut short and with invisible characters made visible.
QString quoted(QStringView text)
{
    constexpr qsizetype shown = 20;
    QString result;
    for (QChar c : text.left(shown))
        result += c.isPrint() ? c : QChar(0xFFFD);
    if (text.size() > shown)
        result += QChar(0x2026);
    return QStringLiteral("„%1“").arg(result);
}

void skipSpaces(const QString& line, qsizetype& pos)
{
    while (pos < line.size() && (line[pos] == QLatin1Char(' ') || line[pos] == QLatin1Char('\t')))
        ++pos;
}

bool atLineEnd(const QString& line, qsizetype pos)
{
    return pos >= line.size() || line[pos] == QLatin1Char('#');
}

// The run of characters that belongs to a value token, for messages about it.
QStringView token(const QString& line, qsizetype from)
{
    const QString stops = QStringLiteral(" \t,}#");
    qsizetype end = from;
    while (end < line.size() && !stops.contains(line[end]))
        ++end;
    return QStringView(line).mid(from, std::max<qsizetype>(end - from, 1));
}

bool parseValue(const QString& line, qsizetype& pos, int depth, QVariant& value, QString& fault);

bool parseString(const QString& line, qsizetype& pos, QVariant& value, QString& fault)
{
    QString text;
    ++pos;  // the opening quote
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == QLatin1Char('"')) {
            value = text;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            text += c;
            continue;
        }
        if (pos >= line.size())
            break;
        const QChar escaped = line[pos++];
        switch (escaped.unicode()) {
        case '"': text += QLatin1Char('"'); break;
        case '\\': text += QLatin1Char('\\'); break;
        case 'n': text += QLatin1Char('\n'); break;
        case 'r': text += QLatin1Char('\r'); break;
        case 't': text += QLatin1Char('\t'); break;
        default:
            fault = QStringLiteral("Unbekannte Escape-Folge %1 im Text (erlaubt sind \\\" \\\\ \\n \\r \\t).")
                        .arg(quoted(QStringView(line).mid(pos - 2, 2)));
            return false;
        }
    }
    fault = QStringLiteral("Der Text ist nicht mit einem Anführungszeichen \" abgeschlossen.");
    return false;
}

bool parseList(const QString& line, qsizetype& pos, int depth, QVariant& value, QString& fault)
{
    if (depth >= maximumListDepth) {
        fault = QStringLiteral("Die Listen sind zu tief verschachtelt (höchstens %1 Ebenen).")
                    .arg(maximumListDepth);
        return false;
    }
    QVariantList list;
    ++pos;  // the opening brace
    skipSpaces(line, pos);
    if (pos < line.size() && line[pos] == QLatin1Char('}')) {
        ++pos;
        value = list;
        return true;
    }
    for (;;) {
        QVariant element;
        if (!parseValue(line, pos, depth + 1, element, fault))
            return false;
        list.append(element);
        skipSpaces(line, pos);
        if (atLineEnd(line, pos)) {
            fault = QStringLiteral("Die Liste ist nicht mit „}“ abgeschlossen.");
            return false;
        }
        if (line[pos] == QLatin1Char('}')) {
            ++pos;
            value = list;
            return true;
        }
        if (line[pos] != QLatin1Char(',')) {
            fault = QStringLiteral("In der Liste wird „,“ oder „}“ erwartet, gefunden: %1.")
                        .arg(quoted(QStringView(line).mid(pos)));
            return false;
        }
        ++pos;
    }
}

bool parseNumber(const QString& line, qsizetype& pos, int depth, QVariant& value, QString& fault)
{
    const qsizetype start = pos;
    auto digits = [&] {
        const qsizetype from = pos;
        while (pos < line.size() && isDigit(line[pos]))
            ++pos;
        return pos - from;
    };
    if (pos < line.size() && (line[pos] == QLatin1Char('+') || line[pos] == QLatin1Char('-')))
        ++pos;
    qsizetype mantissa = digits();
    if (pos < line.size() && line[pos] == QLatin1Char('.')) {
        ++pos;
        mantissa += digits();
    }
    bool wellFormed = mantissa > 0;
    if (wellFormed && pos < line.size() && (line[pos] == QLatin1Char('e') || line[pos] == QLatin1Char('E'))) {
        ++pos;
        if (pos < line.size() && (line[pos] == QLatin1Char('+') || line[pos] == QLatin1Char('-')))
            ++pos;
        wellFormed = digits() > 0;
    }
    if (pos < line.size() && (isNameChar(line[pos]) || line[pos] == QLatin1Char('.')))
        wellFormed = false;
    if (!wellFormed) {
        fault = QStringLiteral("%1 ist keine gültige Zahl.").arg(quoted(token(line, start)));
        return false;
    }
    if (depth == 0 && pos + 1 < line.size() && line[pos] == QLatin1Char(',') && isDigit(line[pos + 1])) {
        // "1,3" outside a list is a German decimal comma.
        fault = QStringLiteral("%1 ist keine gültige Zahl: Das Dezimalzeichen ist der Punkt.")
                    .arg(quoted(line.mid(start, pos + 1 - start) + token(line, pos + 1).toString()));
        return false;
    }
    const QString text = line.mid(start, pos - start);
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number)) {
        fault = QStringLiteral("Die Zahl %1 ist zu groß.").arg(quoted(text));
        return false;
    }
    value = number;
    return true;
}

bool parseWord(const QString& line, qsizetype& pos, QVariant& value, QString& fault)
{
    const qsizetype start = pos;
    while (pos < line.size() && isNameChar(line[pos]))
        ++pos;
    const QStringView word = QStringView(line).mid(start, pos - start);
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    fault = QStringLiteral("Unbekannter Wert %1: Texte stehen in Anführungszeichen, Wahrheitswerte heißen .T. "
                           "und .F.")
                .arg(quoted(token(line, start)));
    return false;
}

bool parseValue(const QString& line, qsizetype& pos, int depth, QVariant& value, QString& fault)
{
    skipSpaces(line, pos);
    if (atLineEnd(line, pos)) {
        fault = depth == 0 ? QStringLiteral("Nach „=“ fehlt der Wert.")
                           : QStringLiteral("Die Liste ist nicht mit „}“ abgeschlossen.");
        return false;
    }
    const QChar c = line[pos];
    if (c == QLatin1Char('"'))
        return parseString(line, pos, value, fault);
    if (c == QLatin1Char('{'))
        return parseList(line, pos, depth, value, fault);
    if (c == QLatin1Char('.') && pos + 2 < line.size() && line[pos + 2] == QLatin1Char('.')) {
        const QChar letter = line[pos + 1].toUpper();
        if (letter == QLatin1Char('T') || letter == QLatin1Char('F')) {
            value = letter == QLatin1Char('T');
            pos += 3;
            return true;
        }
    }
    if (isNameStart(c))
        return parseWord(line, pos, value, fault);
    if (isDigit(c) || c == QLatin1Char('.') || c == QLatin1Char('+') || c == QLatin1Char('-'))
        return parseNumber(line, pos, depth, value, fault);
    fault = QStringLiteral("Hier wird ein Wert erwartet, gefunden: %1.").arg(quoted(QStringView(line).mid(pos)));
    return false;
}

// One line of the file: nothing (blank or comment), or one variable.
bool parseLine(const QString& line, std::optional<Variable>& variable, QString& fault)
{
    qsizetype pos = 0;
    skipSpaces(line, pos);
    if (atLineEnd(line, pos))
        return true;
    const qsizetype nameStart = pos;
    if (!isNameStart(line[pos])) {
        fault = QStringLiteral("Eine Zeile beginnt mit einem Namen aus Buchstaben, Ziffern und Unterstrichen "
                               "(zuerst ein Buchstabe oder Unterstrich), gefunden: %1.")
                    .arg(quoted(QStringView(line).mid(pos)));
        return false;
    }
    while (pos < line.size() && isNameChar(line[pos]))
        ++pos;
    const QString name = line.mid(nameStart, pos - nameStart);
    skipSpaces(line, pos);
    if (pos >= line.size() || line[pos] != QLatin1Char('=')) {
        if (pos < line.size() && line[pos] != QLatin1Char('#')) {
            fault = QStringLiteral("Nach dem Namen „%1“ fehlt das Gleichheitszeichen „=“ (gefunden: %2).")
                        .arg(name, quoted(QStringView(line).mid(pos)));
        } else {
            fault = QStringLiteral("Nach dem Namen „%1“ fehlt das Gleichheitszeichen „=“.").arg(name);
        }
        return false;
    }
    ++pos;
    QVariant value;
    if (!parseValue(line, pos, 0, value, fault))
        return false;
    skipSpaces(line, pos);
    if (!atLineEnd(line, pos)) {
        fault = QStringLiteral("Nach dem Wert folgt noch %1; ein Kommentar beginnt mit „#“.")
                    .arg(quoted(QStringView(line).mid(pos)));
        return false;
    }
    variable = Variable(name, value);
    return true;
}

QList<Variable> parse(QByteArray content, const QString& fileName)
{
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QList<Variable> variables;
    int lineNumber = 0;
    for (const QByteArrayView bytes : content.split('\n')) {
        ++lineNumber;
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString line = decoder.decode(bytes);
        if (decoder.hasError()) {
            throw SettingsError(SettingsError::Kind::Damaged, fileName, lineNumber,
                                QStringLiteral("Die Zeile ist kein gültiger UTF-8-Text."));
        }
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        std::optional<Variable> variable;
        QString fault;
        if (!parseLine(line, variable, fault))
            throw SettingsError(SettingsError::Kind::Damaged, fileName, lineNumber, fault);
        if (variable)
            variables.append(std::move(*variable));
    }
    return variables;
}

QString formatNumber(double number)
{
    // The shortest text that reads back as the same double: 1.3 stays "1.3", 2 stays "2", -0 stays "-0".
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), number);
    return QString::fromLatin1(text, result.ptr - text);
}

QString formatString(const QString& text)
{
    QString result = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': result += QLatin1String("\\\""); break;
        case '\\': result += QLatin1String("\\\\"); break;
        case '\n': result += QLatin1String("\\n"); break;
        case '\r': result += QLatin1String("\\r"); break;
        case '\t': result += QLatin1String("\\t"); break;
        default: result += c;
        }
    }
    return result + QLatin1Char('"');
}

// The written form of a value, or a description of why it has none.
bool formatValue(const QVariant& value, QString& text, QString& fault)
{
    switch (value.typeId()) {
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!std::isfinite(number)) {
            fault = QStringLiteral("keine endliche Zahl");
            return false;
        }
        text = formatNumber(number);
        return true;
    }
    case QMetaType::QString:
        text = formatString(value.toString());
        return true;
    case QMetaType::Bool:
        text = value.toBool() ? QStringLiteral(".T.") : QStringLiteral(".F.");
        return true;
    case QMetaType::QVariantList: {
        QStringList elements;
        for (const QVariant& element : value.toList()) {
            QString elementText;
            if (!formatValue(element, elementText, fault))
                return false;
            elements.append(elementText);
        }
        text = QLatin1Char('{') + elements.join(QLatin1String(", ")) + QLatin1Char('}');
        return true;
    }
    default:
        fault = value.isValid() ? QStringLiteral("Typ %1").arg(QString::fromLatin1(value.typeName()))
                                : QStringLiteral("kein Wert");
        return false;
    }
}

} // namespace

void SettingsFile::save(const QString& path, const QString& pattern, const NamedVariables& vars)
{
    const QString fileName = resolvedPath(path);
    QString text = QStringLiteral("# Brimora 2.0 – Einstellungen\n");
    for (const QString& name : vars.names()) {
        if (!matches(name, pattern))
            continue;
        if (!isValidName(name)) {
            throw SettingsError(SettingsError::Kind::CannotStore, fileName, 0,
                                QStringLiteral("Der Name „%1“ kann nicht in einer Einstellungsdatei stehen.")
                                    .arg(name));
        }
        QString valueText;
        QString fault;
        if (!formatValue(vars.value(name), valueText, fault)) {
            throw SettingsError(SettingsError::Kind::CannotStore, fileName, 0,
                                QStringLiteral("Der Wert von „%1“ kann nicht in einer Einstellungsdatei "
                                               "stehen (%2).")
                                    .arg(name, fault));
        }
        text += name + QLatin1String(" = ") + valueText + QLatin1Char('\n');
    }

    QSaveFile file(fileName);
    const QByteArray bytes = text.toUtf8();
    // The text sits in Qt's write buffer until flushed; a full disk refuses it only then, and
    // commit() would not notice, replacing the old file by an empty one. So flush and check first.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        throw SettingsError(SettingsError::Kind::CannotWrite, fileName, 0,
                            QStringLiteral("Die Datei kann nicht geschrieben werden (%1).")
                                .arg(file.errorString()));
    }
}

void SettingsFile::restore(const QString& path, NamedVariables& vars)
{
    const QString fileName = resolvedPath(path);
    const QFileInfo info(fileName);
    if (!info.exists()) {
        throw SettingsError(SettingsError::Kind::FileMissing, fileName, 0,
                            QStringLiteral("Die Datei ist nicht vorhanden."));
    }
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        throw SettingsError(SettingsError::Kind::CannotRead, fileName, 0,
                            QStringLiteral("Die Datei kann nicht gelesen werden (%1).")
                                .arg(info.isDir() ? QStringLiteral("ein Verzeichnis") : file.errorString()));
    }
    // A buffer of the file's own size, not of the limit: the game reads its few-line files often.
    // One byte more than the limit still shows a file that is too big.
    const QByteArray content = file.read(std::min(file.size(), maximumFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        throw SettingsError(SettingsError::Kind::CannotRead, fileName, 0,
                            QStringLiteral("Die Datei kann nicht gelesen werden (%1).").arg(file.errorString()));
    }
    if (content.size() > maximumFileSize) {
        throw SettingsError(SettingsError::Kind::Damaged, fileName, 0,
                            QStringLiteral("Die Datei ist zu groß für eine Einstellungsdatei."));
    }
    for (const Variable& variable : parse(content, fileName))
        vars.set(variable.first, variable.second);
}

bool SettingsFile::exists(const QString& path)
{
    return QFileInfo::exists(resolvedPath(path));
}

QString SettingsFile::resolvedPath(const QString& path)
{
    const QString name = withDefaultExtension(path);
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return FileLookup::resolve(QString(), name);
    return FileLookup::resolve(name.left(slash + 1), name.mid(slash + 1));
}

QString SettingsFile::withDefaultExtension(QString name)
{
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (!name.mid(slash + 1).contains(QLatin1Char('.')))
        name += QLatin1String(".xpf");
    return name;
}

bool SettingsFile::matches(const QString& name, const QString& pattern)
{
    // Wildcards the usual way: on a mismatch go back to the last "*" and let it take one more character.
    auto same = [](QChar a, QChar b) { return a == b || a.toCaseFolded() == b.toCaseFolded(); };
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype star = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}
