// frmPassword: asks for the options password before the tree is shown, when
// one is stored. A wrong entry is reported in the window's error label and
// the user may try again; the second button ends the program. F1 opens the
// help page "password".
//
// Controls by objectName: lblPrompt, txtPassword, lblError, butOK, butCancel.
#pragma once
#include <QDialog>

#include "store/session.h"

class QLabel;
class QLineEdit;

namespace vft::ui {

class frmPassword : public QDialog {
  Q_OBJECT
 public:
  explicit frmPassword(Session& s, QWidget* parent = nullptr);

 private:
  Session& s_;
  QLineEdit* txtPassword_;
  QLabel* lblError_;
  void ok_pressed();
};

}  // namespace vft::ui
