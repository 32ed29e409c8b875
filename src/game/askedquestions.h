#pragma once

#include <QList>
#include <vector>

// The record numbers of the questions asked in this run, in the order asked, with a membership
// check that stays quick near the end of a cycle over a large catalog, when one pick tests
// thousands of candidates.
class AskedQuestions
{
public:
    void append(int recno);
    bool contains(int recno) const;
    void clear();
    qsizetype size() const { return m_order.size(); }
    bool isEmpty() const { return m_order.isEmpty(); }
    int last() const { return m_order.last(); }
    const QList<int>& list() const { return m_order; }

private:
    QList<int> m_order;
    std::vector<bool> m_asked; // by record number
};
