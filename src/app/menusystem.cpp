#include "app/menusystem.h"

#include "app/gamestate.h"
#include "platform/messageboxes.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString soundPattern = QStringLiteral("musi*");

} // namespace

MenuSystem::MenuSystem(GameState& state, NamedVariables& variables, MessageBoxes& boxes, Actions actions)
    : m_state(state)
    , m_variables(variables)
    , m_boxes(boxes)
    , m_actions(std::move(actions))
{
}

QString MenuSystem::menuText(const QString& caption)
{
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    text.replace(QLatin1Char('~'), QLatin1Char('&'));
    return text;
}

QString MenuSystem::settingsFile() const
{
    return QDir(m_state.Pfad).filePath(QStringLiteral("standard.cfg"));
}

void MenuSystem::createMenuSystem(QMenuBar* bar)
{
    auto item = [](QMenu* menu, const QString& caption, std::function<void()> action) {
        QAction* added = menu->addAction(menuText(caption));
        QObject::connect(added, &QAction::triggered, menu, [action] {
            if (action)
                action();
        });
        return added;
    };

    m_state.oMenuA = new QMenu(menuText(QStringLiteral("~Einstellungen   ")), bar);
    m_state.oMenuA->setObjectName(QStringLiteral("menuSettings"));
    m_state.oMenuA1 = new QMenu(menuText(QStringLiteral("~Sound  ")), m_state.oMenuA);
    m_state.oMenuA1->setObjectName(QStringLiteral("menuSound"));
    const QString soundCaptions[3] = {QStringLiteral("~aus     "), QStringLiteral("~Standard"),
                                      QStringLiteral("~Extase")};
    for (int n = 1; n <= 3; ++n) {
        m_soundItems[n - 1] = item(m_state.oMenuA1, soundCaptions[n - 1], [this, n] { mus(n); });
        m_soundItems[n - 1]->setCheckable(true);
    }
    m_state.oMenuA->addMenu(m_state.oMenuA1);

    restoreSoundSetting();
    setSoundChecks();

    m_state.oMenuA->addSeparator();
    item(m_state.oMenuA, QStringLiteral("Highscore-Liste zurücksetzen"), m_actions.nullSc);
    m_state.oMenuA->addSeparator();
    item(m_state.oMenuA, QStringLiteral("anderen Katalog spielen"), m_actions.spezial);
    m_state.oMenuA->addSeparator();
    item(m_state.oMenuA, QStringLiteral("beenden    "), m_actions.quitRequest);
    bar->addMenu(m_state.oMenuA);

    m_state.oMenuB = new QMenu(menuText(QStringLiteral("~Hilfe ")), bar);
    m_state.oMenuB->setObjectName(QStringLiteral("menuHelp"));
    item(m_state.oMenuB, QStringLiteral("Hilfe "), m_actions.help);
    m_state.oMenuB->addSeparator();
    item(m_state.oMenuB, QStringLiteral("online spielen"), m_actions.playOnline);
    m_state.oMenuB->addSeparator();
    item(m_state.oMenuB, QStringLiteral("Info "), m_actions.info);
    bar->addMenu(m_state.oMenuB);

    QAction* larger = bar->addAction(menuText(QStringLiteral("   +   ")));
    QObject::connect(larger, &QAction::triggered, bar, [this] { m_actions.bild(2); });
    QAction* smaller = bar->addAction(menuText(QStringLiteral("   -   ")));
    QObject::connect(smaller, &QAction::triggered, bar, [this] { m_actions.bild(1); });
}

// The first start writes the standard sounds; later starts read what the player chose.
void MenuSystem::restoreSoundSetting()
{
    const QString file = settingsFile();
    try {
        if (SettingsFile::exists(file)) {
            SettingsFile::restore(file, m_variables);
            m_state.musik = m_variables.value(QStringLiteral("musik")).toInt();
            return;
        }
    } catch (const SettingsError& error) {
        m_boxes.notice(nullptr, error.message() + QStringLiteral("\n\nDas Spiel verwendet die Standard-Klänge."),
                       QStringLiteral("Hinweis"));
    }
    m_state.musik = 2;
    saveSoundSetting();
}

void MenuSystem::saveSoundSetting()
{
    m_variables.set(QStringLiteral("musik"), double(m_state.musik));
    try {
        SettingsFile::save(settingsFile(), soundPattern, m_variables);
    } catch (const SettingsError& error) {
        m_boxes.notice(nullptr, error.message() + QStringLiteral("\n\nDie Einstellung gilt nur bis zum Programmende."),
                       QStringLiteral("Hinweis"));
    }
}

void MenuSystem::setSoundChecks()
{
    const int checked = m_state.musik == 1 ? 0 : m_state.musik == 2 ? 1 : 2;
    for (int i = 0; i < 3; ++i)
        m_soundItems[i]->setChecked(i == checked);
}

bool MenuSystem::mus(int n)
{
    m_state.musik = n;
    saveSoundSetting();
    setSoundChecks();
    m_state.oMenuA1->update();
    const QString question = QStringLiteral("Änderungen werden erst beim\r"
                                            "nächsten Programmstart wirksam !\r"
                                            "\r"
                                            "Programm jetzt neu starten?");
    if (m_boxes.yesNo(nullptr, question, QStringLiteral("Sicherheitsabfrage"), 131104) == MessageBoxes::Yes
        && m_actions.restart)
        m_actions.restart();
    return true;
}
