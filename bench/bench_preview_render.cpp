// The preview on the largest tree (14,998 persons, 15,000 families): one
// page of the descendants chart of the tree's largest founding line over 12
// generations drawn on screen at the preview's zoom, as the window draws it
// when the user pages. Target: any page in at most 50 ms.
//
// Texts are measured and drawn with the window program's own fonts, so the
// chart is built once with QtTextMeasure before the pages are timed.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <functional>
#include <vector>

#include "page_render.h"
#include "print/descendants_chart.h"
#include "qt_text_measure.h"
#include "relations/lookups.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct PreviewTree {
  test::TempSession t;
  ui::QtTextMeasure measure;
  print::PageDocument doc{measure};

  PreviewTree() {
    Session& s = t.s;
    test::generate_max_tree(s);
    const int persons = s.Config.NumPersons();
    // The founder with the most descendants over 12 generations: its chart
    // is the longest the preview ever shows.
    std::vector<std::vector<std::int16_t>> kids(static_cast<std::size_t>(persons) + 1);
    for (int m = 1; m <= FamilyCount(s); ++m) {
      const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
      for (std::int16_t parent : {f.Husband, f.Wife})
        if (parent >= 1 && parent <= persons)
          for (int k = 0; k < KidCount(f); ++k)
            kids[static_cast<std::size_t>(parent)].push_back(f.Kids[static_cast<std::size_t>(k)]);
    }
    std::vector<long> memo(static_cast<std::size_t>(persons + 1) * 12, -1);
    std::function<long(std::int16_t, int)> rows = [&](std::int16_t p, int d) -> long {
      long& r = memo[static_cast<std::size_t>(p) * 12 + static_cast<std::size_t>(d)];
      if (r >= 0) return r;
      r = 1;
      if (d < 11)
        for (std::int16_t k : kids[static_cast<std::size_t>(p)])
          if (k >= 1 && k <= persons) r += rows(k, d + 1);
      return r;
    };
    std::int16_t root = 1;
    long most = -1;
    for (std::int16_t p = 1; p <= persons; ++p)
      if (!HasParents(s, p) && rows(p, 0) > most) most = rows(p, 0), root = p;
    print::ChartOptions o = print::LoadChartOptions(s, print::request::Descendants);
    o.generations = 12;
    print::ApplyChartOptions(doc, o);
    print::PrintDescendants(s, doc, measure, o, root);
  }
};

PreviewTree& tree() {
  static PreviewTree t;
  return t;
}

void BM_PreviewPageOnScreen(benchmark::State& state) {
  PreviewTree& t = tree();
  const int pages = t.doc.page_count();
  // The screen at 96 dots per inch and the preview's opening zoom of 60%.
  const double scale = 96.0 / 1440.0 * 0.60;
  const print::Page& first = t.doc.page(1);
  QImage screen(static_cast<int>(first.width * scale) + 1, static_cast<int>(first.height * scale) + 1,
                QImage::Format_ARGB32_Premultiplied);
  int page = 1;
  for (auto _ : state) {
    QPainter painter(&screen);
    ui::render_page(painter, t.doc, page, scale);
    painter.end();
    benchmark::DoNotOptimize(screen.constBits());
    page = page % pages + 1;  // a different page every time, as when paging
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewPageOnScreen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
