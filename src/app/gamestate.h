#pragma once

#include "game/askedquestions.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <array>

class QMenu;
class QPushButton;
class QWidget;

// Everything the game keeps while it runs, in one record. One instance lives as long as the
// application object; whoever needs it gets it by reference.
struct GameState
{
    // One answer layout: the places (x, y) of answers 1 to 4 at scale 1, answer 1 being the right one.
    using Layout = std::array<int, 8>;

    QString Pfad;                  // the data directory; every relative file name resolves there
    double xSize = 796;            // the main window's outer size at scale 1
    double ySize = 562;
    double F = 1.3;                // the window scale factor
    int musik = 0;                 // sound: 1 off, 2 "ja.wav"/"no.wav", 3 "jaa.wav"/"noo.wav"; 0 until restored
    QWidget* oDlg = nullptr;       // the main window, parent of every play-field control
    QString kana;                  // file name of the catalog in play (work area 1)
    QString kahi;                  // file name of the high score table in use (work area 2)
    int fehler = 0;                // wrong answers in the current game
    int richtig = 0;               // right answers in the current game
    AskedQuestions aArrayI;        // record numbers of the questions asked in this run
    std::array<Layout, 24> aArrayP = answerLayouts();
    int Platz = 0;                 // the answer layout in use, 1 to 24; 0 before the first
    int anzfra = 0;                // questions in the catalog in play
    int anzgeb = 0;                // number of topics
    QWidget* oLogo = nullptr;      // the picture above the play field
    bool neuBG = false;            // true while a special catalog's title panel replaces the logo
    QWidget* oXbb = nullptr;       // that title panel
    QPushButton* pb1 = nullptr;    // the two buttons of the advertising banner
    QPushButton* pb2 = nullptr;
    QMenu* oMenuA = nullptr;       // "~Einstellungen   "
    QMenu* oMenuA1 = nullptr;      // "~Sound  "
    QMenu* oMenuB = nullptr;       // "~Hilfe "
    QVariantList aKataloge;        // the special catalog chooser's list
    bool haupt = false;            // the chooser's layout flag
    QWidget* oDlgs = nullptr;      // the chooser's dialog

    // The 24 orderings of the four answer places A (4, 4), B (396, 4), C (4, 54), D (396, 54), in
    // lexicographic order of the letters: row 1 ABCD, row 2 ABDC, ... row 24 DCBA.
    static std::array<Layout, 24> answerLayouts();
    // Row n (1 to 24) of the answer layouts.
    const Layout& layout(int n) const { return aArrayP.at(n - 1); }
};
