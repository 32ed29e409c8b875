#include <QtTest>

#include "testfiles.h"

#include "platform/bitmap.h"
#include "platform/palette.h"
#include "ui/bitmapref.h"

#include <QImageReader>
#include <memory>

Q_DECLARE_METATYPE(CornerRect)

namespace {

// Each corner of the picture in its own colour over a grey middle, so a picture placed, scaled or
// turned wrongly shows.
QImage corners(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(width - 1, 0, qRgb(0, 255, 0));
    image.setPixel(0, height - 1, qRgb(0, 0, 255));
    image.setPixel(width - 1, height - 1, qRgb(255, 255, 0));
    return image;
}

// Left half red, right half blue.
QImage halves(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return image;
}

// Every pixel of the image in colour, or the first one that is not.
bool allPixels(const QImage& image, QRgb colour, QString* where)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour) {
                *where = QStringLiteral("pixel (%1, %2) is %3").arg(x).arg(y).arg(image.pixel(x, y), 0, 16);
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestBitmapRef : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void targetRectangle_data();
    void targetRectangle();
    void pictureWithoutAutoScaleKeepsItsPixels();
    void pictureWithAutoScaleFillsTheWidth();
    void controlShowsItsSurface();
    void dataLinkCarriesThePicture();
    void emptyOrDamagedValueShowsNoPicture_data();
    void emptyOrDamagedValueShowsNoPicture();
    void fileThatCannotBeLoadedKeepsThePicture();
    void saveWritesTheLowerLeftSquare();
    void destroyLetsGoOfThePicture();

private:
    BitmapRef* make(QSizeF size, int backcolor = -2);
    QString pictureFile(const QString& name, const QImage& image);

    std::unique_ptr<QWidget> host;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestBitmapRef::init()
{
    dir = std::make_unique<QTemporaryDir>();
    host = std::make_unique<QWidget>();
    host->setObjectName(QStringLiteral("host"));
    host->resize(400, 300);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
}

void TestBitmapRef::cleanup()
{
    host.reset();
    dir.reset();
}

BitmapRef* TestBitmapRef::make(QSizeF size, int backcolor)
{
    auto* view = new BitmapRef(host.get());
    view->init(host.get(), nullptr, QPointF(10, 20), size);
    view->backcolor = backcolor;
    view->create();
    return view;
}

QString TestBitmapRef::pictureFile(const QString& name, const QImage& image)
{
    const QString path = dir->filePath(name);
    image.save(path);
    return path;
}

void TestBitmapRef::targetRectangle_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("control");
    QTest::addColumn<bool>("autoScale");
    QTest::addColumn<CornerRect>("expected");
    // Twice as wide as high: (1, 1, 98, 49), moved up by (98 - 49) / 2.
    QTest::newRow("2:1 scaled") << QSize(200, 100) << QSize(100, 100) << true << CornerRect{1, 25.5, 98, 73.5};
    QTest::newRow("1:2 scaled") << QSize(30, 60) << QSize(100, 100) << true << CornerRect{25.5, 1, 73.5, 98};
    QTest::newRow("square in a wide control") << QSize(10, 10) << QSize(100, 60) << true << CornerRect{21, 1, 78, 58};
    // Own size (1, 1, 40, 30), centred.
    QTest::newRow("40 x 30 unscaled") << QSize(40, 30) << QSize(100, 100) << false << CornerRect{30, 35, 69, 64};
    QTest::newRow("larger than the control, unscaled") << QSize(150, 120) << QSize(100, 100) << false
                                                       << CornerRect{1, 1, 150, 120};
    QTest::newRow("no picture") << QSize(0, 0) << QSize(100, 100) << true << CornerRect{1, 1, 98, 98};
}

void TestBitmapRef::targetRectangle()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, control);
    QFETCH(bool, autoScale);
    QFETCH(CornerRect, expected);
    const CornerRect target = BitmapRef::targetRect(picture, control, autoScale);
    QCOMPARE(target.x1, expected.x1);
    QCOMPARE(target.y1, expected.y1);
    QCOMPARE(target.x2, expected.x2);
    QCOMPARE(target.y2, expected.y2);
}

