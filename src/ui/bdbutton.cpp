#include "ui/bdbutton.h"

#include "platform/bitmap.h"
#include "platform/bottomleft.h"
#include "platform/compoundfont.h"
#include "platform/palette.h"
#include "ui/bdbuttonfunctions.h"
#include "ui/bitmapref.h"
#include "ui/soundplayer.h"
#include "ui/staticpart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <algorithm>
#include <qdrawutil.h>

namespace {

bool hasImage(const ButtonImage& image)
{
    if (const int* number = std::get_if<int>(&image))
        return *number != 0;
    return !std::get<QString>(image).isEmpty();
}

QPixmap builtInPicture(int number)
{
    return number == 0 ? QPixmap() : QPixmap(QStringLiteral(":/bitmaps/%1").arg(number));
}

// The text as the caption holder shows it: lines end at their line feeds (a line break is carriage
// return + line feed in the game's texts), and the blanks at the end of a line do not count when
// the line is centred (the question and answer fields keep the blanks that pad them to their width).
QString shownText(const QString& text)
{
    QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    }
    return lines.join(QLatin1Char('\n'));
}

// Stops the sound that is playing and starts the new one.
void playPressSound(SoundPlayer* player, const QString& file)
{
    if (!player)
        return;
    player->stop();
    player->play(file);
}

} // namespace

BDbutton::BDbutton(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("bdbutton"));
    setMouseTracking(true);
}

BDbutton* BDbutton::init(QWidget* parent, QWidget* /*owner*/, QPointF position, QSizeF size, bool visible)
{
    if (parent != parentWidget())
        setParent(parent);
    hide();
    baseKind = 14;
    oBkGrd = new StaticPart(1, this);
    oBkGrd->setObjectName(QStringLiteral("panel"));
    oBkGrd->hide();
    oStatic = new StaticPart(1, oBkGrd);
    oStatic->setObjectName(QStringLiteral("caption"));
    oStatic->hide();
    Size = size;
    placedSize = size;
    initPosition = position;
    initVisible = visible;
    font = parentCompoundFont(parent);
    return this;
}

