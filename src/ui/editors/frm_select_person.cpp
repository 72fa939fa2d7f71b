#include "editors/frm_select_person.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "mainwin/person_list.h"
#include "relations/person_io.h"
#include "qt_text.h"

namespace vft::ui {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setMinimumWidth(96);
  return b;
}

bool is_alt(const QKeyEvent* k, int key) { return k->key() == key && (k->modifiers() & Qt::AltModifier); }

}  // namespace

frmSelectPerson::frmSelectPerson(Session& s, const std::string& fitted_name, QWidget* parent, bool filtered)
    : QDialog(parent), s_(s), model_(new PersonListModel(this)) {
  setObjectName(QStringLiteral("frmSelectPerson"));
  setModal(true);
  resize(860, 540);

  lblSearch_ = new QLabel(this);
  lblSearch_->setObjectName(QStringLiteral("lblSearch"));
  txtSelectPerson_ = new QLineEdit(this);
  txtSelectPerson_->setObjectName(QStringLiteral("txtSelectPerson"));
  txtSelectPerson_->setToolTip(QStringLiteral("Enter the Family Name or VFT Number."));
  txtSelectPerson_->setClearButtonEnabled(true);
  lblSearch_->setBuddy(txtSelectPerson_);

  SBList1_ = new QTableView(this);
  SBList1_->setObjectName(QStringLiteral("SBList1"));
  SBList1_->setModel(model_);
  SBList1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  SBList1_->setSelectionMode(QAbstractItemView::SingleSelection);
  SBList1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SBList1_->setShowGrid(false);
  SBList1_->setWordWrap(false);
  SBList1_->setIconSize(QSize(10, 10));
  SBList1_->verticalHeader()->hide();
  // Fixed row heights keep a list of 15,000 rows as quick as a short one.
  SBList1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SBList1_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  QHeaderView* head = SBList1_->horizontalHeader();
  head->setSectionsClickable(true);
  head->setHighlightSections(false);
  head->setSortIndicatorShown(true);
  head->setSectionResizeMode(QHeaderView::Interactive);
  head->setSectionResizeMode(1, QHeaderView::Stretch);
  head->setMinimumSectionSize(60);
  const QFontMetrics fm = SBList1_->fontMetrics();
  constexpr int kCellPadding = 28;  // the cell padding of the style sheet below, and air
  SBList1_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMM")));
  SBList1_->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("28 Dec 1888")) + kCellPadding);
  SBList1_->setColumnWidth(3, fm.horizontalAdvance(QStringLiteral("VFT #")) + kCellPadding + 8);
  SBList1_->setStyleSheet(
      QStringLiteral("QTableView { border: 1px solid #c9ccd2; border-radius: 4px; selection-background-color: #2f5f9e;"
                     " selection-color: white; }"
                     "QTableView::item { padding: 0 6px; }"));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("KplPanel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setMinimumWidth(240);
  panel->setStyleSheet(
      QStringLiteral("#KplPanel1 { background: #f7f8fa; border: 1px solid #d5d8de; border-radius: 6px; }"));
  auto* title = new QLabel(QStringLiteral("Details"), panel);
  QFont tf = title->font();
  tf.setBold(true);
  title->setFont(tf);
  lblDetails_ = new QLabel(panel);
  lblDetails_->setObjectName(QStringLiteral("lblDetails"));
  lblDetails_->setWordWrap(true);
  lblDetails_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDetails_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* pl = new QVBoxLayout(panel);
  pl->setContentsMargins(12, 10, 12, 10);
  pl->setSpacing(8);
  pl->addWidget(title);
  pl->addWidget(lblDetails_, 1);

  butSelectOK_ = button(QStringLiteral("Select"), "butSelectOK", this);
  butSelectOK_->setDefault(true);
  butEdit_ = button(QStringLiteral("&Edit"), "butEdit", this);
  QPushButton* butCancel = button(QStringLiteral("&Cancel"), "butCancel", this);
  QPushButton* butHelp = button(QStringLiteral("&Help"), "butHelp", this);

  lblFilter_ = new QLabel(this);
  lblFilter_->setObjectName(QStringLiteral("lblFilter"));
  lblFilter_->setTextFormat(Qt::PlainText);
  butListAll_ = button(QStringLiteral("&List All"), "butListAll", this);
  auto* filter = new QHBoxLayout;
  filter->addWidget(lblFilter_, 1);
  filter->addWidget(butListAll_);

  auto* search = new QHBoxLayout;
  search->setSpacing(8);
  search->addWidget(lblSearch_);
  search->addWidget(txtSelectPerson_, 1);
  auto* middle = new QHBoxLayout;
  middle->setSpacing(12);
  middle->addWidget(SBList1_, 3);
  middle->addWidget(panel, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(butHelp);
  buttons->addStretch(1);
  buttons->addWidget(butSelectOK_);
  buttons->addWidget(butEdit_);
  buttons->addWidget(butCancel);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 14, 16, 14);
  root->setSpacing(12);
  root->addLayout(filter);
  root->addLayout(search);
  root->addLayout(middle, 1);
  root->addLayout(buttons);
  setTabOrder(butListAll_, txtSelectPerson_);
  setTabOrder(txtSelectPerson_, SBList1_);
  setTabOrder(SBList1_, butSelectOK_);
  setTabOrder(butSelectOK_, butEdit_);
  setTabOrder(butEdit_, butCancel);
  setTabOrder(butCancel, butHelp);

  apply_captions(fitted_name);
  model_->set_name_labels(qs(s_.Messages[msg::FamNameLabel]), qs(s_.Messages[msg::GivenNamesLabel]));
  lblSearch_->setText(qs(SearchLabel(search_)));
  fill(filtered);

  connect(head, &QHeaderView::sectionClicked, this, &frmSelectPerson::header_clicked);
  connect(txtSelectPerson_, &QLineEdit::textChanged, this, &frmSelectPerson::search_changed);
  connect(SBList1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { row_changed(); });
  connect(SBList1_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
    if (std::int16_t n = model_->number_at(i.row())) SelectPerson(n);
  });
  connect(butListAll_, &QPushButton::clicked, this, [this] {
    fill(false);
    txtSelectPerson_->setFocus();
  });
  connect(butSelectOK_, &QPushButton::clicked, this, &frmSelectPerson::select_pressed);
  connect(butEdit_, &QPushButton::clicked, this, &frmSelectPerson::edit_pressed);
  connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(butHelp, &QPushButton::clicked, this, &frmSelectPerson::helpRequested);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          &frmSelectPerson::helpRequested);
  txtSelectPerson_->installEventFilter(this);
  SBList1_->installEventFilter(this);

  txtSelectPerson_->setFocus();
}

