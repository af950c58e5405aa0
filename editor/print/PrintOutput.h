#pragma once
// The printer behind the print window: the installed printers through Qt's
// print support, and a PDF printer that is always there. Every print job is a
// document of its own; on the PDF printer each job goes into its own numbered
// file beside the chosen name.

#include <QPainter>
#include <QPointF>
#include <QString>
#include <memory>

class QPrinter;

namespace tupalo {

// The PDF printer's name, as the window and the template show it.
inline const QString kPdfPrinterName = QStringLiteral("PDF");

// Makes `p` the PDF printer: A4 upright with margins of a common printer
// (5 mm at the sides, 8.5 mm at top and bottom: 200 x 280 mm printable) at
// 600 dpi. The file name stays as it was.
void MakePdfPrinter(QPrinter& p);
// The system's default printer, or the PDF printer when there is none.
std::unique_ptr<QPrinter> OpenDefaultPrinter();
bool IsPdfPrinter(const QPrinter& p);
// The device name: the queue's name, or kPdfPrinterName.
QString DeviceName(const QPrinter& p);

// The printable area of the current paper.
struct PrinterArea {
  double widthMm = 0, heightMm = 0;
  double widthTwips = 0, heightTwips = 0;
  double dpiX = 0, dpiY = 0;  // device pixels per inch
};
PrinterArea MeasurePrinter(const QPrinter& p);

// "name.pdf" and 3 give "name-3.pdf" beside it; a name without a suffix gets
// ".pdf".
QString NumberedFileName(const QString& chosen, int n);

// Millimetres from the top-left of the printable area to device pixels, through
// the window's twips per millimetre.
struct MmToDevice {
  double twipsPerMmX = 0, twipsPerMmY = 0;
  double dpiX = 0, dpiY = 0;
  double x(double mm) const { return mm * twipsPerMmX * dpiX / 1440.0; }
  double y(double mm) const { return mm * twipsPerMmY * dpiY / 1440.0; }
  QPointF at(double xmm, double ymm) const { return {x(xmm), y(ymm)}; }
};

// One print job, from begin() to end() (or destruction). On the PDF printer
// the job writes NumberedFileName(chosen, number).
class PrintJob {
 public:
  PrintJob(QPrinter& printer, int number);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  // false when the printer or the file could not be opened.
  bool begin();
  // Ends the document: the job goes to the printer (or the file is complete).
  bool end();
  QPainter& painter() { return painter_; }
  // Where the job went: the file for the PDF printer, else the printer's name.
  QString target() const { return target_; }

 private:
  QPrinter& printer_;
  QPainter painter_;
  QString chosen_;  // the PDF file name the user chose, restored afterwards
  QString target_;
  bool pdf_ = false;
};

struct SheetPiece;

// Prints one sheet as print job `number`: the piece's pixels of `pic` painted
// nearest-pixel into its place. The piece must not be empty. On failure,
// false with the job's target in `failed`.
bool PrintSheet(QPrinter& printer, int number, const QImage& pic, const SheetPiece& piece,
                const MmToDevice& to, QString* failed);

}  // namespace tupalo
