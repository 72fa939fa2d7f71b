// The marriage editor's rules, free of any widget: what it shows for each way
// it is opened, the two check boxes that exclude each other, the marriage date
// check against both partners, and what OK and Cancel write.
//
// The window keeps one MarriageEditor for its lifetime, shows view() after
// every call and passes the texts of its two boxes in. Message boxes go
// through the session's prompter.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

enum class MarriageEditMode {
  Edit,        // the displayed partnership of the selected person
  AddParents,  // both parents of the selected person have just been added
  AddPartner,  // s.Rel.NewPerson becomes a partner of the selected person
};

enum class MarriageResult {
  Stay,       // the editor stays open (a date was refused)
  Done,       // OK: written and linked, the operation has ended
  Cancelled,  // Cancel: its questions have run, the relation state is reset
  AddChild,   // the partner was added on the way to a child in AddMode:
              // AsChild is set again and the person editor opens for the child
};

// What the window shows.
struct MarriageView {
  std::string title;           // "Add Marriage" / "Edit Marriage"
  std::string caption;         // the line above the two names
  std::string selected_name;   // lblSelectedPerson
  std::string connected_name;  // lblConnectedPerson
  std::string date;            // txtMarriedDate (trimmed)
  std::string place;           // txtMarriedAt, lines joined with CrLf
  bool divorced = false;
  bool not_married = false;
  bool date_enabled = true;
  bool not_married_enabled = true;
  bool divorced_visible = true;
};

// Status-line hints.
std::string MarriageDivorcedHint();
std::string MarriageNotMarriedHint();
std::string MarriageDateHint();
std::string MarriagePlaceHint();

// The place text as the ceremony record can hold it: at most 200 bytes, never
// ending in half of a CrLf line break.
std::string FitMarriedAt(const std::string& place);
// The place box ends lines with a bare line feed; the record keeps CrLf, as
// older files have it. A lone carriage return also counts as a line end.
std::string PlaceFromBox(const std::string& box_text);
std::string PlaceForBox(const std::string& stored);

class MarriageEditor {
 public:
  MarriageEditor(Session& s, MarriageEditMode mode);

  // Reads the two partners (and, when editing, the family). False, with a
  // box shown and the relation state reset, when there is nothing to edit.
  bool Load();
  const MarriageView& view() const { return view_; }
  MarriageEditMode mode() const { return mode_; }
  // The family being edited (Edit mode), 0 otherwise.
  std::int16_t family() const { return family_; }
  std::int16_t first_partner() const { return first_; }
  std::int16_t second_partner() const { return second_; }

  void SetDivorced(bool on);
  void SetNotMarried(bool on);
  // Either text box was edited.
  void TextEdited() { data_changed_ = true; }
  bool DataChanged() const { return data_changed_; }

  // The user left the date box: the text is normalised (a date later than
  // today is refused with its box) and checked against both partners' birth
  // and death dates. Returns the text the box shows afterwards.
  std::string LeaveDate(const std::string& typed);
  // The comparison with both partners alone; shows the first failing
  // "Date Error" box and returns false then.
  bool DateMatchesPartners(const std::string& date);

  // OK with the two box texts. A date later than today, or one that fails the
  // partners check right now (not already shown when the box was left), keeps
  // the editor open; otherwise the records are written per mode.
  MarriageResult Ok(const std::string& date, const std::string& place);
  MarriageResult Cancel(const std::string& date, const std::string& place);

 private:
  Session& s_;
  MarriageEditMode mode_;
  MarriageView view_;
  std::int16_t first_ = 0, second_ = 0, family_ = 0;
  bool data_changed_ = false;
  // The last date text checked when the box was left, and how that went.
  std::string checked_date_;
  bool checked_ = false;
  bool checked_refused_ = false;  // refused (later than today, too long, no such day): never written

  std::string name_of(std::int16_t p) const;
  // Normalises and checks; `refused` is set for a date later than today.
  std::string check(const std::string& typed, bool& refused, bool& in_order);
  void fill_buffers(const std::string& date, const std::string& place);
  MarriageResult write_edit();
  MarriageResult write_parents();
  MarriageResult link_partner();
  void cancel_partner();
  void cancel_parents();
};

}  // namespace vft
