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

// Second argument: 1 writes into an empty folder each time, 0 over the pages
// of the run before (each page then replaces an older one).
void BM_WebSiteOfMaxTree(benchmark::State& state) {
  vft::test::TempSession t;
  vft::test::generate_max_tree(t.s);
  vft::WebOptions o;
  o.style = style_of(state);
  o.folder = t.dir.path() + "site/";
  std::filesystem::create_directories(o.folder);
  long pages = 0;
  for (auto _ : state) {
    if (state.range(1)) {
      state.PauseTiming();
      std::filesystem::remove_all(o.folder);
      std::filesystem::create_directories(o.folder);
      state.ResumeTiming();
    }
    vft::WebResult r = vft::WriteWebSite(t.s, o, {});
    if (r.status != vft::WebStatus::Done) state.SkipWithError("site not written");
    pages = r.counts.family_pages;
  }
  state.counters["family_pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_WebSiteOfMaxTree)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
