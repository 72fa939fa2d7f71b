#include "relations/relationship_search.h"

#include <algorithm>
#include <deque>
#include <tuple>

namespace vft::kin {
namespace {

// Pairs of lines looked at, at most: a bound on the work in an inbred or a
// damaged tree.
constexpr std::size_t kMaxCandidates = 100000;

struct Candidate {
  int meet, line_a, line_b, up, down;
  bool half;
  auto key() const { return std::tie(up, down, meet, line_a, line_b); }
};

// The nodes of a line from its start up to the node below `top`'s own node.
std::vector<int> nodes_below(const Ancestry& side, int top) {
  std::vector<int> out;
  for (int l = side.below(top); l >= 0; l = side.below(l)) out.push_back(side.node(l));
  std::reverse(out.begin(), out.end());
  return out;
}

// The two lines share no person below the meeting point, and do not come up
// to a meeting person through one family (that way meets in the family). A
// family both pass through is no meeting point when they leave it through
// different parents: the children of two cousins are related through each.
class Apart {
 public:
  Apart() : mark_(static_cast<std::size_t>(kNodes), 0) {}
  bool operator()(const Ancestry& a, int la, const Ancestry& b, int lb) {
    const int below_a = a.below(la), below_b = b.below(lb);
    if (below_a >= 0 && below_b >= 0 && a.node(below_a) == b.node(below_b)) return false;
    ++stamp_;
    for (int l = below_a; l >= 0; l = a.below(l)) mark_[static_cast<std::size_t>(a.node(l))] = stamp_;
    for (int l = below_b; l >= 0; l = b.below(l))
      if (mark_[static_cast<std::size_t>(b.node(l))] == stamp_ && !is_family(b.node(l))) return false;
    return true;
  }

 private:
  std::vector<int> mark_;
  int stamp_ = 0;
};

}  // namespace

bool Ancestry::on_line(int line, int node) const {
  for (int l = line; l >= 0; l = below(l))
    if (this->node(l) == node) return true;
  return false;
}

// Every node reached above a node whose lines were cut is cut too.
void Ancestry::mark_cut(const FamilyIndex& idx, const std::vector<int>& full) {
  std::vector<int> nodes;
  auto mark = [&](int n) {
    if (at_[static_cast<std::size_t>(n)].empty() || open_[static_cast<std::size_t>(n)]) return;
    open_[static_cast<std::size_t>(n)] = 1;
    nodes.push_back(n);
  };
  for (int n : full) mark(n);
  while (!nodes.empty()) {
    const int n = nodes.back();
    nodes.pop_back();
    if (!is_family(n)) {
      if (std::int16_t m = idx.parent_family(static_cast<std::int16_t>(n))) mark(family_node(m));
      continue;
    }
    const MarriageRecord& f = idx.family(family_of_node(n));
    for (std::int16_t parent : {f.Husband, f.Wife})
      if (parent >= 1) mark(parent);
  }
}

void Ancestry::search(const FamilyIndex& idx, std::int16_t start) {
  for (int n : order_) at_[static_cast<std::size_t>(n)].clear(), open_[static_cast<std::size_t>(n)] = 0;
  order_.clear();
  pool_.clear();
  all_cut_ = false;
  start_ = start;
  if (start < 1) return;
  // Breadth first, lines kept in order of generation: a step up to a parent
  // family adds one, a step from a family to its parent none, so those go to
  // the front of the queue.
  std::deque<int> queue;
  std::vector<int> full;  // nodes that had lines left out
  auto offer = [&](int node, int below, int gen, bool same_gen) {
    if (pool_.size() >= kMaxLines) {
      all_cut_ = true;
      return;
    }
    // Only a node already reached can be on the line: a loop in a damaged tree.
    if (!at_[static_cast<std::size_t>(node)].empty() && on_line(below, node)) return;
    pool_.push_back({node, below, gen});
    const int id = static_cast<int>(pool_.size()) - 1;
    if (same_gen) queue.push_front(id);
    else queue.push_back(id);
  };
  offer(start, -1, 0, false);
  while (!queue.empty()) {
    const int l = queue.front();
    queue.pop_front();
    const Line line = pool_[static_cast<std::size_t>(l)];
    auto& at = at_[static_cast<std::size_t>(line.node)];
    if (at.size() >= static_cast<std::size_t>(kLinesPerNode)) {
      full.push_back(line.node);
      continue;
    }
    if (at.empty()) order_.push_back(line.node);
    at.push_back(l);
    if (!is_family(line.node)) {
      if (std::int16_t m = idx.parent_family(static_cast<std::int16_t>(line.node)))
        offer(family_node(m), l, line.gen + 1, false);
      continue;
    }
    // The wife first, so that the husband's line, put in front of hers, comes first.
    const MarriageRecord& f = idx.family(family_of_node(line.node));
    for (std::int16_t parent : {f.Wife, f.Husband})
      if (parent >= 1) offer(parent, l, line.gen, true);
  }
  mark_cut(idx, full);
}

BloodWays FindBloodWays(const Ancestry& a, const Ancestry& b, int limit,
                        const std::function<bool(const BloodWay&)>& keep) {
  BloodWays out;
  std::vector<Candidate> cands;
  for (int meet : a.nodes()) {
    const std::span<const int> lb = b.lines(meet);
    if (lb.empty()) continue;
    out.cut = out.cut || a.cut(meet) || b.cut(meet);
    const bool half = !is_family(meet) && meet != a.start() && meet != b.start();
    for (int x : a.lines(meet))
      for (int y : lb) {
        if (cands.size() >= kMaxCandidates) {
          out.cut = true;
          break;
        }
        cands.push_back({meet, x, y, a.gen(x), b.gen(y), half});
      }
  }
  std::sort(cands.begin(), cands.end(), [](const Candidate& l, const Candidate& r) {
    const int dl = l.up + l.down, dr = r.up + r.down;
    if (dl != dr) return dl < dr;
    if (l.half != r.half) return r.half;
    return l.key() < r.key();
  });

  Apart apart;
  for (const Candidate& c : cands) {
    if (!apart(a, c.line_a, b, c.line_b)) continue;
    BloodWay w{c.meet, c.up, c.down, c.half, nodes_below(a, c.line_a), nodes_below(b, c.line_b)};
    if (keep && !keep(w)) continue;
    if (static_cast<int>(out.ways.size()) < limit) out.ways.push_back(std::move(w));
    else ++out.more;
  }
  return out;
}

}  // namespace vft::kin
