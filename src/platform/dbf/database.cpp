#include "platform/dbf/database.h"

#include "platform/filelookup.h"

#include <QFileInfo>

void Database::setDefaultExtensions(const QString& table, const QString& index)
{
    m_tableExtension = table;
    m_indexExtension = index;
}

QString Database::resolve(const QString& name, const QString& defaultExtension) const
{
    const QString trimmed = name.trimmed();
    const QString file = QFileInfo(trimmed).fileName().contains(QLatin1Char('.'))
        ? trimmed
        : trimmed + QLatin1Char('.') + defaultExtension;
    return FileLookup::resolve(m_directory, file);
}

QString Database::tablePath(const QString& name) const
{
    return resolve(name, m_tableExtension);
}

QString Database::indexPath(const QString& name) const
{
    return resolve(name, m_indexExtension);
}

WorkArea& Database::use(int area, const QString& name, const QString& alias)
{
    close(area);
    m_current = area;
    const QString path = tablePath(name);
    auto table = DbfTable::open(path);
    const QString aliasName = alias.isEmpty() ? QFileInfo(path).completeBaseName().toUpper() : alias;
    auto& slot = m_areas[area];
    slot = std::make_unique<WorkArea>(*this, area, std::move(table), aliasName);
    return *slot;
}

void Database::close(int area)
{
    m_areas.erase(area);
}

void Database::closeAll()
{
    m_areas.clear();
}

void Database::commitAll()
{
    for (auto& [number, workArea] : m_areas)
        workArea->table().commit();
}

WorkArea& Database::area(int number)
{
    const auto it = m_areas.find(number);
    if (it == m_areas.end())
        throw DbfError(DbfError::Kind::NoTable, m_directory,
                       QStringLiteral("Im Arbeitsbereich %1 ist keine Tabelle geöffnet.").arg(number));
    return *it->second;
}

WorkArea* Database::findAlias(const QString& alias)
{
    for (auto& [number, workArea] : m_areas) {
        if (workArea->alias().compare(alias, Qt::CaseInsensitive) == 0)
            return workArea.get();
    }
    return nullptr;
}
