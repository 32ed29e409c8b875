#include "ui/alertbox.h"

#include "platform/bottomleft.h"
#include "platform/palette.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// The icon at the top left of the box, and the size of its control.
constexpr QSizeF iconControlSize(30, 30);

QSizeF extent(const QFontMetricsF& metrics, const QString& text)
{
    return QSizeF(metrics.horizontalAdvance(text), metrics.height());
}

// A size in whole pixels, rounded to nearest like every other position of the game.
QSize wholeSize(QSizeF size)
{
    return BottomLeft::toQt(QPointF(0, 0), size, 0).size();
}

// The outer size of a window (with its frame), the size of any other control.
QSizeF outerSize(const QWidget* widget)
{
    return widget->isWindow() ? QSizeF(widget->frameGeometry().size()) : QSizeF(widget->size());
}

// The bottom-left position of a window on the desktop, of any other control in its parent.
QPointF bottomLeftPosition(const QWidget* widget, const QRect& desktop)
{
    if (widget->isWindow()) {
        const QRect frame = widget->frameGeometry();
        return QPointF(frame.x() - desktop.x(), desktop.height() - (frame.y() - desktop.y()) - frame.height());
    }
    const QRect geometry = widget->geometry();
    return QPointF(geometry.x(), widget->parentWidget()->height() - geometry.y() - geometry.height());
}

} // namespace

AlertBox::AlertBox(QWidget* owner, const QString& title)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("alertBox"));
    setWindowTitle(title);
    resize(100, 100);
    // The window exists (hidden) from now on, so its frame is known when the box is centred.
    create();
}

QString AlertBox::buttonText(const QString& caption)
{
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    text.replace(QLatin1Char('~'), QLatin1Char('&'));
    return text;
}

