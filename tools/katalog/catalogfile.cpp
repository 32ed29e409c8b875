#include "catalogfile.h"

#include "data/cataloglayout.h"
#include "data/catalogsource.h"
#include "platform/dbf/dbftable.h"
#include "tabledump.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

// The question each line of a catalog text belongs to, grouped as the source parser groups them: a
// question begins with the first field line after a blank line; comments belong to the question
// around them. Index 0 is unused (lines count from 1); 0 means outside every question.
QList<int> questionOfLine(QByteArray text)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QList<int> numbers{0};
    int question = 0;
    bool inside = false;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString trimmed = QString::fromUtf8(line).trimmed();
        if (trimmed.isEmpty()) {
            inside = false;
        } else if (!inside && !trimmed.startsWith(QLatin1Char('#'))) {
            ++question;
            inside = true;
        }
        numbers << (inside ? question : 0);
    }
    return numbers;
}

QString codePoint(QChar c)
{
    return QStringLiteral("U+") + QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// The faults of the characters of a stored text, each character named once. The memo may hold
// line breaks (CR LF); every other control character, ";" (the game's line separator) and "~"
// (its shortcut mark) are faults.
QStringList characterFaults(const QString& text, bool lineBreaksAllowed)
{
    QStringList faults;
    QSet<QChar> named;
    for (QChar c : text) {
        if (named.contains(c))
            continue;
        named.insert(c);
        if (lineBreaksAllowed && (c == QLatin1Char('\r') || c == QLatin1Char('\n')))
            continue;
        if (c == QLatin1Char(';'))
            faults << QStringLiteral("Der Text enthält „;“; das Zeichen trennt im Spiel die Zeilen.");
        else if (c == QLatin1Char('~'))
            faults << QStringLiteral("Der Text enthält „~“; das Zeichen markiert im Spiel den Tastenkürzel-Buchstaben.");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            faults << QStringLiteral("Der Text enthält das Steuerzeichen %1.").arg(codePoint(c));
    }
    return faults;
}

// STUFE as written in the table: a whole number, a number with decimals, or empty.
QString levelText(const QVariant& value)
{
    if (!value.isValid())
        return QString();
    return value.typeId() == QMetaType::LongLong ? QString::number(value.toLongLong())
                                                 : QString::number(value.toDouble());
}

} // namespace

CatalogFile CatalogFile::load(const QString& path)
{
    CatalogFile file;
    file.m_path = path;
    file.m_isTable = isTablePath(path);
    if (file.m_isTable)
        file.readTable();
    else
        file.readText();
    return file;
}

bool CatalogFile::isTablePath(const QString& path)
{
    return path.endsWith(QStringLiteral(".QUZ"), Qt::CaseInsensitive);
}

QString CatalogFile::questionName(int number) const
{
    return (m_isTable ? QStringLiteral("Datensatz %1") : QStringLiteral("Frage %1")).arg(number);
}

QString CatalogFile::fieldName(int field) const
{
    const QString name = CatalogLayout::questionCatalog().at(field).name;
    return m_isTable ? name : name.toLower();
}

void CatalogFile::addProblem(const Question& question, int field, const QString& message)
{
    const QString file = question.line > 0 ? QStringLiteral("%1:%2").arg(m_path, QString::number(question.line)) : m_path;
    const QString where = field < 0 ? questionName(question.number)
                                    : QStringLiteral("%1, %2").arg(questionName(question.number), fieldName(field));
    m_problems.append(Problem{question.number, QStringLiteral("%1: %2: %3").arg(file, where, message)});
}

void CatalogFile::addProblem(const QString& message)
{
    m_problems.append(Problem{0, QStringLiteral("%1: %2").arg(m_path, message)});
}

void CatalogFile::readText()
{
    if (!QFileInfo(m_path).isFile()) {
        addProblem(QStringLiteral("Die Datei gibt es nicht."));
        return;
    }
    QFile input(m_path);
    if (!input.open(QIODevice::ReadOnly)) {
        addProblem(QStringLiteral("Die Datei lässt sich nicht lesen: %1.").arg(input.errorString()));
        return;
    }
    const QByteArray bytes = input.readAll();
    const QList<int> questionAt = questionOfLine(bytes);
    m_count = questionAt.isEmpty() ? 0 : *std::max_element(questionAt.begin(), questionAt.end());
    const auto questionOf = [&](int line) { return line > 0 && line < questionAt.size() ? questionAt.at(line) : 0; };

    const CatalogSource source = CatalogSource::parse(bytes);
    for (const CatalogSource::Error& error : source.errors()) {
        const int number = questionOf(error.line);
        if (number == 0)
            m_problems.append(Problem{0, error.text(m_path)});
        else
            m_problems.append(Problem{number, QStringLiteral("%1:%2: %3: %4")
                                                  .arg(m_path, QString::number(error.line), questionName(number), error.message)});
    }
    for (const CatalogSource::Record& record : source.records()) {
        Question question{questionOf(record.line), record.line, {}, {}};
        for (const QVariant& value : record.values)
            question.values << value.toString();
        m_questions << question;
    }
}

void CatalogFile::readTable()
{
    std::unique_ptr<DbfTable> table;
    try {
        table = DbfTable::open(m_path);
    } catch (const DbfError& error) {
        addProblem(error.message());
        return;
    }
    m_count = table->recordCount();
    if (m_count == 0)
        addProblem(QStringLiteral("Die Tabelle enthält keine Frage."));

    const QList<DbfField> layout = CatalogLayout::questionCatalog();
    QList<int> columns;
    for (int field = 0; field < FieldCount; ++field) {
        const DbfField& wanted = layout.at(field);
        const int column = table->fieldIndex(wanted.name);
        columns << column;
        if (column < 0) {
            addProblem(QStringLiteral("Der Tabelle fehlt das Feld „%1“.").arg(wanted.name));
            m_present[field] = false;
        } else if (table->fields().at(column).type != wanted.type) {
            addProblem(QStringLiteral("Das Feld „%1“ hat den Typ %2; ein Fragenkatalog hat es vom Typ %3.")
                           .arg(wanted.name, QChar::fromLatin1(table->fields().at(column).type),
                                QChar::fromLatin1(wanted.type)));
            m_present[field] = false;
        }
    }

    for (int recno = 1; recno <= m_count; ++recno) {
        Question question{recno, 0, QStringList(FieldCount), {}};
        for (int field = 0; field < FieldCount; ++field) {
            if (!m_present.at(field))
                continue;
            try {
                const QVariant value = table->value(recno, columns.at(field));
                if (field == Stufe) {
                    question.values[field] = levelText(value);
                    continue;
                }
                const QString text = TableDump::withoutPadding(value.toString());
                for (const QString& fault : characterFaults(text, field == Info))
                    addProblem(question, field, fault);
                if (field == Info) {
                    question.values[field] = CatalogLayout::infoFromTable(text);
                } else {
                    question.values[field] = text;
                    if (text.size() > layout.at(field).length)
                        addProblem(question, field, QStringLiteral("Der Text ist %1 Zeichen lang; das Feld fasst %2.")
                                                        .arg(text.size()).arg(layout.at(field).length));
                }
            } catch (const DbfError& error) {
                addProblem(question, field, error.fault());
                question.unreadable << field;
            }
        }
        m_questions << question;
    }
}
