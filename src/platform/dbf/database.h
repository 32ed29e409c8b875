#pragma once

#include "platform/dbf/workarea.h"

#include <QString>
#include <map>
#include <memory>

// The table engine: numbered work areas over the tables of the data directory, one of them current.
// Tables are opened exclusively by base name; the default extension and the data directory are
// supplied here, and file names are found without regard to case.
class Database
{
public:
    void setDataDirectory(const QString& directory) { m_directory = directory; }
    const QString& dataDirectory() const { return m_directory; }
    void setDefaultExtensions(const QString& table, const QString& index);
    const QString& tableExtension() const { return m_tableExtension; }
    const QString& indexExtension() const { return m_indexExtension; }

    // Full path of a table ("quiz" or "QUIZ.QUZ") or index ("ihigh") in the data directory.
    QString tablePath(const QString& name) const;
    QString indexPath(const QString& name) const;

    // Opens the table in the work area (closing what was open there) and makes that area current.
    // The alias defaults to the base name in upper case. Raises DbfError when the table is missing,
    // damaged or in use.
    WorkArea& use(int area, const QString& name, const QString& alias = {});
    void close(int area);
    void closeAll();
    void commitAll();

    void select(int area) { m_current = area; }
    int selected() const { return m_current; }
    bool isOpen(int area) const { return m_areas.count(area) != 0; }
    WorkArea& current() { return area(m_current); }
    // The work area's table; raises DbfError::NoTable when nothing is open there.
    WorkArea& area(int number);
    // The work area with this alias (without regard to case), or nullptr.
    WorkArea* findAlias(const QString& alias);

private:
    QString resolve(const QString& name, const QString& defaultExtension) const;

    QString m_directory = QStringLiteral(".");
    QString m_tableExtension = QStringLiteral("DBF");
    QString m_indexExtension = QStringLiteral("NTX");
    std::map<int, std::unique_ptr<WorkArea>> m_areas;
    int m_current = 1;
};