void TestBitmapRef::pictureWithoutAutoScaleKeepsItsPixels()
{
    BitmapRef* view = make(QSizeF(100, 100), 6);
    view->autoScale = false;
    const QImage picture = corners(40, 30);
    QVERIFY(view->loadFile(pictureFile(QStringLiteral("bild.bmp"), picture)));
    QVERIFY(view->draw());

    // Target (30, 35, 69, 64) from the bottom left, both corners included: 40 x 30 pixels, the
    // picture's own, from Qt's column 30 and row 100 - 64 - 1 = 35.
    const QImage& surface = view->oPS.image();
    QCOMPARE(surface.size(), QSize(100, 100));
    QCOMPARE(surface.copy(30, 35, 40, 30), picture);
    // Everything else is the background colour 6.
    QImage rest = surface;
    for (int y = 35; y < 65; ++y) {
        for (int x = 30; x < 70; ++x)
            rest.setPixel(x, y, Palette::color(6).rgb());
    }
    QString where;
    QVERIFY2(allPixels(rest, Palette::color(6).rgb(), &where), qPrintable(where));
}

void TestBitmapRef::pictureWithAutoScaleFillsTheWidth()
{
    BitmapRef* view = make(QSizeF(100, 100));
    QVERIFY(view->autoScale);
    QVERIFY(view->loadFile(pictureFile(QStringLiteral("breit.png"), halves(200, 100))));
    QVERIFY(view->draw());

    // Target (1, 25.5, 98, 73.5): columns 1 to 98, 49 rows in the middle, halves kept apart.
    const QImage& surface = view->oPS.image();
    const QRgb white = qRgb(255, 255, 255);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    QCOMPARE(surface.pixel(0, 50), white);
    QCOMPARE(surface.pixel(1, 50), red);
    QCOMPARE(surface.pixel(49, 50), red);
    QCOMPARE(surface.pixel(50, 50), blue);
    QCOMPARE(surface.pixel(98, 50), blue);
    QCOMPARE(surface.pixel(99, 50), white);
    QCOMPARE(surface.pixel(50, 25), white);
    QCOMPARE(surface.pixel(50, 26), blue);
    QCOMPARE(surface.pixel(50, 74), blue);
    QCOMPARE(surface.pixel(50, 75), white);
    // Columns dropped, never blended: only the picture's two colours and the background.
    for (int x = 0; x < 100; ++x) {
        const QRgb pixel = surface.pixel(x, 50);
        QVERIFY2(pixel == white || pixel == red || pixel == blue, qPrintable(QString::number(x)));
    }
}

void TestBitmapRef::controlShowsItsSurface()
{
    BitmapRef* view = make(QSizeF(120, 80), 15);
    QVERIFY(view->loadFile(pictureFile(QStringLiteral("bild.png"), corners(30, 20))));
    // Bottom-left placement in the host: 20 pixels above its bottom edge.
    QCOMPARE(view->geometry(), QRect(10, 300 - 20 - 80, 120, 80));
    QVERIFY(view->isVisible());
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, view->oPS.image());
    // The picture is drawn scaled (3:2 in a room of 118 x 78): the red corner at the top left of
    // the picture, grey inside, the background colour 15 at the border.
    QCOMPARE(shown.pixel(0, 0), Palette::color(15).rgb());
    QCOMPARE(shown.pixel(60, 40), qRgb(128, 128, 128));
    QCOMPARE(view->draw(), true);
}

void TestBitmapRef::dataLinkCarriesThePicture()
{
    QByteArray stored;
    int calls = 0;
    auto link = [&](const std::optional<QByteArray>& value) {
        ++calls;
        if (value)
            stored = *value;
        return stored;
    };

    BitmapRef* source = make(QSizeF(100, 100));
    source->dataLink = link;
    QVERIFY(source->loadFile(pictureFile(QStringLiteral("bild.bmp"), corners(12, 9))));
    QVERIFY(source->changed);
    const QByteArray edited = source->editbuffer();
    QCOMPARE(calls, 0);
    QCOMPARE(Bitmap::pixelOffset(edited), std::optional<qsizetype>(40));
    QCOMPARE(source->getdata(), edited);
    QCOMPARE(calls, 1);
    QCOMPARE(stored, edited);

    // A second control bound to the same data takes the picture from the link.
    BitmapRef* target = make(QSizeF(100, 100));
    target->dataLink = link;
    target->changed = true;
    QCOMPARE(target->setdata(), edited);
    QCOMPARE(calls, 2);
    QVERIFY(!target->lIsEmpty);
    QVERIFY(!target->changed);
    QCOMPARE(target->oBmp.image().convertToFormat(QImage::Format_RGB32), corners(12, 9));
    // setdata drew it: the same pixels as the first control shows.
    QVERIFY(source->draw());
    QCOMPARE(target->oPS.image(), source->oPS.image());
}

