// frmDuplicates: pairs of records that may be one person, best first (Tools,
// Find Possible Duplicates...). The sensitivity switch searches again; Merge...
// opens the compare window on the chosen pair; "Ignore this pair" remembers it
// beside the Family file. A search that takes longer than half a second shows
// its progress, and Cancel keeps the pairs found so far. Modal.
//
// Controls by objectName: optLow, optNormal, optHigh, lstPairs (columns:
// score, first person, second person, reasons), lblReasons (the chosen
// pair's in full), lblCount, butMerge,
// butIgnore, butClose, butHelp; while a long search runs, dlgSearchProgress.
#pragma once
#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "relations/duplicates.h"
#include "store/session.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace vft::ui {

class frmDuplicates : public QDialog {
  Q_OBJECT
 public:
  // `merged` is called after each merge with the kept person, for the main
  // window to show him or her.
  frmDuplicates(Session& s, std::function<void(std::int16_t)> merged, QWidget* parent = nullptr);

  void search();
  void mergeCurrent();
  void ignoreCurrent();
  DuplicateSensitivity sensitivity() const;

 private:
  Session& s_;
  std::function<void(std::int16_t)> merged_;
  std::string family_file_;
  QRadioButton* sensitivity_[3];
  QTreeWidget* list_;
  QLabel* reasons_;
  QLabel* count_;
  QPushButton* merge_;
  QPushButton* ignore_;
  bool stopped_ = false;  // the last search was cancelled

  void update_buttons();
  void show_count();
};

}  // namespace vft::ui
