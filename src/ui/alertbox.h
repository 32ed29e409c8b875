#pragma once

#include "ui/alertboxlayout.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QPicture>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QPushButton;

// The game's own modal message box: lines of text, an optional information icon at the top left and
// up to four push buttons, sized to its text and buttons and centred over its owner window. It runs
// its own event loop until a button is chosen (its number, 1 to 4) or it is closed by its close box
// or Esc (0). Every answer result, additional-information text, joker message and the high score
// list are shown in it.
//
// The box's client area is the dialog itself. Object names: the box "alertBox", its buttons
// "alertButton1" to "alertButton4", the icon "alertIcon".
class AlertBox : public QDialog
{
    Q_OBJECT

public:
    // Where the text is drawn: the client area and the message font selected in it.
    struct DrawingContext
    {
        QWidget* device = nullptr;
        QFont font;
    };
    // The attributes of the message text: only its colour is set (colour 1 of the game's palette).
    struct TextAttributes
    {
        QColor color;
    };
    // The prepared message.
    struct PreparedText
    {
        DrawingContext oPS;
        std::unique_ptr<QPicture> picture;  // the recorded drawing of the text; empty until painted
        QList<AlertBoxLayout::Line> lines;
        TextAttributes attributes;
    };

    // Shows the box over owner (it must be given), waits for the player and returns the number of the
    // chosen button, or 0. A "~" in a caption marks its mnemonic; only the first four captions count.
    // Icon 11 (and any other code) shows the information icon.
    static int alertBox(QWidget* owner, const QString& text,
                        const QStringList& captions = {QStringLiteral("~Ok")}, std::optional<int> icon = {},
                        const QString& title = QStringLiteral(" "));

    // Moves the dialog to position (bottom-left, on the desktop, counted from its owner's corner);
    // without a position, centres it over its owner.
    static void moveToOwner(QDialog* dialog, std::optional<QPointF> position = {});
    // The keyboard callback of every button: Esc closes the box, Enter chooses the button.
    static void keyHandler(int key, QPushButton* button, const QList<QPushButton*>& buttons);

    // Draws the text: records it once into a picture, then replays the picture. It is the paint
    // callback of the client area. It keeps the game's name and sits beside QWidget::repaint, whose
    // overloads stay visible below and still schedule a paint that ends up here.
    void repaint(PreparedText& aText);
    using QDialog::repaint;

    // --- the values the box's callbacks share ---
    bool lExit = false;                    // the event loop is to end
    int nSelect = 0;                       // the result
    QList<QPushButton*> aPushBtn;          // the buttons, in caption order
    PreparedText aText;                    // the message

    // The caption with "~" turned into the mnemonic mark of a Qt button ("&"; a "&" of its own
    // stays a plain "&").
    static QString buttonText(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    // Esc on the dialog itself closes it like its close box.
    void reject() override;

private:
    AlertBox(QWidget* owner, const QString& title);
};
