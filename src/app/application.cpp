#include "app/application.h"

#include "app/datadirectory.h"
#include "app/mainwindow.h"
#include "app/menusystem.h"
#include "app/restart.h"
#include "app/singleinstance.h"
#include "app/windowscale.h"
#include "data/catalogimport.h"
#include "game/answerevaluation.h"
#include "game/jokers.h"
#include "game/playfield.h"
#include "highscore/highscorelist.h"
#include "info/cataloginfo.h"
#include "info/help.h"
#include "info/links.h"
#include "ui/qtalertboxes.h"
#include "game/questionselection.h"
#include "platform/bottomleft.h"
#include "platform/desktopcenter.h"
#include "platform/messageboxes.h"
#include "platform/palette.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"
#include "special/specialcatalogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <cstdio>

namespace {

constexpr double defaultScale = 1.3;
constexpr int logoWidth = 770;
constexpr int logoHeight = 345;

QIcon gameIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/199-%1").arg(size), QSize(size, size));
    return icon;
}

} // namespace

Application::Application(GameState& state, MessageBoxes& boxes, SoundPlayer& sounds, Exit exit,
                         Environment environment, AlertBoxes* alerts)
    : m_state(state)
    , m_boxes(boxes)
    , m_exit(exit)
    , m_environment(std::move(environment))
    , m_errorHandler(boxes, [this](int status) { end(status); })
    , m_alerts(alerts)
{
    // The pictures live in the core library, which the linker would otherwise leave them out of.
    Q_INIT_RESOURCE(brimora);
    m_buttons.messageBoxes = &m_boxes;
    m_buttons.soundPlayer = &sounds;
}

Application::~Application() = default;

void Application::start()
{
    dbeSys();
    appSys();
    main();
}

// The table engine is part of the program, so loading it cannot fail; what remains of its
// set-up are the default extensions. Indexes on text always sort in German collation.
void Application::dbeSys()
{
    m_database.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
}

void Application::appSys()
{
    m_state.Pfad = DataDirectory::find(m_environment.workingDirectory, m_environment.allUsersProfile);
    m_database.setDataDirectory(m_state.Pfad);
    m_lock = std::make_unique<DataFileLock>(m_state.Pfad);

    // A second game on the same data would overwrite the first one's tables: it stops here,
    // before any file of the data directory is touched.
    m_instance = std::make_unique<SingleInstance>(m_state.Pfad);
    // A restarted game waits until the old one has closed and locked its files.
    if (!m_instance->acquire(Restart::isRestarted() ? Restart::waitMs : 0)) {
        m_boxes.notice(nullptr,
                       QStringLiteral("Brimora 2.0 läuft bereits mit den Daten in\n%1.\n\n"
                                      "Bitte spielen Sie in dem Fenster weiter, das schon offen ist.")
                           .arg(QDir::toNativeSeparators(m_state.Pfad)),
                       QStringLiteral("Brimora 2.0"));
        m_instance.reset();
        m_exit(1);
        return;
    }

    restoreWindowScale();
    appDesktopDpi();
    createMainWindow();
}

void Application::restoreWindowScale()
{
    const QString file = dataFile(QStringLiteral("screen.xpf"));
    m_variables.set(QStringLiteral("screen"), defaultScale);
    try {
        if (!SettingsFile::exists(file))
            SettingsFile::save(file, QStringLiteral("scree*"), m_variables);
        else
            SettingsFile::restore(file, m_variables);
    } catch (const SettingsError& error) {
        m_boxes.notice(nullptr, error.message() + QStringLiteral("\n\nDas Spiel beginnt mit der üblichen Fenstergröße."),
                       QStringLiteral("Hinweis"));
    }
    // A scale that is no number, or smaller than the smallest step, would spoil the window.
    const QVariant screen = m_variables.value(QStringLiteral("screen"));
    m_state.F = screen.typeId() == QMetaType::Double && screen.toDouble() >= 1.0 ? screen.toDouble() : defaultScale;
}

double Application::appDesktopDpi()
{
    int tries = 1;
    QScreen* screen = QGuiApplication::primaryScreen();
    while (!screen && tries < 21) {
        screen = QGuiApplication::primaryScreen();
        ++tries;
    }
    if (screen)
        return screen->logicalDotsPerInchX();
    m_boxes.notice(nullptr,
                   QStringLiteral("Die DPi-Einstellungen konnten nicht ausgegelesen werden!   \r"
                                  "Darstellung der Schriftarten ist vermutlich nicht korrekt! \r"
                                  "Ein Neustart des Programmes könnte das Problem beheben."),
                   QStringLiteral("Problem ") + QStringLiteral("%1").arg(tries, 3));
    return 96;
}

