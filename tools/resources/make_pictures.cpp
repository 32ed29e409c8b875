// Draws the pictures of the game: the logo, the advertising banner, the mail picture, the window icon
// and the two mouse pointers. Everything is painted by code with the Liberation Sans font, so the
// files can be made again at any time (see README.md in this folder).
//
// Usage: make_pictures <output folder>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QTextStream>
#include <QtMath>

#include <cstdio>
#include <cstdint>
#include <vector>

namespace {

QString g_family = QStringLiteral("Liberation Sans");

void loadFonts()
{
    const QStringList files = {
        QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"),
        QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"),
        QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf"),
    };
    for (const QString &file : files) {
        const int id = QFontDatabase::addApplicationFont(file);
        if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
            g_family = QFontDatabase::applicationFontFamilies(id).first();
    }
}

QFont font(qreal pixelSize, bool bold = true, bool italic = false)
{
    QFont f(g_family);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Largest pixel size not above `start` at which `text` fits into `maxWidth`.
QFont fittingFont(const QString &text, qreal start, qreal maxWidth, bool bold = true, bool italic = false)
{
    for (qreal size = start; size > 6; size -= 1) {
        const QFont f = font(size, bold, italic);
        if (QFontMetricsF(f).horizontalAdvance(text) <= maxWidth)
            return f;
    }
    return font(6, bold, italic);
}

// Text as a path with its base line starting at `origin`.
QPainterPath textPath(const QString &text, const QFont &f, QPointF origin)
{
    QPainterPath path;
    path.addText(origin, f, text);
    return path;
}

// Text centred horizontally on `centerX`, base line at `baseY`.
QPainterPath centredText(const QString &text, const QFont &f, qreal centerX, qreal baseY)
{
    const qreal width = QFontMetricsF(f).horizontalAdvance(text);
    return textPath(text, f, QPointF(centerX - width / 2, baseY));
}

// Small deterministic random numbers, so every run paints the same picture.
struct Lcg {
    uint32_t state;
    explicit Lcg(uint32_t seed) : state(seed) {}
    uint32_t next() { state = state * 1664525u + 1013904223u; return state >> 8; }
    qreal uniform(qreal lo, qreal hi) { return lo + (hi - lo) * (next() % 100000) / 100000.0; }
};

bool save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

// Maps every pixel to the nearest colour of `palette` (no dithering, so edges stay clean).
QImage toPalette(const QImage &source, const QList<QRgb> &palette)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            int best = 0;
            long bestDistance = -1;
            for (int i = 0; i < palette.size(); ++i) {
                const long dr = qRed(in[x]) - qRed(palette[i]);
                const long dg = qGreen(in[x]) - qGreen(palette[i]);
                const long db = qBlue(in[x]) - qBlue(palette[i]);
                const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (bestDistance < 0 || distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            line[x] = uchar(best);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Bitmap 999: the logo. A blue field with a sunburst, the title, and the 17 topics in colours.

bool makeLogo(const QString &dir)
{
    const QColor navy(0x0B, 0x1E, 0x5B);
    const QColor deep(0x14, 0x2F, 0x80);
    const QColor field(0x1C, 0x45, 0xA8);
    const QColor ray(0x27, 0x56, 0xBE);
    const QColor white(0xFF, 0xFF, 0xFF);
    const QColor yellow(0xFF, 0xE1, 0x35);
    const QColor orange(0xFF, 0xA2, 0x3A);
    const QColor coral(0xFF, 0x6E, 0x6E);
    const QColor pink(0xFF, 0x8C, 0xD8);
    const QColor green(0x63, 0xE3, 0x6B);
    const QColor lime(0xC6, 0xF2, 0x5E);
    const QColor cyan(0x5F, 0xE6, 0xF2);
    const QColor sky(0xA8, 0xD4, 0xFF);
    const QColor lavender(0xCD, 0xA8, 0xFF);
    const QColor peach(0xFF, 0xD3, 0xA8);
    const QColor bluegrey(0x6F, 0x86, 0xC9);
    const QList<QColor> all = {navy, deep, field, ray, white, yellow, orange, coral,
                               pink, green, lime, cyan, sky, lavender, peach, bluegrey};

    const int w = 770, h = 345;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(field);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Sunburst rays from the middle of the title.
    const QPointF centre(w / 2.0, 158);
    const int rays = 28;
    p.setPen(Qt::NoPen);
    p.setBrush(ray);
    for (int i = 0; i < rays; i += 2) {
        const qreal a0 = 2 * M_PI * i / rays;
        const qreal a1 = 2 * M_PI * (i + 1) / rays;
        QPolygonF wedge;
        wedge << centre << centre + QPointF(900 * qCos(a0), 900 * qSin(a0))
              << centre + QPointF(900 * qCos(a1), 900 * qSin(a1));
        p.drawPolygon(wedge);
    }

    // Dark frame with rounded corners.
    {
        QPainterPath outside;
        outside.addRect(0, 0, w, h);
        QPainterPath inside;
        inside.addRoundedRect(QRectF(6, 6, w - 12, h - 12), 18, 18);
        p.fillPath(outside.subtracted(inside), navy);
        p.setPen(QPen(bluegrey, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(7, 7, w - 14, h - 14), 17, 17);
    }

    // The topics, in rows above and below the title.
    struct Row { qreal baseY; QStringList words; };
    const QList<Row> rows = {
        {44, {QStringLiteral("Geographie"), QStringLiteral("Geschichte"), QStringLiteral("Naturwissenschaft"),
              QStringLiteral("Tiere und Pflanzen")}},
        {84, {QStringLiteral("Sport"), QStringLiteral("Musik"), QStringLiteral("Kunst und Literatur"),
              QStringLiteral("Film und Fernsehen")}},
        {249, {QStringLiteral("Sprache"), QStringLiteral("Technik"), QStringLiteral("Essen und Trinken"),
               QStringLiteral("Politik und Gesellschaft")}},
        {286, {QStringLiteral("Religion und Mythologie"), QStringLiteral("Wirtschaft"), QStringLiteral("Mathematik")}},
        {323, {QStringLiteral("Medizin und Körper"), QStringLiteral("Alltag und Brauchtum")}},
    };
    const QList<QColor> wordColours = {yellow, cyan, pink, lime, orange, sky, peach, green, lavender,
                                       coral, white};
    int colourIndex = 0;
    const qreal gap = 26;
    for (const Row &row : rows) {
        qreal size = 25;
        QFont f = font(size);
        auto rowWidth = [&](const QFont &rf) {
            qreal total = gap * (row.words.size() - 1);
            for (const QString &word : row.words)
                total += QFontMetricsF(rf).horizontalAdvance(word);
            return total;
        };
        while (rowWidth(f) > w - 60 && size > 10)
            f = font(--size);
        qreal x = (w - rowWidth(f)) / 2;
        for (int i = 0; i < row.words.size(); ++i) {
            const QString &word = row.words[i];
            const QPainterPath path = textPath(word, f, QPointF(x, row.baseY));
            p.fillPath(path.translated(2, 2), navy);
            p.setPen(QPen(navy, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            p.fillPath(path, wordColours[colourIndex++ % wordColours.size()]);
            x += QFontMetricsF(f).horizontalAdvance(word);
            if (i + 1 < row.words.size()) {
                // A small diamond between two topics.
                const QPointF c(x + gap / 2, row.baseY - QFontMetricsF(f).capHeight() / 2);
                QPolygonF diamond;
                diamond << c + QPointF(0, -3.5) << c + QPointF(3.5, 0) << c + QPointF(0, 3.5) << c + QPointF(-3.5, 0);
                p.setPen(Qt::NoPen);
                p.setBrush(bluegrey);
                p.drawPolygon(diamond);
                x += gap;
            }
        }
    }

    // The title.
    {
        const QString name = QStringLiteral("Brimora");
        const QString version = QStringLiteral(" 2.0");
        const QFont f = font(104, true, true);
        const QFontMetricsF fm(f);
        const qreal total = fm.horizontalAdvance(name + version);
        const qreal x = (w - total) / 2;
        const qreal base = 196;
        const QPainterPath namePath = textPath(name, f, QPointF(x, base));
        const QPainterPath versionPath = textPath(version, f, QPointF(x + fm.horizontalAdvance(name), base));
        QPainterPath whole = namePath;
        whole.addPath(versionPath);

        p.fillPath(whole.translated(5, 5), navy);
        p.setPen(QPen(navy, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(whole);
        p.setPen(QPen(white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(whole);
        p.fillPath(namePath, yellow);
        p.fillPath(versionPath, orange);
    }
    p.end();

    QList<QRgb> palette;
    for (const QColor &c : all)
        palette << c.rgb();
    return save(toPalette(image, palette), dir + QStringLiteral("/logo-999.png"));
}

// ---------------------------------------------------------------------------------------------
// Bitmap 888: the advertising banner of our own quiz evening. The game places the two banner push
// buttons from the picture's bottom-left corner (x 80..300 and 480..700, 10..40 up from the
// bottom), so the bottom strip carries nothing important.

void drawBubble(QPainter &p, const QRectF &box, bool tailLeft, const QColor &fill, const QColor &edge,
                const QString &mark, const QColor &markColour)
{
    QPainterPath bubble;
    bubble.addEllipse(box);
    QPolygonF tail;
    const qreal bx = box.center().x(), by = box.bottom();
    if (tailLeft)
        tail << QPointF(bx - box.width() * 0.28, by - 14) << QPointF(bx - box.width() * 0.45, by + 22)
             << QPointF(bx - box.width() * 0.02, by - 6);
    else
        tail << QPointF(bx + box.width() * 0.28, by - 14) << QPointF(bx + box.width() * 0.45, by + 22)
             << QPointF(bx + box.width() * 0.02, by - 6);
    QPainterPath tailPath;
    tailPath.addPolygon(tail);
    tailPath.closeSubpath();
    bubble = bubble.united(tailPath);

    p.fillPath(bubble.translated(4, 5), QColor(0, 0, 0, 70));
    p.fillPath(bubble, fill);
    p.setPen(QPen(edge, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bubble);

    const QFont f = font(box.height() * 0.78);
    const QFontMetricsF fm(f);
    const QPainterPath markPath = centredText(mark, f, box.center().x(), box.center().y() + fm.capHeight() / 2);
    p.fillPath(markPath, markColour);
}

bool makeBanner(const QString &dir)
{
    const int w = 770, h = 345;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Evening sky: deep violet to warm magenta.
    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0.0, QColor(0x22, 0x0B, 0x4A));
    sky.setColorAt(0.55, QColor(0x5E, 0x16, 0x74));
    sky.setColorAt(1.0, QColor(0xB3, 0x2E, 0x6B));
    p.fillRect(image.rect(), sky);

    // Two stage spotlights from the top corners.
    for (int side = 0; side < 2; ++side) {
        const QPointF source(side == 0 ? 40 : w - 40, -10);
        const QPointF target(side == 0 ? w * 0.62 : w * 0.38, h + 20);
        QPolygonF cone;
        const QPointF dir = target - source;
        const QPointF normal(-dir.y(), dir.x());
        const qreal len = qSqrt(normal.x() * normal.x() + normal.y() * normal.y());
        const QPointF n = normal / len;
        cone << source + n * 6 << target + n * 150 << target - n * 150 << source - n * 6;
        QLinearGradient light(source, target);
        light.setColorAt(0.0, QColor(255, 240, 200, 70));
        light.setColorAt(1.0, QColor(255, 240, 200, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawPolygon(cone);
    }

    // Confetti.
    Lcg rng(0x5EED888u);
    const QList<QColor> confetti = {QColor(0xFF, 0xD9, 0x3D), QColor(0x4F, 0xE3, 0xF0), QColor(0xFF, 0x7A, 0xB8),
                                    QColor(0x8C, 0xF0, 0x7A), QColor(0xFF, 0xA2, 0x4A), QColor(0xFF, 0xFF, 0xFF)};
    for (int i = 0; i < 70; ++i) {
        const qreal x = rng.uniform(8, w - 8);
        const qreal y = rng.uniform(56, h - 8);
        // Keep the middle (the writing) calm.
        if ((x > 150 && x < 620 && y > 60 && y < 300) || y > h - 52)
            continue;
        QColor c = confetti[rng.next() % confetti.size()];
        c.setAlpha(int(rng.uniform(130, 230)));
        p.save();
        p.translate(x, y);
        p.rotate(rng.uniform(0, 180));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        if (rng.next() % 3 == 0)
            p.drawEllipse(QPointF(0, 0), 2.8, 2.8);
        else
            p.drawRect(QRectF(-5, -2, 10, 4));
        p.restore();
    }

    // Calm strip for the two push buttons, with the small "Anzeige" label between them.
    p.fillRect(QRectF(0, h - 50, w, 50), QColor(0, 0, 0, 90));
    p.fillRect(QRectF(0, h - 52, w, 2), QColor(0xFF, 0xD9, 0x3D, 200));
    {
        const QFont f = font(13, false);
        p.fillPath(centredText(QStringLiteral("ANZEIGE"), f, w / 2.0, h - 20), QColor(255, 255, 255, 190));
    }

    // Question and answer bubbles at the sides.
    drawBubble(p, QRectF(28, 92, 108, 100), true, QColor(0xFF, 0xD9, 0x3D), QColor(0x2A, 0x0C, 0x4F),
               QStringLiteral("?"), QColor(0x4A, 0x12, 0x6E));
    drawBubble(p, QRectF(w - 136, 150, 108, 100), false, QColor(0x4F, 0xE3, 0xF0), QColor(0x2A, 0x0C, 0x4F),
               QStringLiteral("!"), QColor(0x4A, 0x12, 0x6E));

    const qreal cx = w / 2.0;

    // Headline.
    {
        const QString text = QStringLiteral("Brimora Quizabend");
        const QFont f = fittingFont(text, 64, 470, true, false);
        const QPainterPath path = centredText(text, f, cx, 128);
        p.fillPath(path.translated(3, 4), QColor(0x14, 0x04, 0x2C, 160));
        p.fillPath(path, Qt::white);
    }

    // Call to action in a yellow pill.
    {
        const QString text = QStringLiteral("jetzt mitmachen!");
        const QFont f = font(34);
        const QFontMetricsF fm(f);
        const qreal tw = fm.horizontalAdvance(text);
        const QRectF pill(cx - tw / 2 - 26, 148, tw + 52, 54);
        QPainterPath pillPath;
        pillPath.addRoundedRect(pill, 27, 27);
        p.fillPath(pillPath.translated(3, 4), QColor(0x14, 0x04, 0x2C, 140));
        QLinearGradient gold(pill.topLeft(), pill.bottomLeft());
        gold.setColorAt(0, QColor(0xFF, 0xE6, 0x6A));
        gold.setColorAt(1, QColor(0xFF, 0xB8, 0x2E));
        p.fillPath(pillPath, gold);
        p.fillPath(centredText(text, f, cx, pill.center().y() + fm.capHeight() / 2), QColor(0x4A, 0x12, 0x6E));
    }

    // What it is about.
    {
        const QString line1 = QStringLiteral("Rätseln im Team, raten mit Freunden,");
        const QString line2 = QStringLiteral("gewinnen mit Köpfchen – jeden Freitag neu.");
        const QFont f = fittingFont(line2, 21, 470, false);
        p.fillPath(centredText(line1, f, cx, 240), QColor(255, 255, 255, 235));
        p.fillPath(centredText(line2, f, cx, 267), QColor(255, 255, 255, 235));
    }

    // Web address at the head.
    {
        const QString text = QStringLiteral("www.quizabend.example");
        const QFont f = font(24);
        p.fillRect(QRectF(0, 0, w, 44), QColor(0, 0, 0, 70));
        p.fillPath(centredText(text, f, cx, 32), QColor(0xFF, 0xD9, 0x3D));
    }
    p.end();

    return save(image.convertToFormat(QImage::Format_RGB888), dir + QStringLiteral("/banner-888.png"));
}

// ---------------------------------------------------------------------------------------------
// Bitmap 333: an open envelope with a letter, 55 x 60, 256 colours.

bool makeMail(const QString &dir)
{
    const int w = 55, h = 60;
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor edge(0x1E, 0x2E, 0x6A);
    const QRectF body(3.5, 24.5, 48, 31);

    // Back of the envelope and the opened flap.
    p.setPen(QPen(edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x9F, 0xB8, 0xE8));
    p.drawRect(body);
    QPolygonF flap;
    flap << body.topLeft() << QPointF(body.center().x(), 8.5) << body.topRight();
    p.setBrush(QColor(0x86, 0xA2, 0xDC));
    p.drawPolygon(flap);

    // The letter, with lines of writing.
    const QRectF letter(10.5, 4.5, 34, 38);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x70, 0x70, 0x80), 1));
    p.drawRect(letter);
    p.setPen(QPen(QColor(0x3D, 0x6B, 0xD6), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const qreal y = 11 + i * 5;
        p.drawLine(QPointF(15, y), QPointF(i == 3 ? 30 : 40, y));
    }

    // Front pocket of the envelope.
    QPolygonF pocket;
    pocket << body.topLeft() << QPointF(body.center().x(), 42) << body.topRight() << body.bottomRight()
           << body.bottomLeft();
    p.setBrush(QColor(0xC8, 0xD8, 0xFA));
    p.setPen(QPen(edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(pocket);
    p.drawLine(body.bottomLeft(), QPointF(22, 40));
    p.drawLine(body.bottomRight(), QPointF(33, 40));

    // A red seal in the middle of the pocket.
    p.setBrush(QColor(0xD6, 0x2E, 0x3A));
    p.setPen(QPen(QColor(0x8A, 0x12, 0x1E), 1));
    p.drawEllipse(QPointF(body.center().x(), 44), 5, 5);
    p.setPen(QPen(QColor(0xFF, 0xC8, 0xC8), 1.2));
    p.drawEllipse(QPointF(body.center().x(), 44), 2.2, 2.2);
    p.end();

    // At most 256 colours: the small picture uses fewer, so every colour is kept exactly.
    QList<QRgb> palette;
    QImage indexed(image.size(), QImage::Format_Indexed8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            qsizetype i = palette.indexOf(c);
            if (i < 0) {
                if (palette.size() == 256) {
                    std::fprintf(stderr, "mail picture has more than 256 colours\n");
                    return false;
                }
                palette << c;
                i = palette.size() - 1;
            }
            indexed.setColorTable(palette);
            indexed.setPixel(x, y, uint(i));
        }
    }
    indexed.setColorTable(palette);
    return save(indexed, dir + QStringLiteral("/mail-333.png"));
}

// ---------------------------------------------------------------------------------------------
// Icon 199: a yellow question mark on a blue disc.

bool makeIcon(const QString &dir, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);

    const qreal rim = size <= 16 ? 3.0 : 2.5;
    const QRectF disc(1 + rim / 2, 1 + rim / 2, 46 - rim, 46 - rim);
    QRadialGradient blue(QPointF(18, 14), 40);
    blue.setColorAt(0, QColor(0x4A, 0x86, 0xF0));
    blue.setColorAt(1, QColor(0x14, 0x36, 0x94));
    p.setBrush(blue);
    p.setPen(QPen(size <= 16 ? QColor(0x0B, 0x1E, 0x5B) : QColor(0xFF, 0xFF, 0xFF), rim));
    p.drawEllipse(disc);

    const QFont f = font(size <= 16 ? 46 : 40);
    const QFontMetricsF fm(f);
    const QPainterPath mark = centredText(QStringLiteral("?"), f, 24, 24 + fm.capHeight() / 2);
    if (size > 16) {
        p.setPen(QPen(QColor(0x0B, 0x1E, 0x5B), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(mark);
    }
    p.fillPath(mark, QColor(0xFF, 0xE1, 0x35));
    p.end();
    return save(image, dir + QStringLiteral("/icon-%1.png").arg(size));
}

// ---------------------------------------------------------------------------------------------
// Mouse pointers, 32 x 32 with alpha.

// The arrow: tip (hot spot) at pixel (1, 1).
bool makeArrowCursor(const QString &dir)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QPolygonF arrow;
    arrow << QPointF(1.5, 1.5) << QPointF(1.5, 23.5) << QPointF(7, 18.5) << QPointF(11, 27.5)
          << QPointF(14.5, 26) << QPointF(10.5, 17.5) << QPointF(17.5, 17.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPolygon(arrow.translated(1.5, 1.5));
    QLinearGradient fill(0, 0, 14, 28);
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, QColor(0xD6, 0xE4, 0xFF));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x0B, 0x1E, 0x5B), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.drawPolygon(arrow);
    p.end();
    return save(image, dir + QStringLiteral("/cursor-arrow.png"));
}

// The pen: writing tip (hot spot) at pixel (2, 29).
bool makePenCursor(const QString &dir)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor edge(0x1E, 0x1E, 0x2E);
    p.translate(2.5, 29.5);
    p.rotate(-45);
    // Along +x from the tip: lead 0..3, wood 3..8, body 8..31, eraser 31..36.
    const qreal half = 3.6;
    QPolygonF wood;
    wood << QPointF(0, 0) << QPointF(8, -half) << QPointF(8, half);
    p.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xF2, 0xD2, 0xA0));
    p.drawPolygon(wood);
    QPolygonF lead;
    lead << QPointF(0, 0) << QPointF(3, -half * 3 / 8) << QPointF(3, half * 3 / 8);
    p.setBrush(QColor(0x30, 0x30, 0x40));
    p.drawPolygon(lead);
    QLinearGradient body(0, -half, 0, half);
    body.setColorAt(0, QColor(0xFF, 0xE8, 0x6A));
    body.setColorAt(0.5, QColor(0xFF, 0xC8, 0x2E));
    body.setColorAt(1, QColor(0xD8, 0x92, 0x10));
    p.setBrush(body);
    p.drawRect(QRectF(8, -half, 23, 2 * half));
    p.setBrush(QColor(0xB8, 0xBC, 0xC8));
    p.drawRect(QRectF(31, -half, 2.5, 2 * half));
    p.setBrush(QColor(0xF0, 0x7A, 0x8C));
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(33.5, -half, 4, 2 * half), 1.5, 1.5);
    p.drawPath(eraser);
    p.end();
    return save(image, dir + QStringLiteral("/cursor-pen.png"));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    loadFonts();

    bool ok = makeLogo(dir) && makeBanner(dir) && makeMail(dir);
    for (int size : {16, 32, 48})
        ok = ok && makeIcon(dir, size);
    ok = ok && makeArrowCursor(dir) && makePenCursor(dir);
    return ok ? 0 : 1;
}