BDbutton* BDbutton::create(std::optional<QPointF> position, std::optional<QSizeF> size,
                           std::optional<bool> visible)
{
    if (position)
        initPosition = *position;
    if (size)
        Size = *size;
    if (visible)
        initVisible = *visible;
    QWidget* parent = parentWidget();

    // 1. The caption's extent: a caption of several lines line by line, the widest line and the
    //    sum of the line heights.
    double tw = 0;
    double th = 0;
    const bool severalLines = Caption.contains(QLatin1Char('\n'));
    if (!severalLines) {
        const QSizeF extent = textSize(Caption, parent, font);
        tw = extent.width();
        th = extent.height();
    } else {
        const QString text = Caption + cr();
        qsizetype start = 0;
        while (start < text.size()) {
            qsizetype end = text.indexOf(QLatin1Char('\n'), start);
            end = end < 0 ? text.size() : end + 1;
            const QSizeF extent = textSize(text.mid(start, end - start), parent, font);
            tw = std::max(tw, extent.width());
            th += extent.height();
            start = end;
        }
    }

    // 2. The picture's size, when not given.
    double W = Size.width();
    double H = Size.height();
    if (!iconsize) {
        QSizeF measured(0, 0);
        if (const QString* file = std::get_if<QString>(&Icon)) {
            Bitmap picture;
            picture.loadFile(*file);
            double iw = picture.size().width();
            double ih = picture.size().height();
            if (!autosize && side) {
                // A picture beside the caption is shrunk into the room the caption leaves it,
                // with the margins of an automatically sized button (W = tw + iw + 15,
                // H = ih + 6), so the caption keeps its last letter inside the frame.
                iw = std::min(iw, std::max(0.0, W - tw - 15));
                ih = std::min(ih, std::max(0.0, H - 6));
            }
            measured = QSizeF(iw, ih);
        } else {
            measured = builtInPicture(std::get<int>(Icon)).size();
        }
        iconsize = measured;
    }
    const double iw = iconsize->width();
    const double ih = iconsize->height();

    // 3. A flat button has no permanent frame.
    if (flat)
        baseKind = 1;

    // 4. Automatic size from caption and picture.
    if (autosize) {
        if (!side)
            Size = QSizeF(std::max(tw, iw) + 6, th + ih + 10);
        else
            Size = QSizeF(tw + iw + 15, std::max(th, ih) + 6);
    }

    // 5. The base.
    W = Size.width();
    H = Size.height();
    placedSize = Size;
    BottomLeft::place(this, initPosition, Size);
    created = true;

    // 6. The background panel, with the base's colours.
    oBkGrd->setKind(1);
    oBkGrd->setColorBG(baseBG);
    oBkGrd->setColorFG(baseFG);
    BottomLeft::place(oBkGrd, QPointF(1, 1), QSizeF(W - 2, H - 2));
    oBkGrd->show();

    // 7. The caption holder, of the caption's extent.
    oStatic->setKind(Type);
    oStatic->setText(shownText(Caption));
    if (Type == 1) {
        oStatic->setFont(CompoundFont::toFont(font));
        if (!severalLines) {
            oStatic->setAlignment(Qt::AlignCenter); // text style 5
            oStatic->setWordWrap(false);
        } else {
            oStatic->setAlignment(Qt::AlignHCenter | Qt::AlignTop); // text style 17
            oStatic->setWordWrap(true);
        }
    }
    QPointF captionAt;
    if (!side) {
        captionAt = QPointF((W - tw) / 2, 2);
    } else {
        const double y = (ih <= th && H <= th) ? 2 : (H - th) / 2;
        captionAt = QPointF(iw + 10, y);
    }
    if (baseBG)
        oStatic->setColorBG(oBkGrd->colorBG());
    if (oBkGrd->colorFG())
        oStatic->setColorFG(oBkGrd->colorFG());
    BottomLeft::place(oStatic, captionAt, QSizeF(tw, th));
    oStatic->show();

    // 8. The hover frame, prepared but not shown.
    oWdg = new StaticPart(14, this);
    oWdg->setObjectName(QStringLiteral("hoverFrame"));
    BottomLeft::place(oWdg, QPointF(0, 0), Size);
    oWdg->hide();

    // 9. Press and release reach the button itself (mousePressEvent, mouseReleaseEvent).
    button = false;

    // 10. The picture holder.
    if (hasImage(Icon)) {
        QPointF iconAt;
        if (!side) {
            iconAt = QPointF((W - iw) / 2, th + 2);
        } else {
            const double y = (ih > th && H <= ih) ? 2 : (H - ih) / 2;
            iconAt = QPointF(5, y);
        }
        if (const int* number = std::get_if<int>(&Icon)) {
            oIcon = new StaticPart(IconType, oBkGrd);
            oIcon->setPixmap(builtInPicture(*number));
        } else {
            oIcon = new StaticPart(13, oBkGrd);
            oIcon->setColorBG(oBkGrd->colorBG());
        }
        oIcon->setObjectName(QStringLiteral("icon"));
        BottomLeft::place(oIcon, iconAt, QSizeF(iw, ih));
        if (const QString* file = std::get_if<QString>(&Icon))
            showPictureFile(*file, QSizeF(iw, ih));
        oIcon->show();
    }

    setVisible(initVisible);
    update();
    return this;
}

void BDbutton::showPictureFile(const QString& file, QSizeF size)
{
    // A picture view that covers the holder; Qt paints it again whenever the holder is painted.
    auto* view = new BitmapRef(oIcon);
    view->setObjectName(QStringLiteral("iconView"));
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->init(oIcon, nullptr, QPointF(0, 0), size);
    if (const std::optional<int> background = oBkGrd->colorBG())
        view->backcolor = *background;
    view->create();
    view->loadFile(file);
    view->draw();
}

void BDbutton::setPicturePaintCallback(const std::function<void(QWidget*)>& callback)
{
    if (!hasImage(Icon) || !oIcon)
        return;
    oIcon->setPaintCallback(callback);
    // A picture file lies in a view over the holder, so the view paints the same callback on top.
    if (auto* view = oIcon->findChild<BitmapRef*>(QString(), Qt::FindDirectChildrenOnly))
        view->setPaintCallback(callback);
}

QPointF BDbutton::toButton(QPointF qtPosition) const
{
    return QPointF(qtPosition.x(), height() - qtPosition.y());
}

bool BDbutton::inside(QPointF position) const
{
    return position.x() >= 0 && position.x() <= Size.width() && position.y() >= 0
        && position.y() <= Size.height();
}

void BDbutton::captureMouse()
{
    if (isVisible())
        grabMouse();
}

void BDbutton::releaseCapture()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

int BDbutton::restingCaptionColor() const
{
    return oBkGrd->colorFG().value_or(1);
}

