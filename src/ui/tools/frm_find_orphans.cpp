#include "tools/frm_find_orphans.h"

#include <QButtonGroup>
#include <algorithm>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "edit/delete_followup.h"
#include "mainwindow/editing_windows.h"
#include "editors/frm_find_person.h"
#include "mainwin/commands.h"
#include "qt_text.h"
#include "dialogs/radio_group.h"

namespace vft::ui {

namespace {

QPushButton* button(const QString& text, int index, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QStringLiteral("Command_%1").arg(index));
  b->setAutoDefault(false);
  b->setMinimumWidth(96);
  return b;
}

}  // namespace

frmFindOphans::frmFindOphans(Session& s, QWidget* parent) : frmFindOphans(s, FindOrphans(s), parent) {}

frmFindOphans::frmFindOphans(Session& s, std::vector<OrphanRow> rows, QWidget* parent)
    : QDialog(parent), s_(s), picker_(std::move(rows)) {
  setObjectName(QStringLiteral("frmFindOphans"));
  setModal(true);
  setWindowTitle(QStringLiteral("Orphaned Records"));
  resize(820, 520);

  lblTop_ = new QLabel(this);
  lblTop_->setObjectName(QStringLiteral("lblTop"));
  lblTop_->setWordWrap(true);
  QFont bold = lblTop_->font();
  bold.setBold(true);
  lblTop_->setFont(bold);
  lblCheck_ = new QLabel(this);
  lblCheck_->setObjectName(QStringLiteral("lblCheck"));

  SBList1_ = new QTreeWidget(this);
  SBList1_->setObjectName(QStringLiteral("SBList1"));
  SBList1_->setColumnCount(4);
  SBList1_->setHeaderLabels(
      {QStringLiteral("Given Names"), QStringLiteral("Family Name"), QStringLiteral("Born"), QStringLiteral("Died")});
  SBList1_->setRootIsDecorated(false);
  SBList1_->setUniformRowHeights(true);
  SBList1_->setSelectionMode(QAbstractItemView::SingleSelection);
  SBList1_->setAlternatingRowColors(true);
  SBList1_->header()->setStretchLastSection(true);
  SBList1_->header()->setSectionsClickable(false);
  const QFontMetrics fm = SBList1_->fontMetrics();
  SBList1_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMMMM")));
  SBList1_->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMM")));
  SBList1_->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("Born: 28 Dec 1888")) + 24);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("KplPanel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setStyleSheet(
      QStringLiteral("#KplPanel1 { background: #f7f8fa; border: 1px solid #d5d8de; border-radius: 6px; }"));
  lblBornAt_ = new QLabel(panel);
  lblBornAt_->setObjectName(QStringLiteral("lblBornAt"));
  lblDiedAt_ = new QLabel(panel);
  lblDiedAt_->setObjectName(QStringLiteral("lblDiedAt"));
  for (QLabel* l : {lblBornAt_, lblDiedAt_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* pl = new QHBoxLayout(panel);
  pl->setContentsMargins(12, 8, 12, 8);
  pl->addWidget(lblBornAt_, 1);
  pl->addWidget(lblDiedAt_, 1);

  chkSelectAll_ = new QCheckBox(this);
  chkSelectAll_->setObjectName(QStringLiteral("chkSelectAll"));
  auto* sorts = new QButtonGroup(this);
  const QString sort_captions[3] = {QStringLiteral("Sort by Family Name"), QStringLiteral("Sort by Given Names"),
                                    QStringLiteral("Sort by Birth Date")};
  std::array<QRadioButton*, 3> sort_options{};
  auto* options = new QHBoxLayout;
  options->setSpacing(14);
  options->addWidget(chkSelectAll_);
  options->addStretch(1);
  radio_group(sort_options, sort_captions, QStringLiteral("optSort"), this, options, sorts);

  lblQuestion_ = new QLabel(this);
  lblQuestion_->setObjectName(QStringLiteral("lblQuestion"));
  lblQuestion_->setFont(bold);
  Command_[0] = button(QString(), 0, this);
  Command_[1] = button(QStringLiteral("&Cancel"), 1, this);
  Command_[2] = button(QStringLiteral("&Help"), 2, this);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Command_[2]);
  bottom->addStretch(1);
  bottom->addWidget(lblQuestion_);
  bottom->addSpacing(8);
  bottom->addWidget(Command_[0]);
  bottom->addWidget(Command_[1]);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 14, 16, 14);
  root->setSpacing(10);
  root->addWidget(lblTop_);
  root->addWidget(lblCheck_);
  root->addWidget(SBList1_, 1);
  root->addWidget(panel);
  root->addLayout(options);
  root->addLayout(bottom);

  connect(SBList1_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (filling_ || column != 0) return;
    picker_.set_checked(static_cast<std::size_t>(SBList1_->indexOfTopLevelItem(item)),
                        item->checkState(0) == Qt::Checked);
    update_texts();
  });
  connect(SBList1_, &QTreeWidget::currentItemChanged, this, [this] { row_changed(); });
  connect(chkSelectAll_, &QCheckBox::clicked, this, [this](bool on) {
    picker_.set_all(on);
    fill_rows();
  });
  connect(sorts, &QButtonGroup::idClicked, this, [this](int id) { sort_by(static_cast<OrphanSort>(id)); });
  connect(Command_[0], &QPushButton::clicked, this, &frmFindOphans::delete_pressed);
  connect(Command_[1], &QPushButton::clicked, this, &QDialog::reject);
  connect(Command_[2], &QPushButton::clicked, this, [this] { s_.help("orphans"); });
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, [this] { s_.help("orphans"); });

  fill_rows();
  SBList1_->setFocus();
}

