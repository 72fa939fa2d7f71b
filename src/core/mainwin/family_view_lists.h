// The overflow list that opens when the pointer rests on a "More" control, a
// children button or a great-grandparent marker, and the status texts that
// hovering shows.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mainwin/family_view_model.h"

namespace vft {

// Which list a hover asks for (ViewCursor::ListKind).
namespace listkind {
constexpr int Siblings = 1;
constexpr int Partners = 2;
constexpr int Children = 3;
constexpr int ChildsChildren0 = 4;     // 4..7: the children of child slot 0..3
constexpr int GreatGrandParents0 = 8;  // 8..11: the parents of grandparent 0..3
constexpr int PartnersParents = 12;
}  // namespace listkind

inline int ListKindForChildButton(int slot) { return listkind::ChildsChildren0 + slot; }
// Markers 0..3 stand above the grandparents, marker 4 above the partner.
inline int ListKindForMarker(int marker) { return listkind::GreatGrandParents0 + marker; }

// Row markers: the list colours a row by the marker it starts with.
inline constexpr const char* kMaleRowMarker = "\\2\\ ";
inline constexpr const char* kFemaleRowMarker = "\\1\\ ";

struct ListRow {
  std::int16_t Person = 0;
  char Sex = 0;       // 'M', 'F' or 0: the row's colour
  std::string Label;  // "Son" / "Daughter" in a list of a child's children
  std::string Name;
  std::string Dates;
  // The row as the list holds it: marker, label, name, dates and "#" + the
  // Person number, which is what a click on the row selects.
  std::string Text;
};

struct OverflowList {
  std::string Caption;
  std::vector<ListRow> Rows;
};

// The list for `kind` on the view `v` of the selected person; no rows for a
// kind that has nothing to show.
OverflowList BuildOverflowList(const Session& s, const FamilyViewModel& v, int kind);

// The Person number after the last "#" of a row; 0 when there is none.
std::int16_t RowPersonNumber(std::string_view row_text);

// "<caption> is <description>" for a box with a person; empty for an empty box.
std::string SlotHoverStatus(const Session& s, const FamilyViewModel& v, Slot slot);
// The status line while a great-grandparent marker is under the pointer.
inline constexpr const char* kMarkerStatus = "Great Grand Parents recorded.";

}  // namespace vft
