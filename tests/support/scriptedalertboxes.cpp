#include "scriptedalertboxes.h"

ScriptedAlertBoxes::ScriptedAlertBoxes(QList<int> answers)
    : m_answers(std::move(answers))
{
}

int ScriptedAlertBoxes::alertBox(QWidget* owner, const QString& text, const QStringList& captions,
                                 std::optional<int> icon, const QString& title)
{
    m_calls.append(Call{owner, owner != nullptr, text, captions, icon, title});
    return m_answers.isEmpty() ? 0 : m_answers.takeFirst();
}
