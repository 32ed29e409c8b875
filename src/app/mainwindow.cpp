#include "app/mainwindow.h"

#include "platform/outersize.h"

#include <QCloseEvent>

MainWindow::MainWindow()
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                               | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_clientArea(new QWidget(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    m_clientArea->setObjectName(QStringLiteral("clientArea"));
    m_clientArea->setAutoFillBackground(true);
    setCentralWidget(m_clientArea);
}

void MainWindow::setClientColor(const QColor& color)
{
    QPalette palette = m_clientArea->palette();
    palette.setColor(QPalette::Window, color);
    m_clientArea->setPalette(palette);
}

void MainWindow::setOuterSize(double width, double height)
{
    resize(OuterSize::inner(*this, width, height));
}

void MainWindow::setFixedOuterSize(double width, double height)
{
    const QSize inner = OuterSize::inner(*this, width, height);
    setMinimumSize(inner);
    setMaximumSize(inner);
    resize(inner);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_onCloseRequest)
        m_onCloseRequest();
}
