#include "app/windowscale.h"

#include "app/gamestate.h"
#include "app/mainwindow.h"
#include "game/playfield.h"
#include "platform/bottomleft.h"
#include "platform/desktopcenter.h"
#include "platform/dbf/database.h"
#include "platform/messageboxes.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

WindowScale::WindowScale(GameState& state, NamedVariables& variables, MessageBoxes& boxes, Parts parts)
    : m_state(state)
    , m_variables(variables)
    , m_boxes(boxes)
    , m_parts(std::move(parts))
{
}

QSize WindowScale::desktopSize(const MainWindow* window)
{
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void WindowScale::bild(int n)
{
    const QSize desktop = desktopSize(m_parts.window);
    const double F0 = m_state.F;
    // Kept on whole tenths, so repeated steps do not drift and "screen.xpf" reads 1.4, not 1.4000000000000001.
    m_state.F = std::round((F0 + (n == 2 ? 0.1 : -0.1)) * 10) / 10;
    if (m_state.F < 1) {
        m_state.F = 1;
        return;
    }
    if (m_state.xSize * m_state.F > desktop.width() || m_state.ySize * m_state.F > desktop.height()) {
        m_state.F = F0;
        return;
    }

    resizeWindow();
    moveLogo();
    updateButtons();
    saveScale();

    const QString question = QStringLiteral("Unter Umständen ist die graphische Darstellung erst nach einem "
                                            "Neustart des Programmes zu 100% in Ordnung. Quiz neu starten?");
    if (m_boxes.yesNo(nullptr, question, QString(), 131104, MessageBoxes::DefaultSecond) == MessageBoxes::Yes
        && m_parts.restart)
        m_parts.restart();
}

void WindowScale::resizeWindow()
{
    const double width = m_state.xSize * m_state.F;
    const double height = m_state.ySize * m_state.F;
    m_parts.window->setFixedOuterSize(width, height);
    DesktopCenter::center(m_parts.window);
}

// The logo keeps its size and stays centred in the room above the play field.
void WindowScale::moveLogo()
{
    if (!m_state.oLogo)
        return;
    const QSize outer = m_parts.window->frameGeometry().size();
    const double W = outer.width();
    const double H = outer.height();
    const double F = m_state.F;
    BottomLeft::place(m_state.oLogo, QPointF((W - 784) / 2, 170 * F + (H - 170 * F - 50 - 345) / 2),
                      m_state.oLogo->size());
}

void WindowScale::updateButtons()
{
    const double F = m_state.F;
    const PlayField& field = *m_parts.playField;
    const WorkArea& questions = m_parts.database->area(1);
    // The captions as stored in the record, blanks included: the buttons keep their question.
    auto lines = [&questions](const char* first, const char* second) {
        return questions.fieldGet(QLatin1String(first)).toString() + QStringLiteral("\r\n")
            + questions.fieldGet(QLatin1String(second)).toString();
    };
    auto update = [&](int name, double x, double y, double w, double h, std::optional<QString> caption,
                      const QString& font) {
        BDUpdateButtonArgs args;
        args.button = name;
        args.position = {x * F, y * F};
        args.size = {w * F, h * F};
        args.caption = std::move(caption);
        args.font = font;
        args.parent = m_parts.buttons->defaultParent;
        bdUpdateButton(*m_parts.buttons, args);
    };

    update(111, 716, 105, 60, 27, std::nullopt, field.counterFont());
    update(112, 716, 138, 60, 27, std::nullopt, field.counterFont());
    update(222, 648, 105, 60, 60, std::nullopt, field.jokerFont());
    update(333, 580, 105, 60, 60, std::nullopt, field.jokerFont());
    update(555, 4, 105, 566, 60, lines("fr1", "fr2"), field.questionFont());

    const GameState::Layout& p = m_state.layout(m_state.Platz);
    const char* fields[4][2] = {{"ar11", "ar12"}, {"af21", "af22"}, {"af31", "af32"}, {"af41", "af42"}};
    const int names[4] = {666, 777, 888, 999};
    for (int i = 0; i < 4; ++i)
        update(names[i], p[2 * i], p[2 * i + 1], 380, 45, lines(fields[i][0], fields[i][1]), field.answerFont());
}

void WindowScale::saveScale()
{
    m_variables.set(QStringLiteral("screen"), m_state.F);
    try {
        SettingsFile::save(QDir(m_state.Pfad).filePath(QStringLiteral("screen.xpf")), QStringLiteral("scree*"),
                           m_variables);
    } catch (const SettingsError& error) {
        m_boxes.notice(nullptr,
                       error.message() + QStringLiteral("\n\nDie Fenstergröße gilt nur bis zum Programmende."),
                       QStringLiteral("Hinweis"));
    }
}
