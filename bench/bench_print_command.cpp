// Every printout of the largest tree (14,998 persons, 15,000 families) as the
// user gets it from `vft print`: the whole process, from start to the closed
// PDF file, so Qt's start-up, the font look-ups and the PDF writer count too.
// Target: each printout, the list of everyone (about 1,500 pages) included,
// in at most 1 s.
//
// Set VFT_BENCH_KEEP to a folder to keep the tree's Family file there.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "relations/lookups.h"
#include "store/familyfile.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct BigFile {
  test::TempSession t;
  std::string file, out;
  std::int16_t founder = 1, deepest = 1;
  BigFile() {
    test::generate_max_tree(t.s);
    const char* keep = std::getenv("VFT_BENCH_KEEP");
    file = (keep ? std::string(keep) + "/" : t.dir.path()) + "big.vfl";
    out = t.dir.path() + "out.pdf";
    if (SaveFamilyFile(t.s, t.s.WorkFolder, file) != -1) std::abort();
    // The founder with the most children and a person with a full line of
    // ancestors give the longest charts.
    int most = -1;
    for (std::int16_t p = 1; p <= t.s.Config.NumPersons(); ++p) {
      if (!HasParents(t.s, p) && ListPartners(t.s, p).count > most) most = ListPartners(t.s, p).count, founder = p;
      std::int16_t q = p;
      int up = 0;
      while (up < 5 && FatherOf(t.s, q)) q = FatherOf(t.s, q), ++up;
      if (up == 5) deepest = p;
    }
  }
};

BigFile& big() {
  static BigFile b;
  return b;
}

// Runs vft with `args` and waits for it; false when it fails.
bool run_vft(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string program = VFT_CLI_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void print_with(benchmark::State& state, std::vector<std::string> args) {
  BigFile& b = big();
  for (std::string& a : args) {
    if (a == "FOUNDER") a = std::to_string(b.founder);
    if (a == "DEEPEST") a = std::to_string(b.deepest);
  }
  args.insert(args.begin(), {"print", b.file});
  args.push_back(b.out);
  for (auto _ : state)
    if (!run_vft(args)) state.SkipWithError("vft print failed");
}

void BM_ListOfEveryone(benchmark::State& state) { print_with(state, {"--list", "all"}); }
void BM_NamesList(benchmark::State& state) { print_with(state, {"--list", "names"}); }
void BM_TimeLine(benchmark::State& state) { print_with(state, {"--list", "timeline"}); }
void BM_DescendantsChart(benchmark::State& state) {
  print_with(state, {"--chart", "descendants", "--person", "FOUNDER", "--generations", "12"});
}
void BM_PedigreeChart(benchmark::State& state) { print_with(state, {"--chart", "pedigree", "--person", "DEEPEST"}); }
void BM_DataSheet(benchmark::State& state) { print_with(state, {"--sheet", "person", "--person", "FOUNDER"}); }
void BM_FamilyForm(benchmark::State& state) { print_with(state, {"--sheet", "family", "--person", "FOUNDER"}); }

BENCHMARK(BM_ListOfEveryone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NamesList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TimeLine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DescendantsChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PedigreeChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DataSheet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FamilyForm)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
