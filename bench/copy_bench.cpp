// The floating piece of the copy tools: one pointer step of a 1000 x 1000
// piece through the tool engine and the canvas widget's repaint, against the
// plain repaint of the same area without a piece, on a small and a large
// picture (the cost must follow the piece, not the picture); and a stamp
// against a memcpy of the piece's bytes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstring>
#include <map>
#include <memory>

#include "bench/BenchApp.h"
#include "editor/core/Canvas.h"
#include "editor/core/FloatingPiece.h"
#include "editor/core/P_WIN.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/View.h"

namespace {

using tupalo::Editor;
using tupalo::P_WIN;

constexpr int kPiece = 1000;

raster::Surface patterned(int w, int h) {
  raster::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | uint32_t(x * 31 + y * 17));
  return s;
}

// A shown main window with a full-HD canvas over a picture `side` pixels
// square, a 1000 x 1000 piece floating over it.
struct Floating {
  Editor e;
  std::unique_ptr<P_WIN> win;
  explicit Floating(int side) {
    e.settings.IDSP = 1;
    win = std::make_unique<P_WIN>(e);
    e.PIC = patterned(side, side);
    win->resize(1920 + 120, 1080 + 120);
    win->show();
    win->ResetViewAfterLoad();
    QCoreApplication::processEvents();
    win->SelectTool(tupalo::tool::AreaCopy);
    e.WORK = patterned(kPiece, kPiece);
    tupalo::FloatWork(e, 1, {300, 40}, {300, 40});
    e.ToolCode = tupalo::tool::AreaCopyFloating;
    QCoreApplication::processEvents();
  }
};

Floating& floating(int side) {
  static std::map<int, std::unique_ptr<Floating>> all;
  static const bool cleared = (benchapp::atShutdown([] { all.clear(); }), true);
  (void)cleared;
  auto& f = all[side];
  if (!f) f = std::make_unique<Floating>(side);
  return *f;
}

// One pointer step to the right or back, and the repaint it causes.
void BM_FloatingPieceStep(benchmark::State& state) {
  Floating& f = floating(static_cast<int>(state.range(0)));
  tupalo::ToolEngine& t = *f.win->engine;
  int i = 0;
  for (auto _ : state) {
    t.MouseMove(Qt::NoButton, Qt::NoModifier, 300 + (i++ & 1), 40);
    QCoreApplication::processEvents();
  }
  if (!f.e.WorkShown) state.SkipWithError("no piece floats");
  state.counters["canvas_w"] = f.e.ViewPixels.x;
}
BENCHMARK(BM_FloatingPieceStep)->Arg(2048)->Arg(8192)->Unit(benchmark::kMicrosecond);

// The floor: the canvas repainting the area the piece leaves and enters,
// with no piece.
void BM_RepaintLeftAndEntered(benchmark::State& state) {
  Floating& f = floating(static_cast<int>(state.range(0)));
  f.e.WorkShown = false;
  int i = 0;
  for (auto _ : state) {
    const int x = 300 + (i++ & 1);
    f.win->DRAW->refresh(x, 40, kPiece + 1, kPiece);
    QCoreApplication::processEvents();
  }
  f.e.WorkShown = true;
}
BENCHMARK(BM_RepaintLeftAndEntered)->Arg(2048)->Arg(8192)->Unit(benchmark::kMicrosecond);

// Stamping a rectangular piece, and a shaped one (a polygon piece: a mask of
// one span a row), onto a full-HD canvas.
void BM_Stamp(benchmark::State& state) {
  const bool shaped = state.range(0) != 0;
  Editor e;
  e.DRAW = raster::Surface(1920, 1080);
  const raster::Surface piece = patterned(kPiece, kPiece);
  raster::Region mask(kPiece, kPiece);
  for (int y = 0; y < kPiece; ++y) mask.addSpan(y, y / 4, kPiece - y / 4);
  raster::Region spare = mask;
  e.WORK = piece;
  for (auto _ : state) {
    tupalo::FloatWork(e, 1, {300, 40}, {300, 40}, shaped ? &spare : nullptr);
    tupalo::StampPiece(e);
    if (shaped) std::swap(spare, e.PieceMask);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kPiece) * kPiece * 4);
}
BENCHMARK(BM_Stamp)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_MemcpyPiece(benchmark::State& state) {
  const raster::Surface piece = patterned(kPiece, kPiece);
  raster::Surface dst(1920, 1080);
  for (auto _ : state) {
    for (int y = 0; y < kPiece; ++y) std::memcpy(dst.row(40 + y) + 300, piece.row(y), kPiece * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kPiece) * kPiece * 4);
}
BENCHMARK(BM_MemcpyPiece)->Unit(benchmark::kMicrosecond);

}  // namespace
