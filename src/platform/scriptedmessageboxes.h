#pragma once

#include "platform/messageboxes.h"

#include <QList>
#include <QStringList>

// Message boxes answered from a list instead of by a player: for tests and unattended runs
// (BRIMORA_ANSWERS="ja,nein,..." in the environment). Every box is written to stderr as
// "title: text"; a yes/no box takes the next answer, or its default button when the list is used up.
class ScriptedMessageBoxes : public MessageBoxes
{
public:
    explicit ScriptedMessageBoxes(QList<int> answers = {});
    // Parses "ja,nein,6,7" into answers; unknown words count as no.
    static QList<int> parseAnswers(const QString& list);

    int yesNo(QWidget* owner, const QString& text, const QString& title, int style = 0,
              int defaultButton = 0) override;
    void notice(QWidget* owner, const QString& text, const QString& title) override;

    // Every box shown so far, as "title: text".
    const QStringList& shown() const { return m_shown; }

private:
    void record(const QString& text, const QString& title);

    QList<int> m_answers;
    QStringList m_shown;
};
