#include "buttonfit.h"

#include "game/playfield.h"
#include "ui/bdbuttonfunctions.h"

#include <cmath>

namespace {

constexpr double scale = 1.0;

} // namespace

int ButtonFit::room(Button button)
{
    const double buttonWidth = button == Button::Question ? PlayField::questionFieldSize.width()
                                                          : PlayField::answerButtonSize.width();
    return int(std::floor(buttonWidth * scale - 2 * innerMargin));
}

int ButtonFit::width(const QString& line, Button button)
{
    const QString font = button == Button::Question ? PlayField::questionFontAt(scale) : PlayField::answerFontAt(scale);
    return int(std::ceil(textSize(line, nullptr, font).width()));
}
