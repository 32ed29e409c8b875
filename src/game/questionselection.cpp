#include "game/questionselection.h"

#include "app/gamestate.h"
#include "game/random.h"
#include "platform/dbf/database.h"
#include "platform/messageboxes.h"

#include <QTime>

namespace {

const ColorList questionColors{15, 1, 2};

} // namespace

QuestionSelection::QuestionSelection(GameState& state, Database& database, Random& random, MessageBoxes& boxes,
                                     const ButtonContext& buttons, SecondsDigit secondsDigit)
    : m_state(state)
    , m_database(database)
    , m_random(random)
    , m_boxes(boxes)
    , m_buttons(buttons)
    , m_secondsDigit(std::move(secondsDigit))
{
}

int QuestionSelection::currentSecondsDigit()
{
    return QTime::currentTime().second() % 10;
}

int QuestionSelection::drawLayout(Random& random)
{
    int Platz = 0;
    while (Platz == 0) {
        for (int z = 1; z < 10; ++z)
            Platz = random.random(24);
    }
    return Platz;
}

bool QuestionSelection::wahl()
{
    WorkArea& questions = m_database.current();
    const int max = questions.recCount();
    if (max == 0)
        return false;
    if (m_state.aArrayI.size() >= max) {
        m_boxes.notice(nullptr,
                       QStringLiteral("Es wurden alle Fragen bereits gestellt") + QChar(13)
                           + QStringLiteral("Jetzt beginnt es wieder von vorne !"),
                       QStringLiteral("Info"));
        m_state.aArrayI.clear();
    }

    int satz = 0;
    while (true) {
        // The clock's last seconds digit decides how many draws are thrown away. A digit of 0
        // would make no draw at all, and the attempt would spin until the clock ticks on: that
        // attempt draws once instead.
        const int mal = qMax(m_secondsDigit() + 1, 2);
        for (int z = 1; z < mal; ++z)
            satz = m_random.random(max);
        if (satz != 0 && !m_state.aArrayI.contains(satz)) {
            m_state.aArrayI.append(satz);
            questions.goTo(satz);
            return true;
        }
    }
}

bool QuestionSelection::frageNeu()
{
    m_state.Platz = drawLayout(m_random);
    const GameState::Layout& p = m_state.layout(m_state.Platz);
    const double F = m_state.F;

    m_database.select(1);
    WorkArea& question = m_database.current();
    auto lines = [&](const char* first, const char* second) {
        return question.fieldGet(QLatin1String(first)).toString() + cr()
            + question.fieldGet(QLatin1String(second)).toString();
    };
    auto show = [&](int name, OptionalPair position, const QString& caption, bool visible) {
        BDUpdateButtonArgs args;
        args.button = name;
        args.position = position;
        args.caption = caption;
        args.colors = questionColors;
        args.parent = m_buttons.defaultParent; // the client area of the main window
        args.autoSize = false;
        if (visible)
            args.show = true;
        bdUpdateButton(m_buttons, args);
    };
    show(555, {}, lines("fr1", "fr2"), false);
    show(666, {p[0] * F, p[1] * F}, lines("ar11", "ar12"), true);
    show(777, {p[2] * F, p[3] * F}, lines("af21", "af22"), true);
    show(888, {p[4] * F, p[5] * F}, lines("af31", "af32"), true);
    show(999, {p[6] * F, p[7] * F}, lines("af41", "af42"), true);
    return true;
}
