#include "info/aboutbox.h"

#include "info/links.h"
#include "platform/bottomleft.h"
#include "platform/desktopcenter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

namespace {

// The box's outer size, frame and title bar included.
constexpr QSize outerSize(250, 310);

// The first info line leaves room for "Details" beside it when the box offers that button.
constexpr double infoLineWidthBesideDetails = 180;
constexpr double infoLineWidth = 240;

// The dialog font never gets smaller than this.
constexpr double minimumPointSize = 6;

// Room a push button's frame takes from its caption.
constexpr double buttonMargin = 8;

// Whether every text fits the width it has.
bool fits(const QFont& font, const QList<AboutBox::Field>& fields)
{
    const QFontMetricsF metrics(font);
    return std::all_of(fields.begin(), fields.end(), [&](const AboutBox::Field& field) {
        return metrics.horizontalAdvance(field.first) <= field.second;
    });
}

} // namespace

QFont AboutBox::dialogFont(const QList<Field>& fields)
{
    // The box's fields have the sizes of an old desktop's small dialog font; a larger default font
    // steps down in half points until every text fits, so nothing is cut or broken apart.
    QFont font = QApplication::font("QDialog");
    while (font.pointSizeF() > minimumPointSize && !fits(font, fields))
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QFont AboutBox::productFont(const QFont& dialogFont)
{
    QFont font = dialogFont;
    font.setPointSizeF(dialogFont.pointSizeF() * 1.5);
    font.setBold(true);
    return font;
}

AboutBox::AboutBox(QWidget* owner, const Texts& texts, const std::function<void()>& details)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(texts.title);
    setOuterSize(outerSize);
    DesktopCenter::center(this);

    // The text block separates its lines by carriage returns alone, which a label would not break at.
    QString block = texts.textBlock;
    block.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const double firstInfoWidth = details ? infoLineWidthBesideDetails : infoLineWidth;
    const Control product{QStringLiteral("aboutLine1"), texts.productLine, {16, 248}, {216, 24}};
    const Control distribution{QStringLiteral("aboutLine2"), texts.distributionLine, {16, 228}, {216, 16}};
    // These are centred line by line from the top of their field.
    const QList<Control> lineTexts{
        {QStringLiteral("aboutLine3"), texts.infoLine1, {5, 207}, {firstInfoWidth, 15}},
        {QStringLiteral("aboutLine4"), texts.infoLine2, {5, 189}, {infoLineWidth, 15}},
        {QStringLiteral("aboutLine5"), texts.noticeLine, {16, 165}, {216, 18}},
        {QStringLiteral("aboutLine6"), block, {10, 65}, {228, 86}},
    };
    QList<QPair<Control, std::function<void()>>> buttons{
        {{QStringLiteral("aboutMail"), QStringLiteral("Kontakt per E-Mail"), {8, 45}, {111, 20}},
         [] { Links::openRegisteredFile(QStringLiteral("mailto:") + Links::productMail); }},
        {{QStringLiteral("aboutHome"), QStringLiteral("Homepage besuchen"), {124, 45}, {112, 20}},
         [] { Links::openRegisteredFile(Links::productWebsite); }},
        {{QStringLiteral("aboutOk"), QStringLiteral("Ok"), {86, 10}, {67, 24}}, [this] { accept(); }},
    };
    if (details)
        buttons.prepend({{QStringLiteral("aboutDetails"), QStringLiteral("Details"), {180, 206}, {50, 18}}, details});

    QList<Field> fields{{distribution.text, distribution.size.width()}};
    for (const Control& text : lineTexts) {
        for (const QString& line : text.text.split(QLatin1Char('\n')))
            fields.append({line, text.size.width()});
    }
    for (const auto& [button, action] : buttons)
        fields.append({button.text, button.size.width() - buttonMargin});
    const QFont font = dialogFont(fields);
    setFont(font);

    addText(product, Qt::AlignCenter, productFont(font));
    addText(distribution, Qt::AlignCenter, font);
    for (const Control& text : lineTexts)
        addText(text, Qt::AlignHCenter | Qt::AlignTop, font);

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("aboutSeparator"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    BottomLeft::place(separator, {16, 157}, {216, 2});

    for (const auto& [button, action] : buttons)
        addButton(button, action);
    auto* ok = findChild<QPushButton*>(QStringLiteral("aboutOk"));
    // Enter ends the box from "Ok", where the focus starts; Esc and the close box end it anywhere.
    ok->setDefault(true);
    ok->setFocus(Qt::OtherFocusReason);
}

void AboutBox::aboutBox(QWidget* owner, const Texts& texts, const std::function<void()>& details)
{
    QPointer<QWidget> previousFocus = QApplication::focusWidget();
    {
        AboutBox box(owner, texts, details);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
    if (previousFocus) {
        previousFocus->activateWindow();
        previousFocus->setFocus(Qt::OtherFocusReason);
    }
}

// The box is not resizable. Its client area is what the outer size leaves inside the frame the
// window system gives it (none at all on some platforms, then the client area is the whole size).
void AboutBox::setOuterSize(QSize outer)
{
    create();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    setFixedSize(outer.shrunkBy(frame));
}

void AboutBox::addText(const Control& control, Qt::Alignment alignment, const QFont& font)
{
    auto* label = new QLabel(control.text, this);
    label->setObjectName(control.name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(alignment & Qt::AlignTop);
    label->setFont(font);
    BottomLeft::place(label, control.pos, control.size);
}

void AboutBox::addButton(const Control& control, const std::function<void()>& action)
{
    auto* button = new QPushButton(control.text, this);
    button->setObjectName(control.name);
    button->setAutoDefault(false);
    BottomLeft::place(button, control.pos, control.size);
    connect(button, &QPushButton::clicked, this, action);
}
