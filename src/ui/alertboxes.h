#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The game's own modal message box: lines of text (";" starts a new line), an optional icon and up
// to four buttons. The game gets it through this interface, so a test can answer it without a window.
class AlertBoxes
{
public:
    virtual ~AlertBoxes() = default;
    // Returns the number (1 to 4) of the chosen button, 0 when the box was closed without a choice.
    // owner: the window the box belongs to and is centred over (the main window when nullptr).
    // A "~" in a caption marks its keyboard mnemonic; icon 11 is the information icon.
    virtual int alertBox(QWidget* owner, const QString& text,
                         const QStringList& captions = {QStringLiteral("~Ok")}, std::optional<int> icon = {},
                         const QString& title = QStringLiteral(" ")) = 0;
};
