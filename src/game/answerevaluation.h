#pragma once

#include "ui/bdbuttonfunctions.h"

#include <QPointer>
#include <functional>

struct GameState;
class AlertBoxes;
class Database;
class MessageBoxes;
class QLabel;

// What happens when the player clicks an answer: the right answer is marked, the answer counted and
// reported, the additional information offered, the advertising banner shown at the first wrong
// answer and removed at the second, and the third wrong answer ends the game, with the high score
// list for a good result and the question whether to play again.
class AnswerEvaluation
{
public:
    struct Calls
    {
        std::function<void()> scoreName;        // enter a good result in the high score list
        std::function<void()> nextQuestion;     // pick and show the next question
        std::function<void()> showAgain;        // show the current question in a new layout
        std::function<void()> giveJokersBack;   // both jokers usable again
        std::function<void()> endWithoutLocking; // close the tables and end the program
        std::function<void(const QString&)> openRegisteredFile;
    };

    AnswerEvaluation(GameState& state, Database& database, MessageBoxes& boxes, AlertBoxes& alerts,
                     const ButtonContext& buttons, Calls calls);

    void istOk(bool right, int code);
    // The additional information of the current question, with one button of that caption.
    void zusatzinfo(const QString& button);

    // The text of the additional information box: the topic, a blank line, the memo cut into
    // lines of 36 characters.
    static QString zusatzinfoText(const QString& gebiet, const QString& info);
    static QString zusatzinfoTitle(int recno);

private:
    void update(int name, std::optional<ColorList> colors, std::optional<QString> caption = {});
    int resultBox(const QString& text, const QString& title);
    void showBanner();
    void removeBanner();
    void gameEnd();
    bool goodEnoughForTheList();

    GameState& m_state;
    Database& m_database;
    MessageBoxes& m_boxes;
    AlertBoxes& m_alerts;
    const ButtonContext& m_buttons;
    Calls m_calls;
};
