#include "game/askedquestions.h"

void AskedQuestions::append(int recno)
{
    if (recno >= int(m_asked.size()))
        m_asked.resize(recno + 1, false);
    m_asked[recno] = true;
    m_order.append(recno);
}

bool AskedQuestions::contains(int recno) const
{
    return recno >= 0 && recno < int(m_asked.size()) && m_asked[recno];
}

void AskedQuestions::clear()
{
    m_order.clear();
    m_asked.clear();
}
