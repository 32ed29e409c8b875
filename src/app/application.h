#pragma once

#include "app/gamestate.h"
#include "data/datafilelock.h"
#include "game/random.h"
#include "ui/bdbuttonfunctions.h"
#include "platform/dbf/database.h"
#include "platform/errorhandler.h"
#include "platform/namedvariables.h"

#include <QString>
#include <functional>
#include <memory>

class AlertBoxes;
class AnswerEvaluation;
class CatalogImport;
class CatalogInfo;
class HighScoreList;
class Jokers;
class MainWindow;
class MenuSystem;
class MessageBoxes;
class PlayField;
class QuestionSelection;
class SingleInstance;
class SpecialCatalogs;
class SoundPlayer;
class WindowScale;

// The game from its start to its end: the table engine set-up, the data directory and main window,
// the main procedure that opens the tables and builds the play field, and quitting.
class Application
{
public:
    using Exit = std::function<void(int status)>;

    struct Environment
    {
        QString workingDirectory;  // absolute
        QString allUsersProfile;   // the value of ALLUSERSPROFILE, empty when not set
        QString executable;        // the program a restart starts; empty: this process's own
    };

    // alerts: the game's own message boxes; nullptr for the real dialogs over the main window.
    Application(GameState& state, MessageBoxes& boxes, SoundPlayer& sounds, Exit exit, Environment environment,
                AlertBoxes* alerts = nullptr);
    ~Application();

    // Start-up in its fixed order; returns once the game waits for the player's first event.
    void start();

    void dbeSys();
    void appSys();
    void main();

    double appDesktopDpi();
    QWidget* displayLogo();
    bool euro();
    static void center(QWidget* window);

    // The close request of the main window: asks, then closes the tables, locks the files and ends.
    void appQuit();
    // The same without the question, for a restart.
    void app_Quit();
    // Starts the game anew in a process of its own; this one ends.
    void restart();

    // The menu's actions.
    bool mus(int n);
    void bild(int n);
    void spezial();
    void info();
    // Offers the new catalogs waiting in the data directory, as at start-up.
    void offerNewCatalogs();

    // What the play field's buttons call: a joker, the high score list, an answer.
    void joker(int kind);
    void score();
    void istOk(bool right, int name);

    GameState& state() { return m_state; }
    Database& database() { return m_database; }
    NamedVariables& variables() { return m_variables; }
    MainWindow* mainWindow() const { return m_window.get(); }
    Random& random() { return m_random; }
    QuestionSelection& selection() { return *m_selection; }
    HighScoreList& highScores() { return *m_highScores; }
    MenuSystem& menu() { return *m_menu; }
    CatalogImport& catalogImport() { return *m_import; }
    SpecialCatalogs& specialCatalogs() { return *m_special; }
    CatalogInfo& catalogInfo() { return *m_info; }
    // The data file names of the game, relative to the data directory.
    static QString mainCatalog() { return QStringLiteral("QUIZ.QUZ"); }
    static QString topicTable() { return QStringLiteral("GEBIET.QUZ"); }
    static QString highscoreTable() { return QStringLiteral("HIGHSCOR.QUZ"); }

private:
    void restoreWindowScale();
    void createMainWindow();
    void createMenuSystem();
    void openTables();
    // Runs a step that reopens the tables; when they cannot be opened again the game cannot go on:
    // it says why and ends.
    template <typename Step>
    void endOnTableFault(Step&& step);
    void reportStart() const;
    void closeAndLock();
    QString dataFile(const QString& name) const;
    // Ends the process; the data directory is free for the next game at once.
    void end(int status);
    void nextQuestion();
    void endWithoutLocking();

    GameState& m_state;
    MessageBoxes& m_boxes;
    Exit m_exit;
    Environment m_environment;
    ErrorHandler m_errorHandler;
    Database m_database;
    NamedVariables m_variables;
    std::unique_ptr<DataFileLock> m_lock;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<MenuSystem> m_menu;
    std::unique_ptr<WindowScale> m_windowScale;
    Random m_random;
    ButtonContext m_buttons;
    std::unique_ptr<PlayField> m_playField;
    std::unique_ptr<QuestionSelection> m_selection;
    AlertBoxes* m_alerts;
    std::unique_ptr<AlertBoxes> m_ownAlerts;
    std::unique_ptr<HighScoreList> m_highScores;
    std::unique_ptr<Jokers> m_jokers;
    std::unique_ptr<AnswerEvaluation> m_evaluation;
    std::unique_ptr<CatalogImport> m_import;
    std::unique_ptr<SpecialCatalogs> m_special;
    std::unique_ptr<CatalogInfo> m_info;
};
