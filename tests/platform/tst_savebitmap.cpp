#include <QtTest>

#include "childprocess.h"
#include "filesnapshot.h"
#include "testfiles.h"

#include "platform/bitmap.h"
#include "platform/bitmapfiles.h"
#include "platform/drawingsurface.h"

#include <QImageReader>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtEndian>

#include <csignal>
#include <sys/resource.h>

namespace {

// A picture in which every pixel differs from its neighbours, so a row or column out of place or
// upside down shows.
QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37) % 256, (y * 59) % 256, (x * y * 13 + 7) % 256));
    }
    return image;
}

// The same picture with few colours, which is written with a colour table.
QImage withColours(int width, int height, int colours)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table << qRgb((i * 97) % 256, (i * 31) % 256, 255 - (i * 53) % 256);
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x + 3 * y) % colours));
    }
    return image;
}

quint32 u32At(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// A pixel as ImageMagick's identify reads it, "r,g,b".
QString identifyPixel(int x, int y)
{
    return QStringLiteral("%[fx:int(255*p{%1,%2}.r+0.5)],%[fx:int(255*p{%1,%2}.g+0.5)],%[fx:int(255*p{%1,%2}.b+0.5)]")
        .arg(x)
        .arg(y);
}

QString rgbText(QRgb colour)
{
    return QStringLiteral("%1,%2,%3").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}

// An information header of 40 bytes with the given fields, followed by filler up to length.
QByteArray infoHeader(quint32 headerSize, quint16 bitsPerPixel, quint32 coloursUsed, int length)
{
    QByteArray bytes(std::max(length, 40), '\0');
    qToLittleEndian<quint32>(headerSize, bytes.data());
    qToLittleEndian<qint32>(100, bytes.data() + 4); // 100 x 100 pixels
    qToLittleEndian<qint32>(100, bytes.data() + 8);
    qToLittleEndian<quint16>(1, bytes.data() + 12);
    qToLittleEndian<quint16>(bitsPerPixel, bytes.data() + 14);
    qToLittleEndian<quint32>(coloursUsed, bytes.data() + 32);
    return bytes.left(length);
}

} // namespace

class TestSaveBitmap : public QObject
{
    Q_OBJECT

private slots:
    void writtenFileIsReadByIndependentReaders_data();
    void writtenFileIsReadByIndependentReaders();
    void nameWithoutFullStopGetsBmp_data();
    void nameWithoutFullStopGetsBmp();
    void wrongArgumentsWriteNothing();
    void fileThatCannotBeCreatedGivesFalse_data();
    void fileThatCannotBeCreatedGivesFalse();
    void shortWriteGivesFalseAndKeepsOldFile();
    void bufferGivesThePictureBack_data();
    void bufferGivesThePictureBack();
    void damagedBufferIsRefused_data();
    void damagedBufferIsRefused();
    void saveScreenAndRestScreenCountFromBottomLeft();
    void saveScreenBeyondSurfaceGivesFillColour();
};

void TestSaveBitmap::writtenFileIsReadByIndependentReaders_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<int>("pixelOffset"); // where the rows begin, as Windows BMP readers expect
    // 24 bits per pixel, rows of 37 * 3 = 111 bytes padded to 112.
    QTest::newRow("true colour") << pattern(37, 21) << 40;
    // 16 colours: 4 bits per pixel behind a table of 16 entries of 4 bytes.
    QTest::newRow("16 colours") << withColours(13, 7, 16) << 40 + 16 * 4;
    QTest::newRow("2 colours") << withColours(9, 5, 2) << 40 + 2 * 4;
}

void TestSaveBitmap::writtenFileIsReadByIndependentReaders()
{
    QFETCH(QImage, picture);
    QFETCH(int, pixelOffset);
    QTemporaryDir dir;
    const Bitmap bitmap(picture);
    const QByteArray buffer = bitmap.buffer();
    QCOMPARE(Bitmap::pixelOffset(buffer), std::optional<qsizetype>(pixelOffset));

    QVERIFY(saveBitmap(&bitmap, dir.filePath(QStringLiteral("bild"))));
    const QString path = dir.filePath(QStringLiteral("bild.BMP"));
    const QByteArray file = TestFiles::read(path);

    // File header, then the buffer from its fifth byte on behind the information header size.
    QCOMPARE(file.size(), 14 + buffer.size());
    QCOMPARE(file.left(2), QByteArray("BM"));
    QCOMPARE(u32At(file, 2), quint32(14 + buffer.size()));
    QCOMPARE(u32At(file, 6), 0u);
    QCOMPARE(u32At(file, 10), quint32(pixelOffset + 14));
    QCOMPARE(u32At(file, 14), 40u);
    QCOMPARE(file.mid(18), buffer.mid(4));

    // Qt's reader: size and every pixel.
    const QImage read = QImageReader(path).read();
    QCOMPARE(read.size(), picture.size());
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));

    // ImageMagick's reader: size and the four corners and a pixel inside.
    const QString identify = QStandardPaths::findExecutable(QStringLiteral("identify"));
    QVERIFY2(!identify.isEmpty(), "ImageMagick's identify is missing (scripts/install-deps.sh installs it)");
    const QList<QPoint> probes{{0, 0},
                               {picture.width() - 1, 0},
                               {0, picture.height() - 1},
                               {picture.width() - 1, picture.height() - 1},
                               {picture.width() / 2, picture.height() / 3}};
    QString format = QStringLiteral("%w %h");
    QString expected = QStringLiteral("%1 %2").arg(picture.width()).arg(picture.height());
    for (const QPoint& p : probes) {
        format += QLatin1Char(' ') + identifyPixel(p.x(), p.y());
        expected += QLatin1Char(' ') + rgbText(picture.pixel(p));
    }
    const ChildProcess run = ChildProcess::run(identify, {QStringLiteral("-format"), format, path});
    QVERIFY2(run.finished() && run.exitCode() == 0, qPrintable(run.describe()));
    QCOMPARE(QString::fromUtf8(run.out()).trimmed(), expected);
}

