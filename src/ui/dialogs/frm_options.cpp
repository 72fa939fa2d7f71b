#include "dialogs/frm_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "mainwindow/editing_windows.h"
#include "mainwindow/family_view.h"
#include "mainwindow/family_view_colours.h"
#include "mainwindow/frm_famtree.h"
#include "mainwin/options_dialog.h"
#include "qt_text.h"
#include "store/ini.h"

namespace vft::ui {

namespace {

// Refuses what the settings file cannot hold as CP1252 text, so a label or a
// function-key text never comes back with question marks in it.
class Cp1252Only : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    const std::string utf8 = input.toStdString();
    return cp1252::to_utf8(cp1252::from_utf8(utf8)) == utf8 ? Acceptable : Invalid;
  }
};

constexpr int kLabelLength = 40;
constexpr int kFunctionKeyLength = 255;  // what the settings reader gives back

}  // namespace

frmOptions::frmOptions(Session& s, QWidget* parent) : QDialog(parent), s_(s), loaded_(LoadOptions(s)) {
  setObjectName(QStringLiteral("frmOptions"));
  setWindowTitle(QStringLiteral("Set Vorlan Family Tree Options"));
  setModal(true);

  lblWarning_ = new QLabel(this);
  lblWarning_->setObjectName(QStringLiteral("lblWarning"));
  lblWarning_->setStyleSheet(QStringLiteral("color: #b00020;"));
  lblWarning_->setWordWrap(true);

  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("butOK")}, {QStringLiteral("Cancel"), QStringLiteral("butCancel")},
      {QStringLiteral("&Help"), QStringLiteral("butHelp")}, [this] { s_.help("options"); });

  auto* left = new QVBoxLayout;
  left->addWidget(build_switches());
  left->addWidget(build_password());
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(build_labels());
  right->addWidget(build_function_keys());
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  QHBoxLayout* buttons = commands.row(lblWarning_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  show_options(loaded_);

  connect(chkPassword_, &QCheckBox::toggled, this, &frmOptions::password_enabled);
  connect(butChangePW_, &QPushButton::clicked, this, &frmOptions::change_password);
  connect(chkColour_, &QCheckBox::toggled, this, &frmOptions::colour_toggled);
  connect(commands.ok, &QPushButton::clicked, this, &frmOptions::accept);
  chkPrompts_->setFocus();
}

QWidget* frmOptions::build_switches() {
  auto* box = new QGroupBox(QStringLiteral("Settings"), this);
  auto make = [&](const char* name, const char* caption) {
    auto* c = new QCheckBox(QString::fromLatin1(caption), box);
    c->setObjectName(QString::fromLatin1(name));
    return c;
  };
  chkPrompts_ = make("chkPrompts", "On screen prompts");
  chkPassword_ = make("chkPassword", "Enable password protect");
  chkAutoCap_ = make("chkAutoCap", "First letter auto-capitalization names");
  chkUCaseFamname_ = make("chkUCaseFamname", "Show family names in UPPER CASE");
  chkColour_ = make("chkColour", "Use the 256 colour scheme");
  chkRemind_ = make("chkRemind", "Remind me to make a backup");
  chkAutoCap_->setToolTip(QStringLiteral("Start every name typed in the person editor with a capital letter"));
  chkColour_->setToolTip(QStringLiteral("Use the colours of a 256-colour display whatever the display shows"));
  auto* l = new QVBoxLayout(box);
  for (QCheckBox* c : {chkPrompts_, chkPassword_, chkAutoCap_, chkUCaseFamname_, chkColour_, chkRemind_})
    l->addWidget(c);
  return box;
}

QLineEdit* frmOptions::text_box(const char* name, int max_length) {
  auto* t = new QLineEdit(this);
  t->setObjectName(QString::fromLatin1(name));
  t->setMaxLength(max_length);
  t->setValidator(new Cp1252Only(t));
  connect(t, &QLineEdit::inputRejected, this,
          [this] { lblWarning_->setText(QStringLiteral("That character cannot be stored and was left out.")); });
  connect(t, &QLineEdit::textEdited, lblWarning_, &QLabel::clear);
  return t;
}

QWidget* frmOptions::build_labels() {
  auto* box = new QGroupBox(QStringLiteral("Field names"), this);
  txtFamName_ = text_box("txtFamName", kLabelLength);
  txtGivenNames_ = text_box("txtGivenNames", kLabelLength);
  txtBaptised_ = text_box("txtBaptised", kLabelLength);
  auto* g = new QGridLayout(box);
  const std::pair<const char*, QLineEdit*> rows[] = {
      {"Family name field:", txtFamName_}, {"Given names field:", txtGivenNames_}, {"Baptism field:", txtBaptised_}};
  int row = 0;
  for (const auto& [caption, edit] : rows) {
    auto* label = new QLabel(QString::fromLatin1(caption), box);
    label->setBuddy(edit);
    g->addWidget(label, row, 0);
    g->addWidget(edit, row++, 1);
  }
  g->setColumnStretch(1, 1);
  return box;
}

