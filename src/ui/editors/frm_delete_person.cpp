// The delete command of the main window: the question, the deletion, and
// another person to show in place of the deleted one.
#include "edit/delete_followup.h"
#include "mainwindow/editing_windows.h"
#include "editors/frm_find_person.h"
#include "relations/delete_person.h"

namespace vft::ui {

void RunDeletePerson(Session& s, QWidget* parent) {
  const std::int16_t c = s.Rel.Selected.PerNum;
  if (c < 1) return;
  // Gathered first: the deletion takes c out of its parents' family.
  const std::vector<std::int16_t> relatives = RelativesOf(s, c);
  const DeleteOutcome out = DeletePerson(s, c);
  if (!out.deleted || out.tree_empty) return;
  // The view must never come back to a deleted person, even when the
  // picker below is cancelled.
  ShowAnotherPerson(s, relatives, c);
  s.status(out.count_text);
  RunSelectPerson(s, {}, parent, {}, [&s] { s.help("select_person"); });
}

}  // namespace vft::ui
