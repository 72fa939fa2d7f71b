// The person editor without its window: the working copy (s.Editing.Person2) and its
// notes, what each box shows, the rules run when a box is left, AutoCap, and
// the OK, Cancel and browse commands with their questions. The window only
// shows texts, forwards typing and moves the focus where this tells it to.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "edit/person_editor_fields.h"
#include "relations/add_person.h"
#include "store/session.h"

namespace vft {

// What the window does after a box was left.
struct LeaveResult {
  std::string text;      // the box shows this now
  bool ok = true;        // false: a date was refused; the box keeps the focus
  bool refresh = false;  // other boxes changed too (the baptised answer "No")
};

// How the AutoCap box shows.
enum class AutoCapView {
  OptionsOff,  // switched off in the options: the box is hidden, lblAutoCap shows
  On,          // checked
  Off,         // unchecked
};

struct EditorResult {
  bool close = false;       // the window closes
  bool saved = false;       // the record was written
  int focus = -1;           // the box that takes the focus when the window stays
  std::int16_t person = 0;  // the person saved
  LinkResult link;          // a new person: how the link step ended
};

enum class Relatives { Parents, Partners, Children, Siblings };

class PersonEditor {
 public:
  explicit PersonEditor(Session& s);

  // EditMode on person n; false (with a box) when it cannot be read.
  bool OpenPerson(std::int16_t n);
  // AddMode: a new person for the operation in s.Rel, preset by the relation.
  void OpenNew();

  bool adding() const { return adding_; }
  std::int16_t number() const { return number_; }  // 0 for a new person
  const PersonRecord& record() const { return s_.Editing.Person2; }
  const std::string& notes() const { return notes_; }
  std::string Title() const;
  // The text box `index` shows for the working copy.
  std::string BoxText(int index) const;
  // The age picAge shows, recomputed from the working copy's dates.
  std::string Age() const;

  // The user typed or clicked something that changes the record.
  void Changed() { data_changed_ = true; }
  bool data_changed() const { return data_changed_; }

  // The rules of box `index` on the text it holds; only while DataChanged.
  LeaveResult LeaveField(int index, const std::string& typed);
  // butSex: the next sex in the cycle; returns the word shown.
  std::string CycleSex();

  AutoCapView autocap() const { return autocap_; }
  // A click on chkAutoCap: checked or not, stored in the person's AutoCap.
  void SetAutoCap(bool checked);
  // butConfigure: the setting read again; the box keeps the person's state.
  void ReloadAutoCapSetting();
  // The caption and hint beside the box. `configured` picks the texts shown
  // after butConfigure.
  std::string AutoCapCaption() const;
  std::string AutoCapHint(bool configured) const;

  // butOKEdit. `focused` is the box with the focus (-1 for none) and
  // `focused_text` its text; `famname_text` is what box 0 holds.
  EditorResult Ok(int focused, const std::string& focused_text, const std::string& famname_text);
  // butCancel: the questions, and the take-back of what this operation added
  // earlier. True when the window closes.
  bool Cancel();

  // Before browsing away (Back, Forward, relatives, Search): with DataChanged
  // asks whether to save; Yes saves. False when the editor must stay on this
  // person (a date was refused or the dates are out of order); `focus` is then
  // the box to go to.
  bool LeaveRecord(int focused, const std::string& focused_text, int& focus);
  // The person Back or Forward steps to: wraps at both ends, skips deleted
  // persons; 0 when there is none other than the one shown.
  std::int16_t StepTarget(bool forward) const;
  // No living person before / after the one shown (the step would wrap).
  bool AtFirst() const;
  bool AtLast() const;
  // Living relatives of the person shown, in the order the tree lists them.
  std::vector<std::int16_t> RelativesOf(Relatives kind) const;
  // The hint of a relatives button ("Display parents of " + name).
  std::string RelativesHint(Relatives kind) const;
  // Shows person n and makes it the selected person; false when it cannot be read.
  bool Show(std::int16_t n);

 private:
  Session& s_;
  bool adding_ = false;
  std::int16_t number_ = 0;
  std::string notes_;
  bool notes_changed_ = false;
  bool data_changed_ = false;
  AutoCapView autocap_ = AutoCapView::On;
  // Date boxes whose last check refused the date.
  std::set<int> bad_dates_;
  bool order_shown_ = false;  // the last date box left showed a date-order box

  void load_autocap(const PersonRecord& buffer);
  LeaveResult leave_date(int index, const std::string& typed);
  // Runs the checks that must pass before the record is written.
  bool ready_to_save(int focused, const std::string& focused_text, int& focus);
  bool SavePerson(LinkResult& link);
  void take_back();
};

}  // namespace vft
