#pragma once

#include <QByteArray>
#include <QString>

// Code page 850, the character set of the game's tables on disk. Bytes below 0x80 are ASCII.
class Cp850
{
public:
    // Every byte has a character, so decoding never fails.
    static QString decode(const QByteArray& bytes);
    // Encodes text; a character that code page 850 does not have makes *ok false (when given)
    // and becomes '?', so callers that must not lose text can refuse it.
    static QByteArray encode(const QString& text, bool* ok = nullptr);
    static bool canEncode(QChar c);
    static QChar toUnicode(unsigned char byte);
};
