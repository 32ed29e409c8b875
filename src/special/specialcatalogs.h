#pragma once

#include <QList>
#include <functional>

struct ButtonContext;
struct GameState;
class Database;
class DataFileLock;
class MainWindow;
class MessageBoxes;
class NamedVariables;
class QWidget;

// The special catalogs of the data directory: the chooser "Katalogauswahl" and the switch of the
// game to the chosen catalog (or back to the main catalog).
class SpecialCatalogs
{
public:
    struct Parts
    {
        Database* database = nullptr;
        const DataFileLock* lock = nullptr;
        NamedVariables* variables = nullptr;
        MessageBoxes* boxes = nullptr;
        const ButtonContext* buttons = nullptr; // buttons->defaultParent is the play field's area
        MainWindow* window = nullptr;
    };
    struct Calls
    {
        std::function<QWidget*()> displayLogo; // creates the logo anew and returns it
        std::function<void()> jokersBack;      // both jokers available again
        std::function<bool()> wahl;            // picks the next question
        std::function<void()> frageNeu;        // shows it
    };

    SpecialCatalogs(GameState& state, Parts parts, Calls calls);

    // The menu's "anderen Katalog spielen".
    void spezial();
    // Plays the entry at positions.first() (counted from 1) of the chooser's list.
    void zeigeSp(const QList<int>& positions);

private:
    GameState& m_state;
    Parts m_parts;
    Calls m_calls;
};
