#include "app/mainwindow.h"

#include <QCloseEvent>
#include <cmath>

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
    // The frame is known only once the window is shown; before that it counts as none.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize outer(int(std::lround(width)), int(std::lround(height)));
    resize(outer - frame);
}

void MainWindow::setFixedOuterSize(double width, double height)
{
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize inner = QSize(int(std::lround(width)), int(std::lround(height))) - frame;
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
