#include "relations/ancestry_loops.h"

#include <algorithm>
#include <cstdint>

#include "common/sentence.h"
#include "relations/lookups.h"

namespace vft {

std::vector<LoopLink> FindAncestryLoops(const MarriageRecord* families, int count, int persons) {
  std::vector<LoopLink> out;
  if (persons < 1 || count < 1) return out;
  const auto np = static_cast<std::size_t>(persons);
  auto in_range = [&](int p) { return p >= 1 && p <= persons; };
  std::vector<std::vector<int>> partner_in(np + 1);
  for (int f = 1; f <= count; ++f) {
    const MarriageRecord& m = families[f - 1];
    if (in_range(m.Husband)) partner_in[static_cast<std::size_t>(m.Husband)].push_back(f);
    if (in_range(m.Wife) && m.Wife != m.Husband) partner_in[static_cast<std::size_t>(m.Wife)].push_back(f);
  }
  enum : char { Unseen, OnPath, Done };
  std::vector<char> state(np + 1, Unseen);
  std::vector<std::uint64_t> cut(static_cast<std::size_t>(count) + 1, 0);  // child slots taken out
  struct Frame {
    int person;
    std::size_t family = 0;  // next partnership of `person` to walk
    int slot = 0;            // next child slot in it
  };
  std::vector<Frame> path;
  for (int root = 1; root <= persons; ++root) {
    if (state[static_cast<std::size_t>(root)] != Unseen) continue;
    state[static_cast<std::size_t>(root)] = OnPath;
    path.push_back({root});
    while (!path.empty()) {
      Frame& fr = path.back();
      const std::vector<int>& fams = partner_in[static_cast<std::size_t>(fr.person)];
      if (fr.family == fams.size()) {
        state[static_cast<std::size_t>(fr.person)] = Done;
        path.pop_back();
        continue;
      }
      const int f = fams[fr.family];
      const MarriageRecord& m = families[f - 1];
      if (fr.slot >= KidCount(m)) {
        ++fr.family;
        fr.slot = 0;
        continue;
      }
      const int slot = fr.slot++;
      const int child = m.Kids[static_cast<std::size_t>(slot)];
      const std::uint64_t bit = std::uint64_t{1} << slot;
      if (!in_range(child) || (cut[static_cast<std::size_t>(f)] & bit)) continue;
      char& seen = state[static_cast<std::size_t>(child)];
      if (seen == OnPath) {
        // The child is already above us on this line of descent.
        cut[static_cast<std::size_t>(f)] |= bit;
        out.push_back({child, f});
      } else if (seen == Unseen) {
        seen = OnPath;
        path.push_back({child});  // `fr` is not used after this
      }
    }
  }
  return out;
}

std::string OwnAncestorRefusal(const std::string& child_name) {
  return Sentence({child_name, "would become his or her own ancestor, so the connection was not made."});
}

bool WouldBeOwnAncestor(const Session& s, int child, int parent) {
  if (child < 1 || parent < 1) return false;
  if (child == parent) return true;
  const int families = std::clamp<int>(s.Config.NumMarriages(), 0, kMaxMarriages);
  std::vector<std::vector<int>> partner_in;
  auto grow = [&](int p) {
    if (static_cast<std::size_t>(p) >= partner_in.size()) partner_in.resize(static_cast<std::size_t>(p) + 1);
  };
  for (int f = 1; f <= families; ++f) {
    const MarriageRecord& m = s.family(f);
    for (int p : {static_cast<int>(m.Husband), static_cast<int>(m.Wife)}) {
      if (p < 1) continue;
      grow(p);
      partner_in[static_cast<std::size_t>(p)].push_back(f);
    }
  }
  std::vector<int> todo{child};
  std::vector<bool> seen;
  while (!todo.empty()) {
    const int p = todo.back();
    todo.pop_back();
    if (static_cast<std::size_t>(p) >= partner_in.size()) continue;
    for (int f : partner_in[static_cast<std::size_t>(p)]) {
      const MarriageRecord& m = s.family(f);
      for (int k = 0; k < KidCount(m); ++k) {
        const int kid = m.Kids[static_cast<std::size_t>(k)];
        if (kid == parent) return true;
        if (kid < 1) continue;
        if (static_cast<std::size_t>(kid) >= seen.size()) seen.resize(static_cast<std::size_t>(kid) + 1, false);
        if (!seen[static_cast<std::size_t>(kid)]) {
          seen[static_cast<std::size_t>(kid)] = true;
          todo.push_back(kid);
        }
      }
    }
  }
  return false;
}

}  // namespace vft
