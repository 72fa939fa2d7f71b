// frmBackup: the backup dialog. It shows the stored backup folder, a box for
// the folder, Select (the folder browser), the reminder box and OK; every
// check and question of OK is core's (mainwin/backup_dialog.h).
//
// Controls by objectName: lblCurrentFolder, lblInstructions, txtBackupPath,
// butSelect, chkRemind, butOK, butCancel, butHelp.
#pragma once
#include <QDialog>

#include "common/file_dialogs.h"
#include "mainwin/backup_dialog.h"
#include "store/session.h"

class QCheckBox;
class QLineEdit;

namespace vft::ui {

class frmBackup : public QDialog {
  Q_OBJECT
 public:
  frmBackup(Session& s, FileDialogs& dialogs, QWidget* parent = nullptr);
  // True once a backup has been written.
  bool written() const { return written_; }

 private:
  Session& s_;
  FileDialogs& dialogs_;
  BackupForm form_;
  bool written_ = false;
  QLineEdit* txtBackupPath_;
  QCheckBox* chkRemind_;
  void select_pressed();
  void ok_pressed();
};

}  // namespace vft::ui
