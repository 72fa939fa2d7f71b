#include "edit/orphan_picker.h"

#include <algorithm>

namespace vft {

void OrphanPicker::set_checked(std::size_t row, bool on) {
  if (row < rows_.size()) rows_[row].Checked = on;
}

void OrphanPicker::set_all(bool on) {
  for (OrphanRow& r : rows_) r.Checked = on;
}

bool OrphanPicker::all_checked() const {
  return !rows_.empty() && std::all_of(rows_.begin(), rows_.end(), [](const OrphanRow& r) { return r.Checked; });
}

int OrphanPicker::checked_count() const {
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const OrphanRow& r) { return r.Checked; }));
}

std::vector<std::int16_t> OrphanPicker::checked_persons() const {
  std::vector<std::int16_t> out;
  for (const OrphanRow& r : rows_)
    if (r.Checked) out.push_back(r.PerNum);
  return out;
}

std::string OrphanPicker::select_all_caption() const { return all_checked() ? "Deselect All" : "Select All"; }

std::string OrphanPicker::delete_caption() const { return step_ == Step::Choosing ? "Delete" : "Yes"; }

std::string OrphanPicker::top_label() const {
  return step_ == Step::Choosing ? "Select the orphaned records you wish to delete on the list. "
                                 : "The list shows the orphaned records marked for deletion.  ";
}

std::string OrphanPicker::second_label() const {
  return step_ == Step::Choosing ? "Check to select. Uncheck to de-select."
                                 : "Do you wish to permanently delete these records?";
}

std::string OrphanPicker::question() const {
  return step_ == Step::Choosing ? std::string() : OrphanQuestion(checked_count());
}

bool OrphanPicker::mark_for_deletion() {
  if (step_ != Step::Choosing || checked_count() < 1) return false;
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const OrphanRow& r) { return !r.Checked; }), rows_.end());
  step_ = Step::Confirming;
  return true;
}

OrphanDeletion OrphanPicker::confirm(Session& s) {
  if (step_ != Step::Confirming) return {};
  step_ = Step::Done;
  return DeleteOrphans(s, checked_persons());
}

}  // namespace vft
