#include "info/cataloginfo.h"

CatalogInfo::CatalogInfo(GameState& state, Database& database, NamedVariables& variables, AlertBoxes& alerts,
                         QWidget* owner)
    : m_state(state)
    , m_database(database)
    , m_variables(variables)
    , m_alerts(alerts)
    , m_owner(owner)
{
}

void CatalogInfo::info()
{
}

void CatalogInfo::info2()
{
}
