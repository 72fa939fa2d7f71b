#include "relations/add_person.h"

#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/record_transaction.h"

namespace vft {
namespace {

constexpr int kMaxPersonsBeforeAdd = 14999;

// A refused link must not lose the person just stored: it stays as an
// unrelated person. (After a failed write nothing more is written: the
// transaction takes the whole addition back.)
LinkResult refused(Session& s, std::int16_t a) {
  if (s.disk.failure().error == 0 && !familywrite::ensure_parent_family(s, a)) {
    // Refused for the tree's limits as well: the box has said so.
  }
  ResetRelationState(s);
  return {LinkStep::Refused, {}};
}

LinkResult link_parent(Session& s, std::int16_t a, std::int16_t c) {
  RelationState& r = s.Rel;
  const bool father = r.AsFather;
  if (!(father ? SetFather(s, c, a) : SetMother(s, c, a))) return refused(s, a);
  SelectPersonForRelations(s, c);
  if ((father ? MotherOf(s, c) : FatherOf(s, c)) >= 1) return {LinkStep::EditParentsMarriage, {}};
  r.AsFather = !father;
  r.AsMother = father;
  r.RememberedParent = a;
  return {LinkStep::AskOtherParent, {}};
}

}  // namespace

bool RoomForAnotherPerson(Session& s) {
  if (s.Config.NumPersons() < kMaxPersonsBeforeAdd) return true;
  s.ask("Problem", s.Messages[msg::MaxPersons], Buttons::OK, Icon::Critical);
  return false;
}

LinkResult LinkNewPerson(Session& s, std::int16_t a) {
  RecordTransaction tx(s);
  RelationState& r = s.Rel;
  if (s.Config.NumMarriages() < 1) {
    // The first person of an empty tree: family 1 is its parent family.
    if (!NewParentFamily(s, a)) return refused(s, a);
    s.AddingFirstPerson = false;
    SelectPersonForRelations(s, a);
    ResetRelationState(s);
    return {};
  }
  const std::int16_t c = r.Selected.PerNum;
  if (r.AddMode && (r.AsFather || r.AsMother)) return link_parent(s, a, c);
  if (r.AddMode && r.AsSibling) {
    if (!InsertSiblingAt(s, a, c, r.InsertPosition)) return refused(s, a);
    ResetRelationState(s);
    SelectPersonForRelations(s, c);
    return {LinkStep::Done, "Undo addition of sibling " + DisplayNameOf(s, a)};
  }
  if (r.AddMode && r.AsChild) {
    const bool linked = (r.ChildFather || r.ChildMother)
                            ? InsertChildOfCouple(s, r.ChildFather, r.ChildMother, a, r.InsertPosition)
                            : AppendChild(s, a, c) != 0;
    if (!linked) return refused(s, a);
    ResetRelationState(s);
    return {LinkStep::Done, "Undo addition of child " + DisplayNameOf(s, a)};
  }
  if (r.AddMode && r.AsPartner) {
    r.NewPerson = a;
    return {LinkStep::EditPartnership, {}};
  }
  // Unrelated (or no relation chosen): the person starts a family of its own.
  const bool unrelated = r.AsUnrelated;
  if (!familywrite::ensure_parent_family(s, a)) return refused(s, a);
  ResetRelationState(s);
  return {unrelated ? LinkStep::UnrelatedNotice : LinkStep::Done, {}};
}

std::int16_t LinkNewPartner(Session& s, std::int16_t a) {
  RecordTransaction tx(s);
  RelationState& r = s.Rel;
  const std::int16_t c = r.Selected.PerNum;
  const std::int16_t m =
      r.PartnerSequenceMode ? InsertPartnershipAt(s, a, c, r.InsertPosition) : CompleteSoleParentFamily(s, a, c);
  if (!m) {
    if (r.AddMode && tx.ok() && !familywrite::ensure_parent_family(s, a)) {
      // Refused for the tree's limits as well: the box has said so.
    }
    return 0;
  }
  SelectPersonForRelations(s, c);
  for (int i = 0; i < r.Partners.count; ++i)
    if (r.Partners.rows[static_cast<std::size_t>(i)].Family == m) r.DisplayedPartner = i;
  return m;
}

std::int16_t SupplyUnknownParent(Session& s) {
  RecordTransaction tx(s);
  RelationState& r = s.Rel;
  const std::int16_t c = r.Selected.PerNum;
  const bool mother = r.AsMother;
  r.AsFather = !mother;  // CreateUnknownPerson leaves the linking of a parent to us
  r.AsMother = mother;
  std::int16_t p = CreateUnknownPerson(s, mother ? 'F' : 'M');
  if (p && (mother ? SetMother(s, c, p) : SetFather(s, c, p)) && !familywrite::ensure_parent_family(s, p)) {
    // Refused for the tree's limits: the box has said so.
  }
  ResetRelationState(s);
  SelectPersonForRelations(s, c);
  return tx.ok() ? p : std::int16_t{0};
}

}  // namespace vft
