#pragma once

#include <QList>
#include <QString>
#include <QVariant>

struct GameState;
class AlertBoxes;
class Database;
class NamedVariables;
class QWidget;

// The menu's "Info ": what the catalog in play holds, in the about box; for the main catalog its
// topics on "Details".
class CatalogInfo
{
public:
    CatalogInfo(GameState& state, Database& database, NamedVariables& variables, AlertBoxes& alerts,
                QWidget* owner);

    void info();
    void info2();

private:
    // Whether work area 1 holds the main catalog: its alias begins with "QUIZ".
    bool isMainCatalog();
    // "eingespielte Kataloge : " and the numbers of the catalogs imported into the main catalog.
    QString importedCatalogs();
    // The numbers in `katnr`, ascending.
    QList<double> katnr() const;
    // One line of the topic list: the count, "  x  ", the name as stored, the line separator.
    static QString topicLine(const QVariant& anz, const QString& name);

    GameState& m_state;
    Database& m_database;
    NamedVariables& m_variables;
    AlertBoxes& m_alerts;
    QWidget* m_owner;
};
