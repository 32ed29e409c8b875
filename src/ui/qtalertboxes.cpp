#include "ui/qtalertboxes.h"

#include "ui/alertbox.h"

QtAlertBoxes::QtAlertBoxes(QWidget* mainWindow)
    : m_mainWindow(mainWindow)
{
}

int QtAlertBoxes::alertBox(QWidget* owner, const QString& text, const QStringList& captions,
                           std::optional<int> icon, const QString& title)
{
    return AlertBox::alertBox(owner ? owner : m_mainWindow.data(), text, captions, icon, title);
}
