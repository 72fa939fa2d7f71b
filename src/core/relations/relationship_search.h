// The blood-line search behind FindRelationship (relationship.h), on the
// graph of persons and families: a person leads up to its parent family, a
// family up to its Husband and Wife. Nodes are numbered so that one array
// covers both: Person number p is node p, family m is node kFamilyNode + m.
#pragma once
#include <cstdint>
#include <vector>

#include "relations/family_index.h"

namespace vft::kin {

inline constexpr int kFamilyNode = FamilyIndex::kPersonSlots;
inline constexpr int kNodes = kFamilyNode + kMaxMarriages + 1;

inline bool is_family(int node) { return node >= kFamilyNode; }
inline int family_node(int m) { return kFamilyNode + m; }
inline int family_of_node(int node) { return node - kFamilyNode; }

// Every line up from one person: each ancestor node with its generation (the
// number of families on the way up, so a parent and the parents' family are
// 1) and the node below it on one shortest line. Kept between searches so
// that its arrays are allocated once.
class Ancestry {
 public:
  Ancestry() : gen_(kNodes, -1), below_(kNodes, -1) {}
  void search(const FamilyIndex& idx, std::int16_t start);

  std::int16_t start() const { return start_; }
  int gen(int node) const { return gen_[static_cast<std::size_t>(node)]; }
  int below(int node) const { return below_[static_cast<std::size_t>(node)]; }
  // The nodes reached, nearest first.
  const std::vector<int>& nodes() const { return order_; }

 private:
  std::int16_t start_ = 0;
  std::vector<int> gen_, below_, order_;
  void visit(int node, int gen, int from);
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

// Every way a's and b's lines meet, closest first (fewest generations, full
// before half); at most `limit`, `more` counts the ways left out.
std::vector<BloodWay> FindBloodWays(const FamilyIndex& idx, const Ancestry& a, const Ancestry& b, int limit,
                                    int& more);

}  // namespace vft::kin
