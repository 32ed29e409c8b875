#pragma once

#include <QString>

// Whether a line of a question or an answer fits its button on the play field at window scale 1:
// the line is measured as the button measures its caption, in the play field's own fonts, against
// the button's width less a margin on either side. Needs a QGuiApplication for the fonts.
class ButtonFit
{
public:
    enum class Button { Question, Answer };

    // The 1-pixel frame of the button's panel and 2 pixels of air, on either side.
    static constexpr double innerMargin = 3;

    // The width a line may take on the button, in pixels.
    static int room(Button button);
    // The width of the line as the button measures it, in pixels.
    static int width(const QString& line, Button button);
};
