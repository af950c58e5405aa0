// The pens that work on a pen square, at the largest pen (33): one mask pen
// move, one spray tick and one airbrush application, each with the canvas
// widget's repaint, on small and large canvases over a small and a very large
// picture. The cost must follow the pen, not the canvas or the picture.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <map>
#include <memory>

#include "bench/BenchApp.h"
#include "editor/core/P_WIN.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolTable.h"

namespace {

using tupalo::Editor;
using tupalo::P_WIN;

// One shown main window per picture size (a 16000 x 16000 picture is 1 GB);
// the window is resized for the canvas each benchmark asks for.
struct Picture {
  Editor e;
  std::unique_ptr<P_WIN> win;
  explicit Picture(int side) {
    e.settings.IDSP = 1;
    e.settings.SPRI = 1000;  // the ticks below are the benchmark's own
    win = std::make_unique<P_WIN>(e);
    e.PIC = raster::Surface(side, side);
    win->show();
    win->ResetViewAfterLoad();
  }
};

// The window for a canvas of w x h window pixels at `zoom`, over the picture.
P_WIN& canvas(benchmark::State& state) {
  static std::map<int, std::unique_ptr<Picture>> pictures;
  static const bool cleared = (benchapp::atShutdown([] { pictures.clear(); }), true);
  (void)cleared;
  const int side = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1));
  const int h = w == 3840 ? 2160 : 480, zoom = static_cast<int>(state.range(2));
  auto& p = pictures[side];
  if (!p) p = std::make_unique<Picture>(side);
  if (p->e.ZoomFactor != zoom) p->win->ZoomTo(0, 0, zoom);
  // The window's frame around the canvas is found by trying.
  for (int tries = 0; tries < 3 && !(p->e.ViewPixels == tupalo::Pair{w, h}); ++tries) {
    const QSize frame = p->win->size() - QSize(p->e.ViewPixels.x, p->e.ViewPixels.y);
    p->win->resize(QSize(w, h) + (tries == 0 ? QSize(60, 60) : frame));
    QCoreApplication::processEvents();
    p->win->LayoutWindow();
  }
  state.counters["canvas_w"] = p->e.ViewPixels.x;
  state.counters["canvas_h"] = p->e.ViewPixels.y;
  return *p->win;
}

// Presses with `code` at the pen size 33, then runs `step` once per
// iteration at points about the canvas's top-left part, with the repaint.
template <class Step>
void withPen(benchmark::State& state, int code, Step step) {
  P_WIN& w = canvas(state);
  Editor& e = w.editor();
  tupalo::ToolEngine& t = *w.engine;
  e.ToolCode = code;
  e.PenSize = 33;
  e.Color1 = {0, 0, 0};
  t.MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 100);
  if (e.DragActive != 1) state.SkipWithError("the press was not taken");
  int i = 0;
  for (auto _ : state) {
    step(t, 100 + (i % 16) * 5, 100 + ((i / 16) % 16) * 3);
    QCoreApplication::processEvents();
    ++i;
  }
  // Drop the stroke (right press), then let go of the button.
  t.MouseDown(Qt::RightButton, Qt::NoModifier, 0, 0);
  t.MouseUp(Qt::LeftButton, Qt::NoModifier, 0, 0);
  QCoreApplication::processEvents();
}

void move(tupalo::ToolEngine& t, int x, int y) {
  t.MouseMove(Qt::LeftButton, Qt::NoModifier, x, y);
}

void BM_MaskPenMove(benchmark::State& state) { withPen(state, tupalo::tool::MaskPen, move); }
void BM_SprayTick(benchmark::State& state) {
  withPen(state, tupalo::tool::Spray, [](tupalo::ToolEngine& t, int x, int y) {
    move(t, x, y);  // a spray's move only moves the point the next tick sprays at
    t.Timer1Tick();
  });
}
void BM_AirSprayMove(benchmark::State& state) { withPen(state, tupalo::tool::AirSpray, move); }
void BM_ThruPenMove(benchmark::State& state) { withPen(state, tupalo::tool::ThruPen, move); }

// {picture side, canvas width (640 x 480 or 3840 x 2160), zoom}. The small
// picture fills the large canvas only when magnified.
void Sizes(benchmark::internal::Benchmark* b) {
  for (int side : {640, 16000})
    for (int w : {640, 3840}) b->Args({side, w, 1});
  b->Args({640, 3840, 8});
  b->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_MaskPenMove)->Apply(Sizes);
BENCHMARK(BM_SprayTick)->Apply(Sizes);
BENCHMARK(BM_AirSprayMove)->Apply(Sizes);
BENCHMARK(BM_ThruPenMove)->Apply(Sizes);

}  // namespace
