// frmMergePersons: two records that may be one person side by side, field by
// field, each field's value to keep pre-chosen as the merge would choose it
// and changeable; both records' notes are kept. Merge joins them (or shows
// why they cannot be joined, and changes nothing); Cancel leaves both. Modal.
//
// Controls by objectName: optKeep_0, optKeep_1 (whose Person number lives
// on; choosing one chooses the fields afresh), lblRelatives_0,
// lblRelatives_1, and for each field i in the merge's field order that
// either record fills: lblField_i with optValue_i_0 and optValue_i_1 (the
// two values); txtNotes_0, txtNotes_1, lblNotes, butMerge, butCancel,
// butHelp.
#pragma once
#include <QDialog>
#include <array>
#include <cstdint>

#include "relations/merge_persons.h"
#include "store/session.h"

class QRadioButton;

namespace vft::ui {

class frmMergePersons : public QDialog {
  Q_OBJECT
 public:
  frmMergePersons(Session& s, std::int16_t first, std::int16_t second, QWidget* parent = nullptr);

  // The merge as the window stands.
  MergePlan plan() const;
  // After Merge: the person kept.
  std::int16_t kept() const { return kept_; }
  void merge();

 private:
  Session& s_;
  std::array<PersonRecord, 2> records_;
  std::array<QRadioButton*, 2> keep_{};
  std::array<std::array<QRadioButton*, 2>, kMergeFields> values_{};
  std::int16_t kept_ = 0;

  int keep_column() const;
  void choose_defaults();
};

}  // namespace vft::ui
