#include "data/catalogimport.h"

CatalogImport::CatalogImport(GameState& state, NamedVariables& variables, Parts parts)
    : m_state(state)
    , m_variables(variables)
    , m_parts(parts)
{
}

void CatalogImport::recover()
{
}

void CatalogImport::offerNewCatalogs()
{
}

bool CatalogImport::update(const QString&)
{
    return true;
}
