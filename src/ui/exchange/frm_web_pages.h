// frmWebPages ("Build Family Web Pages"): where the pages go, what they show
// and how they look. OK runs the whole build with its questions; a build
// that is refused or stopped leaves the dialog open for another try.
//
// Controls by objectName: txtFolder, cmdSelect, chkIncludeBirthdays, chkName,
// txtName, chkEmail, txtEmail, chkWebSite, txtWebSite, cmdColours,
// lblColours, optStyle_0 (Classic), optStyle_1 (Modern), optExtension_0
// (".htm"), optExtension_1 (".html"),
// lblCharWarning, lblStatus, prgWeb, cmdOK, cmdCancel, cmdHelp.
#pragma once
#include <QColor>
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "common/file_dialogs.h"
#include "interchange/web_pages.h"
#include "store/session.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vft::ui {

class frmWebPages : public QDialog {
  Q_OBJECT
 public:
  // `documents_folder` is where "My Family Web Pages" is proposed when no
  // folder was used before.
  frmWebPages(Session& s, const std::string& documents_folder, QWidget* parent = nullptr);
  ~frmWebPages() override;

  // The options as the dialog's controls stand.
  WebOptions options() const;

  // The folder browser (the Qt one unless a test puts its own here).
  FileDialogs* dialogs;
  // Handed to the colour dialog; tests replace it.
  std::function<std::optional<QColor>(const QColor& current, const QString& title)> choose_colour;
  // Opens a file in the default browser; tests replace it.
  std::function<void(const std::string& path)> open_in_browser;
  // How the last build ended (Failed before any).
  WebStatus status() const { return status_; }

 public slots:
  void reject() override;

 private:
  Session& s_;
  std::unique_ptr<FileDialogs> own_dialogs_;
  QLineEdit* txtFolder_;
  QCheckBox* chkIncludeBirthdays_;
  QCheckBox* chkName_;
  QCheckBox* chkEmail_;
  QCheckBox* chkWebSite_;
  QLineEdit* txtName_;
  QLineEdit* txtEmail_;
  QLineEdit* txtWebSite_;
  QLabel* lblColours_;
  QRadioButton* optClassic_;
  QRadioButton* optModern_;
  QRadioButton* optHtml_;
  QRadioButton* optHtm_;
  QLabel* lblStatus_;
  QProgressBar* prgWeb_;
  QPushButton* cmdOK_;
  WebColours colours_;
  bool working_ = false;
  bool stop_ = false;
  WebStatus status_ = WebStatus::Failed;

  void select_folder();
  void preparer_clicked(QCheckBox* box, QLineEdit* text, PreparerDetail which);
  void edit_colours();
  void show_colours();
  void ok_pressed();
};

}  // namespace vft::ui
