#pragma once

#include "platform/bitmap.h"
#include "platform/drawingsurface.h"

#include <QByteArray>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

// The picture control: it owns a picture and a drawing surface of its own size, and draws the
// picture scaled to fit, keeping its proportions, and centred. Like an edit field it can be bound
// to data: the picture's buffer (see Bitmap) is its value. The bitmap button shows a picture file
// in one of these.
//
// Positions count from the bottom-left corner, y upwards, as everywhere in the game.
class BitmapRef : public QWidget
{
    Q_OBJECT

public:
    // The data link: called without a value it returns the current value, called with one it
    // stores it.
    using DataLink = std::function<QByteArray(const std::optional<QByteArray>&)>;

    explicit BitmapRef(QWidget* parent = nullptr);

    // --- the data binding ---
    DataLink dataLink;                 // empty: the control is bound to nothing
    bool changed = false;              // the picture was loaded since the value was last set

    // --- variables, in the order the control declares them ---
    Bitmap oBmp;                       // the picture
    DrawingSurface oPS;                // the surface the picture is drawn on, the control's size
    bool lIsEmpty = true;              // no picture has been set or loaded
    bool autoScale = true;             // scale the picture to the control, keeping its proportions
    std::optional<Bitmap> Scaled;      // the bitmap last taken by save
    int backcolor = -2;                // colour number of the background and of the surface's fill

    // --- methods ---
    // Sets up the control in parent at position with size, not yet created. owner is accepted for
    // symmetry with every control of the game; a child control has no owner of its own.
    BitmapRef* init(QWidget* parent, QWidget* owner, QPointF position, QSizeF size, bool visible = true);
    // Places the control and makes its drawing surface; an absent argument keeps the value given
    // to init.
    BitmapRef* create(std::optional<QPointF> position = {}, std::optional<QSizeF> size = {},
                      std::optional<bool> visible = {});
    bool isCreated() const { return created; }
    // Lets go of the picture and the surface and hides the control; create makes it anew.
    // (Hides QWidget's own destroy, which is never used on controls of the game.)
    BitmapRef* destroy();
    // Sets the picture from a buffer; without a value, from the data link. An empty or damaged
    // buffer leaves the control without a picture. Returns the value.
    QByteArray setdata(const std::optional<QByteArray>& value = std::nullopt);
    // The picture as a buffer (empty without a picture), also handed to the data link.
    QByteArray getdata();
    // The picture as a buffer, without touching the data link.
    QByteArray editbuffer() const;
    // Draws the background box and the picture on the surface and shows it. False without a
    // picture.
    bool draw();
    // Loads a picture file; true on success. A file that cannot be loaded leaves the picture as
    // it was.
    bool loadFile(const QString& fileName);
    // Writes the lower-left 150 × 150 pixels of the surface as a BMP file (see saveBitmap) and
    // keeps them in Scaled.
    void save(const QString& fileName);

    // Where draw puts a picture of that size in a control of that size: the target rectangle,
    // both corners included.
    static CornerRect targetRect(QSize picture, QSize control, bool autoScale);

    // Called after the control has painted itself; empty: nothing more. The bitmap button inverts
    // a corner of a disabled button's picture this way.
    void setPaintCallback(std::function<void(QWidget*)> callback);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Steps of draw without showing the result: the surface alone.
    bool drawOnSurface();

    bool created = false;
    QPointF initPosition;
    QSizeF initSize;
    bool initVisible = true;
    std::function<void(QWidget*)> paintCallback;
};
