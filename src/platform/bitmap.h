#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// A picture held by the game, as the picture control and the BMP files see it. Its buffer is a
// Windows device-independent bitmap: the 40-byte information header, the colour table (when the
// picture has one) and the pixel rows, bottom row first, each row padded to four bytes. A BMP file
// is that buffer behind a 14-byte file header.
class Bitmap
{
public:
    static constexpr int fileHeaderSize = 14;
    static constexpr int infoHeaderSize = 40;

    Bitmap() = default;
    explicit Bitmap(QImage image);

    // No picture: a new bitmap, or one whose loading failed from the start.
    bool isNull() const { return m_image.isNull(); }
    QSize size() const { return m_image.size(); }
    const QImage& image() const { return m_image; }

    // Loads a picture file (BMP or any other format Qt reads). On failure the bitmap stays as it was.
    bool loadFile(const QString& fileName);

    // The picture as a buffer; empty when there is no picture.
    QByteArray buffer() const;
    // Takes the picture from a buffer. A damaged buffer (a header that makes no sense, a colour
    // table or pixel rows cut short) leaves the bitmap as it was and gives false.
    bool setBuffer(const QByteArray& buffer);

    // Where the pixel rows begin in a buffer: after the information header, its colour masks and
    // the colour table. None when the header is damaged or the rows would begin beyond the buffer.
    static std::optional<qsizetype> pixelOffset(const QByteArray& buffer);
    // The 14-byte file header that goes before a buffer of that length whose rows begin at
    // pixelOffset: "BM", the file size, two reserved zeros and the rows' offset in the file.
    static QByteArray fileHeader(qsizetype bufferLength, qsizetype pixelOffset);

private:
    QImage m_image;
};
