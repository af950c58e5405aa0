// Printing a picture to the PDF printer on 3 x 3 sheets: time, and the growth
// of the process's peak memory above the picture itself (the counter
// "extra_pictures", in picture sizes). The pieces are read from the picture
// in place; the print path may hold at most one more picture-sized buffer.
//
// 4096 x 4096 runs by default; TUPALO_BENCH_HUGE=1 adds 32767 x 32767
// (4.3 GB for the picture alone).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdlib>

#include "editor/print/PrintLayout.h"
#include "editor/print/PrintOutput.h"
#include "platform/QtSurface.h"
#include "platform/raster/Surface.h"

namespace {

using namespace tupalo;

double peakBytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) * 1024;
}

void BM_PrintToPdf3x3(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  raster::Surface pic(n, n);
  // Stripes, so the page data is neither empty nor one colour.
  for (int y = 0; y < n; ++y) {
    raster::Pixel* row = pic.row(y);
    for (int x = 0; x < n; ++x) row[x] = ((x / 7 + y / 5) & 1) ? 0xFF204080u : 0xFFFFFFFFu;
  }
  const double before = peakBytes();
  const double pictureBytes = double(n) * n * 4;
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  MakePdfPrinter(printer);
  printer.setOutputFileName(dir.path() + QStringLiteral("/bench.pdf"));
  const PrinterArea area = MeasurePrinter(printer);
  SplitInput in;
  in.NX = in.NY = 3;
  in.PaperWidth = TruncateToTenth(area.widthMm);
  in.PaperHeight = TruncateToTenth(area.heightMm);
  in.PW = in.PH = std::min(3 * in.PaperWidth, 3 * in.PaperHeight);
  in.W = in.H = n;
  const MmToDevice to{area.widthTwips / in.PaperWidth, area.heightTwips / in.PaperHeight, area.dpiX,
                      area.dpiY};
  const QImage view = asQImage(std::as_const(pic));
  for (auto _ : state) {
    int job = 0;
    for (const SheetPiece& p : SplitIntoSheets(in)) {
      QString failed;
      if (!PrintSheet(printer, ++job, view, p, to, &failed)) state.SkipWithError("print failed");
    }
  }
  state.counters["extra_pictures"] = (peakBytes() - before) / pictureBytes;
  state.counters["Mpx/s"] = benchmark::Counter(
      double(n) * n / 1e6, benchmark::Counter::kIsRate | benchmark::Counter::kIsIterationInvariant);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(4096);
  if (std::getenv("TUPALO_BENCH_HUGE")) b->Arg(32767);
  b->Unit(benchmark::kMillisecond)->Iterations(1);
}

BENCHMARK(BM_PrintToPdf3x3)->Apply(Sizes);

}  // namespace
