#include "ui/bdbuttonfunctions.h"

#include "platform/compoundfont.h"
#include "platform/messageboxes.h"
#include "ui/soundplayer.h"

#include <QCursor>
#include <QFontMetrics>
#include <QPixmap>
#include <QWidget>
#include <QtGlobal>

namespace {

const char* const unsupportedColorText = "char color not supported yet";

// Stops the sound that is playing and starts the new one.
void playSoundOn(SoundPlayer* player, const QString& file)
{
    if (!player)
        return;
    player->stop();
    player->play(file);
}

// The pointer shape from a picture built into the game; the module and kind name where the
// picture lives on other systems and need no handling here.
void setPointer(BDbutton* button, std::optional<int> resource, const std::optional<QString>& /*module*/,
                std::optional<int> /*kind*/)
{
    if (!resource)
        return;
    const QPixmap shape(QStringLiteral(":/cursors/%1").arg(*resource));
    if (!shape.isNull())
        button->setCursor(QCursor(shape));
}

// Colours of a button. forUpdate: a list sets the text colour also from an absent element, and
// absent colours change nothing.
void applyColors(const ButtonContext& context, BDbutton* button, QWidget* parent,
                 const ButtonColors& colors, bool forUpdate)
{
    if (const auto* list = std::get_if<ColorList>(&colors)) {
        if (forUpdate) {
            button->setColorBG(list->background);
            button->setColorFG(list->text);
        } else {
            if (list->background)
                button->setColorBG(list->background);
            if (list->text)
                button->setColorFG(list->text);
        }
        if (list->hover)
            button->focuscolor = *list->hover;
    } else if (std::holds_alternative<QString>(colors)) {
        if (context.messageBoxes)
            context.messageBoxes->notice(parent, QLatin1String(unsupportedColorText), QString());
    } else if (const int* text = std::get_if<int>(&colors)) {
        button->setColorFG(*text);
        button->setColorBG(parentColorBG(parent));
    } else if (!forUpdate) {
        if (const auto background = parentColorBG(parent))
            button->setColorBG(background);
        if (const auto text = parentColorFG(parent))
            button->setColorFG(text);
    }
}

} // namespace

bool bdButton(const ButtonContext& context, const BDButtonArgs& args)
{
    // 1. Defaults; an absent width asks for automatic sizing.
    bool autoSize = args.autoSize.value_or(false);
    QWidget* parent = args.parent ? args.parent : context.defaultParent;
    if (!args.size.first)
        autoSize = true;
    if (!parent) {
        qWarning("bdButton: no window to hold the button");
        return true;
    }

    // 2. Automatic size: the caption's extent to begin with.
    QSizeF size(args.size.first.value_or(0), args.size.second.value_or(0));
    if (autoSize)
        size = textSize(args.caption.value_or(QString()), parent,
                        args.font.value_or(parentCompoundFont(parent)));

    // 3. The button in the parent, without owner.
    auto* button = new BDbutton(parent);
    button->init(parent, nullptr, args.position, size);

    // 4. Frame, font, caption, name, picture.
    if (args.notFlat.value_or(false))
        button->flat = false;
    if (args.flat.value_or(false))
        button->flat = true;
    if (args.font)
        button->setFontCompoundName(args.font);
    if (args.caption) {
        button->Type = 1;
        button->Caption = *args.caption;
    }
    if (args.name)
        button->setObjectName(QString::number(*args.name));
    if (args.image) {
        button->Icon = *args.image;
        if (args.imageAtSide.value_or(false))
            button->side = true;
    }
    if (args.imageSize.first)
        button->iconsize = QSizeF(*args.imageSize.first, args.imageSize.second.value_or(0));

    // 5. Colours.
    applyColors(context, button, parent, args.colors, false);

    // 6. Pointer, automatic size, action, sound, visibility.
    setPointer(button, args.pointerResource, args.pointerModule, args.pointerKind);
    if (autoSize)
        button->autosize = true;
    if (args.action)
        button->activateAction = args.action;
    button->sound = args.sound;
    button->soundPlayer = context.soundPlayer;
    const bool hidden = args.hidden.value_or(false);

    // 7. Create, then disable when asked.
    button->create(std::nullopt, std::nullopt, !hidden);
    if (args.disabled.value_or(false))
        button->disable();

    // 8. Deliver the button.
    if (auto* const* variable = std::get_if<BDbutton**>(&args.target); variable && *variable)
        **variable = button;
    else if (auto* const* list = std::get_if<QList<BDbutton*>*>(&args.target); list && *list)
        (*list)->append(button);
    return true;
}

