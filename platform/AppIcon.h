#pragma once
// The editor's application icon, drawn at several sizes (tools/make_app_icon.py)
// and kept in the program folder as TUPA_ICON_<size>.png.

#include <QIcon>
#include <QList>
#include <QString>

namespace tupalo {

// The sizes the icon is drawn at; the desktop's icon theme gets the same.
inline const QList<int> kAppIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The icon from the files in `appPath`; a null icon when none is there.
QIcon ApplicationIcon(const QString& appPath);

}  // namespace tupalo
