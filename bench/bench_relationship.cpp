// How two persons are related, on the largest tree (14,998 persons, 15,000
// families, 12 generations). Target: at most 10 ms for any pair.
//
// Pairs: a fixed sample of random pairs (one per iteration, round robin); the
// deepest person with the person of the sample farthest from him by blood
// (deep cousins many times removed, their lines meeting near the top of the
// tree); the slowest pair met while choosing those; and a pair related in no
// way, for which the chain of links between them is searched over the tree.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <vector>

#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/relationship.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

using Pair = std::pair<std::int16_t, std::int16_t>;

struct Pairs {
  test::TempSession t;
  Session& s = t.s;
  std::vector<Pair> random;
  Pair deep{}, slowest{}, unrelated{};
  int deep_links = 0;

  Pairs() {
    test::generate_max_tree(s);
    const int persons = s.Config.NumPersons();
    std::vector<std::int16_t> living;
    for (std::int16_t p = 1; p <= persons; ++p)
      if (PersonRecord r; ReadStoredPerson(s, p, r) && !r.Deleted) living.push_back(p);
    // Generations by a memoised walk up the parent families.
    std::vector<int> gen(static_cast<std::size_t>(persons) + 1, -1);
    std::function<int(std::int16_t)> level = [&](std::int16_t p) -> int {
      if (p < 1 || p > persons) return 0;
      int& g = gen[static_cast<std::size_t>(p)];
      if (g < 0) g = 0, g = 1 + std::max(level(FatherOf(s, p)), level(MotherOf(s, p)));
      return g;
    };
    std::int16_t deepest = living.front();
    for (std::int16_t p : living)
      if (level(p) > level(deepest)) deepest = p;

    std::uint32_t seed = 12345;
    auto next = [&] { return living[(seed = seed * 1103515245u + 12345u) % living.size()]; };
    for (int i = 0; i < 101; ++i) random.push_back({next(), next()});
    std::vector<Pair> sample = random;
    for (std::size_t i = 0; i < living.size(); i += 37) sample.push_back({deepest, living[i]});

    double worst = -1;
    for (const Pair& p : sample) {
      if (p.first == p.second) continue;
      const auto start = std::chrono::steady_clock::now();
      const Relationship r = FindRelationship(s, p.first, p.second);
      const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (took > worst) worst = took, slowest = p;
      if (p.first == deepest && !r.ways.empty() && r.ways.front().kind == WayKind::Blood &&
          r.ways.front().links > deep_links)
        deep_links = r.ways.front().links, deep = p;
      if (r.ways.empty() && !r.chain.empty() && !unrelated.first) unrelated = p;
    }
  }
};

Pairs& pairs() {
  static Pairs p;
  return p;
}

void run(benchmark::State& state, const Pair& p) {
  Session& s = pairs().s;
  for (auto _ : state) benchmark::DoNotOptimize(FindRelationship(s, p.first, p.second).ways.size());
  const Relationship r = FindRelationship(s, p.first, p.second);
  state.counters["ways"] = static_cast<double>(r.ways.size());
  state.counters["links"] = r.ways.empty() ? static_cast<double>(r.chain.size()) : r.ways.front().links;
  state.SetLabel(r.ways.empty() ? "no relationship" : r.ways.front().words);
}

void BM_RelationshipRandomPairs(benchmark::State& state) {
  Pairs& p = pairs();
  std::size_t i = 0;
  for (auto _ : state) {
    const Pair& pair = p.random[i++ % p.random.size()];
    benchmark::DoNotOptimize(FindRelationship(p.s, pair.first, pair.second).ways.size());
  }
}
void BM_RelationshipDeepCousins(benchmark::State& state) { run(state, pairs().deep); }
void BM_RelationshipSlowestPair(benchmark::State& state) { run(state, pairs().slowest); }
void BM_RelationshipUnrelatedChain(benchmark::State& state) {
  if (!pairs().unrelated.first) {
    state.SkipWithError("no unrelated pair in the sample");
    return;
  }
  run(state, pairs().unrelated);
}

BENCHMARK(BM_RelationshipRandomPairs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelationshipDeepCousins)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelationshipSlowestPair)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelationshipUnrelatedChain)->Unit(benchmark::kMillisecond);

}  // namespace