void BDbutton::focus(QPointF position)
{
    if (!created)
        return;
    const bool in = inside(position);
    if (!lFocus && in && enabled) {
        // Entering: raised frame, capture, focus colour.
        oWdg->setKind(14);
        oWdg->show();
        oWdg->raise();
        lFocus = true;
        captureMouse();
        if (Type == 1)
            oStatic->setColorFG(focuscolor);
    } else if (!in && !button && lFocus && !oWdg->isHidden()) {
        leave();
    }
    // Otherwise nothing changes; leaving with the mouse button held keeps the pressed frame.
}

void BDbutton::leave()
{
    oWdg->hide();
    lFocus = false;
    releaseCapture();
    if (Type == 1 && enabled)
        oStatic->setColorFG(restingCaptionColor());
}

void BDbutton::activate(QPointF position, bool released)
{
    if (!created || !enabled)
        return;
    if (!released) {
        if (lFocus) {
            oWdg->setKind(15);
            button = true;
        }
        return;
    }
    if (lFocus)
        oWdg->setKind(14);
    button = false;
    if (!inside(position))
        return; // a release outside the button runs nothing
    // The capture is given up while the action runs, so that a dialog it opens gets the mouse.
    releaseCapture();
    QPointer<BDbutton> self(this);
    activateAction(QVariant(), QVariant(), this);
    if (self && lFocus && enabled)
        captureMouse();
}

bool BDbutton::disable()
{
    if (Type != 1)
        oStatic->setPaintCallback(&BDbutton::invert);
    else
        oStatic->setColorFG(8);
    setPicturePaintCallback(&BDbutton::invert);
    enabled = false;
    button = false;
    releaseCapture();
    return true;
}

bool BDbutton::enable()
{
    if (Type == 1)
        oStatic->setColorFG(oBkGrd->colorFG());
    oStatic->setPaintCallback({});
    setPicturePaintCallback({});
    enabled = true;
    return true;
}

void BDbutton::invert(QWidget* control)
{
    if (!control)
        return;
    if (auto* button = qobject_cast<BDbutton*>(control); button && !button->isCreated())
        return;
    if (auto* view = qobject_cast<BitmapRef*>(control); view && !view->isCreated())
        return;
    QPainter painter(control);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    // The square from (0, 0) to (31, 31), counted from the bottom left.
    painter.fillRect(QRect(0, control->height() - 32, 32, 32), Qt::black);
}

QString BDbutton::setFontCompoundName(const std::optional<QString>& name)
{
    if (name)
        font = *name;
    return font;
}

std::optional<int> BDbutton::setColorBG(std::optional<int> colour)
{
    if (colour) {
        baseBG = colour;
        oBkGrd->setColorBG(colour);
        oStatic->setColorBG(colour);
        update();
    }
    return baseBG;
}

bool BDbutton::setcaption(const QString& text)
{
    oStatic->setText(shownText(text));
    return true;
}

void BDbutton::setColorFG(std::optional<int> colour)
{
    baseFG = colour;
}

void BDbutton::reconfigure()
{
    if (!created)
        return;
    oBkGrd->setColorBG(baseBG);
    oBkGrd->setColorFG(baseFG);
    if (baseBG)
        oStatic->setColorBG(oBkGrd->colorBG());
    if (Type == 1) {
        if (lFocus && enabled)
            oStatic->setColorFG(focuscolor);
        else if (oBkGrd->colorFG())
            oStatic->setColorFG(oBkGrd->colorFG());
    }
    update();
}

QPointF BDbutton::position() const
{
    return created ? BottomLeft::position(this) : initPosition;
}

void BDbutton::setPosition(QPointF position)
{
    if (!created) {
        initPosition = position;
        return;
    }
    BottomLeft::place(this, position, placedSize);
}

void BDbutton::setCurrentSize(QSizeF size)
{
    placedSize = size;
    if (created)
        BottomLeft::place(this, position(), size);
}

void BDbutton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (baseBG)
        painter.fillRect(rect(), Palette::color(*baseBG));
    if (baseKind == 14)
        qDrawShadePanel(&painter, rect(), palette(), false, 1);
}

void BDbutton::mouseMoveEvent(QMouseEvent* event)
{
    focus(toButton(event->position()));
}

void BDbutton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The sound belongs to the press, before anything else and also on a disabled button.
    if (sound)
        playPressSound(soundPlayer, *sound);
    activate(toButton(event->position()), false);
}

void BDbutton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    activate(toButton(event->position()), true);
}

void BDbutton::hideEvent(QHideEvent* event)
{
    // A hidden button is not under the pointer: it lets go of the hover frame and the capture,
    // and keeps everything else.
    if (lFocus) {
        button = false;
        leave();
    }
    QWidget::hideEvent(event);
}
