#include "mainwindow/frm_start_menu.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vft::ui {
namespace {

struct EntryText {
  const char* caption;
  const char* tip;
  const char* hint;  // the smaller line under the caption
};
constexpr EntryText kEntries[] = {
    {"&Add the First Person", "Add the first person to start a new family tree. ", "Start a new family tree"},
    {"&Open a Vorlan Family Tree 'Vfl' File", "Open a previously Saved Vorlan Family Tree .VFL File.",
     "Continue with a tree you saved before"},
    {"&Import a GEDCOM File", "Import a GEDCOM file to the Vorlan Family Tree records.",
     "Bring in a tree from another genealogy program"},
    {"E&Xit to Windows", "Exit to Windows", "Close Vorlan Family Tree"},
};
constexpr int kKeys[] = {Qt::Key_A, Qt::Key_O, Qt::Key_I, Qt::Key_X};

}  // namespace

frmStartMenu::frmStartMenu(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmStartMenu"));
  setWindowTitle(QStringLiteral("Vorlan Family Tree"));
  setModal(true);

  auto* title = new QLabel(QStringLiteral("Welcome to Vorlan Family Tree"), this);
  title->setObjectName(QStringLiteral("lblStartTitle"));
  auto* hint =
      new QLabel(QStringLiteral("There are no persons in the records yet. How would you like to start?"), this);
  hint->setObjectName(QStringLiteral("lblStartHint"));
  hint->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 24, 28, 20);
  layout->setSpacing(10);
  layout->addWidget(title);
  layout->addWidget(hint);
  layout->addSpacing(6);
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QString::fromLatin1(kEntries[i].caption), this);
    b->setObjectName(QStringLiteral("butStart%1").arg(i));
    b->setToolTip(QString::fromLatin1(kEntries[i].tip));
    b->setAccessibleDescription(QString::fromLatin1(kEntries[i].hint));
    b->setProperty("startEntry", true);
    b->setAutoDefault(false);
    b->setEnabled(false);
    b->setMinimumHeight(46);
    connect(b, &QPushButton::clicked, this, [this, i] { press(i); });
    buttons_[static_cast<std::size_t>(i)] = b;
    layout->addWidget(b);
  }
  butHelp_ = new QPushButton(QStringLiteral("&Help"), this);
  butHelp_->setObjectName(QStringLiteral("butHelp"));
  butHelp_->setAutoDefault(false);
  butHelp_->setEnabled(false);
  connect(butHelp_, &QPushButton::clicked, this, [this] {
    if (help_) help_();
  });
  auto* foot = new QHBoxLayout;
  foot->addStretch(1);
  foot->addWidget(butHelp_);
  layout->addSpacing(4);
  layout->addLayout(foot);
  setMinimumWidth(520);
  // Exit always works, whatever else is missing.
  set_action(Exit, [this] { close_from_code(); });
}

void frmStartMenu::set_action(int entry, std::function<void()> action) {
  if (entry < 0 || entry > 3) return;
  auto i = static_cast<std::size_t>(entry);
  actions_[i] = std::move(action);
  buttons_[i]->setEnabled(static_cast<bool>(actions_[i]));
}

void frmStartMenu::set_help(std::function<void()> help) {
  help_ = std::move(help);
  butHelp_->setEnabled(static_cast<bool>(help_));
}

void frmStartMenu::close_from_code() {
  closing_from_code_ = true;
  done(QDialog::Accepted);
}

void frmStartMenu::press(int entry) {
  auto i = static_cast<std::size_t>(entry);
  if (buttons_[i]->isEnabled() && actions_[i]) actions_[i]();
}

void frmStartMenu::keyPressEvent(QKeyEvent* event) {
  const auto mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (mods == Qt::NoModifier) {
    for (int i = 0; i < 4; ++i)
      if (event->key() == kKeys[i]) {
        press(i);
        return;
      }
    if (event->key() == Qt::Key_H) {
      butHelp_->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void frmStartMenu::reject() {
  if (closing_from_code_) {
    QDialog::reject();
    return;
  }
  press(Exit);
}

void frmStartMenu::closeEvent(QCloseEvent* event) {
  if (closing_from_code_) {
    QDialog::closeEvent(event);
    return;
  }
  event->ignore();
  press(Exit);
}

}  // namespace vft::ui
