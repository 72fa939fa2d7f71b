// The blood-line search behind FindRelationship (relationship.h), on the
// graph of persons and families: a person leads up to its parent family, a
// family up to its Husband and Wife. Nodes are numbered so that one array
// covers both: Person number p is node p, family m is node kFamilyNode + m.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "relations/family_index.h"

namespace vft::kin {

inline constexpr int kFamilyNode = FamilyIndex::kPersonSlots;
inline constexpr int kNodes = kFamilyNode + kMaxMarriages + 1;

// Under pedigree collapse the lines up to one ancestor multiply with every
// generation; a deeply inbred tree would have millions. The search keeps the
// shortest this many lines to each node, and at most kMaxLines in all.
inline constexpr int kLinesPerNode = 32;
inline constexpr std::size_t kMaxLines = 200000;

inline bool is_family(int node) { return node >= kFamilyNode; }
inline int family_node(int m) { return kFamilyNode + m; }
inline int family_of_node(int node) { return node - kFamilyNode; }

// Every line up from one person, shortest first: to each ancestor node the
// distinct lines (no node twice, so a damaged tree in which someone is his own
// ancestor still ends), each with its generation (the number of families on
// the way up, so a parent and the parents' family are 1). A line is known by
// its number; it ends in a node and continues down through the line it grew
// from. Kept between searches so that its arrays are allocated once.
class Ancestry {
 public:
  Ancestry() : at_(kNodes), open_(kNodes, 0) {}
  void search(const FamilyIndex& idx, std::int16_t start);

  std::int16_t start() const { return start_; }
  // The lines to node, shortest first; empty when it is no ancestor.
  std::span<const int> lines(int node) const { return at_[static_cast<std::size_t>(node)]; }
  int node(int line) const { return pool_[static_cast<std::size_t>(line)].node; }
  int gen(int line) const { return pool_[static_cast<std::size_t>(line)].gen; }
  // The line to the node below; -1 at the start.
  int below(int line) const { return pool_[static_cast<std::size_t>(line)].below; }
  // The nodes reached, nearest first.
  const std::vector<int>& nodes() const { return order_; }
  // Lines to node were left out by the bounds above: at it, or below it.
  bool cut(int node) const { return all_cut_ || open_[static_cast<std::size_t>(node)] != 0; }

 private:
  struct Line {
    int node, below, gen;
  };
  std::int16_t start_ = 0;
  bool all_cut_ = false;
  std::vector<std::vector<int>> at_;
  std::vector<char> open_;
  std::vector<Line> pool_;
  std::vector<int> order_;
  bool on_line(int line, int node) const;
  void mark_cut(const FamilyIndex& idx, const std::vector<int>& full);
};

// One way two lines meet. The meeting node is a family (full relationship)
// or a person (half, or the start of one line when one person descends from
// the other). The lines run from each start up to the node just below the
// meeting point, nearest to the start first; a line is empty when its start
// is the meeting point itself.
struct BloodWay {
  int meet = 0;
  int up = 0, down = 0;  // generations of a and of b below the meeting point
  bool half = false;
  std::vector<int> line_a, line_b;
};

struct BloodWays {
  std::vector<BloodWay> ways;
  int more = 0;      // ways found beyond the limit
  bool cut = false;  // a bound stopped the search: there may be more still
};

// Every way a's and b's lines meet: each pair of lines that share no person
// but the meeting point (a family both pass through is shared only when they
// leave it through the same parent). Closest first (fewest generations, full
// before half); only those `keep` accepts, if given; at most `limit`.
BloodWays FindBloodWays(const Ancestry& a, const Ancestry& b, int limit,
                        const std::function<bool(const BloodWay&)>& keep = {});

}  // namespace vft::kin