bool bdUpdateButton(const ButtonContext& context, const BDUpdateButtonArgs& args)
{
    // 1. The button, itself or by its name in the parent.
    QWidget* parent = args.parent ? args.parent : context.defaultParent;
    BDbutton* button = nullptr;
    if (auto* const* given = std::get_if<BDbutton*>(&args.button))
        button = *given;
    else if (parent)
        button = findButton(parent, std::get<int>(args.button));
    if (!button) {
        qWarning("bdUpdateButton: no such button");
        return true;
    }

    // 2. Position, size, caption, automatic size, font, pointer, picture, picture size.
    if (args.position.first)
        button->setPosition(QPointF(*args.position.first,
                                    args.position.second.value_or(button->position().y())));
    if (args.size.first)
        button->setCurrentSize(QSizeF(*args.size.first,
                                      args.size.second.value_or(button->currentSize().height())));
    if (args.caption) {
        button->Type = 1;
        button->setcaption(*args.caption);
    }
    if (args.autoSize.value_or(false))
        button->autosize = true;
    if (args.font)
        button->setFontCompoundName(args.font);
    setPointer(button, args.pointerResource, args.pointerModule, args.pointerKind);
    if (args.image)
        button->Icon = *args.image;
    if (args.imageSize.first)
        button->iconsize = QSizeF(*args.imageSize.first, args.imageSize.second.value_or(0));

    // 3. Colours.
    applyColors(context, button, parent, args.colors, true);

    // 4. Action and sound: this sound is heard when the action runs, at the release.
    SoundPlayer* player = context.soundPlayer;
    if (args.action) {
        if (args.sound) {
            button->activateAction = [player, sound = *args.sound, action = args.action](
                                         const QVariant& a, const QVariant& b, BDbutton* self) {
                playSoundOn(player, sound);
                action(a, b, self);
            };
        } else {
            button->activateAction = args.action;
        }
    } else if (args.sound) {
        button->activateAction = [player, sound = *args.sound](const QVariant&, const QVariant&, BDbutton*) {
            playSoundOn(player, sound);
        };
    }

    // 5. A disabled button stays disabled unless enabling is asked for; its look is restored
    //    after the reconfiguration.
    bool disable = args.disable.value_or(false);
    const bool enable = args.enable.value_or(false);
    if (!disable && !enable)
        disable = !button->isenabled();
    button->reconfigure();
    if (disable)
        button->disable();
    if (enable)
        button->enable();
    if (args.hide.value_or(false))
        button->hide();
    if (args.show.value_or(false))
        button->show();
    return true;
}

BDbutton* findButton(QWidget* parent, int number)
{
    if (!parent)
        return nullptr;
    return parent->findChild<BDbutton*>(QString::number(number), Qt::FindDirectChildrenOnly);
}

QSizeF textSize(const QString& text, QWidget* window, const QString& fontName)
{
    const QFont font = CompoundFont::toFont(fontName);
    const QFontMetrics metrics = window ? QFontMetrics(font, window) : QFontMetrics(font);
    const QRect box = metrics.boundingRect(text);
    return QSizeF(box.width() + 2, box.height() + 2);
}

QString cr(int count)
{
    return QStringLiteral("\r\n").repeated(std::max(count, 0));
}

std::optional<int> parentColorBG(const QWidget* parent)
{
    const QVariant value = parent ? parent->property("colorBG") : QVariant();
    return value.isValid() ? std::optional<int>(value.toInt()) : std::nullopt;
}

std::optional<int> parentColorFG(const QWidget* parent)
{
    const QVariant value = parent ? parent->property("colorFG") : QVariant();
    return value.isValid() ? std::optional<int>(value.toInt()) : std::nullopt;
}

QString parentCompoundFont(const QWidget* parent)
{
    const QVariant value = parent ? parent->property("compoundFont") : QVariant();
    if (value.isValid())
        return value.toString();
    return CompoundFont::name(parent ? parent->font() : QFont());
}
