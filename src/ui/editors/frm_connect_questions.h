// The small question windows of adding and connecting. Each shows lines of
// text composed in core (edit/connect_dialogs.h) and a row of answer buttons;
// exec() returns and answer() tells which button closed it (Cancel when the
// window was closed).
//
// Controls by objectName: the text lines Label1, Label2, ...; the buttons
// cmdYes, cmdNo, cmdMale, cmdFemale, cmdOK, cmdCancel and cmdHelp as each
// window has them.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "store/session.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace vft::ui {

enum class Answer { Cancel, Yes, No, Male, Female, OK };

class ConnectQuestion : public QDialog {
  Q_OBJECT
 public:
  Answer answer() const { return answer_; }

 protected:
  ConnectQuestion(Session& s, const char* name, const std::string& title, const std::vector<std::string>& lines,
                  QWidget* parent);
  // closes = false: the window handles the click itself.
  QPushButton* add_button(const char* name, const QString& text, Answer a, bool closes = true);
  void add_help();
  void finish(Answer a);
  QLabel* line(int i) const { return lines_.at(static_cast<std::size_t>(i)); }

  Session& s_;

 private:
  std::vector<QLabel*> lines_;
  QHBoxLayout* buttons_;
  Answer answer_ = Answer::Cancel;
};

// The selected person's sex is missing: Male, Female, Cancel, Help.
class frmNoSex : public ConnectQuestion {
  Q_OBJECT
 public:
  explicit frmNoSex(Session& s, QWidget* parent = nullptr);
};

// The other parent of a child: "issue of" the displayed couple, or is the
// other parent known. Yes, No, Cancel, Help.
class frmAddChild : public ConnectQuestion {
  Q_OBJECT
 public:
  frmAddChild(Session& s, bool ask_known, QWidget* parent = nullptr);
  bool issue_of() const { return issue_of_; }

 private:
  bool issue_of_ = false;
};

// Is the missing parent known? Yes, No, Help. On No the window says that an
// 'Unknown' parent is being added and closes itself after `notice_ms`.
class frmAddParent : public ConnectQuestion {
  Q_OBJECT
 public:
  frmAddParent(Session& s, int notice_ms, QWidget* parent = nullptr);
};

// Is the spouse of the person connected as a parent the other parent?
class frmConnectParent : public ConnectQuestion {
  Q_OBJECT
 public:
  frmConnectParent(Session& s, std::int16_t x, std::int16_t spouse, QWidget* parent = nullptr);
};

// Does the person connected as a partner take the place of an 'Unknown' one?
class frmConnectPartner : public ConnectQuestion {
  Q_OBJECT
 public:
  frmConnectPartner(Session& s, std::int16_t x, std::int16_t family, QWidget* parent = nullptr);
};

// The notice after an unrelated person was added; closes itself after
// `notice_ms` or on OK.
class frmUnrelated : public ConnectQuestion {
  Q_OBJECT
 public:
  frmUnrelated(Session& s, std::int16_t person, int notice_ms, QWidget* parent = nullptr);
};

}  // namespace vft::ui
