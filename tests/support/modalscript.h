#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Answers the game's modal dialogs the way a player would, in the order they are expected: it looks
// for the active modal window every 10 ms and, when a new one with the expected object name has
// appeared, runs the step on it (typing, clicking). A dialog that does not come within 20 seconds,
// or comes with another name, is a failure; the active dialog is then closed so the test goes on.
// Once every expected dialog was answered the script stops looking.
class ModalScript : public QObject
{
    Q_OBJECT

public:
    using Step = std::function<void(QWidget* dialog)>;

    ModalScript();
    void expect(const QString& objectName, Step step);
    // Clicks the button of that object name inside the dialog.
    static Step click(const QString& buttonName);

    bool done() const { return m_steps.isEmpty(); }
    const QString& failure() const { return m_failure; }
    // Every dialog answered, as "objectName: window title".
    const QStringList& seen() const { return m_seen; }

private:
    void poll();
    void fail(const QString& why, QWidget* modal);

    QTimer m_timer;
    QList<QPair<QString, Step>> m_steps;
    QPointer<QWidget> m_last;
    qint64 m_waitingSince = 0;
    QString m_failure;
    QStringList m_seen;
};