int AlertBox::alertBox(QWidget* owner, const QString& text, const QStringList& captions, std::optional<int> icon,
                       const QString& title)
{
    QPointer<AlertBox> dialog = new AlertBox(owner, title);

    // Client area and buttons use the dialog font, the message uses the message font.
    const QFont dialogFont = QApplication::font();
    const QFont messageFont = QApplication::font("QMessageBox");
    dialog->setFont(dialogFont);

    QLabel* oIcon = nullptr;
    QSizeF iconSize(0, 0);
    if (icon) {
        // Every caller passes 11, the information icon; any other code shows the same.
        oIcon = new QLabel(dialog);
        oIcon->setObjectName(QStringLiteral("alertIcon"));
        oIcon->setAlignment(Qt::AlignCenter);
        oIcon->setPixmap(dialog->style()
                             ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, dialog)
                             .pixmap(wholeSize(iconControlSize)));
        BottomLeft::place(oIcon, QPointF(0, 0), iconControlSize);
        iconSize = QSizeF(oIcon->size());
    }

    DrawingContext oPS{dialog, dialogFont};
    const QFontMetricsF dialogMetrics(dialogFont);
    oPS.font = messageFont;
    const QFontMetricsF messageMetrics(messageFont);

    AlertBoxLayout::Input input;
    input.text = text;
    input.captions = captions;
    input.captionExtent = [&](const QString& s) { return extent(dialogMetrics, s); };
    input.messageExtent = [&](const QString& s) { return extent(messageMetrics, s); };
    input.iconSize = iconSize;
    input.icon = icon.has_value();

    // The client area the text and the buttons need; the box has no frame of its own in Qt's sense,
    // so the client size is the dialog's size.
    const AlertBoxLayout::Result wanted = AlertBoxLayout::compute(input);
    dialog->setFixedSize(wholeSize(wanted.clientSize));
    moveToOwner(dialog);

    // Everything inside is laid out in the client size the box really got.
    input.clientSize = QSizeF(dialog->size());
    const AlertBoxLayout::Result layout = AlertBoxLayout::compute(input);
    dialog->aText.oPS = oPS;
    dialog->aText.picture.reset();
    dialog->aText.lines = layout.lines;
    dialog->aText.attributes.color = Palette::color(1);
    if (oIcon)
        BottomLeft::place(oIcon, layout.iconPosition, iconSize);

    dialog->aPushBtn.clear();
    dialog->nSelect = 0;
    for (int j = 1; j <= layout.buttonCount; ++j) {
        auto* button = new QPushButton(buttonText(captions.at(j - 1)), dialog);
        button->setObjectName(QStringLiteral("alertButton%1").arg(j));
        button->setFont(dialogFont);
        button->setProperty("userData", j);
        button->setFocusPolicy(Qt::StrongFocus);
        BottomLeft::place(button, layout.buttonPositions.at(j - 1), QSizeF(layout.bw, layout.bh));
        AlertBox* box = dialog;
        QObject::connect(button, &QPushButton::clicked, box, [box, j] {
            box->nSelect = j;
            box->lExit = true;
        });
        button->installEventFilter(dialog);
        dialog->aPushBtn.append(button);
    }

    QPointer<QWidget> previousFocus = QApplication::focusWidget();
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    if (!dialog->aPushBtn.isEmpty())
        dialog->aPushBtn.first()->setFocus(Qt::OtherFocusReason);

    dialog->lExit = false;
    QEventLoop loop;
    while (dialog && !dialog->lExit)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (!dialog)
        return 0;

    // Hidden before its modality changes: a window that stops being modal while it is shown would
    // stay on the application's list of modal windows and keep the main window from the mouse.
    dialog->hide();
    dialog->setWindowModality(Qt::NonModal);
    dialog->aText.picture.reset();
    const int result = dialog->nSelect;
    delete dialog;
    if (previousFocus) {
        previousFocus->activateWindow();
        previousFocus->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

void AlertBox::moveToOwner(QDialog* dialog, std::optional<QPointF> position)
{
    QWidget* owner = dialog->parentWidget();
    const QScreen* screen = owner ? owner->screen() : dialog->screen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect(0, 0, 0, 0);
    const QSizeF dialogSize = outerSize(dialog);

    QPointF pos;
    if (position)
        pos = *position;
    else if (owner)
        pos = AlertBoxLayout::centerPos(dialogSize, outerSize(owner));
    else
        pos = AlertBoxLayout::centerPos(dialogSize, QSizeF(desktop.size()));

    // Walk from the owner up to the desktop, adding each one's place in its parent; a window's
    // place also gets a quarter of its frame width.
    for (QWidget* w = owner; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        pos += bottomLeftPosition(w, desktop);
        if (w->isWindow()) {
            const double b = (w->frameGeometry().width() - w->width()) / 4.0;
            pos += QPointF(b, b);
        }
    }
    const QRect target = BottomLeft::toQt(pos, dialogSize, desktop.height());
    dialog->move(target.topLeft() + desktop.topLeft());
}

void AlertBox::keyHandler(int key, QPushButton* button, const QList<QPushButton*>& /*buttons*/)
{
    if (key == Qt::Key_Escape)
        QMetaObject::invokeMethod(button->window(), "close", Qt::QueuedConnection);
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
}

bool AlertBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && aPushBtn.contains(button)) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            keyHandler(key, button, aPushBtn);
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AlertBox::repaint(PreparedText& aText)
{
    QWidget* device = aText.oPS.device;
    if (!device)
        return;
    if (!aText.picture) {
        aText.picture = std::make_unique<QPicture>();
        QPainter recorder(aText.picture.get());
        recorder.setFont(aText.oPS.font);
        recorder.setPen(aText.attributes.color);
        for (const AlertBoxLayout::Line& line : std::as_const(aText.lines))
            recorder.drawText(BottomLeft::toQt(line.position, QSizeF(0, 0), device->height()).topLeft(), line.text);
    }
    QPainter painter(device);
    painter.setFont(aText.oPS.font);
    painter.setPen(aText.attributes.color);
    painter.drawPicture(0, 0, *aText.picture);
}

void AlertBox::paintEvent(QPaintEvent* /*event*/)
{
    repaint(aText);
}

void AlertBox::closeEvent(QCloseEvent* event)
{
    // The close box, or Esc on a button: the box goes away at once, the result stays as it is.
    hide();
    lExit = true;
    event->accept();
}

void AlertBox::reject()
{
    close();
}
