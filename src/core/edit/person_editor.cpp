#include "edit/person_editor.h"

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/dates.h"
#include "store/ini.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "store/settings.h"

namespace vft {

namespace {

// "AutoCapFirstChar" 1 means the options switched capitalisation off.
bool autocap_switched_off(const Session& s) { return IniReadInt(s, section::Configure, "AutoCapFirstChar") == 1; }

}  // namespace

PersonEditor::PersonEditor(Session& s) : s_(s) {}

bool PersonEditor::OpenPerson(std::int16_t n) {
  PersonRecord p;
  if (n < 1 || n > s_.Config.NumPersons() || !ReadStoredPerson(s_, n, p)) {
    s_.ask("Vorlan Family Tree", "The record of person " + std::to_string(n) + " cannot be read.", Buttons::OK,
           Icon::Critical);
    return false;
  }
  adding_ = false;
  number_ = n;
  s_.Editing.Person2 = p;
  notes_ = cp1252::trim(ReadNotes(p.NotesRec, s_.work(recfile::Notes)));
  notes_changed_ = false;
  data_changed_ = false;
  bad_dates_.clear();
  load_autocap(p);
  return true;
}

void PersonEditor::OpenNew() {
  adding_ = true;
  number_ = 0;
  s_.Editing.Person2 = NewPersonPreset(s_);
  notes_.clear();
  notes_changed_ = false;
  data_changed_ = false;
  bad_dates_.clear();
  load_autocap(s_.Editing.Person2);
}

std::string PersonEditor::Title() const { return EditTitle(s_, !adding_, DisplayName(s_, s_.Editing.Person2)); }

std::string PersonEditor::BoxText(int index) const {
  const PersonRecord& p = s_.Editing.Person2;
  switch (index) {
    case editfield::FamName: return display_famname(s_, p);
    case editfield::Notes: return notes_;
    case editfield::Sex: return SexWord(p.Sex);
    default: return FieldValue(p, index);
  }
}

std::string PersonEditor::Age() const {
  // No birth date yet: nothing to show rather than a bare "?".
  if (cp1252::trim(s_.Editing.Person2.BirthDate).empty()) return {};
  return AgeText(s_, s_.Editing.Person2.BirthDate, s_.Editing.Person2.DeathDate);
}

LeaveResult PersonEditor::LeaveField(int index, const std::string& typed) {
  if (!data_changed_) return {typed, true, false};
  PersonRecord& p = s_.Editing.Person2;
  const bool no_baptism = cp1252::trim(p.Baptised) == "No";
  LeaveResult r;
  switch (index) {
    case editfield::FamName:
    case editfield::GivenNames: {
      std::string t = cp1252::trim(typed);
      if (autocap_ == AutoCapView::On && !t.empty()) t = AutoCapitalise(t);
      if (index == editfield::FamName) t = display_famname(s_, t);
      SetFieldValue(p, index, t);
      break;
    }
    case editfield::BirthDate:
    case editfield::DeathDate:
    case editfield::BurialDate: return leave_date(index, typed);
    case editfield::BaptismDate:
      if (no_baptism) {
        p.DOBap.clear();
        bad_dates_.erase(index);
        break;
      }
      return leave_date(index, typed);
    case editfield::BaptismPlace: SetFieldValue(p, index, no_baptism ? std::string() : typed); break;
    case editfield::Baptised:
      p.Baptised = BaptisedFromTyped(typed);
      if (p.Baptised == "No") {
        p.DOBap.clear();
        p.Baptisplace.clear();
        bad_dates_.erase(editfield::BaptismDate);
        r.refresh = true;
      }
      break;
    case editfield::Notes: {
      std::string t = typed.size() > kMaxEditNotes ? typed.substr(0, kMaxEditNotes) : typed;
      if (t != notes_) {
        notes_ = t;
        notes_changed_ = true;
      }
      break;
    }
    case editfield::Sex: p.Sex = SexFromTyped(typed); break;
    default:
      if (index < 0 || index >= kEditFields) return {typed, true, false};
      SetFieldValue(p, index, typed);
      break;
  }
  r.text = BoxText(index);
  return r;
}

LeaveResult PersonEditor::leave_date(int index, const std::string& typed) {
  PersonRecord& p = s_.Editing.Person2;
  std::string t = cp1252::trim(typed);
  // A lone "??" is as unknown as "?" for a birth date.
  if (index == editfield::BirthDate && t == "??") t = "?";
  if (t.empty() && index != editfield::BirthDate) {
    SetFieldValue(p, index, "");
    bad_dates_.erase(index);
    return {"", true, false};
  }
  bool refused = false, stored = false;
  std::string text = t;
  const bool ok = CheckDate(
      s_, text, EditField(index).date_code,
      [&](int, const std::string& v) {
        SetFieldValue(p, index, v);
        stored = true;
      },
      [&](int) { refused = true; });
  if (refused) {
    bad_dates_.insert(index);
    return {stored ? text : t, false, false};
  }
  // Nothing stored and nothing refused: the box held only separators.
  if (!ok || !stored) SetFieldValue(p, index, "");
  bad_dates_.erase(index);
  order_shown_ = !CheckDateOrder(s_, p);
  return {BoxText(index), true, false};
}

std::string PersonEditor::CycleSex() {
  s_.Editing.Person2.Sex = NextSex(s_.Editing.Person2.Sex);
  Changed();
  return SexWord(s_.Editing.Person2.Sex);
}

void PersonEditor::load_autocap(const PersonRecord& buffer) {
  if (autocap_switched_off(s_)) autocap_ = AutoCapView::OptionsOff;
  else autocap_ = buffer.AutoCap == 1 ? AutoCapView::Off : AutoCapView::On;
}

void PersonEditor::SetAutoCap(bool checked) {
  if (autocap_ == AutoCapView::OptionsOff) return;
  autocap_ = checked ? AutoCapView::On : AutoCapView::Off;
  s_.Editing.Person2.AutoCap = checked ? 0 : 1;
  Changed();
}

void PersonEditor::ReloadAutoCapSetting() {
  if (autocap_switched_off(s_)) autocap_ = AutoCapView::OptionsOff;
  else if (autocap_ == AutoCapView::OptionsOff) load_autocap(s_.Editing.Person2);
}

std::string PersonEditor::AutoCapCaption() const {
  switch (autocap_) {
    case AutoCapView::On: return "Auto Cap is On";
    case AutoCapView::Off: return "Auto Cap is Off";
    case AutoCapView::OptionsOff: break;
  }
  return "Click on the 'Options' button to enable Auto-capitalization of names";
}

std::string PersonEditor::AutoCapHint(bool configured) const {
  switch (autocap_) {
    case AutoCapView::Off:
      return configured ? "Uncheck Auto Cap to temporarily switch on the first letter auto-capitalization of names"
                        : "Check Auto Cap to switch on the first letter auto-capitalization of names for this person";
    case AutoCapView::On:
      return configured
                 ? "Check Auto Cap to temporarily switch off the first letter auto-capitalization of names"
                 : "Uncheck Auto Cap to switch off the first letter auto-capitalization of names for this person";
    case AutoCapView::OptionsOff: break;
  }
  return {};
}

EditorResult PersonEditor::Ok(int focused, const std::string& focused_text, const std::string& famname_text) {
  EditorResult r;
  RelationState& rel = s_.Rel;
  if (adding_ && rel.AddMode && !rel.ConnectMode && (rel.AsFather || rel.AsMother) &&
      cp1252::trim(famname_text).empty()) {
    const bool father = rel.AsFather;
    s_.ask(father ? "Add a father" : "Add a mother",
           std::string("You must enter a Family Name for the ") + (father ? "father" : "mother") + " of " +
               DisplayName(s_, rel.Selected) + " before proceeding." + CrLf +
               "If you don't know the name, enter a '?' or 'Unknown'",
           Buttons::OK, Icon::Exclamation);
    r.focus = editfield::FamName;
    return r;
  }
  if (!data_changed_) {
    ResetRelationState(rel);
    r.close = true;
    return r;
  }
  if (!ready_to_save(focused, focused_text, r.focus)) return r;
  const RelationState operation = rel;
  bool saved = false, declined = false;
  {
    RecordTransaction tx(s_);
    declined = !TakeUndoPoint(s_, adding_ ? "Undo addition of " + DisplayName(s_, s_.Editing.Person2)
                                          : "Undo editing of " + DisplayName(s_, s_.Editing.Person2));
    saved = !declined && SavePerson(r.link) && tx.commit();
  }
  if (declined || (!saved && s_.disk.failure().error)) {
    // Nothing of it is on record and the box has said why; the window stays
    // open with everything typed, so the user can try again or cancel.
    rel = operation;
    r.link = {};
    return r;
  }
  if (!saved) {
    // The person limit: nothing was written, and the operation ends.
    ResetRelationState(rel);
    r.close = true;
    return r;
  }
  r.close = r.saved = true;
  r.person = number_;
  return r;
}

bool PersonEditor::ready_to_save(int focused, const std::string& focused_text, int& focus) {
  order_shown_ = false;
  if (focused >= 0 && !LeaveField(focused, focused_text).ok) {
    focus = focused;
    return false;
  }
  // A date refused earlier was already explained when its box was left: the
  // focus goes back to it.
  if (!bad_dates_.empty()) {
    focus = *bad_dates_.begin();
    return false;
  }
  if (order_shown_) return false;
  return CheckDateOrder(s_, s_.Editing.Person2);
}

bool PersonEditor::SavePerson(LinkResult& link) {
  PersonRecord& p = s_.Editing.Person2;
  const std::string birth = cp1252::trim(p.BirthDate);
  p.BirthDate = birth.empty() ? UnknownDate : birth;
  if (adding_) {
    if (!RoomForAnotherPerson(s_)) return false;
    const auto n = static_cast<std::int16_t>(s_.Config.NumPersons() + 1);
    s_.Config.setNumPersons(n);
    p.PerNum = n;
    p.Deleted = 0;
    p.NumPartners = 0;
    p.NotesRec = -1;
    if (!AddPersonRecord(s_, p, notes_)) return false;
    s_.Editing.LastAdded = n;
    link = LinkNewPerson(s_, n);
    if (s_.disk.failure().error != 0) return false;
    adding_ = false;
    number_ = n;
    data_changed_ = notes_changed_ = false;
    if (!link.undo_text.empty()) s_.History.step_text = link.undo_text;
    return true;
  }
  s_.Person = p;
  s_.CurNum = number_;
  if (!WritePerson(s_, number_, s_.Person, notes_, notes_changed_) || !WriteConfig(s_)) return false;
  p.NotesRec = s_.Person.NotesRec;
  data_changed_ = notes_changed_ = false;
  if (s_.Rel.Selected.PerNum == number_) SelectPersonForRelations(s_, number_);
  ResetRelationState(s_.Rel);
  return true;
}

}  // namespace vft
