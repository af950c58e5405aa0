#pragma once
// The picture commands the main window and the palette share: opening a
// picture, saving it under a name the user chooses, and a file dropped on the
// main window. Each asks its questions, loads or saves, and keeps the current
// file name and the caption right.

#include <QString>

namespace tupalo {

class P_WIN;

// The replace question, the open dialog, the loader. A picture that could not
// be loaded leaves a new one with no name.
void OpenPicture(P_WIN& w);

// The save dialog and, for a file that exists, the overwrite question; then
// the saver. true when the picture was written: only then does it take the
// file's name.
bool SavePictureAs(P_WIN& w);

// A file dropped on the main window: the question, then the loader.
void OpenDroppedPicture(P_WIN& w, const QString& path);

// The scanner button: the scanner add-in chooses the scanner (`select`, the
// right button) or scans into a new picture; a scan that fails leaves the
// picture as it was.
void ScanPicture(P_WIN& w, bool select);

}  // namespace tupalo
