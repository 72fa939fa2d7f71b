// Moving around the family view: refreshes, clicks on boxes and the three
// "More" buttons.
#include "mainwin/commands.h"
#include "mainwin/family_view_model.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft {
namespace {

const MarriageRecord* displayed_family(const Session& s) {
  const PartnerList& list = s.Rel.Partners;
  const int row = s.Rel.DisplayedPartner;
  if (s.Rel.Selected.PerNum < 1 || row < 0 || row >= list.count) return nullptr;
  const std::int16_t m = list.rows[static_cast<std::size_t>(row)].Family;
  if (m < 1 || m > FamilyCount(s)) return nullptr;
  return &s.family(m);
}

// Entry i of the selected person's sibling ring (0 is the selected person).
std::int16_t ring_entry(const Session& s, int i, int* ring_size = nullptr) {
  const std::int16_t c = s.Rel.Selected.PerNum;
  const std::int16_t m = ParentFamilyOf(s, c);
  if (ring_size) *ring_size = 0;
  if (!m) return 0;
  const MarriageRecord& f = s.family(m);
  const int n = KidCount(f);
  int k = 0;
  while (k < n && f.Kids[static_cast<std::size_t>(k)] != c) ++k;
  if (k == n || i >= n) return 0;
  if (ring_size) *ring_size = n;
  return f.Kids[static_cast<std::size_t>((k + i) % n)];
}

}  // namespace

FamilyViewModel RefreshFamilyView(Session& s, ViewCursor& cursor, const print::TextMeasure& measure,
                                  const ViewMetrics& metrics) {
  cursor.ChildStart = 0;
  std::string status = RestingStatus(s);
  if (s.Config.NumPersons() < 1) s.Config.setEnblPrompts(1);
  const bool living = s.Config.NumPersons() - s.DeletedCount >= 1;
  if (living && s.Config.LastPerson() >= 1) {
    if (!LoadSelectedPerson(s, s.Config.LastPerson())) s.Rel.Selected = PersonRecord{};
  } else {
    // Nothing to show (a new tree, or every person deleted): forget the old one.
    s.Rel.Selected = PersonRecord{};
    s.Rel.Partners = PartnerList{};
    s.Rel.DisplayedPartner = 0;
  }
  FamilyViewModel v = BuildFamilyView(s, cursor, measure, metrics);
  v.Status = std::move(status);
  return v;
}

std::int16_t SlotTarget(const Session& s, const ViewCursor& cursor, Slot slot) {
  const std::int16_t c = s.Rel.Selected.PerNum;
  if (c < 1) return 0;
  switch (slot) {
    case Slot::Selected: return 0;
    case Slot::Father: return FatherOf(s, c);
    case Slot::Mother: return MotherOf(s, c);
    case Slot::GrandParent0: return FatherOf(s, FatherOf(s, c));
    case Slot::GrandParent1: return MotherOf(s, FatherOf(s, c));
    case Slot::GrandParent2: return FatherOf(s, MotherOf(s, c));
    case Slot::GrandParent3: return MotherOf(s, MotherOf(s, c));
    case Slot::Partner: {
      const int row = s.Rel.DisplayedPartner;
      if (row < 0 || row >= s.Rel.Partners.count) return 0;
      return s.Rel.Partners.rows[static_cast<std::size_t>(row)].Partner;
    }
    case Slot::Sibling0:
    case Slot::Sibling1: {
      const int i = static_cast<int>(slot) - static_cast<int>(Slot::Sibling0);
      int n = 0;
      const std::int16_t p = ring_entry(s, i + 1, &n);
      // Sibling slot i is drawn only when the family has i + 2 children.
      return n >= i + 2 ? p : std::int16_t{0};
    }
    default: {
      const int i = static_cast<int>(slot) - static_cast<int>(Slot::Child0);
      const MarriageRecord* f = displayed_family(s);
      const int n = f ? KidCount(*f) : 0;
      if (i >= n) return 0;
      const int start = ((cursor.ChildStart % n) + n) % n;
      return f->Kids[static_cast<std::size_t>((start + i) % n)];
    }
  }
}

bool NavigateTo(Session& s, ViewCursor& cursor, std::int16_t n) {
  if (!LoadSelectedPerson(s, n)) return false;
  s.Rel.DisplayedPartner = 0;  // a new person is shown with the first partnership
  cursor.SiblingSteps = 0;
  cursor.ChildStart = 0;
  return true;
}

bool SelectSlot(Session& s, ViewCursor& cursor, Slot slot) {
  return NavigateTo(s, cursor, SlotTarget(s, cursor, slot));
}

bool NextPartner(Session& s, ViewCursor& cursor) {
  const int count = s.Rel.Partners.count;
  if (s.Rel.Selected.PerNum < 1 || count < 2) return false;
  s.Rel.DisplayedPartner = s.Rel.DisplayedPartner + 1 >= count ? 0 : s.Rel.DisplayedPartner + 1;
  cursor.ChildStart = 0;
  return true;
}

bool NextChild(Session& s, ViewCursor& cursor) {
  const MarriageRecord* f = displayed_family(s);
  const int n = f ? KidCount(*f) : 0;
  if (n <= kChildSlots) return false;
  const int start = ((cursor.ChildStart % n) + n) % n;
  cursor.ChildStart = start + 1 > n - 1 ? 0 : start + 1;
  return true;
}

bool NextSibling(Session& s, ViewCursor& cursor) {
  int n = 0;
  std::int16_t next = ring_entry(s, 1, &n);
  if (n <= 3) return false;
  if (next == 0) next = s.Rel.Selected.PerNum;
  // The displayed partnership row is kept when the sibling has one there
  // (LoadSelectedPerson goes back to the first otherwise).
  if (!LoadSelectedPerson(s, next)) return false;
  ++cursor.SiblingSteps;
  cursor.ChildStart = 0;
  return true;
}

}  // namespace vft