void TestBitmapRef::emptyOrDamagedValueShowsNoPicture_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("damaged") << QByteArray("kein Bild, nur Text, und zu kurz");
    QByteArray cut = Bitmap(corners(12, 9)).buffer();
    cut.chop(10);
    QTest::newRow("rows cut short") << cut;
}

void TestBitmapRef::emptyOrDamagedValueShowsNoPicture()
{
    QFETCH(QByteArray, value);
    int calls = 0;
    BitmapRef* view = make(QSizeF(60, 50), 5);
    view->dataLink = [&calls](const std::optional<QByteArray>&) {
        ++calls;
        return QByteArray();
    };
    QVERIFY(view->loadFile(pictureFile(QStringLiteral("alt.png"), corners(12, 9))));
    QVERIFY(view->draw());

    QCOMPARE(view->setdata(value), value);
    QVERIFY(view->lIsEmpty);
    QVERIFY(!view->draw());
    QString where;
    QVERIFY2(allPixels(view->oPS.image(), Palette::color(5).rgb(), &where), qPrintable(where));
    // Nothing to hand on: the link is not called, and the old picture is not the value.
    QVERIFY(view->getdata().isEmpty());
    QCOMPARE(calls, 0);
}

void TestBitmapRef::fileThatCannotBeLoadedKeepsThePicture()
{
    BitmapRef* view = make(QSizeF(60, 50));
    QVERIFY(!view->loadFile(dir->filePath(QStringLiteral("fehlt.bmp"))));
    QVERIFY(view->lIsEmpty);
    QVERIFY(!view->changed);

    QVERIFY(view->loadFile(pictureFile(QStringLiteral("gut.png"), corners(12, 9))));
    const QString damaged = dir->filePath(QStringLiteral("kaputt.bmp"));
    QVERIFY(TestFiles::write(damaged, "BM kein Bild"));
    QVERIFY(!view->loadFile(damaged));
    QVERIFY(!view->changed);
    QVERIFY(!view->lIsEmpty);
    QCOMPARE(view->oBmp.image().convertToFormat(QImage::Format_RGB32), corners(12, 9));
}

void TestBitmapRef::saveWritesTheLowerLeftSquare()
{
    BitmapRef* view = make(QSizeF(200, 180), 4);
    QVERIFY(view->loadFile(pictureFile(QStringLiteral("bild.png"), halves(60, 40))));
    QVERIFY(view->draw());
    view->save(dir->filePath(QStringLiteral("schirm")));

    // The lower-left 150 x 150 pixels: in Qt's counting from row 180 - 150 = 30.
    const QImage expected = view->oPS.image().copy(0, 30, 150, 150);
    QVERIFY(view->Scaled);
    QCOMPARE(view->Scaled->image(), expected);
    const QImage written = QImageReader(dir->filePath(QStringLiteral("schirm.BMP"))).read();
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), expected);
    // It holds both the background and the picture.
    QCOMPARE(expected.pixel(0, 149), Palette::color(4).rgb());
    QCOMPARE(expected.pixel(60, 90), qRgb(255, 0, 0));
}

void TestBitmapRef::destroyLetsGoOfThePicture()
{
    BitmapRef* view = make(QSizeF(60, 50));
    QVERIFY(view->loadFile(pictureFile(QStringLiteral("bild.png"), corners(12, 9))));
    QCOMPARE(view->destroy(), view);
    QVERIFY(!view->isCreated());
    QVERIFY(!view->isVisible());
    QVERIFY(view->lIsEmpty);
    QVERIFY(view->editbuffer().isEmpty());
    QVERIFY(!view->draw());
    view->create();
    QVERIFY(view->isVisible());
    QCOMPARE(view->oPS.size(), QSize(60, 50));
}

QTEST_MAIN(TestBitmapRef)
#include "tst_bitmapref.moc"
