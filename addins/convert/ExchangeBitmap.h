#pragma once
// The exchange bitmaps the editor hands to the converter and takes back:
// 24-bit Windows bitmaps, read and written here row by row.

#include <QImage>
#include <QString>

namespace tupaconv {

// Writes `image` as a 24-bit bitmap; pixels with alpha are laid over white.
bool writeExchangeBitmap(const QString& path, const QImage& image, QString* error);

// Reads a 24- or 32-bit uncompressed bitmap (what the editor writes) into an
// RGB32 image; anything else through Qt's own reader. Null on failure.
QImage readExchangeBitmap(const QString& path, QString* error);

}  // namespace tupaconv
