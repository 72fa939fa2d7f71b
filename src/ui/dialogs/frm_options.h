// frmOptions: the dialog "Set Vorlan Family Tree Options". It shows the
// settings as store/settings.h loads them and stores them through
// ApplyOptions; the colour box is tried out on the main window at once and
// taken back on Cancel.
//
// Controls by objectName: chkPrompts, chkPassword, chkAutoCap, chkUCaseFamname,
// chkColour, chkRemind; txtFamName, txtGivenNames, txtBaptised; the
// function-key boxes txtFKey_0 .. txtFKey_9 (F3 .. F12); txtPassword,
// butChangePW; lblWarning; butOK, butCancel, butHelp.
#pragma once
#include <QDialog>
#include <array>
#include <functional>

#include "store/session.h"
#include "store/settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vft::ui {

class frmOptions : public QDialog {
  Q_OBJECT
 public:
  explicit frmOptions(Session& s, QWidget* parent = nullptr);

  // Shows a colour scheme on the main window: 256 for the fixed 256-colour
  // scheme, 0 for the display's own. Called when the colour box is toggled
  // and, with the stored value, on Cancel.
  std::function<void(int colour_scheme)> apply_colours;
  // Where the scrambling of a new password takes its random number.
  RandomSource random = SystemRandom;

  // After OK: whether a label, the colour scheme or upper-case family names
  // changed, so the main window redraws.
  bool displayChanged() const { return display_changed_; }

  void accept() override;
  void reject() override;

 private:
  Session& s_;
  Options loaded_;
  bool display_changed_ = false;
  QCheckBox *chkPrompts_, *chkPassword_, *chkAutoCap_, *chkUCaseFamname_, *chkColour_, *chkRemind_;
  QLineEdit *txtFamName_, *txtGivenNames_, *txtBaptised_;
  std::array<QLineEdit*, 10> txtFKey_{};
  QLineEdit* txtPassword_;
  QPushButton* butChangePW_;
  QLabel* lblWarning_;

  QWidget* build_switches();
  QWidget* build_labels();
  QWidget* build_function_keys();
  QWidget* build_password();
  QLineEdit* text_box(const char* name, int max_length);
  void show_options(const Options& o);
  Options options_from_boxes() const;
  void password_enabled(bool on);
  void change_password();
  void colour_toggled(bool on);
};

// Shows the dialog; when the parent is the main window its family view takes
// the colour scheme. True when the main window must redraw.
bool RunOptions(Session& s, QWidget* parent, const std::function<void(int colour_scheme)>& apply_colours);

}  // namespace vft::ui
