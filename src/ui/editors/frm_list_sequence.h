// frmListSequence: choose a place in a sequence of persons (children,
// siblings, partners). frmSelectOther: choose one of a person's partners.
//
// frmListSequence controls: SBList1 (the sequence), Label1 (the prompt),
// Text1 (the position typed), Command1 (OK, enabled while Text1 is not
// blank), Command2 (Cancel), Command3 (Help).
// frmSelectOther controls: Label1 (the header line), SBList1 (the partners),
// Command1 (OK, enabled once a partner is chosen; a double click chooses too),
// Command2 (Cancel), Command3 (Help).
#pragma once
#include <QDialog>
#include <vector>

#include "edit/connect_dialogs.h"
#include "store/session.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vft::ui {

class frmListSequence : public QDialog {
  Q_OBJECT
 public:
  frmListSequence(Session& s, const SequenceList& list, QWidget* parent = nullptr);
  // The 0-based position accepted; -1 when cancelled.
  int position() const { return position_; }

 private:
  Session& s_;
  int last_;
  QLineEdit* Text1_;
  QPushButton* ok_;
  int position_ = -1;
  void ok_pressed();
};

class frmSelectOther : public QDialog {
  Q_OBJECT
 public:
  frmSelectOther(Session& s, const std::string& header, const std::vector<PartnerRow>& partners,
                 QWidget* parent = nullptr);
  // The partner chosen; 0 when cancelled.
  std::int16_t partner() const { return partner_; }

 private:
  Session& s_;
  std::vector<PartnerRow> partners_;
  QListWidget* list_;
  std::int16_t partner_ = 0;
  void choose();
};

}  // namespace vft::ui
