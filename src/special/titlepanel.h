#pragma once

#include <QLabel>
#include <QString>

// The coloured title panel of a special catalog, in place of the logo above the play field: a
// big heading and a second one in the middle, a text block above and one below them, and a
// bottom line. Positions and sizes are those of scale 1 times F, counted from the bottom-left
// corner; the second heading is in the desktop's fixed font and does not grow with the window.
class TitlePanel : public QLabel
{
    Q_OBJECT

public:
    // Texts and colours of the panel, from the catalog's settings file (palette numbers).
    struct Look
    {
        int c_Cb = 8;        // background
        QString c_name1;     // big heading
        QString c_name2;     // second heading
        QString c_oben;      // text block above the headings
        int c_Co = -2;       // its colour
        QString c_unten;     // text block below the headings
        int c_Cu = -2;       // its colour
        QString c_copy;      // bottom line
    };

    // Creates the panel with its five texts on the play field's area and shows it.
    TitlePanel(QWidget* playField, double F, const Look& look);

private:
    QLabel* addText(const char* objectName, const QString& text, QPointF position, QSizeF size, const QFont& font,
                    int colour, bool wrap);
};
