// GEDCOM export of the largest tree (14,998 persons, 15,000 families, a third
// with notes), in each flavour (0 standard, 1 GEDCOM 5.5.1, 2 GEDCOM 7.0).
// Targets: the whole export, file written, at most 300 ms; at most 150 ms in 7.0.
#include <benchmark/benchmark.h>

#include <string>

#include "interchange/gedcom_export.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxTree {
  test::TempSession t;
  MaxTree() { test::generate_max_tree(t.s); }
};

MaxTree& max_tree() {
  static MaxTree tree;
  return tree;
}

ExportOptions options(GedcomFlavour f) {
  ExportOptions o;
  o.flavour = f;
  o.file_name = max_tree().t.dir.path() + "bench.ged";
  o.submitter = {"Bench Mark", "1 Test Road", "", "Testing", "555", "bench@example.org"};
  return o;
}

// The whole command: marriage table reload, bulk reads, text, free-space check,
// file written and renamed, settings stored, final message.
void BM_ExportGedcom(benchmark::State& state) {
  MaxTree& m = max_tree();
  const ExportOptions o = options(static_cast<GedcomFlavour>(state.range(0)));
  long bytes = 0;
  for (auto _ : state) {
    ExportResult r = ExportGedcom(m.t.s, o, [](const std::string&, long) { return true; });
    if (r.status != ExportStatus::Done) state.SkipWithError("export failed");
    m.t.prompter.shown.clear();
    bytes = static_cast<long>(r.persons);
  }
  state.counters["persons"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportGedcom)->Arg(0)->Arg(1)->Arg(2)->ArgName("flavour")->Unit(benchmark::kMillisecond)->UseRealTime();

// The text alone, in memory.
void BM_BuildGedcom(benchmark::State& state) {
  MaxTree& m = max_tree();
  LoadMarriages(m.t.s);
  const ExportOptions o = options(static_cast<GedcomFlavour>(state.range(0)));
  std::string out;
  for (auto _ : state) {
    BuildGedcom(m.t.s, o, {}, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(out.size()));
}
BENCHMARK(BM_BuildGedcom)->Arg(0)->Arg(1)->Arg(2)->ArgName("flavour")->Unit(benchmark::kMillisecond);

}  // namespace
