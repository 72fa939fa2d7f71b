// Persons recorded twice, on the largest tree (14,998 persons, 15,000
// families, 12 generations, no person recorded twice). Targets: the whole
// search at most 1 s (the command-line tool, start to end, is timed apart:
// set VFT_BENCH_SAVE=FILE.vfl to get the tree as a Family file), at most 1
// proposed pair per 1,000 persons at the normal sensitivity (the "pairs"
// counter), and a merge at most 50 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "relations/duplicates.h"
#include "relations/lookups.h"
#include "relations/merge_persons.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/familyfile.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxTree {
  test::TempSession t;
  Session& s = t.s;
  std::vector<MergePlan> plans;  // mergeable pairs of one sex, from different families

  MaxTree() {
    test::generate_max_tree(s);
    if (const char* out = std::getenv("VFT_BENCH_SAVE")) (void)SaveFamilyFile(s, s.WorkFolder, out);
    std::vector<std::int16_t> men;
    for (std::int16_t p = 1; p <= s.Config.NumPersons(); ++p)
      if (PersonRecord r; ReadStoredPerson(s, p, r) && !r.Deleted && SexOf(r) == 'M') men.push_back(p);
    std::uint32_t seed = 777;
    while (plans.size() < 20) {
      const std::int16_t a = men[(seed = seed * 1103515245u + 12345u) % men.size()];
      const std::int16_t b = men[(seed = seed * 1103515245u + 12345u) % men.size()];
      PersonRecord ra, rb;
      if (a == b || !ReadStoredPerson(s, a, ra) || !ReadStoredPerson(s, b, rb)) continue;
      const MergePlan plan = DefaultMergePlan(ra, rb);
      if (MergeRefusal(s, plan).empty()) plans.push_back(plan);
    }
  }
};

MaxTree& tree() {
  static MaxTree t;
  return t;
}

void BM_FindDuplicatesMaxTree(benchmark::State& state) {
  Session& s = tree().s;
  std::size_t pairs = 0;
  for (auto _ : state) pairs = FindDuplicates(s, {}).size();
  state.counters["pairs"] = static_cast<double>(pairs);
}

void BM_MergeMaxTree(benchmark::State& state) {
  MaxTree& m = tree();
  std::size_t i = 0;
  for (auto _ : state) {
    const MergeOutcome out = MergePersons(m.s, m.plans[i++ % m.plans.size()]);
    state.PauseTiming();
    if (!out.merged || !UndoLastStep(m.s)) state.SkipWithError("merge or undo failed");
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_FindDuplicatesMaxTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeMaxTree)->Unit(benchmark::kMillisecond);
