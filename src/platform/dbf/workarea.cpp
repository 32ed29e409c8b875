#include "platform/dbf/workarea.h"

#include "platform/dbf/database.h"

WorkArea::WorkArea(const Database& database, int number, std::unique_ptr<DbfTable> table, QString alias)
    : m_database(database)
    , m_number(number)
    , m_table(std::move(table))
    , m_alias(std::move(alias))
{
    goTop();
}

int WorkArea::positionOf(int recno) const
{
    return m_indexes.empty() ? recno - 1 : m_indexes.front()->positionOf(recno);
}

int WorkArea::recnoAt(int position) const
{
    return m_indexes.empty() ? position + 1 : m_indexes.front()->recnoAt(position);
}

void WorkArea::goPhantom()
{
    m_recno = recCount() + 1;
    m_eof = true;
}

void WorkArea::goToPosition(int position)
{
    if (position < 0 || position >= recCount()) {
        goPhantom();
        return;
    }
    m_recno = recnoAt(position);
    m_eof = false;
}

void WorkArea::goTop()
{
    goToPosition(0);
    m_bof = m_eof;
}

void WorkArea::goBottom()
{
    goToPosition(recCount() - 1);
    m_bof = m_eof;
}

void WorkArea::goTo(int recno)
{
    m_bof = false;
    if (recno < 1 || recno > recCount()) {
        goPhantom();
        return;
    }
    m_recno = recno;
    m_eof = false;
}

void WorkArea::skip(int count)
{
    if (recCount() == 0) {
        goPhantom();
        m_bof = true;
        return;
    }
    m_bof = false;
    for (; count > 0 && !m_eof; --count)
        goToPosition(positionOf(m_recno) + 1);
    for (; count < 0; ++count) {
        if (m_eof) {
            goToPosition(recCount() - 1);
            continue;
        }
        const int position = positionOf(m_recno);
        if (position <= 0) {
            m_bof = true;
            break;
        }
        goToPosition(position - 1);
    }
}

bool WorkArea::deleted() const
{
    return !m_eof && m_table->isDeleted(m_recno);
}

QVariant WorkArea::fieldGet(const QString& name) const
{
    return fieldGet(m_table->requireField(name));
}

QVariant WorkArea::fieldGet(int field) const
{
    return m_eof ? m_table->blankValue(field) : m_table->value(m_recno, field);
}

void WorkArea::fieldPut(const QString& name, const QVariant& value)
{
    fieldPut(m_table->requireField(name), value);
}

void WorkArea::fieldPut(int field, const QVariant& value)
{
    if (m_eof)
        throw DbfError(DbfError::Kind::NotPositioned, m_table->path(),
                       QStringLiteral("Kein Datensatz ist ausgewählt (Dateiende)."));
    m_table->setValue(m_recno, field, value);
    indexesTake(m_recno, field);
}

void WorkArea::append(const QList<QVariant>& values)
{
    m_recno = m_table->appendRecord(values);
    m_eof = m_bof = false;
    indexesTake(m_recno, -1);
}

// Keeps every active index in step with a changed (field >= 0) or new (field -1) record.
void WorkArea::indexesTake(int recno, int field)
{
    for (const auto& index : m_indexes) {
        if (field < 0 || index->keyField() == field)
            index->update(recno);
    }
}

void WorkArea::createIndex(const QString& name, const QString& keyExpression)
{
    auto index = std::make_unique<DbfIndex>(m_database.indexPath(name), keyExpression, *m_table);
    const DbfIndex& built = *index;
    m_indexes.clear();
    m_indexes.push_back(std::move(index));
    goTop();
    // The order lives in memory; the file only records the key. When it cannot be written (a full
    // disk) the fault is raised, but the records already follow the new index, so a caller that
    // goes on does not write into the wrong record.
    built.writeFile();
}

void WorkArea::clearIndexes()
{
    m_indexes.clear();
}

void WorkArea::setIndex(const QString& name)
{
    const QString path = m_database.indexPath(name);
    m_indexes.push_back(std::make_unique<DbfIndex>(path, DbfIndex::readKeyExpression(path), *m_table));
    if (m_indexes.size() == 1)
        goTop();
}

bool WorkArea::seek(const QVariant& key)
{
    if (m_indexes.empty())
        throw DbfError(DbfError::Kind::BadIndex, m_table->path(),
                       QStringLiteral("Suchen geht nur mit einem aktiven Index."));
    const int position = m_indexes.front()->seek(key);
    m_found = position >= 0;
    m_bof = false;
    goToPosition(m_found ? position : -1);
    return m_found;
}
