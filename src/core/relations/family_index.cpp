#include "relations/family_index.h"

#include "relations/lookups.h"

namespace vft {

FamilyIndex::FamilyIndex(const Session& s)
    : s_(s), count_(FamilyCount(s)), parent_(kPersonSlots, 0), begin_(kPersonSlots + 1, 0) {
  for (int m = 1; m <= count_; ++m)
    for (std::int16_t k : kids(m))
      if (k >= 1 && parent_[static_cast<std::size_t>(k)] == 0)
        parent_[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(m);

  // Counted first, then filled, so the list of every person is one slice.
  auto each_partner = [&](auto&& fn) {
    for (int m = 1; m <= count_; ++m) {
      const MarriageRecord& f = family(m);
      if (f.Husband >= 1) fn(f.Husband, m);
      if (f.Wife >= 1 && f.Wife != f.Husband) fn(f.Wife, m);
    }
  };
  each_partner([&](std::int16_t p, int) { ++begin_[static_cast<std::size_t>(p) + 1]; });
  for (std::size_t i = 1; i < begin_.size(); ++i) begin_[i] += begin_[i - 1];
  fams_.resize(static_cast<std::size_t>(begin_.back()));
  std::vector<int> fill(begin_.begin(), begin_.end() - 1);
  each_partner([&](std::int16_t p, int m) {
    fams_[static_cast<std::size_t>(fill[static_cast<std::size_t>(p)]++)] = static_cast<std::int16_t>(m);
  });
}

std::span<const std::int16_t> FamilyIndex::families_of(std::int16_t p) const {
  if (p < 1) return {};
  const auto at = static_cast<std::size_t>(p);
  return std::span<const std::int16_t>(fams_).subspan(static_cast<std::size_t>(begin_[at]),
                                                      static_cast<std::size_t>(begin_[at + 1] - begin_[at]));
}

std::span<const std::int16_t> FamilyIndex::kids(int m) const {
  const MarriageRecord& f = family(m);
  return std::span<const std::int16_t>(f.Kids.data(), static_cast<std::size_t>(KidCount(f)));
}

}  // namespace vft
