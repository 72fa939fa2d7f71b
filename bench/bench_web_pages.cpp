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

void BM_WebPagesGenerated(benchmark::State& state) {
  vft::test::TempSession t;
  vft::test::generate_max_tree(t.s);
  vft::WebOptions o;
  o.style = style_of(state);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    vft::GenerateWebPages(t.s, o, [&](const std::string&, const std::string& html) {
      bytes += html.size();
      return true;
    }, {});
  }
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WebPagesGenerated)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Second argument, what the folder holds before each run:
//   0  the pages of the run before, unchanged (the tree was not edited);
//   1  nothing: a new folder each run;
//   2  the pages of the run before, every one of them different (here the
//      preparer's name on each page changes; the same size, so each old page
//      is read and compared before it is rewritten).
void BM_WebSiteOfMaxTree(benchmark::State& state) {
  vft::test::TempSession t;
  vft::test::generate_max_tree(t.s);
  vft::WebOptions o;
  o.style = style_of(state);
  o.include_name = true;
  const std::string site = t.dir.path() + "site";
  std::filesystem::create_directories(site);
  long pages = 0, run = 0;
  o.folder = site + "/";
  o.Name = "Bob Example";
  if (state.range(1) != 1 && vft::WriteWebSite(t.s, o, {}).status != vft::WebStatus::Done)
    state.SkipWithError("first site not written");
  for (auto _ : state) {
    ++run;
    o.folder = site + "/";
    if (state.range(1) == 1) {
      o.folder = site + std::to_string(run) + "/";
      state.PauseTiming();
      std::filesystem::create_directories(o.folder);
      state.ResumeTiming();
    }
    o.Name = state.range(1) == 2 && run % 2 ? "Ann Example" : "Bob Example";
    vft::WebResult r = vft::WriteWebSite(t.s, o, {});
    if (r.status != vft::WebStatus::Done) state.SkipWithError("site not written");
    pages = r.counts.family_pages;
  }
  state.counters["family_pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_WebSiteOfMaxTree)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