void frmSelectPerson::fill(bool filtered) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->set_rows(ListPersons(s_, ListFilter(s_, filtered)));
  QApplication::restoreOverrideCursor();
  SBList1_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  // A list that does not show everyone says so, and how to see everyone.
  lblFilter_->setText(filtered ? qs(FilterNotice(s_, model_->rows().size())) : QString());
  lblFilter_->setVisible(filtered);
  butListAll_->setVisible(filtered);
  // Start on the person the family view shows, when listed.
  int start = -1;
  for (std::size_t i = 0; i < model_->rows().size() && start < 0; ++i)
    if (model_->rows()[i].number == s_.Config.LastPerson()) start = static_cast<int>(i);
  move_to_row(start >= 0 ? start : (model_->rows().empty() ? -1 : 0));
  update_edit_enabled();
}

void frmSelectPerson::apply_captions(const std::string& fitted_name) {
  const std::string name = fitted_name.empty() ? DisplayName(s_, s_.Rel.Selected) : fitted_name;
  setWindowTitle(qs(SelectCaption(s_, name)));
  butSelectOK_->setText(s_.View.EditFlag ? QStringLiteral("OK") : QStringLiteral("Select"));
  butEdit_->setVisible(!s_.Rel.ConnectMode);
}

int frmSelectPerson::current_row() const {
  if (model_->rows().empty()) return -1;
  const QModelIndexList sel = SBList1_->selectionModel()->selectedRows();
  return sel.isEmpty() ? -1 : sel.first().row();
}

