#pragma once

#include "ui/bdbuttonfunctions.h"

#include <QSize>
#include <functional>

struct GameState;
class Database;
class MainWindow;
class MessageBoxes;
class NamedVariables;
class PlayField;

// The window size steps of the menu ("   +   ", "   -   "): the whole play field is laid out for
// 796 × 562 pixels and scaled by the factor F, which changes by 0.1 a step and is kept in
// "screen.xpf" for the next start.
class WindowScale
{
public:
    struct Parts
    {
        MainWindow* window = nullptr;
        const ButtonContext* buttons = nullptr;
        Database* database = nullptr;        // work area 1 holds the question on the buttons
        const PlayField* playField = nullptr; // its fonts at the current scale
        std::function<void()> restart;        // after the player agreed to a restart
    };

    WindowScale(GameState& state, NamedVariables& variables, MessageBoxes& boxes, Parts parts);

    // n = 2: one step larger; n = 1: one step smaller. A step below 1 or beyond the desktop changes
    // nothing at all.
    void bild(int n);

    // The desktop the main window is shown on.
    static QSize desktopSize(const MainWindow* window);

private:
    void resizeWindow();
    void moveLogo();
    void updateButtons();
    void saveScale();

    GameState& m_state;
    NamedVariables& m_variables;
    MessageBoxes& m_boxes;
    Parts m_parts;
};
