// The charts on the largest tree (14,998 persons, 15,000 families, 12
// generations). Targets: the descendants chart of the tree's largest founding
// line over 12 generations (thousands of rows, hundreds of pages) built in at
// most 1 s;
// the pedigree chart of the deepest person in at most 20 ms.
//
// Texts are measured with FixedMeasure: the window program's measure looks
// widths up in a per-font table in much the same time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "print/descendants_chart.h"
#include "print/pedigree_chart.h"
#include "relations/lookups.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct ChartTree {
  test::TempSession t;
  Session& s = t.s;
  std::int16_t root = 0;     // the founder with the most person rows over 12 generations
  std::int16_t deepest = 0;  // the person with the longest line of ancestors

  ChartTree() {
    test::generate_max_tree(s);
    const int persons = s.Config.NumPersons();
    const auto slots = static_cast<std::size_t>(persons) + 1;
    std::vector<std::vector<std::int16_t>> kids(slots);
    for (int m = 1; m <= FamilyCount(s); ++m) {
      const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
      for (std::int16_t parent : {f.Husband, f.Wife})
        if (parent >= 1 && parent <= persons)
          for (int k = 0; k < KidCount(f); ++k)
            kids[static_cast<std::size_t>(parent)].push_back(f.Kids[static_cast<std::size_t>(k)]);
    }
    // Person rows of a chart from p at depth d: one per line of descent.
    std::vector<std::array<long, 12>> memo(slots);
    for (auto& m : memo) m.fill(-1);
    std::function<long(std::int16_t, int)> rows = [&](std::int16_t p, int d) -> long {
      long& r = memo[static_cast<std::size_t>(p)][static_cast<std::size_t>(d)];
      if (r >= 0) return r;
      r = 1;
      if (d < 11)
        for (std::int16_t k : kids[static_cast<std::size_t>(p)])
          if (k >= 1 && k <= persons) r += rows(k, d + 1);
      return r;
    };
    long most = -1;
    for (std::int16_t p = 1; p <= persons; ++p)
      if (!HasParents(s, p) && rows(p, 0) > most) most = rows(p, 0), root = p;

    std::vector<int> gen(slots, -1);
    std::function<int(std::int16_t)> level = [&](std::int16_t p) -> int {
      if (p < 1 || p > persons) return 0;
      int& g = gen[static_cast<std::size_t>(p)];
      if (g >= 0) return g;
      g = 1;
      g = 1 + std::max(level(FatherOf(s, p)), level(MotherOf(s, p)));
      return g;
    };
    int depth = 0;
    for (std::int16_t p = 1; p <= persons; ++p)
      if (level(p) > depth) depth = level(p), deepest = p;
  }
};

ChartTree& tree() {
  static ChartTree t;
  return t;
}

void BM_DescendantsChartOfTheRoot(benchmark::State& state) {
  ChartTree& t = tree();
  print::FixedMeasure measure;
  print::PageDocument doc(measure);
  print::ChartOptions o = print::LoadChartOptions(t.s, print::request::Descendants);
  o.generations = 12;
  print::DescendantsResult r;
  for (auto _ : state) {
    r = print::PrintDescendants(t.s, doc, measure, o, t.root);
    benchmark::DoNotOptimize(doc.page_count());
  }
  state.counters["descendants"] = r.descendants;
  state.counters["generations"] = r.deepest + 1;
  state.counters["pages"] = doc.page_count();
}
BENCHMARK(BM_DescendantsChartOfTheRoot)->Unit(benchmark::kMillisecond);

void BM_PedigreeChartOfTheDeepest(benchmark::State& state) {
  ChartTree& t = tree();
  print::FixedMeasure measure;
  print::PageDocument doc(measure);
  print::ChartOptions o = print::LoadChartOptions(t.s, print::request::Pedigree);
  print::PedigreeResult r;
  for (auto _ : state) {
    r = print::PrintPedigree(t.s, doc, measure, o, t.deepest);
    benchmark::DoNotOptimize(doc.page_count());
  }
  state.counters["persons"] = r.persons;
}
BENCHMARK(BM_PedigreeChartOfTheDeepest)->Unit(benchmark::kMillisecond);

}  // namespace
