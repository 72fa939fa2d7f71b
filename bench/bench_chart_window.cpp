// The chart window on the largest tree (14,998 persons, 15,000 families, 12
// generations), drawn as the screen would show it at 1280 x 720. Targets: the
// first picture of the largest descendancy (every generation) in at most
// 250 ms from the window's making, and every frame while panning or zooming
// in at most 16 ms, at 100 %, zoomed out to where boxes lose their text, and
// with the whole chart in view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include "charts/chart_layout.h"
#include "common/file_dialogs.h"
#include "tools/frm_charts.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct WindowTree {
  test::TempSession t;
  Session& s = t.s;
  ScriptedFileDialogs dialogs;
  std::int16_t founder = 0;  // the root with the most descendants

  WindowTree() {
    test::generate_max_tree(s);
    const FamilyIndex index(s);
    std::size_t most = 0;
    for (std::int16_t p = 1; p <= s.Config.NumPersons(); ++p) {
      if (index.families_of(p).empty()) continue;
      const std::size_t n = chart::LayOut(index, p, {chart::Kind::Descendants, 0}).boxes.size();
      if (n > most) most = n, founder = p;
    }
    s.Config.setLastPerson(founder);
  }
};

WindowTree& tree() {
  static WindowTree t;
  return t;
}

// The window as the user opens it on the founder, on the Descendants tab.
std::unique_ptr<ui::frmCharts> open_window(WindowTree& t) {
  auto w = std::make_unique<ui::frmCharts>(t.s, t.dialogs);
  w->resize(1280, 720);
  w->showPerson(t.founder);
  w->setKind(chart::Kind::Descendants);
  w->show();
  return w;
}

void BM_ChartWindowFirstPicture(benchmark::State& state) {
  WindowTree& t = tree();
  QImage screen(1280, 720, QImage::Format_ARGB32_Premultiplied);
  std::size_t boxes = 0;
  for (auto _ : state) {
    auto w = open_window(t);
    w->render(&screen);
    boxes = w->canvas()->layout().boxes.size();
    benchmark::DoNotOptimize(screen.constBits());
    state.PauseTiming();
    w.reset();
    state.ResumeTiming();
  }
  state.counters["boxes"] = static_cast<double>(boxes);
}
BENCHMARK(BM_ChartWindowFirstPicture)->Unit(benchmark::kMillisecond);

// One frame: the canvas moved by a step, or zoomed in or out by one, and
// drawn. Zoom in per mille; 0 is "Fit", the whole chart in view.
void BM_ChartFrame(benchmark::State& state) {
  WindowTree& t = tree();
  auto w = open_window(t);
  ui::ChartCanvas* canvas = w->canvas();
  QWidget* view = canvas->viewport();
  if (state.range(0) == 0) canvas->fit();
  else canvas->setZoom(state.range(0) / 1000.0);
  const bool zooming = state.range(1) != 0;
  QImage screen(view->size(), QImage::Format_ARGB32_Premultiplied);
  view->render(&screen);  // the texts in view are read once, as on the first picture
  const double zoom = canvas->zoom();
  const QPointF middle(view->width() / 2.0, view->height() / 2.0);
  int step = 0;
  for (auto _ : state) {
    ++step;
    if (zooming) {
      canvas->setZoom(step % 2 ? zoom * 1.1 : zoom, middle);
    } else {
      // Back and forth over a few screens, as a drag does.
      const int dx = (step / 40) % 2 ? -37 : 37;
      canvas->horizontalScrollBar()->setValue(canvas->horizontalScrollBar()->value() + dx);
      canvas->verticalScrollBar()->setValue(canvas->verticalScrollBar()->value() + dx / 3);
    }
    view->render(&screen);
    benchmark::DoNotOptimize(screen.constBits());
  }
  state.counters["zoom %"] = zoom * 100;
  state.counters["view w"] = view->width();
  state.counters["view h"] = view->height();
}
BENCHMARK(BM_ChartFrame)
    ->ArgNames({"zoom", "zooming"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
