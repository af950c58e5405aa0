// One pointer move while drawing, through the tool engine and the canvas
// widget's repaint, on a small and a full-HD canvas: the cost must follow the
// stroke, not the canvas. And the partial commit of dot strokes against the
// whole-view commit.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <map>
#include <memory>

#include "bench/BenchApp.h"
#include "editor/core/P_WIN.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/View.h"

namespace {

using tupalo::Editor;
using tupalo::P_WIN;

// A shown main window whose canvas is exactly the picture, w x h, at zoom 1.
struct Canvas {
  Editor e;
  std::unique_ptr<P_WIN> win;
  Canvas(int w, int h) {
    e.settings.IDSP = 1;
    win = std::make_unique<P_WIN>(e);
    e.PIC = raster::Surface(w, h);
    win->resize(w + 120, h + 120);
    win->show();
    win->ResetViewAfterLoad();
    QCoreApplication::processEvents();
  }
};

Canvas& canvas(int w) {
  static std::map<int, std::unique_ptr<Canvas>> canvases;
  static const bool cleared = (benchapp::atShutdown([] { canvases.clear(); }), true);
  (void)cleared;
  auto& c = canvases[w];
  if (!c) c = std::make_unique<Canvas>(w, w == 3840 ? 2160 : w == 1920 ? 1080 : 480);
  return *c;
}

// Presses at `from`, then moves about `to` with the button held; each
// iteration is one move and the repaint it causes.
void movesWhileDrawing(benchmark::State& state, int tool, QPoint from, QPoint to) {
  Canvas& c = canvas(static_cast<int>(state.range(0)));
  c.e.ToolCode = tool;
  c.e.PenSize = static_cast<int>(state.range(1));
  tupalo::ToolEngine& t = *c.win->engine;
  t.MouseDown(Qt::LeftButton, Qt::NoModifier, from.x(), from.y());
  if (c.e.DragActive != 1) state.SkipWithError("the press was not taken");
  int i = 0;
  for (auto _ : state) {
    const int x = to.x() + (i % 16) * 3, y = to.y() + ((i / 16) % 16) * 2;
    t.MouseMove(Qt::LeftButton, Qt::NoModifier, x, y);
    QCoreApplication::processEvents();
    ++i;
  }
  // Drop the stroke (right press), then let go of the button.
  t.MouseDown(Qt::RightButton, Qt::NoModifier, 0, 0);
  t.MouseUp(Qt::LeftButton, Qt::NoModifier, 0, 0);
  QCoreApplication::processEvents();
  state.counters["canvas_w"] = c.e.ViewPixels.x;
}

void BM_FreeLineMove(benchmark::State& state) {
  movesWhileDrawing(state, 2, {100, 100}, {200, 200});
}
BENCHMARK(BM_FreeLineMove)->ArgsProduct({{640, 1920}, {1, 3}})->Unit(benchmark::kMicrosecond);

// A box of about 100 x 100 pixels.
void BM_BoxRubberBandMove(benchmark::State& state) {
  movesWhileDrawing(state, 4, {100, 100}, {200, 200});
}
BENCHMARK(BM_BoxRubberBandMove)->ArgsProduct({{640, 1920}, {1, 3}})->Unit(benchmark::kMicrosecond);

// A box across nearly the whole canvas: the cost follows its perimeter.
void BM_BoxRubberBandMoveAcross(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = w == 1920 ? 1080 : 480;
  movesWhileDrawing(state, 4, {5, 5}, {w - 60, h - 40});
}
BENCHMARK(BM_BoxRubberBandMoveAcross)
    ->ArgsProduct({{640, 1920}, {1, 3}})
    ->Unit(benchmark::kMicrosecond);

// The end of a 40 x 40 dot stroke in a run of strokes (an undo step exists,
// the previous stroke's rectangle elsewhere), against committing the whole
// view.
void BM_CommitRect40(benchmark::State& state) {
  Canvas& c = canvas(static_cast<int>(state.range(0)));
  c.e.UndoAvailable = 1;
  int i = 0;
  for (auto _ : state) {
    const int x = 100 + (i++ % 2) * 200;
    tupalo::CommitRect(c.e, x, 300, x + 39, 339);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CommitRect40)->Arg(640)->Arg(3840)->Unit(benchmark::kMicrosecond);

void BM_CommitView(benchmark::State& state) {
  Canvas& c = canvas(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tupalo::CommitView(c.e);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CommitView)->Arg(640)->Arg(3840)->Unit(benchmark::kMicrosecond);

}  // namespace
