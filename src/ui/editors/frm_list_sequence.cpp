#include "editors/frm_list_sequence.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QVBoxLayout>

#include "qt_text.h"

namespace vft::ui {
namespace {

struct Buttons3 {
  QPushButton* ok;
  QPushButton* cancel;
  QPushButton* help;
};

Buttons3 add_buttons(QDialog* d, Session& s, QVBoxLayout* root) {
  Buttons3 b{new QPushButton(QStringLiteral("OK"), d), new QPushButton(QStringLiteral("&Cancel"), d),
             new QPushButton(QStringLiteral("&Help"), d)};
  b.ok->setObjectName(QStringLiteral("Command1"));
  b.cancel->setObjectName(QStringLiteral("Command2"));
  b.help->setObjectName(QStringLiteral("Command3"));
  b.ok->setDefault(true);
  b.cancel->setAutoDefault(false);
  b.help->setAutoDefault(false);
  auto* row = new QHBoxLayout;
  row->addWidget(b.help);
  row->addStretch(1);
  row->addWidget(b.ok);
  row->addWidget(b.cancel);
  root->addLayout(row);
  QObject::connect(b.cancel, &QPushButton::clicked, d, &QDialog::reject);
  auto show_help = [&s] { s.help("add_connect"); };
  QObject::connect(b.help, &QPushButton::clicked, d, show_help);
  QObject::connect(new QShortcut(QKeySequence::HelpContents, d), &QShortcut::activated, d, show_help);
  return b;
}

QListWidget* make_list(QDialog* d) {
  auto* list = new QListWidget(d);
  list->setObjectName(QStringLiteral("SBList1"));
  list->setMinimumSize(460, 180);
  list->setAlternatingRowColors(true);
  return list;
}

}  // namespace

frmListSequence::frmListSequence(Session& s, const SequenceList& list, QWidget* parent)
    : QDialog(parent), s_(s), last_(list.last_position()) {
  setObjectName(QStringLiteral("frmListSequence"));
  setModal(true);
  setWindowTitle(qs(list.caption));
  QListWidget* lines = make_list(this);
  lines->setSelectionMode(QAbstractItemView::NoSelection);
  for (std::size_t i = 0; i < list.persons.size(); ++i)
    lines->addItem(qs(SequenceLine(s_, static_cast<int>(i) + 1, list.persons[i])));
  auto* prompt = new QLabel(qs(list.prompt), this);
  prompt->setObjectName(QStringLiteral("Label1"));
  prompt->setWordWrap(true);
  Text1_ = new QLineEdit(this);
  Text1_->setObjectName(QStringLiteral("Text1"));
  Text1_->setMaxLength(5);
  Text1_->setMaximumWidth(90);
  // A position is a number; nothing else can be typed.
  Text1_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]{0,5}")), Text1_));

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(18, 16, 18, 14);
  root->setSpacing(10);
  // The prompt speaks of "the sequence below".
  root->addWidget(prompt);
  root->addWidget(lines, 1);
  root->addWidget(Text1_);
  const Buttons3 b = add_buttons(this, s_, root);
  ok_ = b.ok;
  ok_->setEnabled(false);
  connect(Text1_, &QLineEdit::textChanged, this,
          [this](const QString& t) { ok_->setEnabled(SequenceOkEnabled(cp(t))); });
  connect(ok_, &QPushButton::clicked, this, &frmListSequence::ok_pressed);
  Text1_->setFocus();
}

void frmListSequence::ok_pressed() {
  if (!SequenceOkEnabled(cp(Text1_->text()))) return;
  if (auto p = CheckSequencePosition(s_, cp(Text1_->text()), last_)) {
    position_ = *p;
    accept();
    return;
  }
  Text1_->selectAll();
  Text1_->setFocus();
}

frmSelectOther::frmSelectOther(Session& s, const std::string& header, const std::vector<PartnerRow>& partners,
                               QWidget* parent)
    : QDialog(parent), s_(s), partners_(partners) {
  setObjectName(QStringLiteral("frmSelectOther"));
  setModal(true);
  setWindowTitle(qs(header));
  auto* head = new QLabel(qs(header), this);
  head->setObjectName(QStringLiteral("Label1"));
  list_ = make_list(this);
  for (const PartnerRow& row : partners_) list_->addItem(qs(PartnerLine(s_, row)));

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(18, 16, 18, 14);
  root->setSpacing(10);
  root->addWidget(head);
  root->addWidget(list_, 1);
  const Buttons3 b = add_buttons(this, s_, root);
  b.ok->setEnabled(false);
  connect(list_, &QListWidget::currentRowChanged, this, [ok = b.ok](int row) { ok->setEnabled(row >= 0); });
  connect(list_, &QListWidget::itemDoubleClicked, this, &frmSelectOther::choose);
  connect(b.ok, &QPushButton::clicked, this, &frmSelectOther::choose);
}

void frmSelectOther::choose() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(partners_.size())) return;
  partner_ = partners_[static_cast<std::size_t>(row)].Partner;
  accept();
}

}  // namespace vft::ui
