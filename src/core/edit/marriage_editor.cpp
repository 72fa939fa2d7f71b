#include "edit/marriage_editor.h"

#include "common/cp1252.h"
#include "common/sentence.h"
#include "relations/add_person.h"
#include "relations/connect.h"
#include "relations/delete_person.h"
#include "relations/family_ops.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/dates.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {

namespace {

constexpr std::size_t kMarriedAtWidth = 200;

std::int16_t flag(bool on) { return on ? std::int16_t{-1} : std::int16_t{0}; }

}  // namespace

std::string MarriageDivorcedHint() {
  return std::string("Press the space bar or click with the mouse to") + " " +
         "check this box if the couple have been divorced.";
}
std::string MarriageNotMarriedHint() {
  return std::string("Press the space bar or click with the mouse to") + " " +
         "check this box if the couple were not married.";
}
std::string MarriageDateHint() {
  return std::string(" Use '?' for unknown figures in the date ") + "eg. ? May ? ,  12 ? ????,   ?,  6-5-?   etc. ";
}
std::string MarriagePlaceHint() {
  return std::string("Enter details of the couples marriage.") + " " +
         "Use [Ctrl][Enter] to end a line, [Enter] when finished.";
}

std::string FitMarriedAt(const std::string& place) {
  if (place.size() <= kMarriedAtWidth) return place;
  std::string out = place.substr(0, kMarriedAtWidth);
  // A line break cut in half would leave a stray carriage return.
  if (out.back() == '\r' && place[kMarriedAtWidth] == '\n') out.pop_back();
  return out;
}

