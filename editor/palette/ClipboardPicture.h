#pragma once
// Pictures from and to the system clipboard.

#include "platform/raster/Surface.h"

namespace tupalo {

// The clipboard offers a picture (any image format Qt can take).
bool ClipboardOffersPicture();

enum class ClipboardRead { Ok, NoPicture, TooLarge };

// Reads the clipboard's picture into `out`. A picture too large for the
// editor is refused before it is decoded, where its format allows, and `out`
// is left as it was.
ClipboardRead ReadClipboardPicture(raster::Surface& out);

// Puts the picture on the clipboard, as an image and as a 24-bit bitmap.
void PutPictureOnClipboard(const raster::Surface& pic);

}  // namespace tupalo
