// What the family view shows around the selected person, worked out without
// any window: the fourteen person boxes, the lines and buttons between them,
// and the enabled state of the commands that depend on the view.
//
// The view keeps no copy of the tree. The selected person lives in the
// session (s.Rel.Selected, with its partnership list s.Rel.Partners and the
// displayed row s.Rel.DisplayedPartner; s.Config LastPerson remembers it for
// the next start); the window keeps only a ViewCursor. Every change therefore
// goes: a navigation function updates the session and the cursor, then
// BuildFamilyView recomputes everything shown from them.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/text_measure.h"
#include "mainwin/family_view_text.h"
#include "store/session.h"

namespace vft {

// The boxes of the diagram, in a fixed order.
enum class Slot : int {
  GrandParent0,
  GrandParent1,
  GrandParent2,
  GrandParent3,  // father's father, father's mother, mother's ...
  Father,
  Mother,
  Selected,
  Partner,
  Sibling0,
  Sibling1,
  Child0,
  Child1,
  Child2,
  Child3,
};
inline constexpr int kSlotCount = 14;
inline constexpr int kGrandParentSlots = 4, kSiblingSlots = 2, kChildSlots = 4;
inline constexpr int kMarkerCount = 5;  // above the four grandparents, then above the partner
inline constexpr int kPartnerMarker = 4;

inline Slot GrandParentSlot(int i) { return static_cast<Slot>(static_cast<int>(Slot::GrandParent0) + i); }
inline Slot SiblingSlot(int i) { return static_cast<Slot>(static_cast<int>(Slot::Sibling0) + i); }
inline Slot ChildSlot(int i) { return static_cast<Slot>(static_cast<int>(Slot::Child0) + i); }
inline std::size_t SlotIndex(Slot slot) { return static_cast<std::size_t>(slot); }

// The fixed title of a box ("Grand Father", "Father", "Selected", ...).
const char* SlotCaption(Slot slot);

// How wide the boxes are (twips) and the font of their name lines: names are
// shortened to fit.
struct ViewMetrics {
  double box_width = 2880;
  double selected_width = 3600;
  print::Font name_font{"Arial", 10, true, false, false};
  // Tool tips name people in this font, whatever the size of the boxes.
  print::Font tip_font{"Arial", 10, false, false, false};
};

struct SlotView {
  // Drawn at all. Empty grandparent and parent boxes are drawn empty; partner,
  // sibling and child boxes without a person are not drawn.
  bool Visible = false;
  std::int16_t Person = 0;  // 0: empty box
  char Sex = 0;             // 'M', 'F', or 0 for neither (or an empty box)
  bool Deceased = false;    // a death date is recorded
  std::string Name;         // FitName
  std::string Dates;        // the date line
  std::string Description;  // what hovering shows after "<caption> is "
};

// The button under a child's box that counts that child's own children.
struct ChildrenButton {
  bool Visible = false;
  int Count = 0;
  std::string Caption;  // "One Child", "Three Children", ...
};

struct FamilyViewModel {
  std::int16_t Selected = 0;  // 0: nothing is shown
  std::string SelectedNum;    // lblSelectedNum
  std::array<SlotView, kSlotCount> Slots{};
  std::array<std::int16_t, kGrandParentSlots> GrandParents{};
  std::array<bool, kMarkerCount> Markers{};  // great-grandparent markers

  std::string ParentsMarried;     // the line between the parents; empty when not both are known
  std::int16_t ParentFamily = 0;  // the selected person's parent family

  std::int16_t DisplayedFamily = 0;  // Marriage number of the displayed partnership
  int PartnershipCount = 0;          // the selected person's partnerships (at most 20)
  PartnershipCaption Partnership;    // butPartnersMarried; shown with the partner box

  int KidCount = 0;    // children of the displayed partnership
  int ChildStart = 0;  // the Kids position shown in child slot 0
  std::array<ChildrenButton, kChildSlots> ChildButtons{};

  // The sibling ring: the parent family's children rotated so that entry 0 is
  // the selected person; RingSize is that family's NumKids.
  std::array<std::int16_t, kMaxKids> SiblingRing{};
  int RingSize = 0;

  bool MoreSpouses = false, MoreChildren = false, MoreSiblings = false;

  // Commands that depend on the view. Re-arranging keeps its state when no
  // partnership is displayed (nullopt).
  bool HasTree = false;  // at least one living person: command buttons shown
  std::optional<bool> ArrangeEnabled;
  bool EditMarrEnabled = false;
  bool DeleteEnabled = false;
  bool DisconnectEnabled = false;
  CommandToolTips ToolTips;

  std::string Status;  // the status line after a refresh

  const SlotView& slot(Slot s) const { return Slots[SlotIndex(s)]; }
};

// The window's own part of the view state.
struct ViewCursor {
  int ChildStart = 0;    // reset by every navigation and refresh
  int SiblingSteps = 0;  // "next sibling" presses since the last other navigation
  int ListKind = 0;      // the overflow list the pending hover tick is to show
};

// The selected person's partnerships as the view lists them: a man's
// families as Husband, anyone else's as Wife, in Marriage number order, at
// most 20.
PartnerList PartnershipsBySex(const Session& s, const PersonRecord& p);

// Makes n the selected person: LastPerson, the person-to-read (CurNum and
// Person), s.Rel.Selected with its sibling list and its partnerships by sex.
// The displayed partnership stays when it still exists. False (and nothing
// changed) when n cannot be read.
bool LoadSelectedPerson(Session& s, std::int16_t n);

// Everything shown for the selected person in s.Rel, with the children from
// cursor.ChildStart. Reads records but changes nothing.
FamilyViewModel BuildFamilyView(const Session& s, const ViewCursor& cursor, const print::TextMeasure& measure,
                                const ViewMetrics& metrics);

// ---- operations of the view (each updates the session and the cursor; the
// caller then builds the view again)

// The whole view for LastPerson after the records changed. Keeps the
// displayed partnership when it is still valid, starts the children again at
// the first. With no person record the on-screen prompts are switched on.
FamilyViewModel RefreshFamilyView(Session& s, ViewCursor& cursor, const print::TextMeasure& measure,
                                  const ViewMetrics& metrics);

// The person a click on `slot` selects (0 for none). Selected gives 0: that
// box opens the person editor instead.
std::int16_t SlotTarget(const Session& s, const ViewCursor& cursor, Slot slot);
// Navigation to person n (a box, a list row): the first partnership shown,
// children from the first, sibling steps forgotten. False when n is 0 or
// cannot be read.
bool NavigateTo(Session& s, ViewCursor& cursor, std::int16_t n);
bool SelectSlot(Session& s, ViewCursor& cursor, Slot slot);

// "<< More": the next partnership, after the last the first again; the
// children start again at the first. False when there is nothing to step to.
bool NextPartner(Session& s, ViewCursor& cursor);
// "More >>" under the children: moves the shown children on by one.
bool NextChild(Session& s, ViewCursor& cursor);
// "More >>" by the siblings: the next sibling becomes the selected person
// (the displayed partnership is kept when that sibling has one at that row).
bool NextSibling(Session& s, ViewCursor& cursor);

}  // namespace vft
