#include "exchange/frm_web_pages.h"

#include <QButtonGroup>
#include <algorithm>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "mainwindow/editing_windows.h"
#include "exchange/frm_web_colours.h"
#include "exchange/gedweb_busy.h"
#include "exchange/gedweb_text_guard.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

constexpr int kMaxText = 255;  // what the settings file keeps of a value

QLineEdit* line_edit(QWidget* parent, const char* name, const std::string& text, QLabel* warning) {
  auto* box = new QLineEdit(qs(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setMaxLength(kMaxText);
  guard_cp1252(box, warning);
  return box;
}

QCheckBox* check_box(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

frmWebPages::frmWebPages(Session& s, const std::string& documents_folder, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmWebPages"));
  setWindowTitle(QStringLiteral("Build Family Web Pages"));
  own_dialogs_ = std::make_unique<QtFileDialogs>(this);
  dialogs = own_dialogs_.get();
  open_in_browser = [](const std::string& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(from_native(path))); };

  const WebOptions o = LoadWebOptions(s_, documents_folder);
  colours_ = o.colours;

  auto* warning = new QLabel(this);
  warning->setObjectName(QStringLiteral("lblCharWarning"));
  warning->setStyleSheet(QStringLiteral("color: #a00000"));
  warning->setWordWrap(true);
  warning->setVisible(false);

  // ---- where
  auto* where = new QGroupBox(QStringLiteral("Folder to save the web pages in"), this);
  txtFolder_ = line_edit(where, "txtFolder", o.folder, warning);
  txtFolder_->setMaxLength(32767);
  txtFolder_->setMinimumWidth(380);
  auto* select = new QPushButton(QStringLiteral("&Select..."), where);
  select->setObjectName(QStringLiteral("cmdSelect"));
  select->setAutoDefault(false);
  auto* where_row = new QHBoxLayout(where);
  where_row->addWidget(txtFolder_, 1);
  where_row->addWidget(select);

  // ---- what
  auto* what = new QGroupBox(QStringLiteral("Include"), this);
  chkIncludeBirthdays_ =
      check_box(what, "chkIncludeBirthdays", "Include &Birthdates and Marriage Dates of Living Persons");
  chkIncludeBirthdays_->setChecked(o.IncludeBirthdays);
  chkName_ = check_box(what, "chkName", "Your &name:");
  chkEmail_ = check_box(what, "chkEmail", "Your &email address:");
  chkWebSite_ = check_box(what, "chkWebSite", "Your &web site:");
  txtName_ = line_edit(what, "txtName", o.Name, warning);
  txtEmail_ = line_edit(what, "txtEmail", o.Email, warning);
  txtWebSite_ = line_edit(what, "txtWebSite", o.WebSite, warning);
  auto* what_grid = new QGridLayout(what);
  what_grid->addWidget(chkIncludeBirthdays_, 0, 0, 1, 2);
  what_grid->addWidget(chkName_, 1, 0);
  what_grid->addWidget(txtName_, 1, 1);
  what_grid->addWidget(chkEmail_, 2, 0);
  what_grid->addWidget(txtEmail_, 2, 1);
  what_grid->addWidget(chkWebSite_, 3, 0);
  what_grid->addWidget(txtWebSite_, 3, 1);
  what_grid->setColumnStretch(1, 1);
  for (auto* box : {txtName_, txtEmail_, txtWebSite_}) box->setEnabled(false);

  // ---- how
  auto* how = new QGroupBox(QStringLiteral("Appearance"), this);
  optClassic_ = new QRadioButton(QStringLiteral("C&lassic"), how);
  optClassic_->setObjectName(QStringLiteral("optStyle_0"));
  optModern_ = new QRadioButton(QStringLiteral("&Modern, for phones and desktops"), how);
  optModern_->setObjectName(QStringLiteral("optStyle_1"));
  (o.style == WebStyle::Classic ? optClassic_ : optModern_)->setChecked(true);
  auto* styles = new QButtonGroup(how);
  styles->addButton(optModern_);
  styles->addButton(optClassic_);
  auto* colours = new QPushButton(QStringLiteral("Set Text &Colours..."), how);
  colours->setObjectName(QStringLiteral("cmdColours"));
  colours->setAutoDefault(false);
  lblColours_ = new QLabel(how);
  lblColours_->setObjectName(QStringLiteral("lblColours"));
  lblColours_->setTextFormat(Qt::RichText);
  optHtm_ = new QRadioButton(QStringLiteral(".htm"), how);
  optHtm_->setObjectName(QStringLiteral("optExtension_0"));
  optHtml_ = new QRadioButton(QStringLiteral(".html"), how);
  optHtml_->setObjectName(QStringLiteral("optExtension_1"));
  (o.HTMLMode ? optHtml_ : optHtm_)->setChecked(true);
  auto* group = new QButtonGroup(how);
  group->addButton(optHtm_);
  group->addButton(optHtml_);
  auto* how_grid = new QGridLayout(how);
  how_grid->addWidget(new QLabel(QStringLiteral("Page style:"), how), 0, 0);
  how_grid->addWidget(optModern_, 0, 1, 1, 2);
  how_grid->addWidget(optClassic_, 0, 3);
  how_grid->addWidget(colours, 1, 0);
  how_grid->addWidget(lblColours_, 1, 1, 1, 3);
  how_grid->addWidget(new QLabel(QStringLiteral("File extension:"), how), 2, 0);
  how_grid->addWidget(optHtm_, 2, 1);
  how_grid->addWidget(optHtml_, 2, 2);
  how_grid->setColumnStretch(3, 1);

  // ---- progress and buttons
  lblStatus_ = new QLabel(this);
  lblStatus_->setObjectName(QStringLiteral("lblStatus"));
  prgWeb_ = new QProgressBar(this);
  prgWeb_->setObjectName(QStringLiteral("prgWeb"));
  prgWeb_->setTextVisible(false);
  prgWeb_->setVisible(false);
  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("cmdOK")}, {QStringLiteral("Cancel"), QStringLiteral("cmdCancel")},
      {QStringLiteral("Help"), QStringLiteral("cmdHelp")}, [this] { s_.help("web_pages"); });
  cmdOK_ = commands.ok;
  QHBoxLayout* buttons = commands.row(lblStatus_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->addWidget(where);
  layout->addWidget(what);
  layout->addWidget(how);
  layout->addWidget(warning);
  layout->addWidget(prgWeb_);
  layout->addLayout(buttons);
  show_colours();

  connect(select, &QPushButton::clicked, this, &frmWebPages::select_folder);
  connect(chkName_, &QCheckBox::clicked, this, [this] { preparer_clicked(chkName_, txtName_, PreparerDetail::Name); });
  connect(chkEmail_, &QCheckBox::clicked, this,
          [this] { preparer_clicked(chkEmail_, txtEmail_, PreparerDetail::Email); });
  connect(chkWebSite_, &QCheckBox::clicked, this,
          [this] { preparer_clicked(chkWebSite_, txtWebSite_, PreparerDetail::WebSite); });
  connect(colours, &QPushButton::clicked, this, &frmWebPages::edit_colours);
  connect(cmdOK_, &QPushButton::clicked, this, &frmWebPages::ok_pressed);
}

frmWebPages::~frmWebPages() = default;

WebOptions frmWebPages::options() const {
  WebOptions o;
  o.folder = cp(txtFolder_->text());
  o.IncludeBirthdays = chkIncludeBirthdays_->isChecked();
  o.HTMLMode = optHtml_->isChecked();
  o.style = optClassic_->isChecked() ? WebStyle::Classic : WebStyle::Modern;
  o.colours = colours_;
  o.include_name = chkName_->isChecked();
  o.include_email = chkEmail_->isChecked();
  o.include_website = chkWebSite_->isChecked();
  o.Name = cp1252::trim(cp(txtName_->text()));
  o.Email = cp1252::trim(cp(txtEmail_->text()));
  o.WebSite = cp1252::trim(cp(txtWebSite_->text()));
  return o;
}

void frmWebPages::select_folder() {
  FileRequest r;
  r.title = "Select the folder to store your web pages in";
  r.folder = cp1252::trim(cp(txtFolder_->text()));
  const std::string chosen = dialogs ? cp1252::trim(dialogs->choose_folder(r)) : std::string();
  if (!chosen.empty()) txtFolder_->setText(from_native(chosen));
}

void frmWebPages::preparer_clicked(QCheckBox* box, QLineEdit* text, PreparerDetail which) {
  if (box->isChecked() && !AskIncludePreparer(s_, which)) box->setChecked(false);
  text->setEnabled(box->isChecked());
  if (box->isChecked()) text->setFocus();
}

void frmWebPages::edit_colours() {
  frmWebColours w(s_, colours_, this);
  if (choose_colour) w.choose_colour = choose_colour;
  if (w.exec() != QDialog::Accepted) return;
  colours_ = w.colours();
  show_colours();
}

void frmWebPages::show_colours() { lblColours_->setText(frmWebColours::sample_html(colours_)); }

void frmWebPages::ok_pressed() {
  if (working_) return;
  const WebOptions o = options();
  if (o.include_website && !CheckWebAddress(s_, o.WebSite)) {
    txtWebSite_->setFocus();
    return;
  }
  working_ = true;
  stop_ = false;
  cmdOK_->setEnabled(false);
  prgWeb_->setRange(0, static_cast<int>(std::max<long>(1, CountWebFamilies(s_))));
  WebBuildResult r;
  {
    WorkingScope scope(s_);
    auto show = [this](const std::string& text, long count) {
      if (!prgWeb_->isVisible()) prgWeb_->setVisible(true);
      lblStatus_->setText(QStringLiteral("Generating Family Web  ") + qs(text));
      if (count <= prgWeb_->maximum()) prgWeb_->setValue(static_cast<int>(count));
    };
    r = BuildWebPages(s_, o, scope.progress(show, stop_));
  }
  working_ = false;
  status_ = r.status;
  cmdOK_->setEnabled(true);
  prgWeb_->setVisible(false);
  lblStatus_->clear();
  if (r.status != WebStatus::Done) return;
  if (r.open_index && open_in_browser) open_in_browser(r.index_file);
  accept();
}

void frmWebPages::reject() {
  if (working_) {
    stop_ = true;
    return;
  }
  QDialog::reject();
}

void RunWebPages(Session& s, QWidget* parent) {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  frmWebPages w(s, native_path(documents.isEmpty() ? QDir::homePath() : documents), parent);
  // The reminder comes once per opening, over the dialog.
  QTimer::singleShot(0, &w, [&s] { ShowPrivacyReminder(s); });
  w.exec();
}

}  // namespace vft::ui
