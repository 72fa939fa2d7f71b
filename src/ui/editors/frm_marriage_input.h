// frmMarriageInput: the date, place and the two flags of one partnership,
// either while a partner or the second parent is being added (its OK makes the
// link) or for the displayed partnership of the selected person. The rules
// live in core (edit/marriage_editor.h); this window shows them and passes
// the user's typing on.
//
// Controls by objectName: lblCaption, lblSelectedPerson, lblConnectedPerson,
// lblOn, txtMarriedDate, lblAt, txtMarriedAt, chkDivorced, chkNotMarried,
// lblHint, butOKAddMarr, butCancel, butHelp.
#pragma once
#include <QDialog>

#include "edit/marriage_editor.h"
#include "store/session.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vft::ui {

class frmMarriageInput : public QDialog {
  Q_OBJECT
 public:
  frmMarriageInput(Session& s, MarriageEditMode mode, QWidget* parent = nullptr);
  ~frmMarriageInput() override;

  // False when there was nothing to edit (a box has said so); do not show it.
  bool loaded() const { return loaded_; }
  // How the window was closed; Cancelled until OK or Cancel has finished.
  MarriageResult result_step() const { return result_; }

  // Cancel, Esc and the close button all run the take-back questions.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Session& s_;
  MarriageEditor editor_;
  bool loaded_ = false;
  bool closing_ = false;  // OK or Cancel is running: leaving the date box checks nothing
  MarriageResult result_ = MarriageResult::Cancelled;

  QLabel* lblCaption_;
  QLabel* lblSelectedPerson_;
  QLabel* lblConnectedPerson_;
  QLineEdit* txtMarriedDate_;
  QPlainTextEdit* txtMarriedAt_;
  QCheckBox* chkDivorced_;
  QCheckBox* chkNotMarried_;
  QLabel* lblHint_;
  QPushButton* butOKAddMarr_;

  void build();
  void show_state();
  void hint(const std::string& text);
  void date_left();
  void date_edited(const QString& text);
  void place_changed();
  void ok_pressed();
  std::string place_text() const;
  void finish(MarriageResult r);
};

}  // namespace vft::ui
