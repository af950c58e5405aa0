#include "editor/print/PrintLayout.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/raster/Surface.h"

namespace tupalo {

namespace {

// Whole pixels of a length: a product that falls a rounding error short of a
// whole number counts as that number (186.67 mm at 640 / 373.33 px per mm is
// 320 columns, not 319).
int WholePixels(double v) {
  if (!(v > 0)) return 0;
  const double fixed = std::floor(v + 1e-7);
  return fixed >= 2147483647.0 ? 2147483647 : static_cast<int>(fixed);
}

}  // namespace

QString FormatMm(double v) {
  if (!std::isfinite(v)) v = 0;
  QString digits = QString::number(std::fabs(v), 'f', 2);
  if (digits == QStringLiteral("0.00")) return QStringLiteral(" 0.00");
  return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

double ParseMm(const QString& text) {
  int k = 0;
  const int n = int(text.size());
  while (k < n && (text[k] == QLatin1Char(' ') || text[k] == QLatin1Char('\t'))) ++k;
  QString number;
  bool point = false;
  for (; k < n; ++k) {
    const QChar c = text[k];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      number += c;
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  bool ok = false;
  const double v = number.toDouble(&ok);
  return ok && std::isfinite(v) ? v : 0.0;
}

int ParseCount(const QString& text) {
  long long v = 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
    v = v * 10 + (c.unicode() - '0');
    if (v > 32767) return 32767;
  }
  return static_cast<int>(v);
}

double TruncateToTenth(double mm) {
  if (!(mm > 0) || !std::isfinite(mm)) return 0;
  return std::floor(mm * 10 + 1e-7) / 10;
}

MaxPrintSize LargestPrintSize(double VW, double VH, int W, int H) {
  if (W <= 0 || H <= 0 || !(VW > 0) || !(VH > 0)) return {};
  const double f = std::min(VW / W, VH / H);
  return {f * W, f * H};
}

double RepeatStep(int ticks) {
  if (ticks <= 10) return 0.1;
  if (ticks <= 30) return 1;
  if (ticks <= 40) return 10;
  if (ticks <= 60) return 50;
  return 100;
}

std::vector<SheetPiece> SplitIntoSheets(const SplitInput& in) {
  std::vector<SheetPiece> pieces;
  if (in.NX <= 0 || in.NY <= 0) return pieces;
  pieces.reserve(static_cast<std::size_t>(in.NX) * static_cast<std::size_t>(in.NY));
  const bool usable =
      in.PW > 0 && in.PH > 0 && in.W > 0 && in.H > 0 && in.PaperWidth > 0 && in.PaperHeight > 0;
  const double kx = usable ? in.W / in.PW : 0;
  const double ky = usable ? in.H / in.PH : 0;
  // The sheet that holds the start, and the start on it.
  const double X0 = std::max(0.0, in.X0), Y0 = std::max(0.0, in.Y0);
  const double firstCol = usable ? std::floor(X0 / in.PaperWidth + 1e-9) : 0;
  const double firstRow = usable ? std::floor(Y0 / in.PaperHeight + 1e-9) : 0;
  const double x0 = std::max(0.0, X0 - firstCol * in.PaperWidth);
  const double y0 = std::max(0.0, Y0 - firstRow * in.PaperHeight);
  const int SW = WholePixels(in.PaperWidth * kx), SH = WholePixels(in.PaperHeight * ky);
  const int FW = WholePixels((in.PaperWidth - x0) * kx);
  const int FH = WholePixels((in.PaperHeight - y0) * ky);

  int PY = 0;
  for (int j = 1; j <= in.NY; ++j) {
    int CH = 0;
    if (usable && j - 1 >= firstRow) CH = j - 1 == firstRow ? FH : SH;
    CH = std::clamp(CH, 0, std::max(0, in.H - PY));
    int PX = 0;
    for (int i = 1; i <= in.NX; ++i) {
      int CW = 0;
      if (usable && i - 1 >= firstCol) CW = i - 1 == firstCol ? FW : SW;
      CW = std::clamp(CW, 0, std::max(0, in.W - PX));
      SheetPiece p;
      p.i = i;
      p.j = j;
      p.srcX = PX;
      p.srcY = PY;
      p.srcW = CW;
      p.srcH = CH;
      p.x = i - 1 == firstCol ? x0 : 0;
      p.y = j - 1 == firstRow ? y0 : 0;
      p.w = usable ? CW / kx : 0;
      p.h = usable ? CH / ky : 0;
      pieces.push_back(p);
      PX += CW;
    }
    PY += CH;
  }
  return pieces;
}

GridSpacing GridSpacingFor(const QString& text) {
  if (text == QLatin1String("2mm")) return {2, 5};
  if (text == QLatin1String("5mm")) return {5, 2};
  if (text == QLatin1String("10mm")) return {10, 5};
  if (text == QLatin1String("50mm")) return {50, 2};
  return {1, 10};
}

std::vector<GridLine> GridLines(double extent, GridSpacing g) {
  std::vector<GridLine> lines;
  if (g.s <= 0 || g.e <= 0 || !(extent >= 0)) return lines;
  int counter = 0;
  for (long long k = 0; double(k * g.s) <= extent + 1e-9; ++k) {
    const bool bold = counter == g.e;
    counter = bold ? 1 : counter + 1;
    lines.push_back({double(k * g.s), bold});
  }
  return lines;
}

std::vector<int> GridNumbers(double extent, GridSpacing g) {
  std::vector<int> numbers;
  if (g.s <= 0 || g.e <= 0) return numbers;
  const double last = extent - double(g.s) * g.e;
  int counter = 0;
  for (long long k = 0; double(k * g.s) <= last + 1e-9; ++k) {
    if (counter == g.e) {
      numbers.push_back(static_cast<int>(k * g.s));
      counter = 1;
    } else {
      ++counter;
    }
  }
  return numbers;
}

void SampleNearest(const raster::Surface& pic, QImage& dst, int x, int y, int w, int h) {
  if (pic.empty() || w <= 0 || h <= 0 || dst.isNull()) return;
  if (dst.format() != QImage::Format_RGB32 && dst.format() != QImage::Format_ARGB32) return;
  const int x1 = std::max(0, x), x2 = std::min(dst.width(), x + w);
  const int y1 = std::max(0, y), y2 = std::min(dst.height(), y + h);
  if (x1 >= x2 || y1 >= y2) return;
  std::vector<int> column(static_cast<std::size_t>(x2 - x1));
  for (int dx = x1; dx < x2; ++dx) {
    const long long sx = ((2LL * (dx - x) + 1) * pic.width()) / (2LL * w);
    column[std::size_t(dx - x1)] = static_cast<int>(std::min<long long>(sx, pic.width() - 1));
  }
  for (int dy = y1; dy < y2; ++dy) {
    const long long sy = ((2LL * (dy - y) + 1) * pic.height()) / (2LL * h);
    const raster::Pixel* src = pic.row(static_cast<int>(std::min<long long>(sy, pic.height() - 1)));
    auto* out = reinterpret_cast<QRgb*>(dst.scanLine(dy));
    for (int dx = x1; dx < x2; ++dx) out[dx] = src[column[std::size_t(dx - x1)]];
  }
}

}  // namespace tupalo
