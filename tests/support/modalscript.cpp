#include "modalscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QTest>
#include <QWidget>

namespace {

constexpr qint64 deadlineMs = 20000;

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
        m_timer.stop(); // every expected dialog answered: later dialogs belong to the next script
        return;
    }
    if (!modal || modal == m_last || !modal->isVisible()) {
        if (now() - m_waitingSince > deadlineMs)
            fail(QStringLiteral("dialog %1 did not come").arg(m_steps.first().first), modal);
        return;
    }
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
