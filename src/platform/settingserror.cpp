#include "platform/settingserror.h"

namespace {

std::string describe(const QString& fileName, int line, const QString& fault)
{
    QString text = fileName;
    if (line > 0)
        text += QStringLiteral(":%1").arg(line);
    return (text + QStringLiteral(": ") + fault).toStdString();
}

} // namespace

SettingsError::SettingsError(Kind kind, QString fileName, int line, QString fault)
    : std::runtime_error(describe(fileName, line, fault))
    , m_kind(kind)
    , m_fileName(std::move(fileName))
    , m_line(line)
    , m_fault(std::move(fault))
{
}

QString SettingsError::message() const
{
    if (m_line > 0) {
        return QStringLiteral("Fehler in der Einstellungsdatei %1, Zeile %2:\n%3")
            .arg(m_fileName, QString::number(m_line), m_fault);
    }
    return QStringLiteral("Fehler in der Einstellungsdatei %1:\n%2").arg(m_fileName, m_fault);
}