std::string PlaceFromBox(const std::string& box_text) {
  std::string out;
  out.reserve(box_text.size() + 8);
  for (std::size_t i = 0; i < box_text.size(); ++i) {
    const char c = box_text[i];
    if (c == '\r' || c == '\n') {
      out += CrLf;
      if (c == '\r' && i + 1 < box_text.size() && box_text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string PlaceForBox(const std::string& stored) {
  std::string out;
  out.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const char c = stored[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

MarriageEditor::MarriageEditor(Session& s, MarriageEditMode mode) : s_(s), mode_(mode) {}

std::string MarriageEditor::name_of(std::int16_t p) const { return p >= 1 ? DisplayNameOf(s_, p) : std::string(); }

bool MarriageEditor::Load() {
  RelationState& r = s_.Rel;
  const std::int16_t c = r.Selected.PerNum;
  auto nothing = [&](const std::string& text) {
    s_.ask("Problem", text, Buttons::OK, Icon::Exclamation);
    ResetRelationState(s_);
    return false;
  };
  if (c < 1) return nothing("No person is selected.");

  view_ = MarriageView{};
  switch (mode_) {
    case MarriageEditMode::Edit: {
      SelectPersonForRelations(s_, c);
      if (r.DisplayedPartner < 0 || r.DisplayedPartner >= r.Partners.count)
        return nothing(DisplayNameOf(s_, c) + " has no partner whose marriage could be edited.");
      const PartnerRow& row = r.Partners.rows[static_cast<std::size_t>(r.DisplayedPartner)];
      first_ = c;
      second_ = row.Partner;
      // The row names the very family shown; a couple with two families would
      // otherwise always get the first of them.
      family_ = row.Family;
      if (family_ < 1 || family_ > FamilyCount(s_)) {
        const bool c_male = SexOf(r.Selected) == 'M';
        family_ = c_male ? FamilyOfCouple(s_, c, second_) : FamilyOfCouple(s_, second_, c);
      }
      if (family_ < 1) return nothing(DisplayNameOf(s_, c) + " has no partner whose marriage could be edited.");
      view_.title = "Edit Marriage";
      view_.caption = Sentence({"Edit the marriage of", name_of(first_), "and", name_of(second_)});
      const MarriageRecord& f = s_.family(family_);
      ReadCeremony(s_, family_);
      view_.date = cp1252::trim(s_.Editing.CerBuf.MarriedDate);
      view_.place = cp1252::trim(s_.Editing.CerBuf.MarriedAt);
      // Both flags at once is a damaged record; "Divorced" says more.
      view_.divorced = f.Divorced != 0;
      view_.not_married = f.NotMarried != 0 && !view_.divorced;
      break;
    }
    case MarriageEditMode::AddParents:
      first_ = FatherOf(s_, c);
      second_ = MotherOf(s_, c);
      if (first_ < 1 || second_ < 1) return nothing(DisplayNameOf(s_, c) + " does not have both parents recorded.");
      break;
    case MarriageEditMode::AddPartner:
      first_ = c;
      second_ = r.NewPerson;
      if (second_ < 1 || second_ == c) return nothing("No partner is being added to " + DisplayNameOf(s_, c) + ".");
      break;
  }
  if (mode_ != MarriageEditMode::Edit) {
    view_.title = "Add Marriage";
    view_.caption = Sentence({"Add the Marriage details of", name_of(first_), "and", name_of(second_)});
    s_.Editing.CerBuf = blank_ceremony();
    s_.Editing.MarBuf.Divorced = 0;
    s_.Editing.MarBuf.NotMarried = 0;
  }
  view_.selected_name = name_of(first_);
  view_.connected_name = name_of(second_);
  view_.not_married_enabled = !view_.divorced;
  view_.divorced_visible = !view_.not_married;
  view_.date_enabled = !view_.not_married;
  checked_date_ = view_.date;
  checked_ = !view_.date.empty();  // a stored date is not questioned again
  checked_refused_ = false;
  data_changed_ = false;
  return true;
}

void MarriageEditor::SetDivorced(bool on) {
  view_.divorced = on;
  if (on) view_.not_married = false;
  view_.not_married_enabled = !on;
  data_changed_ = true;
}

void MarriageEditor::SetNotMarried(bool on) {
  view_.not_married = on;
  if (on) {
    view_.divorced = false;
    view_.date.clear();
    checked_date_.clear();
    checked_ = false;
    checked_refused_ = false;
  }
  view_.date_enabled = !on;
  view_.divorced_visible = !on;
  data_changed_ = true;
}

bool MarriageEditor::DateMatchesPartners(const std::string& date) {
  PersonRecord p[2];
  bool have[2] = {false, false};
  const std::int16_t who[2] = {first_, second_};
  for (int i = 0; i < 2; ++i) have[i] = who[i] >= 1 && ReadPersonRecord(s_, who[i], p[i]);
  auto fail = [&](const std::string& text) {
    s_.ask("Date Error", text, Buttons::OK, Icon::Exclamation);
    return false;
  };
  for (int i = 0; i < 2; ++i)
    if (have[i] && !DatesInOrder(date, p[i].DeathDate))
      return fail(Sentence({"The marriage date is after the date of death of", CrLf, DisplayName(s_, p[i]), "..",
                            "(" + cp1252::trim(p[i].DeathDate) + ")"}));
  for (int i = 0; i < 2; ++i)
    if (have[i] && !DatesInOrder(p[i].BirthDate, date))
      return fail(Sentence({"The marriage date is before the date of birth of", CrLf, DisplayName(s_, p[i]), "..",
                            "(" + cp1252::trim(p[i].BirthDate) + ")"}));
  return true;
}

std::string MarriageEditor::check(const std::string& typed, bool& refused, bool& in_order) {
  refused = false;
  std::string text = typed;
  // Nothing stored and nothing refused: the box held only separators.
  if (!CheckDate(s_, text, datefield::Marriage, {}, [&](int) { refused = true; }) && !refused) text.clear();
  text = cp1252::trim(text);
  in_order = refused || DateMatchesPartners(text);
  return text;
}

std::string MarriageEditor::LeaveDate(const std::string& typed) {
  if (checked_ && typed == checked_date_) return typed;
  bool refused = false, in_order = true;
  const std::string text = check(typed, refused, in_order);
  checked_date_ = text;
  checked_ = true;
  checked_refused_ = refused;
  view_.date = text;
  return text;
}

void MarriageEditor::fill_buffers(const std::string& date, const std::string& place) {
  s_.Editing.CerBuf.MarriedDate = cp1252::trim(date);
  s_.Editing.CerBuf.MarriedAt = FitMarriedAt(place);
  s_.Editing.MarBuf.Divorced = flag(view_.divorced);
  s_.Editing.MarBuf.NotMarried = flag(view_.not_married);
  view_.date = s_.Editing.CerBuf.MarriedDate;
  view_.place = s_.Editing.CerBuf.MarriedAt;
}

MarriageResult MarriageEditor::Ok(const std::string& date, const std::string& place) {
  std::string d = view_.not_married ? std::string() : date;
  if (!(checked_ && d == checked_date_) || checked_refused_) {
    // Not checked yet, or refused before: what the check finds now is told
    // (again), and the editor stays open for the correction.
    bool refused = false, in_order = true;
    d = check(d, refused, in_order);
    checked_date_ = d;
    checked_ = true;
    checked_refused_ = refused;
    view_.date = d;
    if (refused || !in_order) return MarriageResult::Stay;
  }
  fill_buffers(d, place);
  // The marriage and whatever it links are one step of the undo history.
  RecordTransaction tx(s_);
  if (!TakeUndoPoint(s_, "Undo editing of the marriage of " + cp1252::trim(DisplayNameOf(s_, first_)) + " and " +
                             cp1252::trim(DisplayNameOf(s_, second_))))
    return MarriageResult::Stay;
  switch (mode_) {
    case MarriageEditMode::Edit: return write_edit();
    case MarriageEditMode::AddParents: return write_parents();
    case MarriageEditMode::AddPartner: return link_partner();
  }
  return MarriageResult::Stay;
}

MarriageResult MarriageEditor::write_edit() {
  MarriageRecord& f = s_.family(family_);
  f.Divorced = s_.Editing.MarBuf.Divorced;
  f.NotMarried = s_.Editing.MarBuf.NotMarried;
  if (!SaveFamily(s_, family_)) return MarriageResult::Stay;
  const std::int16_t c = s_.Rel.Selected.PerNum;
  ResetRelationState(s_);
  SelectPersonForRelations(s_, c);
  return MarriageResult::Done;
}

MarriageResult MarriageEditor::write_parents() {
  const std::int16_t c = s_.Rel.Selected.PerNum;
  // The parents were linked into c's parent family as each was added; the
  // marriage details complete that family.
  const std::int16_t m = ParentFamilyOf(s_, c);
  if (m >= 1) {
    MarriageRecord& f = s_.family(m);
    f.Divorced = s_.Editing.MarBuf.Divorced;
    f.NotMarried = s_.Editing.MarBuf.NotMarried;
    if (!SaveFamily(s_, m)) return MarriageResult::Stay;
  }
  if (!WriteConfig(s_)) return MarriageResult::Stay;
  ResetRelationState(s_);
  SelectPersonForRelations(s_, c);
  return MarriageResult::Done;
}

MarriageResult MarriageEditor::link_partner() {
  RelationState& r = s_.Rel;
  const std::int16_t c = r.Selected.PerNum;
  const std::int16_t a = second_;
  const bool for_child = r.PartnerForChild || (r.AsChild && r.AsPartner);
  const bool new_person = r.AddMode || r.PartnerForChild;
  const std::int16_t pending = r.PendingChild;
  RecordTransaction tx(s_);
  const std::int16_t m = LinkNewPartner(s_, a);
  if (!m) {
    // Refused with its box: a person just added stays on record, unrelated.
    // (After a failed write the whole link is taken back instead.)
    if (tx.ok() && new_person && !ParentFamilyOf(s_, a) && !NewParentFamily(s_, a)) {
      // No family number left for it either; that box has been shown too.
    }
    ResetRelationState(s_);
    SelectPersonForRelations(s_, c);
    return MarriageResult::Done;
  }
  if (for_child && r.AddMode) {
    // The child comes next, in the family just made; it is appended there.
    r.AsChild = true;
    r.AsPartner = false;
    r.PartnerSequenceMode = false;
    r.PartnerForChild = false;
    r.PendingChild = 0;
    r.InsertPosition = 0;
    r.ChildFather = r.ChildMother = 0;
    return MarriageResult::AddChild;
  }
  if (for_child && r.ConnectMode && pending >= 1) {
    const MarriageRecord& f = s_.family(m);
    // A child refused here (its box says why) leaves the partnership made.
    if (!FinishConnectChild(s_, pending, f.Husband, f.Wife, KidCount(f)) && !tx.ok()) return MarriageResult::Done;
  }
  ResetRelationState(s_);
  SelectPersonForRelations(s_, c);
  return MarriageResult::Done;
}

MarriageResult MarriageEditor::Cancel(const std::string& date, const std::string& place) {
  const std::int16_t c = s_.Rel.Selected.PerNum;
  switch (mode_) {
    case MarriageEditMode::Edit:
      if (data_changed_ && s_.ask("Data Changed Warning",
                                  Sentence({"Data has been changed or added.", "Do you wish to save this data?"}),
                                  Buttons::YesNo, Icon::Question) == kAnswerYes)
        return Ok(date, place);
      break;
    case MarriageEditMode::AddParents: cancel_parents(); break;
    case MarriageEditMode::AddPartner: cancel_partner(); break;
  }
  ResetRelationState(s_);
  if (c >= 1) SelectPersonForRelations(s_, c);
  return MarriageResult::Cancelled;
}

void MarriageEditor::cancel_partner() {
  const RelationState& r = s_.Rel;
  // A person on record who was only being connected is left as found.
  if (!(r.AddMode || r.PartnerForChild)) return;
  const std::int16_t a = second_;
  const std::string name = name_of(a);
  const char* title = "Add Partner Cancelled";
  // No is the default: a slip of the Enter key must not delete anyone.
  if (s_.ask(title, Sentence({"Do you wish to Delete", name, "from the records."}), Buttons::YesNo, Icon::Question,
             1) == kAnswerYes &&
      s_.ask(title, Sentence({"Are you sure you want to Delete", name, "from the records?"}), Buttons::YesNo,
             Icon::Question, 1) == kAnswerYes) {
    if (MarkPersonDeleted(s_, a)) return;
    if (s_.disk.failure().error) return;  // not deleted, and the box has said why
  }
  if (!ParentFamilyOf(s_, a) && !NewParentFamily(s_, a)) return;
  s_.ask(title, Sentence({name, "has been added to the records as an 'Unrelated' person."}), Buttons::OK,
         Icon::Information);
}

void MarriageEditor::cancel_parents() {
  const std::int16_t c = s_.Rel.Selected.PerNum;
  const std::string father = name_of(first_), mother = name_of(second_), child = name_of(c);
  const char* title = "Add Parents";
  if (s_.ask(title,
             Sentence({"Do you wish to delete the marriage of", father, "and", mother,
                       "and disconnect them as parents from", child}),
             Buttons::YesNo, Icon::Question, 1) != kAnswerYes)
    return;
  const std::int16_t m = ParentFamilyOf(s_, c);
  if (m >= 1) {
    RecordTransaction tx(s_);
    MarriageRecord& f = s_.family(m);
    const bool couple = f.Husband == first_ && f.Wife == second_;
    if (f.Husband == first_) f.Husband = 0;
    if (f.Wife == second_) f.Wife = 0;
    f.Divorced = f.NotMarried = 0;
    s_.Editing.CerBuf = blank_ceremony();
    // They are no longer partners anywhere through this family.
    if (!SaveFamily(s_, m) || (couple && !(AddToNumPartners(s_, first_, -1) && AddToNumPartners(s_, second_, -1))))
      return;
  }
  if (s_.ask(title,
             Sentence({"You have deleted the marriage of", father, "and", mother, "and disconnected as parents from",
                       child, CrLf, "Do you wish to delete them from the records?"}),
             Buttons::YesNo, Icon::Question, 1) != kAnswerYes)
    return;
  // Both or neither: a record that could not be written takes both back and
  // its box says why. A person already deleted needs nothing.
  RecordTransaction tx(s_);
  (void)MarkPersonDeleted(s_, first_);
  if (tx.ok()) (void)MarkPersonDeleted(s_, second_);
}

}  // namespace vft
