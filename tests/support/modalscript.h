#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Answers the game's modal dialogs the way a player would, in the order they are expected: it looks
// for the active modal window every 10 ms and, when a new one with the expected object name has
// appeared and has become the active window (so its focus is in place; on a busy machine that can
// take a while), runs the step on it (typing, clicking). A dialog that does not come within 20
// seconds, or comes with another name, is a failure; the active dialog is then closed so the test
// goes on. So is the last answered dialog when it is still open 20 seconds later (its step failed
// before it could end it). Otherwise, once every expected dialog was answered, the script stops.
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
    bool readyForStep(QWidget* modal);
    void watchLastDialog(QWidget* modal);

    QPointer<QWidget> m_last;
    QPointer<QWidget> m_appeared;
    qint64 m_appearedAt = 0;
    qint64 m_waitingSince = 0;
    QString m_failure;
    QStringList m_seen;
};