void frmSelectPerson::move_to_row(int row) {
  if (row < 0 || model_->rows().empty()) {
    lblDetails_->clear();
    return;
  }
  const QModelIndex i = model_->index(row, 0);
  SBList1_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  SBList1_->scrollTo(i, QAbstractItemView::PositionAtCenter);
  row_changed();
}

void frmSelectPerson::header_clicked(int section) {
  const std::int16_t keep = model_->number_at(current_row());
  const auto column = static_cast<ListColumn>(section);
  model_->sort_on(column);
  SBList1_->horizontalHeader()->setSortIndicator(section, Qt::AscendingOrder);
  search_ = SearchColumnAfter(column, search_);
  lblSearch_->setText(qs(SearchLabel(search_)));
  int row = -1;
  for (std::size_t i = 0; i < model_->rows().size() && row < 0; ++i)
    if (model_->rows()[i].number == keep) row = static_cast<int>(i);
  move_to_row(row);
}

void frmSelectPerson::search_changed(const QString& text) {
  const int row = FindRow(model_->rows(), search_, cp(text));
  if (row >= 0) move_to_row(row);
  update_edit_enabled();
}

void frmSelectPerson::row_changed() {
  const std::int16_t n = model_->number_at(current_row());
  QStringList lines;
  if (n)
    for (const std::string& line : RowDetails(s_, n)) lines << qs(line);
  lblDetails_->setText(lines.join(QLatin1Char('\n')));
  update_edit_enabled();
}

void frmSelectPerson::update_edit_enabled() {
  butEdit_->setEnabled(ParseTypedNumber(cp(txtSelectPerson_->text())).has_value() || current_row() >= 0);
}

void frmSelectPerson::SelectPerson(long number) {
  const PickResult r = vft::SelectPerson(s_, number);
  if (r.step == PickStep::None || r.step == PickStep::Refused) return;
  picked_ = r;
  accept();
}

void frmSelectPerson::select_pressed() {
  if (std::int16_t n = model_->number_at(current_row())) {
    SelectPerson(n);
  } else if (auto typed = ParseTypedNumber(cp(txtSelectPerson_->text())); typed && !s_.Rel.ConnectMode) {
    SelectPerson(typed->value);
  }
}

void frmSelectPerson::edit_pressed() {
  if (!butEdit_->isVisible() || !butEdit_->isEnabled()) return;
  // A refused choice leaves the flag as it was, so a later plain Select does
  // not open the editor unasked.
  const bool before = s_.View.EditFlag;
  s_.View.EditFlag = true;
  select_pressed();
  if (picked_.step == PickStep::None) s_.View.EditFlag = before;
}

void frmSelectPerson::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only a laid-out list knows where its middle is.
  const QModelIndex current = SBList1_->currentIndex();
  if (current.isValid()) SBList1_->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

bool frmSelectPerson::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* k = static_cast<QKeyEvent*>(event);
  const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
  if (watched == SBList1_ && enter) {
    select_pressed();
    return true;
  }
  if (watched != txtSelectPerson_) return QDialog::eventFilter(watched, event);
  if (enter) {
    auto typed = ParseTypedNumber(cp(txtSelectPerson_->text()));
    if (typed && !s_.Rel.ConnectMode) SelectPerson(typed->value);
    else select_pressed();
    return true;
  }
  if (is_alt(k, Qt::Key_E)) {
    edit_pressed();
    return true;
  }
  if (is_alt(k, Qt::Key_O)) {
    select_pressed();
    return true;
  }
  if (is_alt(k, Qt::Key_C)) {
    reject();
    return true;
  }
  switch (k->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // The list moves while the typing stays in the search box.
      QApplication::sendEvent(SBList1_, event);
      return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vft::ui
