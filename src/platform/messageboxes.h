#pragma once

#include <QString>

class QWidget;

// The platform's two message boxes. The game gets them through this interface, so a test (or an
// unattended run) can answer them without a window.
class MessageBoxes
{
public:
    static constexpr int Yes = 6;
    static constexpr int No = 7;
    // Style codes of the yes/no box as the game passes them; only the default button matters here.
    static constexpr int DefaultSecond = 256;

    virtual ~MessageBoxes() = default;
    // The yes/no box: returns Yes (6) or No (7). defaultButton is 0 (yes) or 256 (no).
    virtual int yesNo(QWidget* owner, const QString& text, const QString& title, int style = 0,
                      int defaultButton = 0) = 0;
    // The one-button notice.
    virtual void notice(QWidget* owner, const QString& text, const QString& title) = 0;
};
