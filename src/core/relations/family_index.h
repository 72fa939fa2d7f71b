// The family table indexed once for searches that cross the whole tree (how
// two persons are related, the chain of links between them). Every answer is
// the one the single look-ups give: a person's parent family is the first
// family listing it as a child (ParentFamilyOf), its partnerships are the
// families naming it Husband or Wife in ascending Marriage number. Damaged
// values stay inside the table as the look-ups keep them: Person numbers
// below 1 are nobody, NumKids counts within 0..41.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "store/session.h"

namespace vft {

class FamilyIndex {
 public:
  // Every positive 16-bit Person number has a slot.
  static constexpr int kPersonSlots = 32768;

  explicit FamilyIndex(const Session& s);

  // ParentFamilyOf(p); 0 if none.
  std::int16_t parent_family(std::int16_t p) const { return p >= 1 ? parent_[static_cast<std::size_t>(p)] : 0; }
  // The families in which p is Husband or Wife, ascending.
  std::span<const std::int16_t> families_of(std::int16_t p) const;
  // Husband, Wife and children of family m (1..families()).
  const MarriageRecord& family(int m) const { return s_.family(m); }
  std::span<const std::int16_t> kids(int m) const;
  int families() const { return count_; }

 private:
  const Session& s_;
  int count_ = 0;
  std::vector<std::int16_t> parent_;
  std::vector<int> begin_;  // p's families are fams_[begin_[p] .. begin_[p+1])
  std::vector<std::int16_t> fams_;
};

}  // namespace vft
