#include "platform/bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <cstdlib>

namespace {

// Compression codes of the information header that put colour masks behind it.
constexpr quint32 bitfields = 3;
constexpr quint32 alphaBitfields = 6;

quint32 readU32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 readU16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void appendU32(QByteArray& bytes, quint32 value)
{
    char little[4];
    qToLittleEndian(value, little);
    bytes.append(little, 4);
}

// Bytes of colour masks that follow a 40-byte information header.
qint64 maskBytes(quint32 headerSize, quint32 compression)
{
    if (headerSize != Bitmap::infoHeaderSize)
        return 0; // larger headers hold their masks themselves
    if (compression == bitfields)
        return 12;
    if (compression == alphaBitfields)
        return 16;
    return 0;
}

// Uncompressed pixel rows must all be there: a reader would make up the missing ones.
bool rowsComplete(const QByteArray& buffer, qsizetype pixelOffset)
{
    const qint64 width = qFromLittleEndian<qint32>(buffer.constData() + 4);
    const qint64 height = qFromLittleEndian<qint32>(buffer.constData() + 8);
    const quint16 bitsPerPixel = readU16(buffer, 14);
    const quint32 compression = readU32(buffer, 16);
    if (width <= 0 || height == 0)
        return false;
    if (compression != 0 && compression != bitfields && compression != alphaBitfields)
        return true; // run-length coded rows have no fixed length
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return pixelOffset + rowBytes * std::abs(height) <= buffer.size();
}

} // namespace

Bitmap::Bitmap(QImage image)
    : m_image(std::move(image))
{
}

bool Bitmap::loadFile(const QString& fileName)
{
    QImageReader reader(fileName);
    QImage loaded = reader.read();
    if (loaded.isNull())
        return false;
    m_image = std::move(loaded);
    return true;
}

QByteArray Bitmap::buffer() const
{
    if (m_image.isNull())
        return {};
    QByteArray file;
    QBuffer device(&file);
    device.open(QIODevice::WriteOnly);
    QImageWriter writer(&device, "BMP");
    if (!writer.write(m_image) || file.size() < fileHeaderSize + infoHeaderSize)
        return {};
    return file.mid(fileHeaderSize);
}

bool Bitmap::setBuffer(const QByteArray& buffer)
{
    const std::optional<qsizetype> offset = pixelOffset(buffer);
    if (!offset || !rowsComplete(buffer, *offset))
        return false;
    QImage image = QImage::fromData(fileHeader(buffer.size(), *offset) + buffer, "BMP");
    if (image.isNull())
        return false;
    m_image = std::move(image);
    return true;
}

std::optional<qsizetype> Bitmap::pixelOffset(const QByteArray& buffer)
{
    if (buffer.size() < infoHeaderSize)
        return std::nullopt;
    const quint32 headerSize = readU32(buffer, 0);
    const quint16 bitsPerPixel = readU16(buffer, 14);
    const quint32 compression = readU32(buffer, 16);
    const quint32 coloursUsed = readU32(buffer, 32);
    if (headerSize < quint32(infoHeaderSize) || headerSize > quint64(buffer.size()))
        return std::nullopt;

    qint64 colours = coloursUsed;
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
        if (colours == 0)
            colours = qint64(1) << bitsPerPixel;
        if (colours > (qint64(1) << bitsPerPixel))
            return std::nullopt;
        break;
    case 16:
    case 24:
    case 32:
        break; // a colour table is optional here; its length is coloursUsed
    default:
        return std::nullopt;
    }
    const qint64 offset = qint64(headerSize) + maskBytes(headerSize, compression) + 4 * colours;
    if (offset > buffer.size())
        return std::nullopt;
    return qsizetype(offset);
}

QByteArray Bitmap::fileHeader(qsizetype bufferLength, qsizetype pixelOffset)
{
    QByteArray header("BM");
    appendU32(header, quint32(fileHeaderSize + bufferLength));
    appendU32(header, 0); // the two reserved 16-bit fields
    appendU32(header, quint32(fileHeaderSize + pixelOffset));
    return header;
}
