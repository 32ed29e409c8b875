#include "game/jokers.h"

#include "platform/messageboxes.h"
#include "ui/alertboxes.h"

namespace {

const ColorList available{5, 1, 1};
const ColorList used{3, 1, 1};

} // namespace

Jokers::Jokers(MessageBoxes& boxes, AlertBoxes& alerts, const ButtonContext& buttons, Calls calls)
    : m_boxes(boxes)
    , m_alerts(alerts)
    , m_buttons(buttons)
    , m_calls(std::move(calls))
{
}

ButtonAction Jokers::jokerAction(int kind)
{
    return [this, kind](const QVariant&, const QVariant&, BDbutton*) { joker(kind); };
}

ButtonAction Jokers::usedAction()
{
    return [this](const QVariant&, const QVariant&, BDbutton*) {
        m_boxes.notice(nullptr, QStringLiteral("Dieser Joker ist schon weg !"), QStringLiteral("Pech gehabt !"));
    };
}

void Jokers::update(int name, ColorList colors, ButtonAction action)
{
    BDUpdateButtonArgs args;
    args.button = name;
    args.colors = colors;
    args.parent = m_buttons.defaultParent;
    args.action = std::move(action);
    bdUpdateButton(m_buttons, args);
}

void Jokers::hide(int name)
{
    BDUpdateButtonArgs args;
    args.button = name;
    args.parent = m_buttons.defaultParent;
    args.hide = true;
    bdUpdateButton(m_buttons, args);
}

void Jokers::giveBack()
{
    update(222, available, jokerAction(0));
    update(333, available, jokerAction(1));
}

void Jokers::joker(int kind)
{
    if (m_boxes.yesNo(nullptr, QStringLiteral("wirklich Joker einsetzen ?"), QStringLiteral("Joker"), 131104)
        != MessageBoxes::Yes)
        return;

    if (kind == 1) {
        // Always the answers of af21/af22 and af41/af42: the places are shuffled, so the player
        // cannot tell.
        update(333, used, usedAction());
        hide(777);
        hide(999);
        return;
    }

    update(222, used, usedAction());
    const int choice = m_alerts.alertBox(nullptr,
                                         QStringLiteral("   Lösung und Zusatzinfos ;   anzeigen oder direkt   ;   zur nächsten Frage ? "),
                                         {QStringLiteral("Zusatzinfo"), QStringLiteral("weiter")}, 11,
                                         QStringLiteral("Frage wurde getauscht"));
    if (choice == 1) {
        // The right answer of the question being left, then its additional information.
        update(666, available, {});
        m_calls.zusatzinfo(QStringLiteral("zur nächsten Frage"));
    }
    m_calls.nextQuestion();
}
