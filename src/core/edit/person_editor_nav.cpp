// Leaving the person shown: Cancel with its take-back questions, and the
// browse commands that step to another person or to a relative.
#include <algorithm>

#include "common/cp1252.h"
#include "common/sentence.h"
#include "edit/person_editor.h"
#include "relations/delete_person.h"
#include "relations/disconnect.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {

namespace {

const char* const kDataChanged = "Data Changed Warning";

bool living(const Session& s, std::int16_t n) {
  PersonRecord p;
  return n >= 1 && n <= s.Config.NumPersons() && ReadStoredPerson(s, n, p) && p.Deleted != -1;
}

// Takes the parent added earlier in this operation out of c's parent family
// again, so deleting it leaves no family pointing at a deleted person.
bool unlink_parent(Session& s, std::int16_t c, std::int16_t parent) {
  const std::int16_t m = ParentFamilyOf(s, c);
  if (m < 1) return true;
  MarriageRecord& f = s.family(m);
  if (f.Husband != parent && f.Wife != parent) return true;
  if (f.Husband == parent) f.Husband = 0;
  if (f.Wife == parent) f.Wife = 0;
  return WriteMarriageOnly(s, m, f);
}

// The 'Unknown' partner of c that the child dialogs created for this
// operation: the newest person, a placeholder, whose partnership with c has
// no children yet. An older placeholder that already has children with c is
// never offered for removal.
std::int16_t fresh_placeholder_partner(const Session& s, std::int16_t c) {
  const std::int16_t p = s.Editing.LastAdded;
  if (p < 1 || p != s.Config.NumPersons() || c < 1) return 0;
  PersonRecord rec;
  if (!ReadStoredPerson(s, p, rec) || rec.Deleted == -1 || !IsPlaceholder(s, rec)) return 0;
  const std::int16_t m = FamilyBetween(s, c, p);
  if (m < 1 || KidCount(s.family(m)) != 0) return 0;
  return p;
}

}  // namespace

bool PersonEditor::Cancel() {
  if (data_changed_) {
    const int a = s_.ask(kDataChanged,
                         Sentence({"Data has been changed or added.", "Do you still wish to Cancel this operation?"}),
                         Buttons::YesNo, Icon::Question, 1);
    if (a != kAnswerYes) return false;
  }
  if (adding_) take_back();
  ResetRelationState(s_.Rel);
  data_changed_ = false;
  return true;
}

void PersonEditor::take_back() {
  RelationState& r = s_.Rel;
  if (!r.AddMode || r.ConnectMode) return;
  const std::int16_t c = r.Selected.PerNum;
  const std::string cname = DisplayName(s_, r.Selected);

  if ((r.AsFather || r.AsMother) && r.RememberedParent >= 1 && living(s_, r.RememberedParent)) {
    const std::int16_t added = r.RememberedParent;
    const std::string name = cp1252::trim(DisplayNameOf(s_, added));
    if (s_.ask("Add Parents Cancelled",
               Sentence(
                   {"You have Added", name, "to the records.", "Do you wish to delete this person from the records?"}),
               Buttons::YesNo, Icon::Question) == kAnswerYes) {
      RecordTransaction tx(s_);
      if (unlink_parent(s_, c, added) && MarkPersonDeleted(s_, added)) SelectPersonForRelations(s_, c);
    }
    return;
  }

  if (r.AsChild) {
    const std::int16_t p = fresh_placeholder_partner(s_, c);
    if (!p) return;
    const std::string name = cp1252::trim(DisplayNameOf(s_, p));
    if (s_.ask("Add a Child",
               Sentence({"You have added", name, "as a partner to", cname, CrLf, "Do you wish to disconnect", name,
                         "as a Partner to", cname, "?"}),
               Buttons::YesNo, Icon::Question) != kAnswerYes)
      return;
    // Each step is whole on its own: a failed deletion (told in its box)
    // still leaves the partner disconnected, as the user asked first.
    // (A deletion that cannot be written leaves the person on record,
    // disconnected.)
    if (DisconnectFromPartner(s_, c, p) &&
        s_.ask("Delete a Person", Sentence({"Do you wish to delete", name, "PERMANENTLY from the family records?"}),
               Buttons::YesNo, Icon::Question) == kAnswerYes)
      (void)MarkPersonDeleted(s_, p);
    SelectPersonForRelations(s_, c);
  }
}

bool PersonEditor::LeaveRecord(int focused, const std::string& focused_text, int& focus) {
  focus = -1;
  if (adding_) return false;  // a new person is only left by OK or Cancel
  if (!data_changed_) return true;
  const int a = s_.ask(kDataChanged, Sentence({"Data has been changed or added.", "Do you wish to save this data?"}),
                       Buttons::YesNo, Icon::Question, 1);
  if (a != kAnswerYes) {
    data_changed_ = notes_changed_ = false;
    bad_dates_.clear();
    return true;
  }
  if (!ready_to_save(focused, focused_text, focus)) return false;
  RecordTransaction tx(s_);
  if (!TakeUndoPoint(s_, "Undo editing of " + DisplayName(s_, s_.Editing.Person2))) return false;
  LinkResult unused;
  // A record that could not be written keeps the window on this person.
  return SavePerson(unused) && tx.commit();
}

std::int16_t PersonEditor::StepTarget(bool forward) const {
  const int count = s_.Config.NumPersons();
  if (count < 1) return 0;
  int n = number_ < 1 || number_ > count ? (forward ? 0 : 1) : number_;
  for (int k = 0; k < count; ++k) {
    n = forward ? (n >= count ? 1 : n + 1) : (n <= 1 ? count : n - 1);
    if (n == number_) return 0;
    if (living(s_, static_cast<std::int16_t>(n))) return static_cast<std::int16_t>(n);
  }
  return 0;
}

bool PersonEditor::AtFirst() const {
  for (int n = number_ - 1; n >= 1; --n)
    if (living(s_, static_cast<std::int16_t>(n))) return false;
  return true;
}

bool PersonEditor::AtLast() const {
  for (int n = number_ + 1; n <= s_.Config.NumPersons(); ++n)
    if (living(s_, static_cast<std::int16_t>(n))) return false;
  return true;
}

std::vector<std::int16_t> PersonEditor::RelativesOf(Relatives kind) const {
  std::vector<std::int16_t> all;
  const std::int16_t n = number_;
  if (n < 1) return all;
  switch (kind) {
    case Relatives::Parents: all = {FatherOf(s_, n), MotherOf(s_, n)}; break;
    case Relatives::Partners: {
      const PartnerList l = ListPartners(s_, n);
      for (int i = 0; i < l.count; ++i) all.push_back(l.rows[static_cast<std::size_t>(i)].Partner);
      break;
    }
    case Relatives::Children: all = ListAllChildren(s_, n); break;
    case Relatives::Siblings: all = ListSiblings(s_, n); break;
  }
  std::vector<std::int16_t> out;
  for (std::int16_t p : all)
    if (p != n && living(s_, p) && std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
  return out;
}

std::string PersonEditor::RelativesHint(Relatives kind) const {
  const std::string name = DisplayName(s_, s_.Editing.Person2);
  switch (kind) {
    case Relatives::Parents: return "Display parents of " + name;
    case Relatives::Partners: return "Display partners of " + name;
    case Relatives::Children: return "Display children of " + name;
    case Relatives::Siblings: break;
  }
  return "Display siblings of " + name;
}

bool PersonEditor::Show(std::int16_t n) {
  if (!living(s_, n) || !OpenPerson(n)) return false;
  SelectPersonForRelations(s_, n);
  s_.Config.setLastPerson(n);
  return true;
}

}  // namespace vft
