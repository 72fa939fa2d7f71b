#include "dialogs/frm_password.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "qt_text.h"
#include "store/password.h"

namespace vft::ui {

frmPassword::frmPassword(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmPassword"));
  setWindowTitle(QStringLiteral("Vorlan Family Tree Password"));
  auto* prompt = new QLabel(QStringLiteral("Please enter your password to open Vorlan Family Tree."), this);
  prompt->setObjectName(QStringLiteral("lblPrompt"));
  prompt->setWordWrap(true);
  txtPassword_ = new QLineEdit(this);
  txtPassword_->setObjectName(QStringLiteral("txtPassword"));
  txtPassword_->setEchoMode(QLineEdit::Password);
  txtPassword_->setMaxLength(static_cast<int>(kMaxPasswordLength));
  lblError_ = new QLabel(this);
  lblError_->setObjectName(QStringLiteral("lblError"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("butOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("E&xit"), this);
  cancel->setObjectName(QStringLiteral("butCancel"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->addWidget(prompt);
  layout->addWidget(txtPassword_);
  layout->addWidget(lblError_);
  layout->addLayout(buttons);
  setMinimumWidth(380);

  connect(ok, &QPushButton::clicked, this, &frmPassword::ok_pressed);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          [this] { s_.help("password"); });
  txtPassword_->setFocus();
}

void frmPassword::ok_pressed() {
  if (CheckPassword(s_, cp(txtPassword_->text()))) {
    accept();
    return;
  }
  lblError_->setText(QStringLiteral("That is not the password. Please try again."));
  txtPassword_->clear();
  txtPassword_->setFocus();
}

}  // namespace vft::ui
