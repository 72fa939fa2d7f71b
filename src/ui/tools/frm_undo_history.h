// frmUndoHistory: the changes of this session, newest first, each with its
// time; choosing one (double-click, Enter or "&Go to") puts the records just
// after it, going back or forward in one move. Steps that can be redone are
// shown greyed. Modal.
//
// Controls by objectName: lstSteps (columns: time, change), lblNote (the
// limit, and how many older changes were dropped), butGoTo, butClose, butHelp.
#pragma once
#include <QDialog>
#include <cstddef>
#include <functional>

#include "store/session.h"

class QLabel;
class QTreeWidget;

namespace vft::ui {

class frmUndoHistory : public QDialog {
  Q_OBJECT
 public:
  // `go` moves the records to the state after that many steps (and redraws
  // the main window).
  frmUndoHistory(Session& s, std::function<void(std::size_t)> go, QWidget* parent = nullptr);

  void goToCurrentRow();
  void refresh();

 private:
  Session& s_;
  std::function<void(std::size_t)> go_;
  QTreeWidget* list_;
  QLabel* note_;
};

}  // namespace vft::ui
