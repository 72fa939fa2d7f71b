// Which lists the re-arrange window offers for the selected person, and the
// one it opens with.
#pragma once
#include <array>

#include "relations/arrange.h"
#include "store/session.h"

namespace vft {

struct ArrangeModes {
  // Indexed by ArrangeMode - 1: partners, siblings, children. A mode is
  // offered when its list has a row.
  std::array<bool, 3> offered{};
  // The first mode with something to re-order (two rows or more), else the
  // first offered one; Partners when nothing is offered.
  ArrangeMode first = ArrangeMode::Partners;
  bool any() const { return offered[0] || offered[1] || offered[2]; }
};

ArrangeModes ChooseArrangeModes(const Session& s);

}  // namespace vft