void TestSaveBitmap::nameWithoutFullStopGetsBmp_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("written");
    QTest::newRow("no full stop") << "bild" << "bild.BMP";
    QTest::newRow("another extension") << "bild.png" << "bild.png";
    QTest::newRow("full stop at the end") << "bild." << "bild.";
    QTest::newRow("full stop in the middle") << "mein.bild.txt" << "mein.bild.txt";
    QTest::newRow("full stop only in the folder") << "ordner.neu/bild" << "ordner.neu/bild.BMP";
}

void TestSaveBitmap::nameWithoutFullStopGetsBmp()
{
    QFETCH(QString, given);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.neu")));
    const Bitmap bitmap(pattern(5, 4));
    QVERIFY(saveBitmap(&bitmap, dir.filePath(given)));
    const QFileInfo info(dir.filePath(written));
    QVERIFY(info.isFile());
    QCOMPARE(QDir(info.path()).entryList(QDir::Files | QDir::Hidden), QStringList{info.fileName()});
    QCOMPARE(QImageReader(info.filePath(), "BMP").read().convertToFormat(QImage::Format_RGB32), pattern(5, 4));
}

void TestSaveBitmap::wrongArgumentsWriteNothing()
{
    QTemporaryDir dir;
    // An empty name must not become ".BMP" in the current folder.
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previousFolder); });
    const Bitmap bitmap(pattern(5, 4));
    const Bitmap empty;
    QVERIFY(!saveBitmap(nullptr, dir.filePath(QStringLiteral("bild"))));
    QVERIFY(!saveBitmap(&empty, dir.filePath(QStringLiteral("bild"))));
    QVERIFY(!saveBitmap(&bitmap, QString()));
    QVERIFY(!saveBitmap(&bitmap, QStringLiteral("")));
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestSaveBitmap::fileThatCannotBeCreatedGivesFalse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("folder missing") << "fehlt/bild" << false;
    QTest::newRow("name of a folder") << "ordner.neu" << false;
    QTest::newRow("folder read-only") << "gesperrt/bild" << true;
}

void TestSaveBitmap::fileThatCannotBeCreatedGivesFalse()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnlyFolder);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.neu")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("gesperrt")));
    QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("gesperrt")),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    const FileSnapshot before(dir.filePath(QStringLiteral("gesperrt")));
    const Bitmap bitmap(pattern(5, 4));
    bool written = true;
    if (readOnlyFolder) {
        TestFiles::setPermissionOverride(false);
        written = saveBitmap(&bitmap, dir.filePath(name));
        TestFiles::setPermissionOverride(true);
    } else {
        written = saveBitmap(&bitmap, dir.filePath(name));
    }
    QVERIFY(!written);
    QCOMPARE(before.changes(), QStringList());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));
    QVERIFY(QDir(dir.filePath(QStringLiteral("ordner.neu"))).isEmpty());
}

void TestSaveBitmap::shortWriteGivesFalseAndKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bild.BMP"));
    QVERIFY(TestFiles::write(path, "das alte Bild"));
    const Bitmap bitmap(pattern(200, 100)); // about 60 KB
    QVERIFY(bitmap.buffer().size() > 8192);

    // The disk takes no more than 8 KB of any file: the write ends short (EFBIG instead of the
    // signal that would end the process).
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 8192;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = saveBitmap(&bitmap, path);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    QVERIFY(!written);
    QCOMPARE(TestFiles::read(path), QByteArray("das alte Bild"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bild.BMP")});
    // Without the limit the same call writes the picture.
    QVERIFY(saveBitmap(&bitmap, path));
    QCOMPARE(QImageReader(path).read().convertToFormat(QImage::Format_RGB32), pattern(200, 100));
}

void TestSaveBitmap::bufferGivesThePictureBack_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::newRow("true colour") << pattern(37, 21);
    QTest::newRow("16 colours") << withColours(13, 7, 16);
    QTest::newRow("one pixel") << pattern(1, 1);
}

