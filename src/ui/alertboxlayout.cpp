#include "ui/alertboxlayout.h"

#include <algorithm>
#include <cmath>

QString AlertBoxLayout::cutStr(const QString& separator, QString& text)
{
    const qsizetype p = text.indexOf(separator);
    if (p < 0) {
        QString whole = text;
        text.clear();
        return whole;
    }
    QString before = text.left(p);
    text = text.mid(p + separator.size());
    return before;
}

bool AlertBoxLayout::isBlank(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
               || c == QLatin1Char('\n');
    });
}

QSizeF AlertBoxLayout::prepareText(QList<Line>& lines, QString message, const Extent& messageExtent)
{
    lines.clear();
    double maxWidth = 0;
    double totalHeight = 0;
    while (!isBlank(message)) {
        QString piece = cutStr(QStringLiteral(";"), message);
        if (isBlank(piece))
            piece = QStringLiteral(" ");
        Line line;
        line.text = piece;
        const QSizeF extent = messageExtent(piece);
        line.width = extent.width();
        line.height = extent.height();
        maxWidth = std::max(maxWidth, line.width);
        totalHeight += 2 + line.height;
        lines.append(line);
    }
    return QSizeF(maxWidth, totalHeight);
}

void AlertBoxLayout::adjustPos(QPointF origin, QSizeF block, QList<Line>& lines, bool icon)
{
    for (qsizetype k = 0; k < lines.size(); ++k) {
        Line& line = lines[k];
        const double i = double(k + 1);
        // Each line steps down by its own height, times its number.
        const double y = origin.y() + block.height() - i * (2 + line.height);
        const double x = icon ? origin.x() : origin.x() + (block.width() - line.width) / 2;
        line.position = QPointF(x, y);
    }
}

QPointF AlertBoxLayout::centerPos(QSizeF inner, QSizeF outer)
{
    return QPointF(std::trunc((outer.width() - inner.width()) / 2),
                   std::trunc((outer.height() - inner.height()) / 2));
}

int AlertBoxLayout::longestCaption(const QStringList& captions, int count)
{
    int longest = -1;
    for (int j = 0; j < count && j < captions.size(); ++j) {
        if (longest < 0 || captions.at(j).size() > captions.at(longest).size())
            longest = j;
    }
    return longest;
}

AlertBoxLayout::Result AlertBoxLayout::compute(const Input& input)
{
    Result r;
    const double iw = input.icon ? input.iconSize.width() : 0;
    const double ih = input.icon ? input.iconSize.height() : 0;

    // The buttons: all as big as the longest caption wants, the gap a caption character's share.
    r.buttonCount = int(std::min<qsizetype>(maxButtons, input.captions.size()));
    r.longest = longestCaption(input.captions, r.buttonCount);
    if (r.longest >= 0) {
        const QString& caption = input.captions.at(r.longest);
        r.m = int(caption.size());
        r.captionSize = input.captionExtent(caption);
    }
    r.bw = 1.5 * r.captionSize.width();
    r.bh = 2 * r.captionSize.height();
    r.g = r.m > 0 ? r.bw / r.m : 0;
    r.R = r.buttonCount * (r.bw + r.g);

    // The text and the client area around text, icon and button row.
    r.textBlock = prepareText(r.lines, input.text, input.messageExtent);
    const double WT = r.textBlock.width();
    const double HT = r.textBlock.height();
    r.clientSize = QSizeF(std::max(r.R + 20, WT + 20) + 1.5 * iw, HT + 2 * r.bh + 10);
    r.actualClient = input.clientSize.value_or(r.clientSize);
    const double aw = r.actualClient.width();
    const double ah = r.actualClient.height();

    // The text sits above the button row: centred without an icon, right of the icon with one.
    const double xT = input.icon ? 1.75 * iw : centerPos(r.textBlock, r.actualClient).x();
    r.textOrigin = QPointF(xT, 2.25 * r.bh);
    adjustPos(r.textOrigin, r.textBlock, r.lines, input.icon);

    if (input.icon)
        r.iconPosition = QPointF(iw / 3, ah - 1.5 * ih);

    double xB = 0;
    const QSizeF row(r.R, 2 * r.bh);
    if (!input.icon)
        xB = centerPos(row, QSizeF(aw, ah)).x() + r.g / 2;
    else if (r.R < WT)
        xB = centerPos(row, r.textBlock).x() + 1.5 * iw + r.g / 2;
    else
        xB = 1.75 * iw;
    const double yB = r.bh / 2;
    for (int j = 0; j < r.buttonCount; ++j) {
        r.buttonPositions.append(QPointF(xB, yB));
        xB += r.bw + r.g;
    }
    return r;
}
