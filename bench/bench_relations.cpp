// Family look-ups on the largest tree (14,998 persons, 15,000 families, 12
// generations). Targets: every single look-up at most 1 ms; a full
// IsDescendant from the root and a full IsAncestor from the deepest person at
// most 10 ms each; everything the family view needs for one redraw at most 2 ms.
//
// The arguments are chosen so that each scan runs to its end: a deleted person
// is in no family, so looking for it visits every family and child slot.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxTree {
  test::TempSession t;
  Session& s = t.s;
  std::int16_t gone = 0;                // a deleted person: in no family, never met by a walk
  std::int16_t deepest = 0;             // the person with the longest line of ancestors
  std::int16_t root = 0;                // the top of that line
  std::int16_t busy = 0;                // the person with the most partnerships
  std::int16_t last_h = 0, last_w = 0;  // the couple of the highest-numbered family with both
  int depth = 0;

  MaxTree() {
    test::generate_max_tree(s);
    const int persons = s.Config.NumPersons();
    for (std::int16_t p = 1; p <= persons && !gone; ++p) {
      PersonRecord r;
      if (ReadStoredPerson(s, p, r) && r.Deleted) gone = p;
    }
    // Generations by a memoised walk up the parent families (not timed).
    std::vector<int> gen(static_cast<std::size_t>(persons) + 1, -1);
    std::function<int(std::int16_t)> level = [&](std::int16_t p) -> int {
      if (p < 1 || p > persons) return 0;
      int& g = gen[static_cast<std::size_t>(p)];
      if (g >= 0) return g;
      g = 1;
      g = 1 + std::max(level(FatherOf(s, p)), level(MotherOf(s, p)));
      return g;
    };
    for (std::int16_t p = 1; p <= persons; ++p)
      if (level(p) > depth) depth = level(p), deepest = p;
    root = deepest;
    while (std::int16_t up = FatherOf(s, root) ? FatherOf(s, root) : MotherOf(s, root)) root = up;
    int most = -1;
    for (std::int16_t p = 1; p <= persons; ++p)
      if (int n = CountPartnerships(s, p); n > most) most = n, busy = p;
    for (int m = FamilyCount(s); m >= 1 && !last_h; --m) {
      const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
      if (f.Husband && f.Wife) last_h = f.Husband, last_w = f.Wife;
    }
    SelectPersonForRelations(s, busy);
  }
};

MaxTree& tree() {
  static MaxTree t;
  return t;
}

template <typename F>
void run(benchmark::State& state, F&& lookup) {
  tree();
  for (auto _ : state) benchmark::DoNotOptimize(lookup());
}

void BM_ParentFamilyOf(benchmark::State& st) {
  run(st, [] { return ParentFamilyOf(tree().s, tree().gone); });
}
void BM_FatherOf(benchmark::State& st) {
  run(st, [] { return FatherOf(tree().s, tree().gone); });
}
void BM_MotherOf(benchmark::State& st) {
  run(st, [] { return MotherOf(tree().s, tree().gone); });
}
void BM_HasParents(benchmark::State& st) {
  run(st, [] { return HasParents(tree().s, tree().gone); });
}
void BM_ShowsParentFamily(benchmark::State& st) {
  run(st, [] { return ShowsParentFamily(tree().s, tree().gone); });
}
void BM_FamilyOfCouple(benchmark::State& st) {
  run(st, [] { return FamilyOfCouple(tree().s, tree().gone, 1); });
}
void BM_FamilyBetween(benchmark::State& st) {
  run(st, [] { return FamilyBetween(tree().s, 1, tree().gone); });
}
void BM_FamilyWithUnknownPartner(benchmark::State& st) {
  run(st, [] { return FamilyWithUnknownPartner(tree().s, tree().gone); });
}
void BM_CountPartnerships(benchmark::State& st) {
  run(st, [] { return CountPartnerships(tree().s, tree().busy); });
}
// Reads the ceremony date of every row from vorlan.mce.
void BM_ListPartners(benchmark::State& st) {
  run(st, [] { return ListPartners(tree().s, tree().busy).count; });
}
void BM_ListChildrenOfCouple(benchmark::State& st) {
  run(st, [] { return ListChildrenOfCouple(tree().s, tree().last_h, tree().last_w).size(); });
}
void BM_ListAllChildren(benchmark::State& st) {
  run(st, [] { return ListAllChildren(tree().s, tree().busy).size(); });
}
void BM_ListSiblings(benchmark::State& st) {
  run(st, [] { return ListSiblings(tree().s, tree().deepest).size(); });
}
void BM_KidsOfCoupleWithDisplayedPartner(benchmark::State& st) {
  run(st, [] { return KidsOfCoupleWithDisplayedPartner(tree().s); });
}
void BM_IsPartnerOfSelected(benchmark::State& st) {
  run(st, [] { return IsPartnerOfSelected(tree().s, tree().gone); });
}
void BM_IsSiblingOfSelected(benchmark::State& st) {
  run(st, [] { return IsSiblingOfSelected(tree().s, tree().gone); });
}

