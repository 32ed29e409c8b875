#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>
#include <variant>

class BDbutton;
class SoundPlayer;
class StaticPart;

// The action of a button: called with two absent arguments and the button itself, as every action
// of a control in the game. An action ignores what it does not need.
using ButtonAction = std::function<void(const QVariant&, const QVariant&, BDbutton*)>;

// The picture of a button: a bitmap file name or the number of a picture built into the game.
// 0 or an empty name means no picture.
using ButtonImage = std::variant<int, QString>;

// The game's own push button, used for every control of the play field: the question, the four
// answers, the two jokers and the two counters. It is a plain control (the base) holding a
// background panel, a caption of one or more lines, optionally a picture, and a hover frame that
// is raised while the pointer is over the button and sunken while the mouse button is held down.
// The caption takes the focus colour while the pointer is over it. A press plays the button's sound,
// a release over the button runs its action.
//
// Positions and sizes count from the bottom-left corner, y upwards, as everywhere in the game.
// Children (panel, caption, picture, hover frame) let the pointer through to the base, so the base
// sees every pointer event in its own coordinates.
//
// Object names: the base carries its numeric name ("666"), or "bdbutton" without one; the parts are
// "panel", "caption", "icon" and "hoverFrame".
class BDbutton : public QWidget
{
    Q_OBJECT

public:
    explicit BDbutton(QWidget* parent = nullptr);

    // --- variables, in the order the button declares them ---
    QString Caption;                      // the caption; a line feed starts a new line
    ButtonImage Icon = 0;                 // the picture: file name or picture number; 0/"" none
    // The button's action. The button also has a method activate(position, released) that handles
    // press and release; C++ cannot give a member function and a variable the same name, so the
    // action lives here.
    ButtonAction activateAction = [](const QVariant&, const QVariant&, BDbutton*) {};
    QSizeF Size;                          // size for the hit test and the layout (the creation size)
    bool button = false;                  // the left mouse button is held down on the hovered button
    int Type = 1;                         // kind of the caption holder; 1 = text
    int IconType = 3;                     // kind of the picture holder for a built-in picture
    int focuscolor = 2;                   // caption colour while the pointer is over the button
    QString font;                         // compound font name of the caption
    std::optional<QSizeF> iconsize;       // picture size; empty: measured at creation
    bool autosize = false;                // take the size computed from caption and picture
    std::optional<QString> sound;         // wave file played when the button is pressed
    bool flat = false;                    // no permanent frame (plain base instead of raised)
    bool side = false;                    // the picture stands left of the caption, not above it
    // The button's own parts and state, used by its methods.
    StaticPart* oIcon = nullptr;          // picture holder, only with a picture
    StaticPart* oStatic = nullptr;        // caption holder
    StaticPart* oWdg = nullptr;           // hover frame
    bool lFocus = false;                  // pointer over the button, hover frame shown
    bool enabled = true;                  // reacts to the pointer and runs its action
    StaticPart* oBkGrd = nullptr;         // background panel

    // Where the press sound goes; set by bdButton. Without a player the button is silent.
    SoundPlayer* soundPlayer = nullptr;

    // --- methods ---
    // Sets up the button in parent at position with size, not yet created. owner is accepted for
    // symmetry with every control of the game; a child control has no owner of its own.
    BDbutton* init(QWidget* parent, QWidget* owner, QPointF position, QSizeF size, bool visible = true);
    // Builds the parts; an absent argument keeps the value given to init.
    BDbutton* create(std::optional<QPointF> position = {}, std::optional<QSizeF> size = {},
                     std::optional<bool> visible = {});
    bool isCreated() const { return created; }
    // Pointer motion at position, in the base's bottom-left coordinates.
    void focus(QPointF position);
    // Press (released false) or release (released true) of the left mouse button at position.
    void activate(QPointF position, bool released);
    bool disable();
    bool enable();
    // Inverts the 32 x 32 square at the bottom left of the control's picture. Works while the
    // control paints itself (it is the control's paint callback).
    static void invert(QWidget* control);
    // Stores the name in font when present and returns font; an existing caption keeps its font.
    QString setFontCompoundName(const std::optional<QString>& name);
    bool isenabled() const { return enabled; }
    // Sets the background of base, panel and caption holder when present; returns the base's.
    std::optional<int> setColorBG(std::optional<int> colour);
    // Shows text in the caption holder (which keeps its creation size); Caption stays as it was.
    bool setcaption(const QString& text);

    // Colours of the base as palette numbers (absent: none of its own).
    std::optional<int> colorBG() const { return baseBG; }
    std::optional<int> colorFG() const { return baseFG; }
    void setColorFG(std::optional<int> colour);
    // Applies the base's colours and current state to its parts again after a change.
    void reconfigure();
    // The base's position and size in its parent, bottom-left, as last placed.
    QPointF position() const;
    QSizeF currentSize() const { return placedSize; }
    void setPosition(QPointF position);
    void setCurrentSize(QSizeF size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // For a picture file: a picture view of size that fills the holder and shows the file.
    void showPictureFile(const QString& file, QSizeF size);
    // The paint callback of the picture holder and of a picture view on it (empty: none).
    void setPicturePaintCallback(const std::function<void(QWidget*)>& callback);
    QPointF toButton(QPointF qtPosition) const;
    bool inside(QPointF position) const;
    void leave();
    void captureMouse();
    void releaseCapture();
    int restingCaptionColor() const;

    bool created = false;
    int baseKind = 14;
    std::optional<int> baseBG;
    std::optional<int> baseFG;
    QPointF initPosition;
    bool initVisible = true;
    QSizeF placedSize;
};
