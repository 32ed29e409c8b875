#pragma once

#include <QMainWindow>
#include <functional>

// The game's main window. Its client area (the central widget, "clientArea") is the parent of
// every play-field control. A close request (the close box, or a posted close event) never closes
// the window by itself: it goes to the handler the game attached, which asks first.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();

    QWidget* clientArea() const { return m_clientArea; }
    void setCloseRequestHandler(std::function<void()> handler) { m_onCloseRequest = std::move(handler); }
    void setClientColor(const QColor& color);
    // Sets the outer size, frame and menu bar included, as far as the window system lets us know it.
    void setOuterSize(double width, double height);
    // The same, and the player can no longer resize the window: minimum and maximum are that size.
    void setFixedOuterSize(double width, double height);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_clientArea;
    std::function<void()> m_onCloseRequest;
};
