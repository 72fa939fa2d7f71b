#include "exchange/frm_backup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "mainwindow/editing_windows.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"

namespace vft::ui {

namespace {
// Message texts break lines with CrLf; a label wants plain line feeds.
QString label_text(const std::string& text) { return qs(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
}  // namespace

frmBackup::frmBackup(Session& s, FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs), form_(LoadBackupForm(s)) {
  setObjectName(QStringLiteral("frmBackup"));
  setWindowTitle(QString::fromLatin1(kBackupDialogTitle));
  setModal(true);

  auto* lblCurrent = new QLabel(from_native(BackupFolderCaption(form_)), this);
  lblCurrent->setObjectName(QStringLiteral("lblCurrentFolder"));
  lblCurrent->setWordWrap(true);
  lblCurrent->setStyleSheet(QStringLiteral("font-weight: bold;"));
  auto* lblInstructions = new QLabel(label_text(BackupInstructions(form_)), this);
  lblInstructions->setObjectName(QStringLiteral("lblInstructions"));
  lblInstructions->setWordWrap(true);

  txtBackupPath_ = new QLineEdit(from_native(form_.Folder), this);
  txtBackupPath_->setObjectName(QStringLiteral("txtBackupPath"));
  txtBackupPath_->setMaxLength(4095);
  txtBackupPath_->setMinimumWidth(360);
  auto* butSelect = new QPushButton(QStringLiteral("&Select"), this);
  butSelect->setObjectName(QStringLiteral("butSelect"));
  chkRemind_ = new QCheckBox(QStringLiteral("Remind me to backup my records"), this);
  chkRemind_->setObjectName(QStringLiteral("chkRemind"));
  chkRemind_->setChecked(form_.Remind);

  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("butOK")}, {QStringLiteral("Cancel"), QStringLiteral("butCancel")},
      {QStringLiteral("&Help"), QStringLiteral("butHelp")}, [this] { s_.help("backup"); });

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(txtBackupPath_, 1);
  folderRow->addWidget(butSelect);
  QHBoxLayout* buttons = commands.row(chkRemind_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->addWidget(lblCurrent);
  layout->addWidget(lblInstructions);
  layout->addSpacing(6);
  layout->addLayout(folderRow);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  setMinimumWidth(560);

  connect(butSelect, &QPushButton::clicked, this, &frmBackup::select_pressed);
  connect(commands.ok, &QPushButton::clicked, this, &frmBackup::ok_pressed);
  txtBackupPath_->setFocus();
}

void frmBackup::select_pressed() {
  const std::string folder = SelectBackupFolder(dialogs_, native_path(txtBackupPath_->text()));
  if (!folder.empty()) txtBackupPath_->setText(from_native(folder));
}

void frmBackup::ok_pressed() {
  form_.Folder = native_path(txtBackupPath_->text());
  form_.Remind = chkRemind_->isChecked();
  switch (BackupOK(s_, dialogs_, form_, [this] { hide(); })) {
    case BackupNext::Done:
      written_ = true;
      accept();
      break;
    case BackupNext::Cancelled: reject(); break;
    case BackupNext::FocusFolder:
      txtBackupPath_->setFocus();
      txtBackupPath_->selectAll();
      break;
    case BackupNext::Stay: break;
  }
}

bool RunBackup(Session& s, FileDialogs& dialogs, QWidget* parent) {
  frmBackup dialog(s, dialogs, parent);
  dialog.exec();
  return dialog.written();
}

}  // namespace vft::ui
