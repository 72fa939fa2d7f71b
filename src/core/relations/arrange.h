// Re-arranging the selected person's partners, siblings, or the children of
// the selected person and the displayed partner. Orders are data: children
// and siblings are the slot order of one family's Kids; partners are the
// order of Marriage numbers among the person's partnerships, so re-ordering
// partners moves whole families (children, flags and ceremony records) between
// those numbers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

enum class ArrangeMode { Partners = 1, Siblings = 2, Children = 3 };

struct ArrangeRow {
  std::string text;  // given names padded to 30, family name, marriage date
                     // (partners), the key right-aligned in the last 5 characters
  // Partners: 1-based index into the saved copies. Siblings and children: the
  // Person number.
  std::int16_t key = 0;
};

struct ArrangeList {
  ArrangeMode mode = ArrangeMode::Partners;
  std::int16_t person = 0;  // the selected person
  std::string title, label, header;
  std::vector<ArrangeRow> rows;  // in the order shown

  // Partners: the person's Marriage numbers in ascending order (the places
  // the rows are written back to) and the families and ceremony records as
  // they were when the list was built, saved[i] for key i+1.
  std::vector<std::int16_t> places;
  std::vector<MarriageRecord> saved_families;
  std::vector<CeremonyRecord> saved_ceremonies;
  // Siblings and children: the family whose Kids are re-ordered.
  std::int16_t family = 0;
};

// Builds the list for the selected person (s.Rel) in the given mode. An empty
// list (no partner, no parent family, no children with the displayed
// partner) has no rows; writing it changes nothing.
ArrangeList BuildArrangeList(const Session& s, ArrangeMode mode);

// Swaps row `row` (0-based) with the one above (up) or below; returns the row
// the moved member is on now (unchanged at either end).
int MoveArrangeRow(ArrangeList& list, int row, bool up);

// OK: writes the rows' order. The rows must be exactly the members the list
// was built with and the family table must still hold them as it did;
// otherwise a box titled "Problem" says so and nothing is written.
[[nodiscard]] bool WriteArrangement(Session& s, const ArrangeList& list);

}  // namespace vft
