// The lists on the largest tree (14,998 persons, 15,000 families, notes).
// Targets: the list of all persons with every item ticked in at most 1 s;
// the time line in at most 500 ms; the family names in at most 100 ms.
//
// Texts are measured with FixedMeasure: the window program's measure looks
// widths up in a per-font table in much the same time.
#include <benchmark/benchmark.h>

#include "print/family_names.h"
#include "print/person_lists.h"
#include "print/time_line.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct SheetTree {
  test::TempSession t;
  Session& s = t.s;
  SheetTree() { test::generate_max_tree(s); }
};

SheetTree& tree() {
  static SheetTree t;
  return t;
}

void BM_ListOfAllPersonsEveryItem(benchmark::State& state) {
  SheetTree& t = tree();
  print::FixedMeasure measure;
  print::PageDocument doc(measure);
  print::ChartOptions chart = print::LoadChartOptions(t.s, print::request::ListAll);
  print::SheetOptions sheet = print::LoadSheetOptions(t.s, print::request::ListAll);
  sheet.items.fill(true);
  sheet.items[print::item1::Hidden] = false;
  print::ApplyChartOptions(doc, chart);
  for (auto _ : state) {
    print::PrintResult r = print::PrintPersonList(t.s, doc, print::request::ListAll, chart, sheet);
    benchmark::DoNotOptimize(r.completed);
  }
  state.counters["pages"] = doc.page_count();
}
BENCHMARK(BM_ListOfAllPersonsEveryItem)->Unit(benchmark::kMillisecond);

void BM_TimeLine(benchmark::State& state) {
  SheetTree& t = tree();
  print::FixedMeasure measure;
  print::PageDocument doc(measure);
  print::ChartOptions chart = print::LoadChartOptions(t.s, print::request::TimeLine);
  chart.items[print::item3::PersonNumber] = true;
  print::ApplyChartOptions(doc, chart);
  for (auto _ : state) {
    print::PrintResult r = print::PrintTimeLine(t.s, doc, chart);
    benchmark::DoNotOptimize(r.completed);
  }
  state.counters["pages"] = doc.page_count();
}
BENCHMARK(BM_TimeLine)->Unit(benchmark::kMillisecond);

void BM_FamilyNames(benchmark::State& state) {
  SheetTree& t = tree();
  print::FixedMeasure measure;
  print::PageDocument doc(measure);
  print::ChartOptions chart = print::LoadChartOptions(t.s, print::request::FamilyNames);
  print::SheetOptions sheet = print::LoadSheetOptions(t.s, print::request::FamilyNames);
  sheet.format = print::ListFormat::FourColumns;
  print::ApplyChartOptions(doc, chart);
  for (auto _ : state) {
    print::PrintResult r = print::PrintFamilyNames(t.s, doc, chart, sheet);
    benchmark::DoNotOptimize(r.completed);
  }
  state.counters["pages"] = doc.page_count();
}
BENCHMARK(BM_FamilyNames)->Unit(benchmark::kMillisecond);

}  // namespace
