#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The arithmetic of the game's alert box: how its message is cut into lines, how big its buttons,
// its client area and its text block are, and where lines, icon and buttons go. Nothing here
// measures or draws; the sizes of texts come in through two measuring functions, so the layout can
// be checked with sizes chosen by hand.
//
// Positions count from the bottom-left corner of the box's client area, x to the right, y upwards,
// in fractional pixels, as everywhere in the game.
class AlertBoxLayout
{
public:
    // One line of the message: the point at which its text is drawn (the start of its base line),
    // its text and its size measured in the message font.
    struct Line
    {
        QPointF position;
        QString text;
        double width = 0;
        double height = 0;
    };

    // The extent of a text in some font: its width and its height.
    using Extent = std::function<QSizeF(const QString&)>;

    struct Input
    {
        QString text;                      // the message; ";" starts a new line
        QStringList captions;              // the button captions; only the first four count
        Extent captionExtent;              // measures in the dialog font
        Extent messageExtent;              // measures in the message font
        QSizeF iconSize;                   // the icon control's size; (0, 0) without an icon
        bool icon = false;                 // an icon is shown
        // The client size the box really got; absent: the client size it asked for.
        std::optional<QSizeF> clientSize;
    };

    struct Result
    {
        int buttonCount = 0;               // n
        int longest = -1;                  // index of the measured caption (the first of the longest)
        int m = 0;                         // its length in characters
        QSizeF captionSize;                // its extent (wL, hL)
        double bw = 0, bh = 0;             // the size of every button
        double g = 0;                      // the gap between two buttons
        double R = 0;                      // the width of the button row
        QSizeF textBlock;                  // (WT, HT)
        QSizeF clientSize;                 // (CW, CH), the client size the box asks for
        QSizeF actualClient;               // (aw, ah), the client size the positions below use
        QPointF textOrigin;                // (xT, yT)
        QList<Line> lines;                 // the lines with their positions
        QPointF iconPosition;              // where the icon control goes (only with an icon)
        QList<QPointF> buttonPositions;    // where button 1 to n go
    };

    // The whole layout of one box.
    static Result compute(const Input& input);

    // Returns the part of text before the first separator and leaves in text what follows it;
    // without a separator, returns the whole text and leaves text empty.
    static QString cutStr(const QString& separator, QString& text);
    // Cuts the message into lines at ";" and measures them: a piece of nothing but blanks, tabs and
    // line breaks becomes a single blank, blank pieces at the very end give no line, long lines are
    // never wrapped. Returns the size of the text block (widest line, sum of 2 + height of each line).
    static QSizeF prepareText(QList<Line>& lines, QString message, const Extent& messageExtent);
    // Places every line below the top of the block at origin with size block: centred in the block
    // without an icon, at its left edge with one.
    static void adjustPos(QPointF origin, QSizeF block, QList<Line>& lines, bool icon);
    // The position that centres inner in outer, with the fractions dropped (toward zero).
    static QPointF centerPos(QSizeF inner, QSizeF outer);
    // The index of the first of the longest captions among the first count (by characters).
    static int longestCaption(const QStringList& captions, int count);
    // True when the text holds nothing but blanks, tabs, carriage returns and line feeds.
    static bool isBlank(const QString& text);

    static constexpr int maxButtons = 4;
};
