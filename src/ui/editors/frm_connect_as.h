// frmConnectAs: the first step of adding or connecting a person, choosing the
// relationship to the selected person. Which buttons are enabled is decided
// by LoadConnectAs in core.
//
// Controls by objectName: Label1 (the "Add a person to ... as a" line),
// Command1_0 "&Father", Command1_1 "&Mother", Command1_2 "&Sibling",
// Command1_3 "&Partner", Command1_4 "Chil&d", Command1_5 "&Unrelated",
// cmdCancel, cmdHelp.
#pragma once
#include <QDialog>
#include <optional>

#include "edit/connect_dialogs.h"
#include "store/session.h"

namespace vft::ui {

class frmConnectAs : public QDialog {
  Q_OBJECT
 public:
  explicit frmConnectAs(Session& s, QWidget* parent = nullptr);
  // The relation chosen; nothing when the window was cancelled or closed.
  std::optional<Relation> choice() const { return choice_; }

 private:
  Session& s_;
  std::optional<Relation> choice_;
};

}  // namespace vft::ui
