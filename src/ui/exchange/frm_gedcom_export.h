// frmGEDCOMExport: the export dialog. It collects the submitter details that
// head the file (filled from the settings file), the flavour, and on Export
// asks for the target and writes it; while it writes, its label names the
// file and Cancel stops between persons.
//
// Controls by objectName: lblCaption_0, lblCaption_1, txtName, txtAddress1,
// txtAddress2, txtAddress3, txtPhone, txtEmail, chkOtherPrograms, chkGedcom7,
// lblCharWarning, lblStatus, cmdExport, cmdCancel, cmdHelp.
#pragma once
#include <QDialog>
#include <array>

#include "common/file_dialogs.h"
#include "interchange/gedcom_export.h"
#include "store/session.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vft::ui {

class frmGEDCOMExport : public QDialog {
  Q_OBJECT
 public:
  frmGEDCOMExport(Session& s, FileDialogs& dialogs, QWidget* parent = nullptr);

  // The details as typed (CP1252).
  SubmitterDetails typed() const;
  // How the last export ended (Failed before any).
  ExportStatus status() const { return status_; }

 public slots:
  void reject() override;

 private:
  Session& s_;
  FileDialogs& dialogs_;
  std::array<QLineEdit*, 6> boxes_{};
  QCheckBox* chkOtherPrograms_;
  QCheckBox* chkGedcom7_;
  QLabel* lblStatus_;
  QPushButton* cmdExport_;
  bool working_ = false;
  bool stop_ = false;
  ExportStatus status_ = ExportStatus::Failed;

  void export_pressed();
};

}  // namespace vft::ui
