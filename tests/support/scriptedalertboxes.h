#pragma once

#include "ui/alertboxes.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <optional>

// Alert boxes answered from a list instead of by a player. Every call is recorded with all its
// arguments; each box takes the next answer, or 0 (closed without a choice) when the list is used up.
class ScriptedAlertBoxes : public AlertBoxes
{
public:
    struct Call
    {
        QPointer<QWidget> owner;
        bool ownerGiven = false;
        QString text;
        QStringList captions;
        std::optional<int> icon;
        QString title;
    };

    explicit ScriptedAlertBoxes(QList<int> answers = {});

    int alertBox(QWidget* owner, const QString& text, const QStringList& captions = {QStringLiteral("~Ok")},
                 std::optional<int> icon = {}, const QString& title = QStringLiteral(" ")) override;

    const QList<Call>& calls() const { return m_calls; }

private:
    QList<int> m_answers;
    QList<Call> m_calls;
};
