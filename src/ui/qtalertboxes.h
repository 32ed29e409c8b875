#pragma once

#include "ui/alertboxes.h"

#include <QPointer>
#include <QWidget>

// The game's alert box on the desktop: runs an AlertBox, over the main window unless another owner
// is given.
class QtAlertBoxes : public AlertBoxes
{
public:
    explicit QtAlertBoxes(QWidget* mainWindow);

    int alertBox(QWidget* owner, const QString& text, const QStringList& captions = {QStringLiteral("~Ok")},
                 std::optional<int> icon = {}, const QString& title = QStringLiteral(" ")) override;

private:
    QPointer<QWidget> m_mainWindow;
};
