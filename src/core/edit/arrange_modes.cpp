#include "edit/arrange_modes.h"

namespace vft {

ArrangeModes ChooseArrangeModes(const Session& s) {
  ArrangeModes out;
  constexpr std::array<ArrangeMode, 3> kModes{ArrangeMode::Partners, ArrangeMode::Siblings, ArrangeMode::Children};
  std::array<std::size_t, 3> rows{};
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    rows[i] = BuildArrangeList(s, kModes[i]).rows.size();
    out.offered[i] = rows[i] > 0;
  }
  bool found = false;
  for (std::size_t i = 0; i < kModes.size() && !found; ++i)
    if (rows[i] >= 2) out.first = kModes[i], found = true;
  for (std::size_t i = 0; i < kModes.size() && !found; ++i)
    if (rows[i] >= 1) out.first = kModes[i], found = true;
  return out;
}

}  // namespace vft
