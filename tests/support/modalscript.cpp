#include "modalscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QTest>
#include <QWidget>

namespace {

constexpr qint64 deadlineMs = 20000;
// A dialog that never becomes active (a window system without activation) gets its step anyway.
constexpr qint64 activationWaitMs = 5000;

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ModalScript::ModalScript()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
}

void ModalScript::expect(const QString& objectName, Step step)
{
    if (m_steps.isEmpty())
        m_waitingSince = now();
    m_steps.append({objectName, std::move(step)});
    m_timer.start();
}

ModalScript::Step ModalScript::click(const QString& buttonName)
{
    return [buttonName](QWidget* dialog) {
        auto* button = dialog->findChild<QAbstractButton*>(buttonName);
        if (button)
            button->click();
    };
}

void ModalScript::fail(const QString& why, QWidget* modal)
{
    if (m_failure.isEmpty())
        m_failure = why;
    m_steps.clear();
    if (modal)
        modal->close();
}

void ModalScript::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (m_steps.isEmpty()) {
        watchLastDialog(modal);
        return;
    }
    if (!modal || modal == m_last || !modal->isVisible()) {
        if (now() - m_waitingSince > deadlineMs)
            fail(QStringLiteral("dialog %1 did not come").arg(m_steps.first().first), modal);
        return;
    }
    if (!readyForStep(modal))
        return;
    const auto [name, step] = m_steps.takeFirst();
    m_last = modal;
    m_waitingSince = now();
    m_seen << modal->objectName() + QStringLiteral(": ") + modal->windowTitle();
    if (modal->objectName() != name) {
        fail(QStringLiteral("expected %1, got %2 (%3)").arg(name, modal->objectName(), modal->windowTitle()), modal);
        return;
    }
    step(modal);
}

bool ModalScript::readyForStep(QWidget* modal)
{
    if (modal != m_appeared) {
        m_appeared = modal;
        m_appearedAt = now();
    }
    return modal->isActiveWindow() || now() - m_appearedAt > activationWaitMs;
}

// Every expected dialog answered: later dialogs belong to the next script. Only the last one is
// watched until it has gone, so a step that failed half way does not leave the test waiting forever.
void ModalScript::watchLastDialog(QWidget* modal)
{
    if (!m_last || !m_last->isVisible()) {
        m_timer.stop();
        return;
    }
    if (modal == m_last && now() - m_waitingSince > deadlineMs) {
        fail(QStringLiteral("dialog %1 stayed open").arg(m_last->objectName()), m_last);
        m_timer.stop();
    }
}
