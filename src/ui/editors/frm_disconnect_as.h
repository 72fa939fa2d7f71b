// frmDisconnectAs: takes the selected person out of its parents' family, out
// of the partnership with the displayed partner, or both. A button is offered
// only when it has something to do; each takes an undo point first.
//
// Controls by objectName: lblPersonName, lblPrompt, the button array Command1
// (Command1_0 "&Parents and Siblings", Command1_1 "&Spouse and Children",
// Command1_2 "&All"), cmdCancel, cmdHelp.
#pragma once
#include <QDialog>

#include "store/session.h"

class QPushButton;

namespace vft::ui {

class frmDisconnectAs : public QDialog {
  Q_OBJECT
 public:
  explicit frmDisconnectAs(Session& s, QWidget* parent = nullptr);

  // True once a disconnection has been made (the dialog then closes).
  bool disconnected() const { return disconnected_; }

 private:
  Session& s_;
  QPushButton* Command1_[3] = {};
  bool disconnected_ = false;

  void button_pressed(int index);
};

}  // namespace vft::ui
