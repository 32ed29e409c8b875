#include "platform/dbf/dbfindex.h"

#include "platform/dbf/dbferror.h"
#include "platform/dbf/dbftable.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <numeric>

namespace {

const QByteArray fileMagic = QByteArrayLiteral("BRIMORA-INDEX 1");

QString withoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

} // namespace

DbfIndex::DbfIndex(QString filePath, QString keyExpression, const DbfTable& table)
    : m_filePath(std::move(filePath))
    , m_keyExpression(keyExpression.trimmed())
    , m_table(table)
    , m_collator(QLocale(QLocale::German, QLocale::Germany))
{
    static const QRegularExpression descend(QStringLiteral("^descend\\s*\\(\\s*(\\w+)\\s*\\)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = descend.match(m_keyExpression);
    m_descending = match.hasMatch();
    const QString fieldName = m_descending ? match.captured(1) : m_keyExpression;
    m_field = table.fieldIndex(fieldName);
    const char type = m_field >= 0 ? table.fields().at(m_field).type : '?';
    if (m_field < 0 || (m_descending ? type != 'N' : type != 'C'))
        throw DbfError(DbfError::Kind::BadIndex, m_filePath,
                       QStringLiteral("Den Indexschlüssel „%1“ kann die Tabelle nicht bilden.").arg(m_keyExpression));

    const int count = table.recordCount();
    m_keys.resize(count + 1);
    for (int recno = 1; recno <= count; ++recno)
        m_keys[recno] = keyOf(recno);
    m_order.resize(count);
    std::iota(m_order.begin(), m_order.end(), 1);
    std::stable_sort(m_order.begin(), m_order.end(),
                     [this](int a, int b) { return before(m_keys[a], a, m_keys[b], b); });
    rebuildPositions();
}

QVariant DbfIndex::keyOf(int recno) const
{
    const QVariant value = m_table.value(recno, m_field);
    if (m_descending)
        return value.toDouble();
    return withoutTrailingBlanks(value.toString());
}

int DbfIndex::compareKeys(const QVariant& a, const QVariant& b) const
{
    if (m_descending) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x > y ? -1 : (x < y ? 1 : 0);
    }
    return m_collator.compare(a.toString(), b.toString());
}

bool DbfIndex::before(const QVariant& a, int recnoA, const QVariant& b, int recnoB) const
{
    const int c = compareKeys(a, b);
    return c != 0 ? c < 0 : recnoA < recnoB;
}

void DbfIndex::rebuildPositions()
{
    m_positions.assign(m_keys.size(), -1);
    for (size_t pos = 0; pos < m_order.size(); ++pos)
        m_positions[m_order[pos]] = int(pos);
}

int DbfIndex::positionOf(int recno) const
{
    return recno > 0 && recno < int(m_positions.size()) ? m_positions[recno] : -1;
}

void DbfIndex::update(int recno)
{
    if (recno >= int(m_keys.size()))
        m_keys.resize(recno + 1);
    const int old = positionOf(recno);
    if (old >= 0)
        m_order.erase(m_order.begin() + old);
    m_keys[recno] = keyOf(recno);
    const auto place = std::lower_bound(m_order.begin(), m_order.end(), recno, [this](int other, int r) {
        return before(m_keys[other], other, m_keys[r], r);
    });
    m_order.insert(place, recno);
    rebuildPositions();
}

int DbfIndex::seek(const QVariant& key) const
{
    const QVariant wanted = m_descending ? QVariant(key.toDouble()) : QVariant(withoutTrailingBlanks(key.toString()));
    const auto place = std::lower_bound(m_order.begin(), m_order.end(), wanted, [this](int other, const QVariant& k) {
        return compareKeys(m_keys[other], k) < 0;
    });
    if (place == m_order.end() || compareKeys(m_keys[*place], wanted) != 0)
        return -1;
    return int(place - m_order.begin());
}

void DbfIndex::writeFile() const
{
    QSaveFile file(m_filePath);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = fileMagic + "\nkey=" + m_keyExpression.toUtf8() + "\n";
        // A full disk refuses the buffered bytes only when they are flushed, which commit() does not
        // check: without this an empty index file would replace the old one.
        if (file.write(bytes) == bytes.size() && file.flush() && file.commit())
            return;
    }
    throw DbfError(DbfError::Kind::WriteFailed, m_filePath,
                   QStringLiteral("Die Indexdatei ließ sich nicht schreiben: %1.").arg(file.errorString()));
}

QString DbfIndex::readKeyExpression(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw DbfError(DbfError::Kind::FileMissing, filePath, QStringLiteral("Die Indexdatei fehlt."));
    const QList<QByteArray> lines = file.read(4096).split('\n');
    if (lines.size() < 2 || lines[0] != fileMagic || !lines[1].startsWith("key="))
        throw DbfError(DbfError::Kind::BadIndex, filePath, QStringLiteral("Die Indexdatei ist beschädigt."));
    return QString::fromUtf8(lines[1].mid(4)).trimmed();
}
