// frmArrange: re-orders the selected person's partners, its siblings, or the
// children of the selected person and the displayed partner. Moves happen in
// the list only; OK writes the order shown, Cancel writes nothing, and
// changing the list discards unsaved moves.
//
// Controls by objectName: the mode buttons Command3_0 "&Partners",
// Command3_1 "&Sibling", Command3_2 "Chil&dren"; lblTitle (whose list),
// SBList1 (the rows in columns: given names, family name, for partners the
// marriage date, else the Person number), the move buttons
// Command2_0 (up) and Command2_1 (down), and Command1_0 "&OK",
// Command1_1 "&Cancel", Command1_2 "&Help". The Up arrow key in the list
// moves the selected row up unless it is the first.
#pragma once
#include <QDialog>

#include "relations/arrange.h"
#include "store/session.h"

class QLabel;
class QTreeWidget;
class QPushButton;

namespace vft::ui {

class frmArrange : public QDialog {
  Q_OBJECT
 public:
  explicit frmArrange(Session& s, QWidget* parent = nullptr);

  // Builds the list of the given mode afresh (unsaved moves are lost).
  void set_mode(ArrangeMode mode);
  const ArrangeList& list() const { return list_; }
  // True once OK has written the order.
  bool written() const { return written_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Session& s_;
  ArrangeList list_;
  QLabel* lblTitle_;
  QTreeWidget* SBList1_;
  QPushButton* Command3_[3] = {};
  QPushButton* Command2_[2] = {};
  bool written_ = false;

  void fill_rows(int current);
  int current_row() const;
  void move(bool up);
  void ok_pressed();
  void update_move_buttons();
};

}  // namespace vft::ui
