#include "platform/AppIcon.h"

#include <QFileInfo>

namespace tupalo {

QIcon ApplicationIcon(const QString& appPath) {
  QIcon icon;
  for (int size : kAppIconSizes) {
    const QString file = appPath + QStringLiteral("/TUPA_ICON_%1.png").arg(size);
    if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
  }
  return icon;
}

}  // namespace tupalo
