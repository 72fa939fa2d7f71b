#include "mainwin/family_view_lists.h"

#include <charconv>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "relations/person_io.h"

namespace vft {
namespace {

void add_row(const Session& s, OverflowList& list, std::int16_t n, bool label_as_child = false) {
  PersonRecord p;
  if (n < 1 || !ReadStoredPerson(s, n, p)) return;
  ListRow row;
  row.Person = n;
  row.Sex = SexOf(p);
  if (label_as_child) row.Label = row.Sex == 'M' ? "Son" : row.Sex == 'F' ? "Daughter" : "Child";
  row.Name = DisplayName(s, p);
  row.Dates = DateLine(p, false);
  row.Text = row.Sex == 'M' ? kMaleRowMarker : row.Sex == 'F' ? kFemaleRowMarker : "";
  if (!row.Label.empty()) row.Text += row.Label + ": ";
  row.Text += row.Name + "   " + row.Dates + "   #" + std::to_string(n);
  list.Rows.push_back(std::move(row));
}

void add_parents(const Session& s, OverflowList& list, std::int16_t p) {
  if (p < 1) return;
  add_row(s, list, FatherOf(s, p));
  add_row(s, list, MotherOf(s, p));
}

// Children of every family in which p is the parent of p's sex.
void add_children_of(const Session& s, OverflowList& list, std::int16_t p, char sex) {
  const int families = FamilyCount(s);
  for (int m = 1; m <= families; ++m) {
    const MarriageRecord& f = s.family(m);
    if ((sex == 'M' ? f.Husband : f.Wife) != p) continue;
    for (int i = 0; i < KidCount(f); ++i) add_row(s, list, f.Kids[static_cast<std::size_t>(i)], true);
  }
}

}  // namespace

OverflowList BuildOverflowList(const Session& s, const FamilyViewModel& v, int kind) {
  OverflowList list;
  if (v.Selected < 1) return list;
  if (kind == listkind::Siblings) {
    for (std::int16_t sib : ListSiblings(s, v.Selected)) add_row(s, list, sib);
    list.Caption = NumberWord(static_cast<int>(list.Rows.size())) + " Siblings...";
  } else if (kind == listkind::Partners) {
    for (int i = 0; i < s.Rel.Partners.count; ++i)
      add_row(s, list, s.Rel.Partners.rows[static_cast<std::size_t>(i)].Partner);
    list.Caption = NumberWord(static_cast<int>(list.Rows.size())) + " Partners...";
  } else if (kind == listkind::Children) {
    if (v.DisplayedFamily >= 1 && v.DisplayedFamily <= FamilyCount(s)) {
      const MarriageRecord& f = s.family(v.DisplayedFamily);
      for (int i = 0; i < KidCount(f); ++i) add_row(s, list, f.Kids[static_cast<std::size_t>(i)]);
    }
    list.Caption = NumberWord(static_cast<int>(list.Rows.size())) + " Children...";
  } else if (kind >= listkind::ChildsChildren0 && kind < listkind::ChildsChildren0 + kChildSlots) {
    const int i = kind - listkind::ChildsChildren0;
    const SlotView& child = v.slot(ChildSlot(i));
    const int count = v.ChildButtons[static_cast<std::size_t>(i)].Count;
    if (!child.Person || count < 1) return list;
    PersonRecord p;
    if (!ReadStoredPerson(s, child.Person, p)) return list;
    const std::string verb = child.Deceased ? " had " : " has ";
    list.Caption = DisplayName(s, p) + verb + (count == 1 ? "One Child..." : NumberWord(count) + " Children...");
    add_children_of(s, list, child.Person, child.Sex);
  } else if (kind >= listkind::GreatGrandParents0 && kind < listkind::GreatGrandParents0 + kGrandParentSlots) {
    const int i = kind - listkind::GreatGrandParents0;
    list.Caption = i < 2 ? "Paternal Great Grand Parents are... " : "Maternal Great Grand Parents are... ";
    add_parents(s, list, v.GrandParents[static_cast<std::size_t>(i)]);
  } else if (kind == listkind::PartnersParents) {
    list.Caption = "Partners Parents are... ";
    add_parents(s, list, v.slot(Slot::Partner).Person);
  }
  return list;
}

std::int16_t RowPersonNumber(std::string_view row_text) {
  const std::size_t hash = row_text.rfind('#');
  if (hash == std::string_view::npos) return 0;
  const char* first = row_text.data() + hash + 1;
  const char* last = row_text.data() + row_text.size();
  while (first < last && *first == ' ') ++first;
  int n = 0;
  auto [end, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || end == first || n < 1 || n > 32767) return 0;
  return static_cast<std::int16_t>(n);
}

std::string SlotHoverStatus(const Session& s, const FamilyViewModel& v, Slot slot) {
  const SlotView& box = v.slot(slot);
  if (!box.Person) return {};
  return SlotCaption(slot) + s.Messages[msg::Is] + box.Description;
}

}  // namespace vft
