#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The running program's named variables, as the settings files save and restore them ("screen",
// "musik", "katnr", the "c_" variables of a special catalog). Names are matched without regard to
// case; a variable keeps the spelling of its first definition, and that spelling is written to files.
//
// A value is a number (double), a string (QString), a logical (bool) or a list of such values
// (QVariantList, lists may hold lists). Whole numbers of any integer type and floats are stored as
// double, a QStringList as a list of strings, so a value read back from a file compares equal.
class NamedVariables
{
public:
    // Sets the variable, creating it under this spelling when it does not exist yet.
    void set(const QString& name, const QVariant& value);
    // The value, or an invalid QVariant when there is no such variable.
    QVariant value(const QString& name) const;
    bool contains(const QString& name) const;
    // The names in the order of their first definition, in their first spelling.
    QStringList names() const;
    void remove(const QString& name);
    void clear();
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype size() const { return m_entries.size(); }

private:
    struct Entry
    {
        QString name;
        QVariant value;
    };

    qsizetype indexOf(const QString& name) const;

    QList<Entry> m_entries;
};
