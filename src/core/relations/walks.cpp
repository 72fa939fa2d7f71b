// The ancestor and descendant walks. Both may visit the whole tree, so instead
// of one table scan per step (as the single look-ups do) each walk first builds
// an index of the table in one pass; every step then answers exactly what the
// scan would: the first family listing a child, and a person's partnerships in
// ascending Marriage number.
#include <vector>

#include "relations/lookups.h"

namespace vft {
namespace {

constexpr std::size_t kPersonSlots = 32768;  // every positive i16 Person number

bool person_number(std::int16_t p) { return p >= 1; }
std::size_t at(std::int16_t p) { return static_cast<std::size_t>(p); }

// For every person the lowest-numbered family listing it as a child.
std::vector<std::int16_t> first_parent_family(const Session& s) {
  std::vector<std::int16_t> first(kPersonSlots, 0);
  const int count = FamilyCount(s);
  for (int m = 1; m <= count; ++m) {
    const MarriageRecord& f = s.family(m);
    for (int i = 0; i < KidCount(f); ++i) {
      std::int16_t k = f.Kids[static_cast<std::size_t>(i)];
      if (person_number(k) && first[at(k)] == 0) first[at(k)] = static_cast<std::int16_t>(m);
    }
  }
  return first;
}

// Every person's partnerships in ascending Marriage number, packed: the
// families of p are fams[begin[p] .. begin[p+1]).
struct Partnerships {
  std::vector<int> begin;
  std::vector<std::int16_t> fams;
};

Partnerships partnerships(const Session& s) {
  Partnerships idx;
  idx.begin.assign(kPersonSlots + 1, 0);
  const int count = FamilyCount(s);
  auto each_partner = [&](auto&& fn) {
    for (int m = 1; m <= count; ++m) {
      const MarriageRecord& f = s.family(m);
      if (person_number(f.Husband)) fn(f.Husband, m);
      if (person_number(f.Wife) && f.Wife != f.Husband) fn(f.Wife, m);
    }
  };
  each_partner([&](std::int16_t p, int) { ++idx.begin[at(p) + 1]; });
  for (std::size_t i = 1; i <= kPersonSlots; ++i) idx.begin[i] += idx.begin[i - 1];
  idx.fams.resize(static_cast<std::size_t>(idx.begin[kPersonSlots]));
  std::vector<int> fill(idx.begin.begin(), idx.begin.end() - 1);
  each_partner(
      [&](std::int16_t p, int m) { idx.fams[static_cast<std::size_t>(fill[at(p)]++)] = static_cast<std::int16_t>(m); });
  return idx;
}

}  // namespace

bool IsAncestor(const Session& s, std::int16_t x, std::int16_t target) {
  if (!person_number(x) || !person_number(target)) return false;
  const std::vector<std::int16_t> parent_family = first_parent_family(s);
  std::vector<bool> visited(kPersonSlots, false);
  std::vector<std::int16_t> stack{x};
  visited[at(x)] = true;
  while (!stack.empty()) {
    std::int16_t p = stack.back();
    stack.pop_back();
    std::int16_t m = parent_family[at(p)];
    if (!m) continue;
    const std::int16_t father = s.family(m).Husband, mother = s.family(m).Wife;
    if (father == target || mother == target) return true;
    // Mother pushed first so the father's line is explored first.
    for (std::int16_t parent : {mother, father})
      if (person_number(parent) && !visited[at(parent)]) {
        visited[at(parent)] = true;
        stack.push_back(parent);
      }
  }
  return false;
}

bool IsDescendant(const Session& s, std::int16_t x, std::int16_t c) {
  if (!person_number(x) || !person_number(c)) return false;
  const Partnerships idx = partnerships(s);
  std::vector<bool> visited(kPersonSlots, false);
  std::vector<std::int16_t> stack{c};
  visited[at(c)] = true;
  while (!stack.empty()) {
    std::int16_t p = stack.back();
    stack.pop_back();
    const int first = idx.begin[at(p)], end = idx.begin[at(p) + 1];
    for (int i = first; i < end && i - first < kMaxPartnerRows; ++i) {
      const MarriageRecord& f = s.family(idx.fams[static_cast<std::size_t>(i)]);
      const std::int16_t partner = f.Husband == p ? f.Wife : f.Husband;
      if (partner == 0) continue;
      // The couple's children are those of their first family (FamilyOfCouple),
      // which is among p's partnerships and not after this one.
      const MarriageRecord* couple = &f;
      for (int j = first; j < i; ++j) {
        const MarriageRecord& g = s.family(idx.fams[static_cast<std::size_t>(j)]);
        if (g.Husband == f.Husband && g.Wife == f.Wife) {
          couple = &g;
          break;
        }
      }
      for (int k = 0; k < KidCount(*couple); ++k) {
        std::int16_t kid = couple->Kids[static_cast<std::size_t>(k)];
        if (kid == x) return true;
        if (person_number(kid) && !visited[at(kid)]) {
          visited[at(kid)] = true;
          stack.push_back(kid);
        }
      }
    }
  }
  return false;
}

}  // namespace vft
