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
    // The name of the catalog in play without extension: the alias of work area 1.
    QString playingAlias() const;
    // The file name of the chosen entry, empty when positions names none.
    QString chosenCatalog(const QList<int>& positions) const;
    // Closes the chooser, if it is still open, and gives the main window the focus.
    void closeChooser();
    // Why the catalog cannot be played (it cannot be opened or holds no questions); empty when it can.
    QString whyNotPlayable(const QString& catalog) const;
    // Makes sure the high score table exists and opens; creates it, emptied, on first use.
    // Returns why it cannot be used, empty when it can.
    QString prepareHighScores(const QString& highscores) const;
    QString createHighScores(const QString& highscores) const;
    // Opens the high score table in work area 2 and the catalog in work area 1.
    void openTables(const QString& catalog, const QString& highscores);
    void setWindowTitle(const QString& catalog);
    void startNewGame();
    void showLook(const QString& catalog);
    void notice(const QString& text);

    GameState& m_state;
    Parts m_parts;
    Calls m_calls;
};
