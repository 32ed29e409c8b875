#pragma once

#include <QDialog>
#include <QFont>
#include <QList>
#include <QPair>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <functional>

// The about box of the menu's "Info ": the product, the catalog in play in two lines, the maker's
// notice and a few words to the player, with buttons for mail and the web site. It is modal over
// the whole application until "Ok", Enter, Esc or its close box ends it; "Details" (only offered
// for the main catalog) and the two link buttons leave it open.
//
// Object names: the box "aboutBox", its texts "aboutLine1" (product) to "aboutLine6" (text block),
// the line "aboutSeparator", the buttons "aboutDetails", "aboutMail", "aboutHome" and "aboutOk".
class AboutBox : public QDialog
{
public:
    // The texts of the box, from the top down.
    struct Texts
    {
        QString title;             // the title bar
        QString productLine;       // the product's name, large
        QString distributionLine;  // how the game is handed out
        QString infoLine1;         // what the catalog in play holds
        QString infoLine2;
        QString noticeLine;        // the maker's notice
        QString textBlock;         // lines separated by carriage returns
    };

    // A text and the width it has in the box.
    using Field = QPair<QString, double>;

    // Shows the box centred on the desktop, owned by owner, and returns when it ends; the control
    // that had the focus before gets it back. With a details function the box offers "Details",
    // which calls it.
    static void aboutBox(QWidget* owner, const Texts& texts, const std::function<void()>& details = {});

    // The desktop's dialog font, at the largest size up to its own at which every text fits its width.
    static QFont dialogFont(const QList<Field>& fields);
    // The product line's font: half as large again as the dialog font, bold.
    static QFont productFont(const QFont& dialogFont);

private:
    // A text or a button of the box: its place (bottom-left) and size.
    struct Control
    {
        QString name;
        QString text;
        QPointF pos;
        QSizeF size;
    };

    AboutBox(QWidget* owner, const Texts& texts, const std::function<void()>& details);

    void setOuterSize(QSize outer);
    void addText(const Control& control, Qt::Alignment alignment, const QFont& font);
    void addButton(const Control& control, const std::function<void()>& action);
};
