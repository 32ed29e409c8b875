#include "platform/namedvariables.h"

namespace {

QVariant normalized(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
        return QVariant(value.toDouble());
    case QMetaType::QStringList: {
        QVariantList list;
        for (const QString& text : value.toStringList())
            list.append(text);
        return list;
    }
    case QMetaType::QVariantList: {
        QVariantList list;
        for (const QVariant& element : value.toList())
            list.append(normalized(element));
        return list;
    }
    default:
        return value;
    }
}

} // namespace

qsizetype NamedVariables::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void NamedVariables::set(const QString& name, const QVariant& value)
{
    const qsizetype i = indexOf(name);
    if (i < 0)
        m_entries.append(Entry{name, normalized(value)});
    else
        m_entries[i].value = normalized(value);
}

QVariant NamedVariables::value(const QString& name) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? QVariant() : m_entries[i].value;
}

bool NamedVariables::contains(const QString& name) const
{
    return indexOf(name) >= 0;
}

QStringList NamedVariables::names() const
{
    QStringList result;
    result.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        result.append(entry.name);
    return result;
}

void NamedVariables::remove(const QString& name)
{
    const qsizetype i = indexOf(name);
    if (i >= 0)
        m_entries.removeAt(i);
}

void NamedVariables::clear()
{
    m_entries.clear();
}
