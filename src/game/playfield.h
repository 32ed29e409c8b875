#pragma once

#include "ui/bdbuttonfunctions.h"

#include <QSizeF>

#include <functional>

struct GameState;
class NamedVariables;
class Random;

// The play field below the logo: the two counters, the two jokers, the question field and the four
// answer buttons, all bitmap buttons in the client area of the main window, found by their names
// 111, 112, 222, 333, 555, 666, 777, 888 and 999. At creation the answers carry the introduction.
class PlayField
{
public:
    // What the buttons do when clicked.
    struct Actions
    {
        std::function<void(int kind)> joker;             // 0 the swap joker, 1 the 50/50 joker
        std::function<void()> score;                     // the high score list
        std::function<void(bool right, int name)> istOk; // an answer was chosen
    };

    PlayField(GameState& state, NamedVariables& variables, Random& random, const ButtonContext& buttons,
              Actions actions);

    // Creates the counters 111 and 112 and the jokers 222 and 333.
    void zeige1();
    // Creates the question field 555 and the answers 666 to 999 with the introduction texts in a
    // random answer layout; the sound setting decides the answers' sounds.
    void zeige2(int mode);

    // The compound font names of the play field at the current scale.
    QString counterFont() const;
    QString jokerFont() const;
    QString questionFont() const;
    QString answerFont() const;

    // The question and answer fonts at any scale factor, for tools that measure texts for the
    // play field.
    static QString questionFontAt(double F);
    static QString answerFontAt(double F);

    // The sizes of the question field and of an answer button at scale factor 1.
    static constexpr QSizeF questionFieldSize{566, 60};
    static constexpr QSizeF answerButtonSize{380, 45};

private:
    void create(int name, QPointF position, QSizeF size, const QString& caption, const QString& font,
                ColorList colors, bool flat, ButtonAction action, std::optional<QString> sound = {});
    int restoreSoundSetting();

    GameState& m_state;
    NamedVariables& m_variables;
    Random& m_random;
    const ButtonContext& m_buttons;
    Actions m_actions;
};
