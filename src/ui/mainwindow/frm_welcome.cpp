#include "mainwindow/frm_welcome.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "mainwin/startup.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"
#include "store/file_io.h"

namespace vft::ui {

frmWelcome::frmWelcome(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmWelcome"));
  setWindowTitle(QStringLiteral("Welcome to Vorlan Family Tree"));
  open_document = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

  auto* text = new QPlainTextEdit(this);
  text->setObjectName(QStringLiteral("txtWelcome"));
  text->setReadOnly(true);
  std::string welcome = ReadWelcomeText(s);
  for (std::size_t p; (p = welcome.find("\r\n")) != std::string::npos;) welcome.erase(p, 1);
  text->setPlainText(qs(welcome));

  auto* dont = new QCheckBox(QStringLiteral("&Don't show this welcome again"), this);
  dont->setObjectName(QStringLiteral("chkDontShow"));
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  close->setObjectName(QStringLiteral("butClose"));
  close->setDefault(true);
  auto* readme = new QPushButton(QStringLiteral("&Read Me"), this);
  readme->setObjectName(QStringLiteral("butReadMe"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(dont);
  buttons->addStretch(1);
  buttons->addWidget(readme);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->addWidget(text, 1);
  layout->addLayout(buttons);
  resize(620, 460);

  connect(dont, &QCheckBox::toggled, this, &frmWelcome::dont_show_toggled);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(readme, &QPushButton::clicked, this, &frmWelcome::read_me);
}

void frmWelcome::dont_show_toggled(bool on) {
  if (on) DeclineWelcome(s_);
}

void frmWelcome::read_me() {
  const std::string file = s_.ProgramFolder + "/ReadMe.Txt";
  if (!fileio::exists(file)) {
    s_.ask("Missing File",
           std::string("VFT can't find the file 'ReadMe.TXT. ") + CrLf + "It should be in the folder " + CrLf +
               s_.ProgramFolder + CrLf + "that you installed VFT to..",
           Buttons::OK, Icon::Exclamation);
    return;
  }
  if (open_document && open_document(from_native(file))) return;
  s_.ask("Can't find Notepad",
         std::string("VFT can't find NotePad.EXE that is needed  ") + CrLf + " to view this file. " + CrLf + "  " +
             CrLf + " To view ReadMe.TXT. open your text editor  " + CrLf + " and locate ReadMe.txt in the folder " +
             CrLf + " " + CrLf + s_.ProgramFolder,
         Buttons::OK, Icon::Exclamation);
}

}  // namespace vft::ui
