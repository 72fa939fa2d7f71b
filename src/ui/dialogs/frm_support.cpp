#include "dialogs/frm_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStorageInfo>
#include <QSysInfo>
#include <QUrl>
#include <QVBoxLayout>

#include "mainwindow/editing_windows.h"
#include "mainwin/startup.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"

namespace vft::ui {

QString HelpPageUrl(const Session& s, const std::string& topic) {
  const std::string path =
      HelpPagePath(s.ProgramFolder, topic, [](const std::string& p) { return QFile::exists(from_native(p)); });
  if (path.empty()) return {};
  return QUrl::fromLocalFile(from_native(path)).toString();
}

void OpenHelpPage(const Session& s, const std::string& topic) {
  const QString url = HelpPageUrl(s, topic);
  if (!url.isEmpty()) QDesktopServices::openUrl(QUrl(url));
}

TechInfoValues GatherTechInfo(const Session& s, const std::string& family_file) {
  TechInfoValues v;
  v.version = VersionText();
  v.program_folder = s.ProgramFolder;
  v.settings_folder = s.settings_folder();
  v.work_folder = s.WorkFolder;
  v.family_file = family_file;
  v.persons = s.Config.NumPersons();
  v.families = s.Config.NumMarriages();
  v.printer = cp(QPrinterInfo::defaultPrinterName());
  const QStorageInfo storage(from_native(s.WorkFolder));
  if (storage.isValid()) v.free_bytes = storage.bytesAvailable();
  v.system = cp(QSysInfo::prettyProductName() + QStringLiteral(" (") + QSysInfo::currentCpuArchitecture() +
                QStringLiteral(")"));
  v.toolkit = qVersion();
  return v;
}

frmTechInfo::frmTechInfo(Session& s, const std::string& family_file, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmTechInfo"));
  setWindowTitle(QStringLiteral("Technical Information for Support"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("Please include this information when you ask for help with "
                                          "Vorlan Family Tree."),
                           this);
  label->setWordWrap(true);
  layout->addWidget(label);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtInfo"));
  text_->setReadOnly(true);
  text_->setPlainText(
      qs(TechInfoText(GatherTechInfo(s, family_file))).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  text_->setMinimumSize(560, 260);
  layout->addWidget(text_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* copy = buttons->addButton(QStringLiteral("&Copy to Clipboard"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("butCopy"));
  QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("butHelp"));
  QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::AcceptRole);
  close->setObjectName(QStringLiteral("butClose"));
  layout->addWidget(buttons);
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(text()); });
  connect(help, &QPushButton::clicked, this, [this] { s_.help("tech_info"); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmTechInfo::text() const { return text_->toPlainText(); }

frmUpgradeReminder::frmUpgradeReminder(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmUpgradeReminder"));
  setWindowTitle(QStringLiteral("Vorlan Family Tree"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("This version of Vorlan Family Tree is more than three years old.\n"
                                          "A newer version with improvements and corrections may be available."),
                           this);
  label->setObjectName(QStringLiteral("lblMessage"));
  layout->addWidget(label);
  auto* never = new QCheckBox(QStringLiteral("&Do not remind me again"), this);
  never->setObjectName(QStringLiteral("chkNoReminder"));
  layout->addWidget(never);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("butOK"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void frmUpgradeReminder::accept() {
  if (findChild<QCheckBox*>(QStringLiteral("chkNoReminder"))->isChecked()) StopUpgradeReminder(s_);
  QDialog::accept();
}

bool RunUpgradeReminder(Session& s, QWidget* parent) {
  frmUpgradeReminder dialog(s, parent);
  dialog.exec();
  return dialog.findChild<QCheckBox*>(QStringLiteral("chkNoReminder"))->isChecked();
}

void RunAbout(Session& s, QWidget* parent) {
  QMessageBox box(parent);
  box.setObjectName(QStringLiteral("frmAbout"));
  box.setWindowTitle(QStringLiteral("About Vorlan Family Tree"));
  box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
  box.setText(QStringLiteral("<b>Vorlan Family Tree</b><br>") + qs(VersionText()).toHtmlEscaped());
  box.setInformativeText(qs(AboutText()));
  box.setStandardButtons(QMessageBox::Ok);
  QPushButton* info = box.addButton(QStringLiteral("&Technical Information..."), QMessageBox::ActionRole);
  info->setObjectName(QStringLiteral("butSysInfo"));
  box.exec();
  if (box.clickedButton() == info) RunTechInfo(s, parent);
}

void RunTechInfo(Session& s, QWidget* parent) {
  frmTechInfo dialog(s, s.CurrentFilePath, parent);
  dialog.exec();
}

}  // namespace vft::ui
