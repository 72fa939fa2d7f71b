// The family view's model on the largest tree (14,998 persons, 15,000
// families). Target: a refresh and its redraw within one frame (16 ms); the
// model's share is measured here, the drawing is Qt's.
//
//   BM_RefreshFamilyView/person:N  a refresh for LastPerson, as after every record change
//   BM_NavigateAndBuild            a click on a box: navigation plus the new view
//   BM_OverflowList                the longest hover list (a child's children)
#include <benchmark/benchmark.h>

#include <vector>

#include "mainwin/family_view_lists.h"
#include "mainwin/family_view_model.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxTree {
  test::TempSession t;
  Session& s = t.s;
  print::FixedMeasure measure;
  ViewMetrics metrics;
  std::int16_t full = 0;  // a person with grandparents, partner, children and siblings
  std::int16_t busy = 0;  // the person with the most partnerships
  std::int16_t last = 0;  // the highest Person number that is alive

  MaxTree() {
    test::generate_max_tree(s);
    const int persons = s.Config.NumPersons();
    int most = -1, best = -1;
    for (std::int16_t p = 1; p <= persons; ++p) {
      PersonRecord r;
      if (!ReadStoredPerson(s, p, r) || r.Deleted) continue;
      last = p;
      if (int n = CountPartnerships(s, p); n > most) most = n, busy = p;
      const std::int16_t f = FatherOf(s, p), m = MotherOf(s, p);
      int score = (f && FatherOf(s, f)) + (m && MotherOf(s, m)) + (ListSiblings(s, p).size() >= 3) +
                  (CountPartnerships(s, p) >= 1) * 2;
      if (score > best) best = score, full = p;
    }
  }
};

MaxTree& tree() {
  static MaxTree t;
  return t;
}

std::int16_t person_for(int arg) {
  MaxTree& t = tree();
  return arg == 0 ? t.full : arg == 1 ? t.busy : t.last;
}

void BM_RefreshFamilyView(benchmark::State& state) {
  MaxTree& t = tree();
  ViewCursor cursor;
  t.s.Config.setLastPerson(person_for(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    FamilyViewModel v = RefreshFamilyView(t.s, cursor, t.measure, t.metrics);
    benchmark::DoNotOptimize(v.Selected);
  }
}
BENCHMARK(BM_RefreshFamilyView)->Arg(0)->Arg(1)->Arg(2)->ArgName("person")->Unit(benchmark::kMillisecond);

void BM_NavigateAndBuild(benchmark::State& state) {
  MaxTree& t = tree();
  ViewCursor cursor;
  NavigateTo(t.s, cursor, t.full);
  const std::int16_t back = t.full;
  for (auto _ : state) {
    // Down to the first child and up again, as a user clicking around would.
    std::int16_t next = SlotTarget(t.s, cursor, Slot::Child0);
    NavigateTo(t.s, cursor, next ? next : back);
    benchmark::DoNotOptimize(BuildFamilyView(t.s, cursor, t.measure, t.metrics).Selected);
    NavigateTo(t.s, cursor, back);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NavigateAndBuild)->Unit(benchmark::kMillisecond);

void BM_OverflowList(benchmark::State& state) {
  MaxTree& t = tree();
  ViewCursor cursor;
  NavigateTo(t.s, cursor, t.busy);
  FamilyViewModel v = BuildFamilyView(t.s, cursor, t.measure, t.metrics);
  for (auto _ : state) {
    for (int kind = listkind::Siblings; kind <= listkind::PartnersParents; ++kind)
      benchmark::DoNotOptimize(BuildOverflowList(t.s, v, kind).Rows.size());
  }
}
BENCHMARK(BM_OverflowList)->Unit(benchmark::kMillisecond);

}  // namespace
