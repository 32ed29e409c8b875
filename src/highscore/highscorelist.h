#pragma once

#include <QString>
#include <QVariant>

class AlertBoxes;
class Database;
class MessageBoxes;
class WorkArea;
struct GameState;

// The list of the ten best results of the catalog in play: shown when the player clicks the
// question field, emptied from the menu, filled after a good game. It lives in work area 2 under
// the index "ihigh" (highest score first); the last record in that order is always an empty spare
// slot that takes the next entry.
class HighScoreList
{
public:
    HighScoreList(GameState& state, Database& database, MessageBoxes& boxes, AlertBoxes& alerts);

    // Shows the ten places in an alert box.
    void score();
    // Asks, and on yes empties every slot and builds the index anew. A table that cannot be
    // written gives a message naming the file and the fault.
    void nullSc();
    // Asks for the player's name and enters the result `richtig` with today's date. When the table
    // cannot be written the list is left as it was, with a message naming the file and the fault.
    void scoreName();

    // The text of the list: a header, a rule and ten rows (place, date, score, name) read from the
    // first ten records in index order; ";" ends every line. Moves the work area's current record.
    static QString scoreText(WorkArea& highscores);
    // The name of the catalog in play (the alias of work area 1) in capitals, for titles.
    static QString catalogName(const Database& database);
    // A date as the list shows it: dd.mm.yyyy; an empty date as "  .  .    ".
    static QString dateText(const QVariant& date);

    static const QString indexName;     // "ihigh"
    static const QString indexKey;      // "descend(richtige)"

private:
    // A table fault while writing the list, told to the player; the game goes on.
    void reportFault(const QString& text);

    GameState& m_state;
    Database& m_database;
    MessageBoxes& m_boxes;
    AlertBoxes& m_alerts;
};
