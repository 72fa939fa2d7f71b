// The Help menu's support windows (the about box, the technical information
// for a support request), the reminder to look for a newer version, and the
// help pages every window's Help button opens.
#pragma once
#include <QDialog>
#include <QString>
#include <string>

#include "mainwin/support_info.h"
#include "store/session.h"

class QPlainTextEdit;

namespace vft::ui {

// The help page of `topic` as a file URL; empty when the program folder has
// no help pages.
QString HelpPageUrl(const Session& s, const std::string& topic);
// Opens it in the default browser.
void OpenHelpPage(const Session& s, const std::string& topic);

// The values of this machine and session.
TechInfoValues GatherTechInfo(const Session& s, const std::string& family_file);

class frmTechInfo : public QDialog {
  Q_OBJECT
 public:
  frmTechInfo(Session& s, const std::string& family_file, QWidget* parent = nullptr);
  QString text() const;

 private:
  Session& s_;
  QPlainTextEdit* text_ = nullptr;
};

// Shown at exit while the reminder is due: a hint to look for a newer
// version, with a box to stop it for good.
class frmUpgradeReminder : public QDialog {
  Q_OBJECT
 public:
  explicit frmUpgradeReminder(Session& s, QWidget* parent = nullptr);
  void accept() override;

 private:
  Session& s_;
};
// True when the user asked not to be reminded again.
bool RunUpgradeReminder(Session& s, QWidget* parent);

}  // namespace vft::ui
