#pragma once

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
    GameState& m_state;
    Database& m_database;
    NamedVariables& m_variables;
    AlertBoxes& m_alerts;
    QWidget* m_owner;
};