void frmFindOphans::fill_rows() {
  filling_ = true;
  const int current = std::max(SBList1_->indexOfTopLevelItem(SBList1_->currentItem()), 0);
  SBList1_->clear();
  for (const OrphanRow& r : picker_.rows()) {
    auto* item = new QTreeWidgetItem(
        SBList1_, {qs(r.GivenNames), qs(r.FamName), qs("Born: " + r.BirthDate), qs("Died: " + r.DeathDate)});
    item->setData(0, Qt::UserRole, static_cast<int>(r.PerNum));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, r.Checked ? Qt::Checked : Qt::Unchecked);
  }
  filling_ = false;
  if (SBList1_->topLevelItemCount() > 0)
    SBList1_->setCurrentItem(SBList1_->topLevelItem(std::min(current, SBList1_->topLevelItemCount() - 1)));
  row_changed();
  update_texts();
}

void frmFindOphans::update_texts() {
  lblTop_->setText(qs(picker_.top_label()));
  lblCheck_->setText(qs(picker_.second_label()));
  lblQuestion_->setText(qs(picker_.question()));
  chkSelectAll_->setText(qs(picker_.select_all_caption()));
  chkSelectAll_->setChecked(picker_.all_checked());
  chkSelectAll_->setEnabled(!picker_.rows().empty());
  Command_[0]->setText(qs(picker_.delete_caption()));
  Command_[0]->setEnabled(picker_.checked_count() > 0);
  Command_[0]->setDefault(picker_.step() == OrphanPicker::Step::Confirming);
}

void frmFindOphans::row_changed() {
  const int i = SBList1_->indexOfTopLevelItem(SBList1_->currentItem());
  const bool has = i >= 0 && static_cast<std::size_t>(i) < picker_.rows().size();
  const OrphanRow none;
  const OrphanRow& r = has ? picker_.rows()[static_cast<std::size_t>(i)] : none;
  lblBornAt_->setText(qs("Born At: " + r.BirthPlace));
  lblDiedAt_->setText(qs("Died At: " + r.DeathPlace));
}

void frmFindOphans::sort_by(OrphanSort by) {
  picker_.sort(by);
  fill_rows();
}

void frmFindOphans::delete_pressed() {
  if (picker_.step() == OrphanPicker::Step::Choosing) {
    if (picker_.mark_for_deletion()) fill_rows();
    return;
  }
  deletion_ = picker_.confirm(s_);
  accept();
}

void RunFindOrphans(Session& s, QWidget* parent) {
  std::vector<OrphanRow> rows = SearchOrphans(s);
  if (rows.empty()) return;
  const std::int16_t selected = s.Rel.Selected.PerNum;
  const std::vector<std::int16_t> relatives = RelativesOf(s, selected);
  frmFindOphans dialog(s, std::move(rows), parent);
  dialog.exec();
  const OrphanDeletion& done = dialog.deletion();
  if (!done.selected_deleted || done.tree_empty) return;
  // The main window's person is gone: show another, and offer the picker.
  ShowAnotherPerson(s, relatives, selected);
  s.status(done.count_text);
  RunSelectPerson(s, {}, parent, {}, [&s] { s.help("select_person"); });
}

}  // namespace vft::ui
