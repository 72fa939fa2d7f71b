// Opening and saving a Family file of the largest tree (14,998 persons, 15,000
// marriages with places, a third of the persons with multi-line notes), and
// loading the marriage table. Targets: open and save at most 100 ms median
// each, LoadMarriages at most 5 ms.
#include <benchmark/benchmark.h>

#include "store/familyfile.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxFile {
  test::TempSession t;
  std::string file;
  MaxFile() {
    test::generate_max_tree(t.s);
    file = t.dir.path() + "max.vfl";
    if (SaveFamilyFile(t.s, t.s.WorkFolder, file) != -1) std::abort();
  }
};

MaxFile& max_file() {
  static MaxFile m;
  return m;
}

void BM_SaveFamilyFile(benchmark::State& state) {
  MaxFile& m = max_file();
  std::string out = m.t.dir.path() + "saved.vfl";
  for (auto _ : state) {
    if (SaveFamilyFile(m.t.s, m.t.s.WorkFolder, out) != -1) state.SkipWithError("save failed");
  }
}

void BM_OpenFamilyFile(benchmark::State& state) {
  MaxFile& m = max_file();
  for (auto _ : state) {
    if (OpenFamilyFile(m.t.s, m.file) != -1) state.SkipWithError("open failed");
  }
}

void BM_LoadMarriages(benchmark::State& state) {
  MaxFile& m = max_file();
  for (auto _ : state) {
    LoadMarriages(m.t.s);
    benchmark::DoNotOptimize(m.t.s.Marriages.data());
  }
}

}  // namespace

BENCHMARK(BM_SaveFamilyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFamilyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMarriages)->Unit(benchmark::kMillisecond);
