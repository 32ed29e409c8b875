#pragma once

#include "ui/bdbutton.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <variant>

class MessageBoxes;
class QWidget;
class SoundPlayer;

// What the button functions need from the running game: the notice box (for a colour given as
// text), the sound player (for the press sound) and the window that holds a button when the caller
// names none. The game passes the client area of the main window as defaultParent.
struct ButtonContext
{
    MessageBoxes* messageBoxes = nullptr;
    SoundPlayer* soundPlayer = nullptr;
    QWidget* defaultParent = nullptr;
};

// A pair of which either value may be absent: a size whose absent width asks for automatic sizing,
// a picture size of two absent values that asks for measuring, a position or size not to change.
struct OptionalPair
{
    std::optional<double> first{};
    std::optional<double> second{};
};

// Colours given as a list: background, text, text while the pointer is over the button.
// Palette numbers (see Palette); an absent element is not given.
struct ColorList
{
    std::optional<int> background{};
    std::optional<int> text{};
    std::optional<int> hover{};
};

// The colour argument: absent, a list, one number (the text colour), or text, which the game does
// not support and answers with the notice "char color not supported yet".
using ButtonColors = std::variant<std::monostate, ColorList, int, QString>;

// Where a new button is delivered: nowhere, into a variable, or appended to a list.
using ButtonTarget = std::variant<std::monostate, BDbutton**, QList<BDbutton*>*>;

// The arguments of bdButton, in their order (1 to 21); every member left out counts as absent.
// Use designated initialisers: bdButton(context, {.position = ..., .size = ..., .caption = ...}).
struct BDButtonArgs
{
    QPointF position{};                    //  1 position in the parent
    OptionalPair size{};                   //  2 size; absent width: automatic size
    std::optional<QString> caption{};      //  3 caption (Type := 1)
    QWidget* parent = nullptr;             //  4 parent window; absent: context.defaultParent
    std::optional<QString> font{};         //  5 compound font name; absent: the parent's
    ButtonColors colors{};                 //  6 colours; absent: the parent's
    std::optional<bool> autoSize{};        //  7 automatic size
    ButtonAction action{};                 //  8 action; absent (empty): does nothing
    std::optional<ButtonImage> image{};    //  9 picture: file name or picture number
    OptionalPair imageSize{};              // 10 picture size; absent first value: measured
    std::optional<QString> sound{};        // 11 wave file played at the press
    std::optional<bool> disabled{};        // 12 disabled right after creation
    std::optional<bool> hidden{};          // 13 created invisible
    std::optional<int> pointerResource{};  // 14 pointer shape: resource number
    std::optional<QString> pointerModule{};// 15 pointer shape: module holding it
    std::optional<int> pointerKind{};      // 16 pointer shape: kind
    std::optional<bool> notFlat{};         // 17 true: flat := false
    std::optional<bool> flat{};            // 18 true: flat := true (wins over 17)
    std::optional<int> name{};             // 19 numeric name, to find the button by
    ButtonTarget target{};                 // 20 receives the new button
    std::optional<bool> imageAtSide{};     // 21 picture left of the caption (only with a picture)
};

// The arguments of bdUpdateButton, in their order (1 to 19); every member left out changes nothing.
struct BDUpdateButtonArgs
{
    std::variant<BDbutton*, int> button{}; //  1 the button, or its numeric name in the parent
    OptionalPair position{};               //  2 move, when the first value is present
    OptionalPair size{};                   //  3 resize the base, when the first value is present
    std::optional<QString> caption{};      //  4 new caption in the holder of creation size
    std::optional<QString> font{};         //  5 compound font name (for captions created later)
    ButtonColors colors{};                 //  6 colours; a list sets the text colour even when absent
    QWidget* parent = nullptr;             //  7 where a name is looked up; absent: defaultParent
    std::optional<bool> autoSize{};        //  8 true: autosize := true
    ButtonAction action{};                 //  9 new action (with a sound: sound first)
    std::optional<QString> sound{};        // 10 sound played when the action runs (at release)
    std::optional<bool> disable{};         // 11
    std::optional<bool> enable{};          // 12
    std::optional<bool> hide{};            // 13
    std::optional<bool> show{};            // 14
    std::optional<int> pointerResource{};  // 15 pointer shape: resource number
    std::optional<QString> pointerModule{};// 16 pointer shape: module holding it
    std::optional<int> pointerKind{};      // 17 pointer shape: kind
    std::optional<ButtonImage> image{};    // 18 Icon := image (the shown picture stays)
    OptionalPair imageSize{};              // 19 iconsize, when the first value is present
};

// Creates, configures and shows a button. The result is always true; the button reaches the
// caller through args.target or its name.
bool bdButton(const ButtonContext& context, const BDButtonArgs& args);

// Changes an existing, created button and leaves everything not given unchanged. Always true.
bool bdUpdateButton(const ButtonContext& context, const BDUpdateButtonArgs& args);

// The button named number among the direct children of parent, or nullptr.
BDbutton* findButton(QWidget* parent, int number);

// The size of text in the font of the compound name, measured for window: its bounding box plus 2
// pixels each way.
QSizeF textSize(const QString& text, QWidget* window, const QString& fontName);

// count line breaks, each carriage return + line feed.
QString cr(int count = 1);

// The parent's colours and compound font, as palette numbers and a compound name, when the parent
// carries them (dynamic properties "colorBG", "colorFG" (int) and "compoundFont" (QString)); a
// button without colours or font of its own takes these.
std::optional<int> parentColorBG(const QWidget* parent);
std::optional<int> parentColorFG(const QWidget* parent);
QString parentCompoundFont(const QWidget* parent);
