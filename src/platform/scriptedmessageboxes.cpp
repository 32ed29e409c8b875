#include "platform/scriptedmessageboxes.h"

#include <cstdio>

ScriptedMessageBoxes::ScriptedMessageBoxes(QList<int> answers)
    : m_answers(std::move(answers))
{
}

QList<int> ScriptedMessageBoxes::parseAnswers(const QString& list)
{
    QList<int> answers;
    for (const QString& word : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString w = word.trimmed().toLower();
        const bool yes = w == QLatin1String("ja") || w == QLatin1String("yes") || w == QLatin1String("6");
        answers << (yes ? Yes : No);
    }
    return answers;
}

void ScriptedMessageBoxes::record(const QString& text, const QString& title)
{
    // Line breaks of the platform's boxes (carriage returns) are written as line feeds.
    const QString line = title + QStringLiteral(": ")
        + QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_shown << line;
    std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

int ScriptedMessageBoxes::yesNo(QWidget*, const QString& text, const QString& title, int, int defaultButton)
{
    record(text, title);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return defaultButton == DefaultSecond ? No : Yes;
}

void ScriptedMessageBoxes::notice(QWidget*, const QString& text, const QString& title)
{
    record(text, title);
}
