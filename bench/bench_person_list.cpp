// The person list on the largest tree (14,998 persons): what opening the list
// dialog, clicking a header and a name search in the find dialog cost.
//
//   BM_ListAll        read, filter and sort every living person (the dialog's load)
//   BM_SortOn/column  a header click on a loaded list
//   BM_FindByName     the find dialog's name search ending in the "list them?" question
#include <benchmark/benchmark.h>

#include "mainwin/find_person.h"
#include "mainwin/person_list.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxTree {
  test::TempSession t;
  Session& s = t.s;
  MaxTree() { test::generate_max_tree(s); }
};

MaxTree& tree() {
  static MaxTree t;
  return t;
}

void BM_ListAll(benchmark::State& state) {
  Session& s = tree().s;
  for (auto _ : state) {
    std::vector<PersonRow> rows = ListPersons(s, PersonFilter{});
    SortRows(rows, ListColumn::FamName);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_ListAll)->Unit(benchmark::kMillisecond);

void BM_SortOn(benchmark::State& state) {
  Session& s = tree().s;
  const std::vector<PersonRow> loaded = ListPersons(s, PersonFilter{});
  for (auto _ : state) {
    std::vector<PersonRow> rows = loaded;
    SortRows(rows, static_cast<ListColumn>(state.range(0)));
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_SortOn)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_FindByName(benchmark::State& state) {
  MaxTree& t = tree();
  for (auto _ : state) {
    t.t.prompter.answers = {kAnswerNo};
    FindResult r = FindPerson(t.s, "", "B");
    benchmark::DoNotOptimize(r);
  }
  t.t.prompter.shown.clear();
}
BENCHMARK(BM_FindByName)->Unit(benchmark::kMillisecond);

}  // namespace
