#include "relations/relationship_search.h"

#include <algorithm>
#include <tuple>

namespace vft::kin {
namespace {

// Pairs of branches looked at, at most: far more than any real tree yields,
// and a bound on the work in a damaged one.
constexpr std::size_t kMaxCandidates = 20000;

// A branch into a meeting node: the node just below it on one side (-1 when
// the meeting node is that side's start) and the generation it gives.
struct Entry {
  int node;
  int gen;
};

struct Candidate {
  int meet, entry_a, entry_b, up, down;
  bool half;
  auto key() const { return std::tie(up, down, meet, entry_a, entry_b); }
};

std::vector<Entry> entries(const FamilyIndex& idx, const Ancestry& side, int meet) {
  std::vector<Entry> out;
  if (!is_family(meet)) {
    const auto p = static_cast<std::int16_t>(meet);
    if (p == side.start()) return {{-1, 0}};
    for (std::int16_t m : idx.families_of(p))
      if (side.gen(family_node(m)) >= 0) out.push_back({family_node(m), side.gen(family_node(m))});
    return out;
  }
  const int m = family_of_node(meet);
  for (std::int16_t c : idx.kids(m)) {
    // Only the family a child's line goes up through leads to it.
    if (c < 1 || idx.parent_family(c) != m || side.gen(c) < 0) continue;
    if (std::none_of(out.begin(), out.end(), [c](const Entry& e) { return e.node == c; }))
      out.push_back({c, side.gen(c) + 1});
  }
  return out;
}

// The nodes from `from` down the shortest line to the start, reversed so the
// start comes first.
std::vector<int> line(const Ancestry& side, int from) {
  std::vector<int> out;
  for (int n = from; n >= 0; n = side.below(n)) out.push_back(n);
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace

void Ancestry::visit(int node, int gen, int from) {
  auto& g = gen_[static_cast<std::size_t>(node)];
  if (g >= 0) return;
  g = gen;
  below_[static_cast<std::size_t>(node)] = from;
  order_.push_back(node);
}

void Ancestry::search(const FamilyIndex& idx, std::int16_t start) {
  for (int n : order_) gen_[static_cast<std::size_t>(n)] = below_[static_cast<std::size_t>(n)] = -1;
  order_.clear();
  start_ = start;
  if (start < 1) return;
  visit(start, 0, -1);
  // Breadth first: each node is reached first on a shortest line.
  for (std::size_t i = 0; i < order_.size(); ++i) {
    const int n = order_[i];
    const int g = gen(n);
    if (!is_family(n)) {
      if (std::int16_t m = idx.parent_family(static_cast<std::int16_t>(n))) visit(family_node(m), g + 1, n);
      continue;
    }
    const MarriageRecord& f = idx.family(family_of_node(n));
    for (std::int16_t parent : {f.Husband, f.Wife})
      if (parent >= 1) visit(parent, g, n);
  }
}

std::vector<BloodWay> FindBloodWays(const FamilyIndex& idx, const Ancestry& a, const Ancestry& b, int limit,
                                    int& more) {
  more = 0;
  std::vector<Candidate> cands;
  for (int meet : a.nodes()) {
    if (b.gen(meet) < 0) continue;
    const std::vector<Entry> ea = entries(idx, a, meet), eb = entries(idx, b, meet);
    const bool half = !is_family(meet) && meet != a.start() && meet != b.start();
    for (const Entry& x : ea)
      for (const Entry& y : eb)
        if (x.node != y.node && cands.size() < kMaxCandidates)
          cands.push_back({meet, x.node, y.node, x.gen, y.gen, half});
  }
  std::sort(cands.begin(), cands.end(), [](const Candidate& l, const Candidate& r) {
    const int dl = l.up + l.down, dr = r.up + r.down;
    if (dl != dr) return dl < dr;
    if (l.half != r.half) return r.half;
    return l.key() < r.key();
  });

  std::vector<BloodWay> ways;
  std::vector<int> seen;
  for (const Candidate& c : cands) {
    BloodWay w{c.meet, c.up, c.down, c.half, {}, {}};
    if (c.entry_a >= 0) w.line_a = line(a, c.entry_a);
    if (c.entry_b >= 0) w.line_b = line(b, c.entry_b);
    // The two lines may share nothing but the meeting point.
    seen.assign(w.line_a.begin(), w.line_a.end());
    seen.insert(seen.end(), w.line_b.begin(), w.line_b.end());
    seen.push_back(c.meet);
    std::sort(seen.begin(), seen.end());
    const bool apart = std::adjacent_find(seen.begin(), seen.end()) == seen.end();
    if (!apart) continue;
    if (static_cast<int>(ways.size()) < limit)
      ways.push_back(std::move(w));
    else
      ++more;
  }
  return ways;
}

}  // namespace vft::kin
