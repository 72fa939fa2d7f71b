// frmPrintWhat: the print chooser with its eight buttons (butCommand_0..7).
#pragma once
#include <QDialog>

#include "store/session.h"

namespace vft::ui {

class frmPrintWhat : public QDialog {
  Q_OBJECT
 public:
  explicit frmPrintWhat(Session& s, QWidget* parent = nullptr);
  // The print request of the button pressed (1..8), 0 when cancelled.
  int chosen() const { return chosen_; }

 private:
  Session& s_;
  int chosen_ = 0;
};

// The chooser, then the family data sheet's refusal for a person without
// partners: the request to preview, or 0.
int ChoosePrintRequest(Session& s, QWidget* parent);

}  // namespace vft::ui
