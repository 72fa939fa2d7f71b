// The last step of a connection, once the user has chosen the family and the
// place. Room in the target family is checked before the person leaves its old
// one, so a refusal changes nothing.
#include "relations/ancestry_loops.h"
#include "relations/connect.h"
#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/record_transaction.h"

namespace vft {
namespace {

using familywrite::refuse;

// The family exists and can take one more child.
bool can_take_child(Session& s, std::int16_t m, std::int16_t child) {
  if (m < 1 || m > FamilyCount(s)) return refuse(s, DisplayNameOf(s, child) + " has no family to join.");
  if (KidCount(s.family(m)) >= kMaxKids) return familywrite::refuse_full_family(s, child);
  return true;
}

// The other checks look at what the connect dialogs show; this one looks at
// the whole tree, so that no connection ever makes a person his or her own
// ancestor.
bool no_loop(Session& s, std::int16_t child, std::int16_t h, std::int16_t w) {
  if (!WouldBeOwnAncestor(s, child, h) && !WouldBeOwnAncestor(s, child, w)) return true;
  return refuse(s, OwnAncestorRefusal(DisplayNameOf(s, child)));
}

// The step's name, unless the window's change has named it already.
void name_step(Session& s, std::int16_t x) {
  if (s.History.step_text.empty()) s.History.step_text = "Undo connection of " + DisplayNameOf(s, x);
}

bool finish(Session& s, bool ok) {
  const std::int16_t c = s.Rel.Selected.PerNum;
  ResetRelationState(s);
  SelectPersonForRelations(s, c);
  return ok;
}

}  // namespace

bool FinishConnectSibling(Session& s, std::int16_t x, int k) {
  RecordTransaction tx(s);
  name_step(s, x);
  const std::int16_t c = s.Rel.Selected.PerNum;
  // x joins c's parent family unless x has parents and c has none.
  const bool x_moves = !HasParents(s, x);
  const std::int16_t mover = x_moves ? x : c, stays = x_moves ? c : x;
  if (!can_take_child(s, ParentFamilyOf(s, stays), mover)) return finish(s, false);
  const MarriageRecord& joined = s.family(ParentFamilyOf(s, stays));
  if (!no_loop(s, mover, joined.Husband, joined.Wife)) return finish(s, false);
  if (RemoveFromParentFamily(s, mover) < 0) return finish(s, false);
  return finish(s, InsertSiblingAt(s, mover, stays, k) && tx.commit());
}

bool FinishConnectChild(Session& s, std::int16_t x, std::int16_t h, std::int16_t w, int k) {
  RecordTransaction tx(s);
  name_step(s, x);
  const std::int16_t m = FamilyBetween(s, h, w);
  if (!m) {
    refuse(s, "No family of " + DisplayNameOf(s, h) + " and " + DisplayNameOf(s, w) + " is on record.");
    return finish(s, false);
  }
  if (!can_take_child(s, m, x) || !no_loop(s, x, h, w)) return finish(s, false);
  if (RemoveFromParentFamily(s, x) < 0) return finish(s, false);
  return finish(s, InsertChildOfCouple(s, h, w, x, k) && tx.commit());
}

bool FinishConnectParentWithSpouse(Session& s, std::int16_t x, std::int16_t spouse, int k) {
  RecordTransaction tx(s);
  name_step(s, x);
  const std::int16_t c = s.Rel.Selected.PerNum;
  const std::int16_t m = FamilyBetween(s, x, spouse);
  if (!m) {
    refuse(s, "No family of " + DisplayNameOf(s, x) + " and " + DisplayNameOf(s, spouse) + " is on record.");
    return finish(s, false);
  }
  if (!can_take_child(s, m, c)) return finish(s, false);
  const MarriageRecord& f = s.family(m);
  const std::int16_t h = f.Husband, w = f.Wife;
  if (!no_loop(s, c, h, w)) return finish(s, false);
  if (RemoveFromParentFamily(s, c) < 0) return finish(s, false);
  return finish(s, InsertChildOfCouple(s, h, w, c, k) && tx.commit());
}

bool FinishConnectParentAlone(Session& s, std::int16_t x) {
  RecordTransaction tx(s);
  name_step(s, x);
  RelationState& r = s.Rel;
  const std::int16_t c = r.Selected.PerNum;
  const std::int16_t m = ParentFamilyOf(s, c);
  if (!m) {
    refuse(s, DisplayNameOf(s, c) + " is not listed as a child in any family.");
    return finish(s, false);
  }
  if (!no_loop(s, c, x, 0) || !SetParentBySex(s, m, x)) return finish(s, false);
  const MarriageRecord& f = s.family(m);
  const bool mother_missing = f.Wife == 0, father_missing = f.Husband == 0;
  if (mother_missing || father_missing) {
    // The placeholder is a person made for this step, so it is added as in
    // AddMode (and gets a parent family of its own).
    r.AddMode = true;
    r.AsMother = mother_missing;
    r.AsFather = !mother_missing;
    r.AsPartner = r.AsChild = r.AsSibling = false;
    const std::int16_t p = CreateUnknownPerson(s, mother_missing ? 'F' : 'M');
    // A placeholder refused for the tree's limits leaves the connection made
    // so far; a record that could not be written ends it.
    if (p && (mother_missing ? SetMother(s, c, p) : SetFather(s, c, p))) (void)familywrite::ensure_parent_family(s, p);
  }
  return finish(s, tx.commit());
}

}  // namespace vft