void Application::createMainWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->setWindowTitle(QStringLiteral("Brimora 2.0"));
    m_window->setWindowIcon(gameIcon());
    m_window->setClientColor(Palette::color(2));
    // Buttons without colours of their own take the client area's.
    m_window->clientArea()->setProperty("colorBG", 2);
    m_window->setOuterSize(m_state.xSize * m_state.F, m_state.ySize * m_state.F);
    m_window->show();
    // Now the frame is known: correct the size to the outer size and centre it.
    m_window->setOuterSize(m_state.xSize * m_state.F, m_state.ySize * m_state.F);
    center(m_window.get());
    m_state.oDlg = m_window.get();
    m_buttons.defaultParent = m_window->clientArea();
    if (!m_alerts) {
        m_ownAlerts = std::make_unique<QtAlertBoxes>(m_window.get());
        m_alerts = m_ownAlerts.get();
    }
}

void Application::center(QWidget* window)
{
    DesktopCenter::center(window);
}

// Nothing of the game depends on a locale item here, so the main window need not be rebuilt.
bool Application::euro()
{
    return true;
}

QWidget* Application::displayLogo()
{
    const QSize outer = m_window->frameGeometry().size();
    const double W = outer.width();
    const double H = outer.height();
    const double F = m_state.F;
    auto* logo = new QLabel(m_window->clientArea());
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/bitmaps/999")));
    BottomLeft::place(logo, QPointF((W - 784) / 2, 170 * F + (H - 170 * F - 50 - logoHeight) / 2),
                      QSizeF(logoWidth, logoHeight));
    logo->show();
    return logo;
}

QString Application::dataFile(const QString& name) const
{
    return QDir(m_state.Pfad).filePath(name);
}

void Application::main()
{
    m_state.neuBG = false;
    m_state.kana = mainCatalog();
    m_state.kahi = highscoreTable();
    m_state.pb1 = nullptr;
    m_state.pb2 = nullptr;
    m_state.oMenuA = nullptr;
    m_state.oLogo = nullptr;
    m_state.fehler = 0;
    m_state.richtig = 0;
    m_state.aArrayI.clear();
    m_state.aArrayP = GameState::answerLayouts();

    euro();
    m_state.oLogo = displayLogo();
    m_window->setCloseRequestHandler([this] { appQuit(); });

    createMenuSystem();

    m_lock->encrypt(mainCatalog(), true);
    m_lock->encrypt(topicTable(), false);
    m_lock->encrypt(highscoreTable(), false);

    m_import = std::make_unique<CatalogImport>(
        m_state, m_variables, CatalogImport::Parts{&m_database, m_lock.get(), &m_boxes, &m_buttons});
    m_import->recover();
    openTables();

    m_playField = std::make_unique<PlayField>(
        m_state, m_variables, m_random, m_buttons,
        PlayField::Actions{[this](int kind) { joker(kind); }, [this] { score(); },
                           [this](bool right, int name) { istOk(right, name); }});
    m_selection = std::make_unique<QuestionSelection>(m_state, m_database, m_random, m_boxes, m_buttons);
    m_highScores = std::make_unique<HighScoreList>(m_state, m_database, m_boxes, *m_alerts);
    m_evaluation = std::make_unique<AnswerEvaluation>(
        m_state, m_database, m_boxes, *m_alerts, m_buttons,
        AnswerEvaluation::Calls{[this] { m_highScores->scoreName(); }, [this] { nextQuestion(); },
                                [this] { m_selection->frageNeu(); }, [this] { m_jokers->giveBack(); },
                                [this] { endWithoutLocking(); }, &Links::openRegisteredFile});
    m_jokers = std::make_unique<Jokers>(
        m_boxes, *m_alerts, m_buttons,
        Jokers::Calls{[this](const QString& button) { m_evaluation->zusatzinfo(button); }, [this] { nextQuestion(); }});
    m_playField->zeige1();
    m_playField->zeige2(1);
    m_windowScale = std::make_unique<WindowScale>(
        m_state, m_variables, m_boxes,
        WindowScale::Parts{m_window.get(), &m_buttons, &m_database, m_playField.get(), [this] { restart(); }});

    m_special = std::make_unique<SpecialCatalogs>(
        m_state,
        SpecialCatalogs::Parts{&m_database, m_lock.get(), &m_variables, &m_boxes, &m_buttons, m_window.get()},
        SpecialCatalogs::Calls{[this] { return displayLogo(); }, [this] { m_jokers->giveBack(); },
                               [this] { return m_selection->wahl(); }, [this] { m_selection->frageNeu(); }});
    m_info = std::make_unique<CatalogInfo>(m_state, m_database, m_variables, *m_alerts, m_window.get());

    offerNewCatalogs();

    if (m_state.anzfra > 0)
        nextQuestion();

    m_window->activateWindow();
    m_window->setFocus();
    reportStart();
}

