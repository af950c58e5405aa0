#include "editor/print/PrintOutput.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "editor/print/PrintLayout.h"

namespace tupalo {

void MakePdfPrinter(QPrinter& p) {
  const QString file = p.outputFileName();
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setResolution(600);
  p.setFullPage(false);
  p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                              QMarginsF(5, 8.5, 5, 8.5), QPageLayout::Millimeter));
  p.setOutputFileName(file);
}

std::unique_ptr<QPrinter> OpenDefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    auto p = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (p->isValid()) return p;
  }
  auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
  MakePdfPrinter(*p);
  return p;
}

bool IsPdfPrinter(const QPrinter& p) { return p.outputFormat() == QPrinter::PdfFormat; }

QString DeviceName(const QPrinter& p) {
  if (IsPdfPrinter(p) || p.printerName().isEmpty()) return kPdfPrinterName;
  return p.printerName();
}

PrinterArea MeasurePrinter(const QPrinter& p) {
  PrinterArea a;
  const QRectF mm = p.pageRect(QPrinter::Millimeter);
  const QRectF pt = p.pageRect(QPrinter::Point);
  if (mm.width() > 0 && mm.height() > 0) {
    a.widthMm = mm.width();
    a.heightMm = mm.height();
    a.widthTwips = pt.width() * 20;
    a.heightTwips = pt.height() * 20;
  }
  a.dpiX = p.logicalDpiX();
  a.dpiY = p.logicalDpiY();
  return a;
}

QString NumberedFileName(const QString& chosen, int n) {
  const QFileInfo f(chosen);
  QString suffix = f.suffix();
  QString base = f.completeBaseName();
  if (suffix.isEmpty()) suffix = QStringLiteral("pdf");
  const QString dir = f.path();
  return dir + QLatin1Char('/') + base + QLatin1Char('-') + QString::number(n) + QLatin1Char('.') +
         suffix;
}

PrintJob::PrintJob(QPrinter& printer, int number) : printer_(printer) {
  pdf_ = IsPdfPrinter(printer);
  if (pdf_) {
    chosen_ = printer.outputFileName();
    target_ = NumberedFileName(chosen_, number);
    printer.setOutputFileName(target_);
  } else {
    target_ = DeviceName(printer);
  }
}

PrintJob::~PrintJob() {
  end();
  if (pdf_) printer_.setOutputFileName(chosen_);
}

bool PrintJob::begin() {
  if (!painter_.begin(&printer_)) return false;
  // Picture pixels stay sharp blocks, and exact: no smoothing, no lossy
  // compression of the picture data.
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::LosslessImageRendering, true);
  return true;
}

bool PrintJob::end() {
  if (!painter_.isActive()) return true;
  return painter_.end();
}

bool PrintSheet(QPrinter& printer, int number, const QImage& pic, const SheetPiece& piece,
                const MmToDevice& to, QString* failed) {
  if (piece.empty()) return true;
  PrintJob out(printer, number);
  if (failed) *failed = out.target();
  if (!out.begin()) return false;
  const QRectF dest(to.at(piece.x, piece.y), to.at(piece.x + piece.w, piece.y + piece.h));
  out.painter().drawImage(dest, pic, QRectF(piece.srcX, piece.srcY, piece.srcW, piece.srcH));
  return out.end();
}

}  // namespace tupalo
