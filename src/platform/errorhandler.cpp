#include "platform/errorhandler.h"

#include "platform/dbf/dbferror.h"
#include "platform/messageboxes.h"

ErrorHandler::ErrorHandler(MessageBoxes& boxes, Exit exit)
    : m_boxes(boxes)
    , m_exit(std::move(exit))
{
}

void ErrorHandler::handle(const DbfError& error)
{
    handle(error.message());
}

void ErrorHandler::handle(const QString& message)
{
    m_boxes.notice(nullptr, message + QStringLiteral("\n\nDas Programm wird beendet."),
                   QStringLiteral("Brimora 2.0 – Fehler"));
    m_exit(1);
}
