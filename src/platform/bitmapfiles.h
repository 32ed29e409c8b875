#pragma once

#include "platform/bitmap.h"
#include "platform/drawingsurface.h"

#include <QPointF>
#include <QSize>
#include <QString>

// Taking a part of a drawing surface into a bitmap, drawing it back, and writing a bitmap as a
// Windows BMP file.

// A new bitmap with a copy of the size × pixels of surface whose lower-left corner is at position.
Bitmap graSaveScreen(const DrawingSurface& surface, QPointF position, QSize size);

// Draws bitmap on surface with its lower-left corner at position, at its own size.
void graRestScreen(DrawingSurface& surface, QPointF position, const Bitmap& bitmap);

// Writes bitmap as a BMP file: the 14-byte file header, then the bitmap's buffer. A name without a
// full stop gets ".BMP". True only when the whole file was written. False for no bitmap, a bitmap
// without a picture or an empty name, for a file that cannot be created and for a short write;
// a file of that name that existed before then stays as it was.
bool saveBitmap(const Bitmap* bitmap, const QString& fileName);