void TestSaveBitmap::bufferGivesThePictureBack()
{
    QFETCH(QImage, picture);
    const QByteArray buffer = Bitmap(picture).buffer();
    QCOMPARE(u32At(buffer, 0), 40u);
    Bitmap copy(pattern(3, 3));
    QVERIFY(copy.setBuffer(buffer));
    QCOMPARE(copy.image().convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(copy.buffer(), buffer);
    QVERIFY(Bitmap().buffer().isEmpty());
}

void TestSaveBitmap::damagedBufferIsRefused_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<bool>("headerDamaged"); // the rows' offset cannot be found
    const QByteArray good = Bitmap(withColours(13, 7, 16)).buffer();
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("header cut short") << good.left(39) << true;
    QTest::newRow("colour table cut short") << good.left(40 + 16 * 4 - 1) << true;
    QTest::newRow("pixel rows cut short") << good.left(good.size() - 1) << false;
    QTest::newRow("header longer than the buffer") << infoHeader(5000, 24, 0, 200) << true;
    QTest::newRow("header size too small") << infoHeader(12, 24, 0, 200) << true;
    QTest::newRow("no such pixel depth") << infoHeader(40, 7, 0, 200) << true;
    QTest::newRow("more colours than 8 bits hold") << infoHeader(40, 8, 300, 2000) << true;
    QTest::newRow("colour count beyond any buffer") << infoHeader(40, 24, 0xFFFFFFFF, 200) << true;
    QTest::newRow("full table of 256 colours missing") << infoHeader(40, 8, 0, 500) << true;
    QTest::newRow("pixel rows missing") << infoHeader(40, 24, 0, 200) << false;
}

void TestSaveBitmap::damagedBufferIsRefused()
{
    QFETCH(QByteArray, buffer);
    QFETCH(bool, headerDamaged);
    QCOMPARE(!Bitmap::pixelOffset(buffer), headerDamaged);
    Bitmap bitmap(pattern(3, 2));
    QVERIFY(!bitmap.setBuffer(buffer));
    QCOMPARE(bitmap.image(), pattern(3, 2));
}

void TestSaveBitmap::saveScreenAndRestScreenCountFromBottomLeft()
{
    DrawingSurface surface;
    surface.setFillColor(Qt::white);
    surface.create(QSize(60, 40));
    const QImage picture = pattern(8, 6);
    graRestScreen(surface, QPointF(10, 5), Bitmap(picture));

    // Lower-left corner at (10, 5): the picture's bottom row lies 5 rows above the surface's.
    const QImage& pixels = surface.image();
    QCOMPARE(pixels.pixel(10, 40 - 5 - 1), picture.pixel(0, 5));
    QCOMPARE(pixels.pixel(17, 40 - 5 - 6), picture.pixel(7, 0));
    QCOMPARE(pixels.copy(10, 40 - 5 - 6, 8, 6), picture);
    QCOMPARE(pixels.pixel(9, 30), qRgb(255, 255, 255));
    QCOMPARE(pixels.pixel(10, 35), qRgb(255, 255, 255));

    const Bitmap taken = graSaveScreen(surface, QPointF(10, 5), QSize(8, 6));
    QCOMPARE(taken.image(), picture);
    const Bitmap shifted = graSaveScreen(surface, QPointF(9, 5), QSize(8, 6));
    QCOMPARE(shifted.image().copy(1, 0, 7, 6), picture.copy(0, 0, 7, 6));
}

void TestSaveBitmap::saveScreenBeyondSurfaceGivesFillColour()
{
    DrawingSurface surface;
    surface.setFillColor(QColor(0, 255, 255));
    surface.create(QSize(20, 10));
    graRestScreen(surface, QPointF(0, 0), Bitmap(pattern(20, 10)));
    const QImage taken = graSaveScreen(surface, QPointF(0, 0), QSize(30, 15)).image();
    QCOMPARE(taken.size(), QSize(30, 15));
    // The surface fills the lower-left 20 x 10 of the copy; the rest is the fill colour.
    QCOMPARE(taken.copy(0, 5, 20, 10), pattern(20, 10));
    QCOMPARE(taken.pixel(25, 14), qRgb(0, 255, 255));
    QCOMPARE(taken.pixel(0, 0), qRgb(0, 255, 255));
    QVERIFY(graSaveScreen(surface, QPointF(0, 0), QSize(0, 0)).isNull());

    DrawingSurface none;
    none.setFillColor(Qt::white);
    QCOMPARE(graSaveScreen(none, QPointF(0, 0), QSize(2, 2)).image().pixel(1, 1), qRgb(255, 255, 255));
}

QTEST_MAIN(TestSaveBitmap)
#include "tst_savebitmap.moc"
