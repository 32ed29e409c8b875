#include "special/titlepanel.h"

#include "platform/bottomleft.h"
#include "platform/compoundfont.h"
#include "platform/palette.h"

#include <QFontDatabase>

namespace {

QFont arial(double points)
{
    return CompoundFont::toFont(CompoundFont::name(points, QStringLiteral("ARIAL")));
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

void setColours(QWidget* widget, std::optional<int> background, int text)
{
    QPalette palette = widget->palette();
    if (background)
        palette.setColor(QPalette::Window, Palette::color(*background));
    palette.setColor(QPalette::WindowText, Palette::color(text));
    widget->setPalette(palette);
}

} // namespace

TitlePanel::TitlePanel(QWidget* playField, double F, const Look& look)
    : QLabel(playField)
{
    setObjectName(QStringLiteral("titlePanel"));
    setAutoFillBackground(true);
    setColours(this, look.c_Cb, look.c_Cb);
    BottomLeft::place(this, QPointF(5 * F, 170 * F), QSizeF(770 * F, 345 * F));

    addText("titleName1", withoutTrailingBlanks(look.c_name1), {45 * F, 150 * F}, {670 * F, 65 * F}, arial(50 * F), 0,
            false);
    addText("titleName2", withoutTrailingBlanks(look.c_name2), {45 * F, 120 * F}, {670 * F, 25 * F},
            QFontDatabase::systemFont(QFontDatabase::FixedFont), 15, false);
    addText("titleOben", look.c_oben, {4 * F, 220 * F}, {775 * F, 120 * F}, arial(24 * F), look.c_Co, true);
    addText("titleUnten", look.c_unten, {4 * F, 20 * F}, {760 * F, 80 * F}, arial(24 * F), look.c_Cu, true);
    addText("titleCopy", withoutTrailingBlanks(look.c_copy), {4 * F, 1 * F}, {760 * F, 25 * F}, arial(12 * F), 15,
            false);
    show();
}

QLabel* TitlePanel::addText(const char* objectName, const QString& text, QPointF position, QSizeF size,
                            const QFont& font, int colour, bool wrap)
{
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(wrap);
    setColours(label, {}, colour);
    // A line box lower than its font grows around its centre, so descenders (g, y) of the big
    // heading are not cut off; the text stays where it would be.
    const double lineHeight = label->fontMetrics().height();
    if (!wrap && lineHeight > size.height()) {
        position.ry() -= (lineHeight - size.height()) / 2;
        size.setHeight(lineHeight);
    }
    BottomLeft::place(label, position, size);
    return label;
}
