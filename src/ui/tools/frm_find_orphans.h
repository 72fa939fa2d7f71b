// frmFindOphans: the persons on record connected to nobody, each with a check
// mark; the checked ones are deleted in two presses of the same button (the
// first narrows the list to them and asks, the second deletes after an undo
// point). Modal.
//
// Controls by objectName: lblTop, lblCheck, SBList1 (checkable rows: given
// names, family name, "Born: ", "Died: "), KplPanel1 with lblBornAt and
// lblDiedAt, chkSelectAll, the sorts optSort_0 (family name), optSort_1
// (given names), optSort_2 (birth date), lblQuestion, and the button array
// Command: Command_0 (delete, then "Yes"), Command_1 "&Cancel",
// Command_2 "&Help".
#pragma once
#include <QDialog>
#include <vector>

#include "edit/orphan_picker.h"
#include "store/session.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vft::ui {

class frmFindOphans : public QDialog {
  Q_OBJECT
 public:
  // Scans the Person records itself.
  explicit frmFindOphans(Session& s, QWidget* parent = nullptr);
  // With the rows of a scan just made.
  frmFindOphans(Session& s, std::vector<OrphanRow> rows, QWidget* parent = nullptr);

  const OrphanPicker& picker() const { return picker_; }
  // What the deletion did (nothing deleted until the second press).
  const OrphanDeletion& deletion() const { return deletion_; }

 private:
  Session& s_;
  OrphanPicker picker_;
  OrphanDeletion deletion_;
  QLabel* lblTop_;
  QLabel* lblCheck_;
  QLabel* lblQuestion_;
  QLabel* lblBornAt_;
  QLabel* lblDiedAt_;
  QTreeWidget* SBList1_;
  QCheckBox* chkSelectAll_;
  QPushButton* Command_[3] = {};
  bool filling_ = false;

  void fill_rows();
  void update_texts();
  void row_changed();
  void delete_pressed();
  void sort_by(OrphanSort by);
};

}  // namespace vft::ui
