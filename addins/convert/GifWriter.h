#pragma once
// GIF writing, which Qt's plugins don't offer. A picture of at most 256
// colours is written exactly; one with more is reduced to a fixed palette of
// 6 × 7 × 6 levels.

#include <QIODevice>
#include <QImage>
#include <QString>

namespace tupaconv {

bool writeGif(QIODevice& out, const QImage& rgb32, QString* error);

}  // namespace tupaconv