void Application::createMenuSystem()
{
    MenuSystem::Actions actions;
    actions.nullSc = [this] { m_highScores->nullSc(); };
    actions.spezial = [this] { spezial(); };
    // "beenden" goes the way of the close box, so both ask the same question.
    actions.quitRequest = [this] { QCoreApplication::postEvent(m_window.get(), new QCloseEvent()); };
    actions.help = [this] { Help::help(m_boxes); };
    actions.playOnline = [] { Links::openRegisteredFile(Links::productWebsite); };
    actions.info = [this] { info(); };
    actions.bild = [this](int n) { bild(n); };
    actions.restart = [this] { restart(); };
    m_menu = std::make_unique<MenuSystem>(m_state, m_variables, m_boxes, std::move(actions));
    m_menu->createMenuSystem(m_window->menuBar());
}

// One line for whoever starts the game from a terminal: which data, how large, which sounds.
void Application::reportStart() const
{
    const QSize size = m_window->frameGeometry().size();
    std::fprintf(stderr, "Brimora 2.0: Daten in %s, Fenster %d x %d (Faktor %.1f), Sound %d\n",
                 qUtf8Printable(QDir::toNativeSeparators(m_state.Pfad)), size.width(), size.height(), m_state.F,
                 m_state.musik);
    std::fflush(stderr);
}

template <typename Step>
void Application::endOnTableFault(Step&& step)
{
    try {
        step();
    } catch (const DbfError& error) {
        m_database.closeAll();
        m_errorHandler.handle(error);
    }
}

void Application::openTables()
{
    endOnTableFault([this] {
        WorkArea& topics = m_database.use(5, QStringLiteral("gebiet"));
        m_state.anzgeb = topics.recCount();

        WorkArea& highscores = m_database.use(2, QStringLiteral("highscor"));
        highscores.createIndex(QStringLiteral("ihigh"), QStringLiteral("descend(richtige)"));
        highscores.clearIndexes();
        highscores.setIndex(QStringLiteral("ihigh"));

        WorkArea& questions = m_database.use(1, QStringLiteral("quiz"));
        m_state.anzfra = questions.recCount();
    });
}

void Application::appQuit()
{
    QWidget* focus = QApplication::focusWidget();
    if (m_boxes.yesNo(nullptr, QStringLiteral("Programm jetzt beenden ?"), QStringLiteral("Ende"), 65568)
        != MessageBoxes::Yes) {
        // The message box took the activation: the window gets it back with the control's focus.
        if (focus) {
            focus->activateWindow();
            focus->setFocus();
        }
        return;
    }
    app_Quit();
}

void Application::app_Quit()
{
    closeAndLock();
    end(0);
}

void Application::closeAndLock()
{
    m_database.closeAll();
    m_database.select(1);
    m_lock->crypt(m_state.kana);
    m_lock->crypt(topicTable());
    m_lock->crypt(m_state.kahi);
}

void Application::restart()
{
    const QString program =
        m_environment.executable.isEmpty() ? QCoreApplication::applicationFilePath() : m_environment.executable;
    // Without a new game the player would be left with none: this one goes on.
    if (!Restart::start(program)) {
        m_boxes.notice(nullptr,
                       QStringLiteral("Brimora 2.0 konnte nicht neu gestartet werden.\n"
                                      "Die Änderung wird beim nächsten Programmstart wirksam."),
                       QStringLiteral("Neustart"));
        return;
    }
    app_Quit();
}

bool Application::mus(int n)
{
    return m_menu->mus(n);
}

void Application::bild(int n)
{
    m_windowScale->bild(n);
}

void Application::spezial()
{
    endOnTableFault([this] { m_special->spezial(); });
}

void Application::offerNewCatalogs()
{
    endOnTableFault([this] { m_import->offerNewCatalogs(); });
}

void Application::info()
{
    m_info->info();
}

void Application::end(int status)
{
    m_instance.reset();
    m_exit(status);
}

void Application::joker(int kind)
{
    m_jokers->joker(kind);
}

void Application::score()
{
    m_highScores->score();
}

void Application::istOk(bool right, int name)
{
    m_evaluation->istOk(right, name);
}

void Application::nextQuestion()
{
    if (m_selection->wahl())
        m_selection->frageNeu();
}

// After a finished game the player may leave without the quit question: the tables are closed,
// the files stay unlocked.
void Application::endWithoutLocking()
{
    m_database.closeAll();
    m_database.select(1);
    end(0);
}
