// frmWelcome: the welcome text of a first start, with the way to the read-me
// file and a box to stop showing it.
//
// Controls by objectName: txtWelcome, chkDontShow, butClose (the first
// button), butReadMe (the second).
#pragma once
#include <QDialog>
#include <functional>

#include "store/session.h"

class QCheckBox;

namespace vft::ui {

class frmWelcome : public QDialog {
  Q_OBJECT
 public:
  explicit frmWelcome(Session& s, QWidget* parent = nullptr);
  // Opens a file in the desktop's viewer; false when none could. Tests
  // replace it.
  std::function<bool(const QString& path)> open_document;

 private:
  Session& s_;
  void dont_show_toggled(bool on);
  void read_me();
};

}  // namespace vft::ui
