#pragma once

#include "ui/bdbuttonfunctions.h"

#include <functional>

class AlertBoxes;
class MessageBoxes;

// The two jokers of a game: the 50/50 joker hides two wrong answers, the swap joker replaces the
// question by another without counting it. A joker's state lives only in its button: cyan with its
// action while available, pink with the "already gone" action once used.
class Jokers
{
public:
    struct Calls
    {
        std::function<void(const QString& button)> zusatzinfo; // the additional information box
        std::function<void()> nextQuestion;                     // pick and show the next question
    };

    Jokers(MessageBoxes& boxes, AlertBoxes& alerts, const ButtonContext& buttons, Calls calls);

    // kind 0: the swap joker (222), kind 1: the 50/50 joker (333).
    void joker(int kind);
    // Both jokers usable again: at a new game and when another catalog is chosen.
    void giveBack();

private:
    void update(int name, ColorList colors, ButtonAction action);
    ButtonAction jokerAction(int kind);
    ButtonAction usedAction();
    void hide(int name);

    MessageBoxes& m_boxes;
    AlertBoxes& m_alerts;
    const ButtonContext& m_buttons;
    Calls m_calls;
};
