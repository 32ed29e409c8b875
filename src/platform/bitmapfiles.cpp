#include "platform/bitmapfiles.h"

#include <QFileInfo>
#include <QSaveFile>

Bitmap graSaveScreen(const DrawingSurface& surface, QPointF position, QSize size)
{
    return Bitmap(surface.copy(position, size));
}

void graRestScreen(DrawingSurface& surface, QPointF position, const Bitmap& bitmap)
{
    const QSize size = bitmap.size();
    const CornerRect whole{0, 0, double(size.width()), double(size.height())};
    const CornerRect target{position.x(), position.y(), position.x() + size.width() - 1,
                            position.y() + size.height() - 1};
    surface.drawBitmap(bitmap.image(), whole, target);
}

bool saveBitmap(const Bitmap* bitmap, const QString& fileName)
{
    if (!bitmap || bitmap->isNull() || fileName.isEmpty())
        return false;
    // Only the file's own name counts: a full stop in a folder's name is no extension.
    QString name = fileName;
    if (!QFileInfo(name).fileName().contains(QLatin1Char('.')))
        name += QLatin1String(".BMP");

    const QByteArray buffer = bitmap->buffer();
    const std::optional<qsizetype> offset = Bitmap::pixelOffset(buffer);
    if (!offset)
        return false;
    const QByteArray file = Bitmap::fileHeader(buffer.size(), *offset) + buffer;

    // Written beside the old file and put in its place only when complete, so a failed write
    // never costs the picture that was there.
    QSaveFile out(name);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // An incomplete file is thrown away when out goes out of scope uncommitted.
    if (out.write(file) != file.size())
        return false;
    // A full disk refuses the buffered bytes only at the flush, which commit() does not report.
    return out.flush() && out.commit();
}
