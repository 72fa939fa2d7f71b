// frmEditPerson: the person editor. Modal; it types in a new person for the
// add operation in s.Rel, or edits a person on record and browses from there.
// Every rule lives in core (edit/person_editor.h); the window shows the boxes,
// passes typing on and moves the focus where core says.
//
// Controls by objectName: the text boxes Text_0..Text_16 (Text_15, the notes,
// is multi-line), butSex, chkAutoCap with lblAutoCap, butOKEdit, butCancel,
// butBack, butForward, butSearch, butParents, butPartners, butChildren,
// butSiblings, butConfigure, butHelp; the picture areas picTopBar,
// picRecords, picAge, picParents, picFamily; the labels Label_0..Label_16
// beside the boxes; lblStatus, the hint line.
#pragma once
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

#include "edit/person_editor.h"
#include "store/session.h"
#include "mainwindow/editing_windows.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vft::ui {

class frmEditPerson : public QDialog {
  Q_OBJECT
 public:
  // person >= 1 edits that person; 0 types in a new one.
  frmEditPerson(Session& s, std::int16_t person, QWidget* parent = nullptr);

  // False when the person could not be read (a box has said so).
  bool loaded() const { return loaded_; }
  EditPersonOutcome outcome() const { return outcome_; }
  // Opens the options dialog for butConfigure; the setting is read again after it.
  std::function<void()> open_options;

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Session& s_;
  PersonEditor ed_;
  bool loaded_ = false;
  bool loading_ = false;  // boxes are being filled: no change is the user's
  bool leaving_ = false;  // a box is being checked: no nested checks
  EditPersonOutcome outcome_;

  std::array<QWidget*, kEditFields> text_{};
  std::array<QLabel*, kEditFields> label_{};
  QPlainTextEdit* notes_ = nullptr;
  QPushButton* butSex_;
  QCheckBox* chkAutoCap_;
  QLabel* lblAutoCap_;
  QPushButton *butOKEdit_, *butCancel_, *butBack_, *butForward_, *butSearch_;
  QPushButton *butParents_, *butPartners_, *butChildren_, *butSiblings_, *butConfigure_, *butHelp_;
  QLabel *picTopBar_, *picRecords_, *picAge_, *picParents_, *picFamily_, *lblStatus_;

  void build();
  QLineEdit* line(int index) const;
  QString box_text(int index) const;
  void set_box_text(int index, const QString& text);
  int focused_box() const;
  void focus_box(int index);

  void load_all();
  void show_autocap(bool configured);
  void show_pictures();
  void update_buttons();
  void status(const QString& text, bool warning = false);

  void edited(int index);
  void leave(int index);
  void guard_cp1252(int index);
  void function_key(int index);
  bool special_key(int index, int key);

  void ok_pressed();
  void sex_pressed();
  void autocap_clicked(bool checked);
  void configure_pressed();
  void browse(bool forward);
  void relatives(Relatives kind);
  void search_pressed();
  void go_to(std::int16_t n);
  bool leave_record();
};

}  // namespace vft::ui