BENCHMARK(BM_ParentFamilyOf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FatherOf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotherOf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HasParents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowsParentFamily)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FamilyOfCouple)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FamilyBetween)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FamilyWithUnknownPartner)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountPartnerships)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPartners)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListChildrenOfCouple)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListAllChildren)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListSiblings)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KidsOfCoupleWithDisplayedPartner)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IsPartnerOfSelected)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IsSiblingOfSelected)->Unit(benchmark::kMicrosecond);

// The whole walks: the person looked for is never met.
void BM_IsDescendantFromRoot(benchmark::State& state) {
  MaxTree& t = tree();
  for (auto _ : state) benchmark::DoNotOptimize(IsDescendant(t.s, t.gone, t.root));
  state.counters["depth"] = t.depth;
}
void BM_IsAncestorFromDeepest(benchmark::State& state) {
  MaxTree& t = tree();
  for (auto _ : state) benchmark::DoNotOptimize(IsAncestor(t.s, t.deepest, t.gone));
  state.counters["depth"] = t.depth;
}
BENCHMARK(BM_IsDescendantFromRoot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsAncestorFromDeepest)->Unit(benchmark::kMillisecond);

// What the family view asks for one redraw of person c: the person and its
// partner and sibling lists, parents, grandparents, whether the parents' row
// shows, and the children count of every partnership.
long redraw(Session& s, std::int16_t c) {
  long n = 0;
  SelectPersonForRelations(s, c);
  const std::int16_t father = FatherOf(s, c), mother = MotherOf(s, c);
  n += FatherOf(s, father) + MotherOf(s, father) + FatherOf(s, mother) + MotherOf(s, mother);
  n += ShowsParentFamily(s, c);
  PersonRecord p;
  const char sex = ReadStoredPerson(s, c, p) ? SexOf(p) : 0;
  for (int i = 0; i < s.Rel.Partners.count; ++i) {
    const std::int16_t other = s.Rel.Partners.rows[static_cast<std::size_t>(i)].Partner;
    n += static_cast<long>((sex == 'F' ? ListChildrenOfCouple(s, other, c) : ListChildrenOfCouple(s, c, other)).size());
  }
  n += KidsOfCoupleWithDisplayedPartner(s);
  return n;
}

void BM_RedrawSet(benchmark::State& state) {
  MaxTree& t = tree();
  // 0: a parent of the deepest person (parents, grandparents, a partner and
  // children); 1: the person with the most partnerships.
  const std::int16_t parent = FatherOf(t.s, t.deepest) ? FatherOf(t.s, t.deepest) : MotherOf(t.s, t.deepest);
  const std::int16_t c = state.range(0) == 0 ? parent : t.busy;
  for (auto _ : state) benchmark::DoNotOptimize(redraw(t.s, c));
  state.counters["partners"] = CountPartnerships(t.s, c);
}
BENCHMARK(BM_RedrawSet)->Arg(0)->Arg(1)->ArgName("person")->Unit(benchmark::kMicrosecond);

}  // namespace
