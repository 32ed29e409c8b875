#pragma once

#include "ui/bdbuttonfunctions.h"

#include <functional>

struct GameState;
class Database;
class MessageBoxes;
class Random;

// Brings the next question onto the play field: wahl() picks a random question not asked yet in this
// run and makes it the current record of work area 1; frageNeu() draws a new answer layout and puts
// the question and its four answers onto the play-field buttons, the right answer at a random place.
class QuestionSelection
{
public:
    // The last digit of the current time's seconds; it decides how many draws an attempt throws away.
    using SecondsDigit = std::function<int()>;

    QuestionSelection(GameState& state, Database& database, Random& random, MessageBoxes& boxes,
                      const ButtonContext& buttons, SecondsDigit secondsDigit = currentSecondsDigit);

    // Picks the next question. Once every question was asked, says so and starts a new cycle.
    // A table without records has nothing to pick: the result is false and nothing changes.
    bool wahl();
    // Shows the current record of work area 1 in a newly drawn answer layout.
    bool frageNeu();

    // Draws an answer layout, 1 to 24: nine draws of which the last counts, until one is not 0.
    static int drawLayout(Random& random);
    static int currentSecondsDigit();

private:
    GameState& m_state;
    Database& m_database;
    Random& m_random;
    MessageBoxes& m_boxes;
    const ButtonContext& m_buttons;
    SecondsDigit m_secondsDigit;
};
