#include "special/specialcatalogs.h"

SpecialCatalogs::SpecialCatalogs(GameState& state, Parts parts, Calls calls)
    : m_state(state)
    , m_parts(parts)
    , m_calls(std::move(calls))
{
}

void SpecialCatalogs::spezial()
{
}

void SpecialCatalogs::zeigeSp(const QList<int>&)
{
}
