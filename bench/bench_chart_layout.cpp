// The charts on screen on the largest tree (14,998 persons, 15,000 families,
// 12 generations). Target: the layout of the largest descendancy, every
// generation, in at most 100 ms. Also timed: the ten-generation ancestors
// chart and the nine-generation fan of the person with the most ancestors,
// and the texts of the descendancy's boxes (every person read from disk).
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "charts/chart_look.h"
#include "relations/lookups.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct LayoutTree {
  test::TempSession t;
  Session& s = t.s;
  std::int16_t founder = 0;  // the root with the most descendants
  std::int16_t deepest = 0;  // the person with the most ancestors over ten generations

  LayoutTree() {
    test::generate_max_tree(s);
    const FamilyIndex index(s);
    const int persons = s.Config.NumPersons();
    std::size_t most = 0;
    for (std::int16_t p = 1; p <= persons; ++p) {
      if (index.parent_family(p) &&
          (index.family(index.parent_family(p)).Husband || index.family(index.parent_family(p)).Wife))
        continue;
      if (index.families_of(p).empty()) continue;
      const std::size_t n = chart::LayOut(index, p, {chart::Kind::Descendants, 0}).boxes.size();
      if (n > most) most = n, founder = p;
    }
    most = 0;
    for (std::int16_t p = 1; p <= persons; p = static_cast<std::int16_t>(p + 7)) {
      const std::size_t n = chart::LayOut(index, p, {chart::Kind::Ancestors, 10}).boxes.size();
      if (n > most) most = n, deepest = p;
    }
  }
};

LayoutTree& tree() {
  static LayoutTree t;
  return t;
}

void BM_ChartLayoutLargestDescendancy(benchmark::State& state) {
  LayoutTree& t = tree();
  chart::Layout l;
  for (auto _ : state) {
    l = chart::LayOut(t.s, t.founder, {chart::Kind::Descendants, 0});
    benchmark::DoNotOptimize(l.width);
  }
  state.counters["boxes"] = static_cast<double>(l.boxes.size());
}
BENCHMARK(BM_ChartLayoutLargestDescendancy)->Unit(benchmark::kMillisecond);

void BM_ChartLayoutAncestorsAndFan(benchmark::State& state) {
  LayoutTree& t = tree();
  std::size_t boxes = 0;
  for (auto _ : state) {
    boxes = chart::LayOut(t.s, t.deepest, {chart::Kind::Ancestors, 10}).boxes.size();
    boxes += chart::LayOut(t.s, t.deepest, {chart::Kind::Fan, 9}).boxes.size();
  }
  state.counters["boxes"] = static_cast<double>(boxes);
}
BENCHMARK(BM_ChartLayoutAncestorsAndFan)->Unit(benchmark::kMillisecond);

void BM_ChartTextsLargestDescendancy(benchmark::State& state) {
  LayoutTree& t = tree();
  const chart::Layout l = chart::LayOut(t.s, t.founder, {chart::Kind::Descendants, 0});
  print::FixedMeasure measure;
  for (auto _ : state) benchmark::DoNotOptimize(chart::ChartTexts(t.s, measure, l).size());
}
BENCHMARK(BM_ChartTextsLargestDescendancy)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
