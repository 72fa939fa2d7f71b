// frmStartMenu: what a user with no tree can do first. Four entries in one
// button array and a help button; A, O, I and X pressed anywhere in the
// window press entries 0 to 3 and H the help button. Closing it any way but
// from code presses the exit entry.
//
// Controls by objectName: butStart0 .. butStart3, butHelp.
#pragma once
#include <QDialog>
#include <array>
#include <functional>

class QPushButton;

namespace vft::ui {

class frmStartMenu : public QDialog {
  Q_OBJECT
 public:
  enum Entry { AddFirstPerson = 0, OpenFile = 1, ImportGedcom = 2, Exit = 3 };
  explicit frmStartMenu(QWidget* parent = nullptr);

  // What pressing each entry does; an entry without an action is disabled.
  void set_action(int entry, std::function<void()> action);
  void set_help(std::function<void()> help);
  // Closes the window without pressing the exit entry.
  void close_from_code();
  QPushButton* entry(int i) const { return buttons_[static_cast<std::size_t>(i)]; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  std::array<QPushButton*, 4> buttons_{};
  std::array<std::function<void()>, 4> actions_;
  QPushButton* butHelp_ = nullptr;
  std::function<void()> help_;
  bool closing_from_code_ = false;
  void press(int entry);
};

}  // namespace vft::ui
