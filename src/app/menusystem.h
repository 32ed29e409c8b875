#pragma once

#include <QString>
#include <functional>

struct GameState;
class MessageBoxes;
class NamedVariables;
class QAction;
class QMenuBar;

// The menu bar of the main window and the sound setting it keeps in "standard.cfg".
class MenuSystem
{
public:
    // What the menu items do; the sound items are handled here (mus).
    struct Actions
    {
        std::function<void()> nullSc;       // "Highscore-Liste zurücksetzen"
        std::function<void()> spezial;      // "anderen Katalog spielen"
        std::function<void()> quitRequest;  // "beenden    ": the same as the close box
        std::function<void()> help;         // "Hilfe "
        std::function<void()> playOnline;   // "online spielen"
        std::function<void()> info;         // "Info "
        std::function<void(int n)> bild;    // "   +   " (2) and "   -   " (1)
        std::function<void()> restart;      // after the player agreed to a restart
    };

    MenuSystem(GameState& state, NamedVariables& variables, MessageBoxes& boxes, Actions actions);

    // Builds the menus on the bar and loads (or first writes) the sound setting.
    void createMenuSystem(QMenuBar* bar);
    // A sound item: stores the setting at once, moves the check mark and offers a restart, since
    // the sounds are chosen when the play field is built.
    bool mus(int n);

    // A caption of the game's own notation ("~" before the accelerator letter) for Qt ("&").
    static QString menuText(const QString& caption);

private:
    QString settingsFile() const;
    void restoreSoundSetting();
    void saveSoundSetting();
    void setSoundChecks();

    GameState& m_state;
    NamedVariables& m_variables;
    MessageBoxes& m_boxes;
    Actions m_actions;
    QAction* m_soundItems[3] = {nullptr, nullptr, nullptr};
};
