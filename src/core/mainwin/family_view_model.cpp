#include "mainwin/family_view_model.h"

#include "common/cp1252.h"
#include "relations/disconnect.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft {
namespace {

const MarriageRecord* family_at(const Session& s, std::int16_t m) {
  if (m < 1 || m > FamilyCount(s)) return nullptr;
  return &s.family(m);
}

std::int16_t kid_at(const MarriageRecord& f, int pos) { return f.Kids[static_cast<std::size_t>(pos)]; }

class ViewBuilder {
 public:
  ViewBuilder(const Session& s, const print::TextMeasure& measure, const ViewMetrics& metrics, FamilyViewModel& v)
      : s_(s), measure_(measure), metrics_(metrics), v_(v) {}

  // Fills a box with person n; an unreadable or missing person leaves it empty.
  void fill(Slot slot, std::int16_t n, bool visible_when_empty) {
    SlotView& box = v_.Slots[SlotIndex(slot)];
    box = SlotView{};
    box.Visible = visible_when_empty;
    PersonRecord p;
    if (n < 1 || !ReadStoredPerson(s_, n, p)) return;
    p.PerNum = n;
    const bool selected = slot == Slot::Selected;
    box.Visible = true;
    box.Person = n;
    box.Sex = SexOf(p);
    box.Deceased = !cp1252::trim(p.DeathDate).empty();
    box.Name = FitName(s_, measure_, metrics_.name_font, selected ? metrics_.selected_width : metrics_.box_width, p);
    box.Dates = DateLine(p, selected);
    box.Description = SlotDescription(p);
  }

  void grandparents(std::int16_t father, std::int16_t mother) {
    v_.GrandParents = {FatherOf(s_, father), MotherOf(s_, father), FatherOf(s_, mother), MotherOf(s_, mother)};
    if (father < 1) v_.GrandParents[0] = v_.GrandParents[1] = 0;
    if (mother < 1) v_.GrandParents[2] = v_.GrandParents[3] = 0;
    for (int i = 0; i < kGrandParentSlots; ++i) {
      const std::int16_t g = v_.GrandParents[static_cast<std::size_t>(i)];
      fill(GrandParentSlot(i), g, true);
      // Only a recorded father counts: that is what the marker has always meant.
      v_.Markers[static_cast<std::size_t>(i)] = v_.slot(GrandParentSlot(i)).Person && FatherOf(s_, g) >= 1;
    }
  }

  void partner_and_children(const PersonRecord& selected, const ViewCursor& cursor) {
    const PartnerList& list = s_.Rel.Partners;
    v_.PartnershipCount = list.count;
    v_.MoreSpouses = list.count >= 2;
    const int row = s_.Rel.DisplayedPartner;
    if (list.count < 1 || row < 0 || row >= list.count) return;
    const PartnerRow& shown = list.rows[static_cast<std::size_t>(row)];
    v_.DisplayedFamily = shown.Family;
    fill(Slot::Partner, shown.Partner, true);
    const std::int16_t partner = v_.slot(Slot::Partner).Person;
    // A partner has no grandparent box, so one parent of either kind counts.
    v_.Markers[kPartnerMarker] = partner && HasParents(s_, partner);
    v_.Partnership = PartnershipButtonCaption(s_, shown.Family);
    v_.EditMarrEnabled = true;
    v_.ToolTips = BuildCommandToolTips(s_, measure_, metrics_.tip_font, selected.PerNum, partner);
    children(cursor.ChildStart);
  }

  void children(int start) {
    const MarriageRecord* f = family_at(s_, v_.DisplayedFamily);
    const int n = f ? KidCount(*f) : 0;
    v_.KidCount = n;
    v_.MoreChildren = n > kChildSlots;
    if (n == 0) return;
    v_.ChildStart = ((start % n) + n) % n;
    for (int i = 0; i < kChildSlots && i < n; ++i) {
      const Slot slot = ChildSlot(i);
      fill(slot, kid_at(*f, (v_.ChildStart + i) % n), false);
      const SlotView& box = v_.slot(slot);
      if (!box.Person) continue;
      ChildrenButton& b = v_.ChildButtons[static_cast<std::size_t>(i)];
      b.Count = own_children(box.Person, box.Sex);
      b.Visible = b.Count >= 1;
      if (b.Count == 1) b.Caption = "One Child";
      else if (b.Count >= 2) b.Caption = NumberWord(b.Count) + " Children";
    }
  }

  void siblings(std::int16_t selected) {
    const MarriageRecord* f = family_at(s_, v_.ParentFamily);
    if (!f) return;
    const int n = KidCount(*f);
    int k = 0;
    while (k < n && kid_at(*f, k) != selected) ++k;
    if (k == n) return;  // a parent family always lists its child; a damaged one is ignored
    v_.RingSize = n;
    for (int i = 0; i < n; ++i) v_.SiblingRing[static_cast<std::size_t>(i)] = kid_at(*f, (k + i) % n);
    if (n >= 2) fill(Slot::Sibling0, v_.SiblingRing[1], false);
    if (n >= 3) fill(Slot::Sibling1, v_.SiblingRing[2], false);
    v_.MoreSiblings = n > 3;
  }

