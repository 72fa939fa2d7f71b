#include "editors/frm_arrange.h"
#include "dialogs/named_button.h"

#include <QHBoxLayout>
#include <algorithm>
#include <QKeyEvent>
#include <QLabel>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "edit/arrange_modes.h"
#include "mainwindow/editing_windows.h"
#include "qt_text.h"

namespace vft::ui {

namespace {

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
  return named_button(text, name, parent, 96);
}

}  // namespace

frmArrange::frmArrange(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmArrange"));
  setModal(true);

  const ArrangeModes modes = ChooseArrangeModes(s_);
  const char* mode_captions[3] = {"&Partners", "&Sibling", "Chil&dren"};
  auto* mode_row = new QHBoxLayout;
  mode_row->setSpacing(8);
  for (int i = 0; i < 3; ++i) {
    QPushButton* b = button(QString::fromLatin1(mode_captions[i]), QStringLiteral("Command3_%1").arg(i), this);
    b->setCheckable(true);
    b->setEnabled(modes.offered[static_cast<std::size_t>(i)]);
    connect(b, &QPushButton::clicked, this, [this, i] { set_mode(static_cast<ArrangeMode>(i + 1)); });
    mode_row->addWidget(b);
    Command3_[i] = b;
  }
  mode_row->addStretch(1);

  lblTitle_ = new QLabel(this);
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));
  QFont bold = lblTitle_->font();
  bold.setBold(true);
  lblTitle_->setFont(bold);

  SBList1_ = new QTreeWidget(this);
  SBList1_->setObjectName(QStringLiteral("SBList1"));
  SBList1_->setRootIsDecorated(false);
  SBList1_->setUniformRowHeights(true);
  SBList1_->setSelectionMode(QAbstractItemView::SingleSelection);
  SBList1_->header()->setSectionsClickable(false);
  SBList1_->header()->setStretchLastSection(false);
  SBList1_->setMinimumSize(560, 220);
  SBList1_->installEventFilter(this);

  Command2_[0] = button(QStringLiteral("Move &Up"), QStringLiteral("Command2_0"), this);
  Command2_[1] = button(QStringLiteral("Move Do&wn"), QStringLiteral("Command2_1"), this);
  Command2_[0]->setToolTip(QStringLiteral("Move the selected row up"));
  Command2_[1]->setToolTip(QStringLiteral("Move the selected row down"));
  auto* move_col = new QVBoxLayout;
  move_col->addStretch(1);
  move_col->addWidget(Command2_[0]);
  move_col->addWidget(Command2_[1]);
  move_col->addStretch(1);
  auto* list_row = new QHBoxLayout;
  list_row->setSpacing(10);
  list_row->addWidget(SBList1_, 1);
  list_row->addLayout(move_col);

  QPushButton* ok = button(QStringLiteral("&OK"), QStringLiteral("Command1_0"), this);
  QPushButton* cancel = button(QStringLiteral("&Cancel"), QStringLiteral("Command1_1"), this);
  QPushButton* help = button(QStringLiteral("&Help"), QStringLiteral("Command1_2"), this);
  ok->setDefault(true);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(help);
  bottom->addStretch(1);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 14, 16, 14);
  root->setSpacing(10);
  root->addLayout(mode_row);
  root->addWidget(lblTitle_);
  root->addLayout(list_row, 1);
  root->addLayout(bottom);

  connect(Command2_[0], &QPushButton::clicked, this, [this] { move(true); });
  connect(Command2_[1], &QPushButton::clicked, this, [this] { move(false); });
  connect(SBList1_, &QTreeWidget::currentItemChanged, this, [this] { update_move_buttons(); });
  connect(ok, &QPushButton::clicked, this, &frmArrange::ok_pressed);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { s_.help("arrange"); });
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, [this] { s_.help("arrange"); });

  set_mode(modes.first);
  SBList1_->setFocus();
}

void frmArrange::set_mode(ArrangeMode mode) {
  list_ = BuildArrangeList(s_, mode);
  const int index = static_cast<int>(mode) - 1;
  for (int i = 0; i < 3; ++i) Command3_[i]->setChecked(i == index);
  setWindowTitle(qs(list_.title));
  lblTitle_->setText(qs(list_.label));
  const bool partners = mode == ArrangeMode::Partners;
  QStringList heads{QStringLiteral("Given Names"), QStringLiteral("Family Name")};
  // A partner's key is only its place in the saved copy: not worth showing.
  heads << (partners ? QStringLiteral("Marriage Date") : QStringLiteral("VFT #"));
  SBList1_->setColumnCount(static_cast<int>(heads.size()));
  SBList1_->setHeaderLabels(heads);
  const QFontMetrics fm = SBList1_->fontMetrics();
  SBList1_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMMMM")));
  SBList1_->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMM")));
  SBList1_->header()->setSectionResizeMode(static_cast<int>(heads.size()) - 1, QHeaderView::Stretch);
  SBList1_->headerItem()->setTextAlignment(
      2, partners ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
  fill_rows(0);
}

// A row's text is fixed columns (given names 30, family name 20, for
// partners the marriage date, the key in the last 5); the list shows them as
// columns of its own, the key only where it is a Person number.
void frmArrange::fill_rows(int current) {
  SBList1_->clear();
  const bool partners = list_.mode == ArrangeMode::Partners;
  for (const ArrangeRow& row : list_.rows) {
    const std::string& t = row.text;
    const std::size_t key_at = t.size() >= 5 ? t.size() - 5 : 0;
    auto part = [&t](std::size_t from, std::size_t to) {
      return from < to && from < t.size() ? qs(cp1252::trim(t.substr(from, to - from))) : QString();
    };
    QStringList cells{part(0, std::min<std::size_t>(30, key_at)), part(30, std::min<std::size_t>(50, key_at))};
    cells << (partners ? part(50, key_at) : part(key_at, t.size()));
    auto* item = new QTreeWidgetItem(SBList1_, cells);
    if (!partners) item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  }
  if (SBList1_->topLevelItemCount() > 0)
    SBList1_->setCurrentItem(SBList1_->topLevelItem(std::clamp(current, 0, SBList1_->topLevelItemCount() - 1)));
  update_move_buttons();
}

int frmArrange::current_row() const { return SBList1_->indexOfTopLevelItem(SBList1_->currentItem()); }

void frmArrange::move(bool up) {
  const int row = current_row();
  const int now = MoveArrangeRow(list_, row, up);
  if (now == row) return;
  fill_rows(now);
}

void frmArrange::update_move_buttons() {
  const int row = current_row();
  Command2_[0]->setEnabled(row > 0);
  Command2_[1]->setEnabled(row >= 0 && row + 1 < SBList1_->topLevelItemCount());
}

bool frmArrange::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SBList1_ && event->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() == Qt::Key_Up && k->modifiers() == Qt::NoModifier && current_row() > 0) {
      move(true);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmArrange::ok_pressed() {
  // A list that cannot be written has told the user so; it stays open for Cancel.
  if (!WriteArrangement(s_, list_)) return;
  written_ = true;
  accept();
}

void RunArrange(Session& s, QWidget* parent) {
  if (s.Rel.Selected.PerNum < 1) return;
  frmArrange dialog(s, parent);
  dialog.exec();
}

}  // namespace vft::ui
