// The whole web site of the largest tree (14,998 persons, 15,000 families)
// written to disk: target at most 2 s.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "interchange/web_pages.h"
#include "temp_session.h"
#include "tree_gen.h"

namespace {

void BM_WebSiteOfMaxTree(benchmark::State& state) {
  vft::test::TempSession t;
  vft::test::generate_max_tree(t.s);
  vft::WebOptions o;
  o.folder = t.dir.path() + "site/";
  std::filesystem::create_directories(o.folder);
  long pages = 0;
  for (auto _ : state) {
    vft::WebResult r = vft::WriteWebSite(t.s, o, {});
    if (r.status != vft::WebStatus::Done) state.SkipWithError("site not written");
    pages = r.counts.family_pages;
  }
  state.counters["family_pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_WebSiteOfMaxTree)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