 private:
  // The children of every family in which the child is a parent (by its sex).
  int own_children(std::int16_t child, char sex) const {
    int count = 0;
    const int families = FamilyCount(s_);
    for (int m = 1; m <= families; ++m) {
      const MarriageRecord& f = s_.family(m);
      if ((sex == 'M' ? f.Husband : f.Wife) == child) count += KidCount(f);
    }
    return count;
  }

  const Session& s_;
  const print::TextMeasure& measure_;
  const ViewMetrics& metrics_;
  FamilyViewModel& v_;
};

}  // namespace

const char* SlotCaption(Slot slot) {
  switch (slot) {
    case Slot::GrandParent0:
    case Slot::GrandParent2: return "Grand Father";
    case Slot::GrandParent1:
    case Slot::GrandParent3: return "Grand Mother";
    case Slot::Father: return "Father";
    case Slot::Mother: return "Mother";
    case Slot::Selected: return "Selected";
    case Slot::Partner: return "Partner";
    case Slot::Sibling0:
    case Slot::Sibling1: return "Sibling";
    default: return "Child";
  }
}

PartnerList PartnershipsBySex(const Session& s, const PersonRecord& p) {
  PartnerList list;
  const std::int16_t n = p.PerNum;
  if (n < 1) return list;
  const bool male = SexOf(p) == 'M';
  const int families = FamilyCount(s);
  for (int m = 1; m <= families && list.count < kMaxPartnerRows; ++m) {
    const MarriageRecord& f = s.family(m);
    if ((male ? f.Husband : f.Wife) != n) continue;
    PartnerRow& row = list.rows[static_cast<std::size_t>(list.count++)];
    row.Partner = male ? f.Wife : f.Husband;
    row.Divorced = f.Divorced;
    row.NotMarried = f.NotMarried;
    row.MarriedDate = cp1252::fit(MarriageDateOf(s, static_cast<std::int16_t>(m)), width::MarriedDate);
    row.Family = static_cast<std::int16_t>(m);
  }
  return list;
}

bool LoadSelectedPerson(Session& s, std::int16_t n) {
  if (n < 1) return false;
  PersonRecord p;
  if (!ReadStoredPerson(s, n, p)) return false;
  s.Config.setLastPerson(n);
  s.CurNum = n;
  ReadPerson(s);
  SelectPersonForRelations(s, n);
  s.Rel.Selected.PerNum = n;
  s.Rel.Partners = PartnershipsBySex(s, s.Rel.Selected);
  if (s.Rel.DisplayedPartner < 0 || s.Rel.DisplayedPartner >= s.Rel.Partners.count) s.Rel.DisplayedPartner = 0;
  return true;
}

FamilyViewModel BuildFamilyView(const Session& s, const ViewCursor& cursor, const print::TextMeasure& measure,
                                const ViewMetrics& metrics) {
  FamilyViewModel v;
  v.HasTree = s.Config.NumPersons() - s.DeletedCount >= 1;
  const PersonRecord& selected = s.Rel.Selected;
  if (!v.HasTree || selected.PerNum < 1) return v;

  ViewBuilder b(s, measure, metrics, v);
  v.Selected = selected.PerNum;
  v.SelectedNum = std::to_string(selected.PerNum);
  b.fill(Slot::Selected, selected.PerNum, true);

  v.ParentFamily = ParentFamilyOf(s, selected.PerNum);
  const MarriageRecord* parents = family_at(s, v.ParentFamily);
  const std::int16_t father = parents ? parents->Husband : std::int16_t{0};
  const std::int16_t mother = parents ? parents->Wife : std::int16_t{0};
  b.grandparents(father, mother);
  b.fill(Slot::Father, father, true);
  b.fill(Slot::Mother, mother, true);
  if (v.slot(Slot::Father).Person && v.slot(Slot::Mother).Person)
    v.ParentsMarried = ParentsMarriedText(s, v.ParentFamily);

  v.ToolTips = BuildCommandToolTips(s, measure, metrics.tip_font, selected.PerNum, 0);
  b.partner_and_children(selected, cursor);
  b.siblings(selected.PerNum);

  if (v.DisplayedFamily) {
    const int parent_kids = parents ? KidCount(*parents) : 0;
    v.ArrangeEnabled = !(parent_kids < 2 && v.KidCount < 2 && v.PartnershipCount < 2);
  }
  v.DeleteEnabled = true;
  v.DisconnectEnabled = CanDisconnectFromParents(s, selected.PerNum) || CanDisconnectFromPartner(s);
  return v;
}

}  // namespace vft
