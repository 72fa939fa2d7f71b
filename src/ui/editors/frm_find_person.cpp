#include "editors/frm_find_person.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "editors/frm_select_person.h"
#include "qt_text.h"
#include "relations/person_io.h"

namespace vft::ui {

namespace {

// Shows the hourglass while the search reads the persons file, and the
// ordinary pointer again before any question appears.
class BusyPrompter : public Prompter {
 public:
  explicit BusyPrompter(Session& s) : s_(s), inner_(s.prompter) {
    s_.prompter = this;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~BusyPrompter() override {
    idle();
    s_.prompter = inner_;
  }
  BusyPrompter(const BusyPrompter&) = delete;
  BusyPrompter& operator=(const BusyPrompter&) = delete;
  int ask(const Message& m) override {
    idle();
    return inner_->ask(m);
  }

 private:
  Session& s_;
  Prompter* inner_;
  bool busy_ = true;
  void idle() {
    if (busy_) QApplication::restoreOverrideCursor();
    busy_ = false;
  }
};

QPushButton* command(const QString& text, int index, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QStringLiteral("Command1_%1").arg(index));
  b->setMinimumWidth(92);
  return b;
}

const QString kSearchCaption = QStringLiteral("&Find");

}  // namespace

frmFindPerson::frmFindPerson(Session& s, const std::string& fitted_name, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmFindPerson"));
  setModal(true);
  const std::string name = fitted_name.empty() ? DisplayName(s_, s_.Rel.Selected) : fitted_name;
  setWindowTitle(qs(FindCaption(s_, name)));

  // While connecting, the hint says what the person picked is for.
  auto* lblHint =
      new QLabel(s_.Rel.ConnectMode ? QStringLiteral("Enter all or part of the Name of the person to Connect")
                                    : QStringLiteral("Enter all or part of the name or number of the person to select"),
                 this);
  lblHint->setObjectName(QStringLiteral("lblHint"));
  lblHint->setWordWrap(true);
  lblHint->setStyleSheet(QStringLiteral("color: #555b66;"));

  // The labels follow the user's own names for the two fields.
  auto* lblGiven = new QLabel(qs(s_.Messages[msg::GivenNamesLabel] + ": "), this);
  lblGiven->setObjectName(QStringLiteral("lblGivenNames"));
  txtGivenNames_ = new QLineEdit(this);
  txtGivenNames_->setObjectName(QStringLiteral("txtGivenNames"));
  txtGivenNames_->setToolTip(QStringLiteral("Enter all or the first part of his/her Given Name"));
  txtGivenNames_->setMinimumWidth(260);
  lblGiven->setBuddy(txtGivenNames_);

  auto* lblFam = new QLabel(qs(s_.Messages[msg::FamNameLabel] + " or Number: "), this);
  lblFam->setObjectName(QStringLiteral("lblFamName"));
  txtFamName_ = new QLineEdit(this);
  txtFamName_->setObjectName(QStringLiteral("txtFamName"));
  txtFamName_->setToolTip(QStringLiteral("Enter the person's number or all or the first part of his/her Family Name."));
  lblFam->setBuddy(txtFamName_);

  chkPrecise_ = new QCheckBox(QStringLiteral("Precise Search"), this);
  chkPrecise_->setObjectName(QStringLiteral("chkPrecise"));
  chkPrecise_->setChecked(s_.View.PreciseSearch);

  cmdSearch_ = command(kSearchCaption, 0, this);
  cmdSearch_->setDefault(true);
  QPushButton* cmdList = command(QStringLiteral("&List All"), 1, this);
  QPushButton* cmdCancel = command(QStringLiteral("&Cancel"), 2, this);
  QPushButton* cmdHelp = command(QStringLiteral("&Help"), 3, this);
  for (QPushButton* b : {cmdList, cmdCancel, cmdHelp}) b->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  grid->addWidget(lblGiven, 0, 0, Qt::AlignRight);
  grid->addWidget(txtGivenNames_, 0, 1);
  grid->addWidget(lblFam, 1, 0, Qt::AlignRight);
  grid->addWidget(txtFamName_, 1, 1);
  grid->addWidget(chkPrecise_, 2, 1);
  grid->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdHelp);
  buttons->addStretch(1);
  buttons->addWidget(cmdSearch_);
  buttons->addWidget(cmdList);
  buttons->addWidget(cmdCancel);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(18, 16, 18, 14);
  root->setSpacing(14);
  root->addWidget(lblHint);
  root->addLayout(grid);
  root->addLayout(buttons);
  setTabOrder(txtGivenNames_, txtFamName_);
  setTabOrder(txtFamName_, chkPrecise_);
  setTabOrder(chkPrecise_, cmdSearch_);
  setTabOrder(cmdSearch_, cmdList);
  setTabOrder(cmdList, cmdCancel);
  setTabOrder(cmdCancel, cmdHelp);
  setFixedHeight(sizeHint().height());

