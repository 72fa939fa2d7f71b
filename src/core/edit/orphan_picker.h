// The working state of the orphaned-records window without the widgets: the
// rows with their check marks, the "select all" box, the three sorts and the
// two steps of the delete button (mark, then confirm).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "relations/orphans.h"
#include "store/session.h"

namespace vft {

class OrphanPicker {
 public:
  enum class Step { Choosing, Confirming, Done };

  explicit OrphanPicker(std::vector<OrphanRow> rows) : rows_(std::move(rows)) {}

  const std::vector<OrphanRow>& rows() const { return rows_; }
  Step step() const { return step_; }

  // Check marks by row index; an index out of range is ignored.
  void set_checked(std::size_t row, bool on);
  void set_all(bool on);
  // True while there is at least one row and every row is checked.
  bool all_checked() const;
  int checked_count() const;
  std::vector<std::int16_t> checked_persons() const;

  void sort(OrphanSort by) { SortOrphans(rows_, by); }

  // The caption of the select-all box: "Deselect All" while every row is checked.
  std::string select_all_caption() const;
  // The delete button's caption in the current step.
  std::string delete_caption() const;
  // The two labels over the list and the question beside the button (empty
  // while choosing).
  std::string top_label() const;
  std::string second_label() const;
  std::string question() const;

  // First press of the delete button: only the checked rows stay listed.
  // False, with nothing changed, when no row is checked.
  bool mark_for_deletion();
  // Second press: deletes the checked rows (undo point first, the count in
  // a box). Only in the confirming step; the picker is done afterwards.
  OrphanDeletion confirm(Session& s);

 private:
  std::vector<OrphanRow> rows_;
  Step step_ = Step::Choosing;
};

}  // namespace vft