QWidget* frmOptions::build_function_keys() {
  auto* box = new QGroupBox(QStringLiteral("Function key texts"), this);
  auto* g = new QGridLayout(box);
  for (int i = 0; i < 10; ++i) {
    const std::string name = "txtFKey_" + std::to_string(i);
    QLineEdit* t = text_box(name.c_str(), kFunctionKeyLength);
    txtFKey_[static_cast<std::size_t>(i)] = t;
    auto* label = new QLabel(qs(FunctionKeyName(i)), box);
    label->setBuddy(t);
    g->addWidget(label, i, 0);
    g->addWidget(t, i, 1);
  }
  g->setColumnStretch(1, 1);
  return box;
}

QWidget* frmOptions::build_password() {
  auto* box = new QGroupBox(QStringLiteral("Password"), this);
  txtPassword_ = new QLineEdit(box);
  txtPassword_->setObjectName(QStringLiteral("txtPassword"));
  txtPassword_->setEchoMode(QLineEdit::Password);
  txtPassword_->setMaxLength(static_cast<int>(kMaxPasswordLength));
  butChangePW_ = new QPushButton(QStringLiteral("Change &Password"), box);
  butChangePW_->setObjectName(QStringLiteral("butChangePW"));
  auto* l = new QHBoxLayout(box);
  l->addWidget(txtPassword_, 1);
  l->addWidget(butChangePW_);
  return box;
}

void frmOptions::show_options(const Options& o) {
  chkPrompts_->setChecked(o.EnblPrompts);
  chkAutoCap_->setChecked(o.AutoCap);
  chkUCaseFamname_->setChecked(o.UCaseFamname);
  chkRemind_->setChecked(o.Remind);
  {
    // Showing the stored scheme is not a change to try out.
    const QSignalBlocker block(chkColour_);
    chkColour_->setChecked(o.ColourScheme256);
  }
  txtFamName_->setText(qs(o.FamName));
  txtGivenNames_->setText(qs(o.GivenNames));
  txtBaptised_->setText(qs(o.Baptised));
  for (std::size_t i = 0; i < txtFKey_.size(); ++i) txtFKey_[i]->setText(qs(o.FunctionKeys[i]));
  txtPassword_->setText(qs(o.Password));
  chkPassword_->setChecked(o.PasswordEnabled);
  password_enabled(o.PasswordEnabled);
}

Options frmOptions::options_from_boxes() const {
  Options o = loaded_;  // keeps the stored password and the settings record's working copy
  o.EnblPrompts = chkPrompts_->isChecked();
  o.PasswordEnabled = chkPassword_->isChecked();
  o.AutoCap = chkAutoCap_->isChecked();
  o.UCaseFamname = chkUCaseFamname_->isChecked();
  o.ColourScheme256 = chkColour_->isChecked();
  o.Remind = chkRemind_->isChecked();
  o.FamName = cp(txtFamName_->text());
  o.GivenNames = cp(txtGivenNames_->text());
  o.Baptised = cp(txtBaptised_->text());
  for (std::size_t i = 0; i < txtFKey_.size(); ++i) o.FunctionKeys[i] = cp(txtFKey_[i]->text());
  o.Password = cp(txtPassword_->text());
  return o;
}

void frmOptions::password_enabled(bool on) {
  // A stored password is shown masked and only replaced through the button,
  // so a stray key press cannot change it.
  const bool stored = !loaded_.OriginalPassword.empty();
  txtPassword_->setEnabled(on);
  txtPassword_->setReadOnly(stored && txtPassword_->text() == qs(loaded_.OriginalPassword));
  butChangePW_->setEnabled(on && stored);
  if (on && !txtPassword_->isReadOnly() && isVisible()) txtPassword_->setFocus();
}

void frmOptions::change_password() {
  txtPassword_->clear();
  txtPassword_->setReadOnly(false);
  txtPassword_->setFocus();
}

void frmOptions::colour_toggled(bool on) {
  if (apply_colours) apply_colours(on ? 256 : 0);
}

void frmOptions::accept() {
  const Options chosen = options_from_boxes();
  if (!ApplyOptions(s_, chosen, random)) {
    // Refused: the empty or unusable password is what needs the user.
    if (chosen.PasswordEnabled) change_password();
    return;
  }
  display_changed_ = OptionsChangeDisplay(loaded_, LoadOptions(s_));
  QDialog::accept();
}

void frmOptions::reject() {
  if (apply_colours) apply_colours(IniReadInt(s_, section::Configure, "ColourScheme"));
  QDialog::reject();
}

bool RunOptions(Session& s, QWidget* parent, const std::function<void(int colour_scheme)>& apply_colours) {
  frmOptions dialog(s, parent);
  dialog.apply_colours = apply_colours;
  return dialog.exec() == QDialog::Accepted && dialog.displayChanged();
}

bool RunOptions(Session& s, QWidget* parent) {
  std::function<void(int)> apply;
  if (auto* main = qobject_cast<frmFamtree*>(parent)) {
    apply = [main](int scheme) {
      int depth = 24;
      if (QScreen* screen = QApplication::primaryScreen()) depth = screen->depth();
      main->view()->setColours(ColoursForScheme(SchemeColourCount(scheme, depth, 1)));
    };
  }
  return RunOptions(s, parent, apply);
}

}  // namespace vft::ui