  connect(chkPrecise_, &QCheckBox::toggled, this, [this](bool on) { s_.View.PreciseSearch = on; });
  connect(txtFamName_, &QLineEdit::textChanged, this, &frmFindPerson::famname_changed);
  connect(cmdSearch_, &QPushButton::clicked, this, &frmFindPerson::search_pressed);
  connect(cmdList, &QPushButton::clicked, this, &frmFindPerson::list_all_pressed);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &frmFindPerson::helpRequested);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, &frmFindPerson::helpRequested);
  txtFamName_->installEventFilter(this);
  txtGivenNames_->setFocus();
}

void frmFindPerson::famname_changed(const QString& text) {
  cmdSearch_->setText(ParseTypedNumber(cp(text)) ? QStringLiteral("List") : kSearchCaption);
}

void frmFindPerson::apply_ucase() {
  const QString now = qs(FamNameBoxText(s_, cp(txtFamName_->text())));
  if (now != txtFamName_->text()) txtFamName_->setText(now);
}

bool frmFindPerson::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtFamName_ && event->type() == QEvent::FocusOut) apply_ucase();
  return QDialog::eventFilter(watched, event);
}

void frmFindPerson::search_pressed() {
  apply_ucase();
  FindResult r;
  {
    BusyPrompter busy(s_);
    r = FindPerson(s_, cp(txtGivenNames_->text()), cp(txtFamName_->text()));
  }
  switch (r.step) {
    case FindStep::StayOpen:
      txtFamName_->setFocus();
      txtFamName_->selectAll();
      return;
    case FindStep::Close: reject(); return;
    case FindStep::OpenList:
    case FindStep::Picked:
      outcome_ = r.step;
      list_filtered_ = true;
      pick_ = r.pick;
      accept();
      return;
  }
}

void frmFindPerson::list_all_pressed() {
  apply_ucase();
  StoreSearchTexts(s_, cp(txtGivenNames_->text()), cp(txtFamName_->text()));
  outcome_ = FindStep::OpenList;
  list_filtered_ = false;
  accept();
}

PickResult RunSelectPerson(Session& s, const std::string& fitted_name, QWidget* parent, const SexColours& colours,
                           const std::function<void()>& help, bool filtered) {
  frmSelectPerson list(s, fitted_name, parent, filtered);
  list.set_colours(colours);
  if (help) QObject::connect(&list, &frmSelectPerson::helpRequested, &list, help);
  list.exec();
  return list.result_pick();
}

PickResult RunFindPerson(Session& s, const std::string& fitted_name, QWidget* parent, const SexColours& colours,
                         const std::function<void()>& help) {
  frmFindPerson find(s, fitted_name, parent);
  if (help) QObject::connect(&find, &frmFindPerson::helpRequested, &find, help);
  find.exec();
  if (find.outcome() == FindStep::Picked) return find.pick();
  if (find.outcome() == FindStep::OpenList)
    return RunSelectPerson(s, fitted_name, parent, colours, help, find.list_filtered());
  return {};
}

}  // namespace vft::ui
