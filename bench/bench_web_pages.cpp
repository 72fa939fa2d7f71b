// The whole web site of the largest tree (14,998 persons, 15,000 families):
// written to disk in at most 1.5 s (wall time). The pages alone, handed to a
// sink that keeps nothing, show how the time splits between making the pages
// and putting them on disk.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "interchange/web_pages.h"
#include "temp_session.h"
#include "tree_gen.h"

namespace {

// Argument: 0 Classic, 1 Modern.
vft::WebStyle style_of(const benchmark::State& state) {
  return state.range(0) ? vft::WebStyle::Modern : vft::WebStyle::Classic;
}

vft::test::TempSession& shared_session();

void BM_WebPagesGenerated(benchmark::State& state) {
  vft::test::TempSession& t = shared_session();
  vft::WebOptions o;
  o.style = style_of(state);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    vft::GenerateWebPages(t.s, o,
                          [&](const std::string&, const std::string& html) {
                            bytes += html.size();
                            return true;
                          },
                          {});
  }
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WebPagesGenerated)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Second argument, what the folder holds before each run:
//   1  nothing: a new folder each run;
//   0  the pages of the run before, unchanged (the tree was not edited);
//   2  the pages of the run before, every one of them different (here the
//      preparer's name on each page changes; the same size, so each old page
//      is read and compared before it is rewritten).
//
// All cases share one session and its folders, removed only when the program
// ends. On a file system without a journal (this machine's ext4), every new
// file skips over each inode freed in the last seconds, or minutes while the
// inode table is not yet written back; had each case deleted its sites on the
// way out, the next case would time that deletion, not the program.
vft::test::TempSession& shared_session() {
  static vft::test::TempSession t;
  static const bool made = (vft::test::generate_max_tree(t.s), true);
  (void)made;
  return t;
}

void BM_WebSiteOfMaxTree(benchmark::State& state) {
  vft::test::TempSession& t = shared_session();
  static int sites = 0;
  vft::WebOptions o;
  o.style = style_of(state);
  o.include_name = true;
  o.Name = "Bob Example";
  auto new_folder = [&] {
    o.folder = t.dir.path() + "site" + std::to_string(++sites) + "/";
    std::filesystem::create_directories(o.folder);
  };
  new_folder();
  if (state.range(1) != 1 && vft::WriteWebSite(t.s, o, {}).status != vft::WebStatus::Done)
    state.SkipWithError("first site not written");
  long pages = 0, run = 0;
  for (auto _ : state) {
    ++run;
    if (state.range(1) == 1) {
      state.PauseTiming();
      new_folder();
      state.ResumeTiming();
    }
    if (state.range(1) == 2) o.Name = run % 2 ? "Ann Example" : "Bob Example";
    vft::WebResult r = vft::WriteWebSite(t.s, o, {});
    if (r.status != vft::WebStatus::Done) state.SkipWithError("site not written");
    pages = r.counts.family_pages;
  }
  state.counters["family_pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_WebSiteOfMaxTree)
    ->ArgsProduct({{0, 1}, {1, 0, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
