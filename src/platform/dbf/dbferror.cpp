#include "platform/dbf/dbferror.h"

DbfError::DbfError(Kind kind, QString fileName, QString fault)
    : std::runtime_error((fileName + QStringLiteral(": ") + fault).toStdString())
    , m_kind(kind)
    , m_fileName(std::move(fileName))
    , m_fault(std::move(fault))
{
}

QString DbfError::message() const
{
    return QStringLiteral("Fehler in der Datei %1:\n%2").arg(m_fileName, m_fault);
}
