#include "tools/frm_duplicates.h"

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

#include "common/cp1252.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/named_button.h"
#include "tools/frm_merge_persons.h"
#include "qt_text.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/record_transaction.h"

namespace vft::ui {
namespace {

constexpr DuplicateSensitivity kLevels[3] = {DuplicateSensitivity::Low, DuplicateSensitivity::Normal,
                                             DuplicateSensitivity::High};

// "John Smith, b. 3 Mar 1850 (#12)": enough to tell the two apart at a glance.
QString describe(const Session& s, std::int16_t p) {
  PersonRecord r;
  std::string text = DisplayNameOf(s, p);
  if (ReadStoredPerson(s, p, r) && !cp1252::trim(r.BirthDate).empty()) text += ", b. " + cp1252::trim(r.BirthDate);
  return qs(text) + QStringLiteral(" (#%1)").arg(p);
}

// Shows the search's progress once it has taken half a second, and lets the
// user stop it.
class SearchProgress {
 public:
  explicit SearchProgress(QWidget* parent) : parent_(parent) { since_.start(); }
  ~SearchProgress() {
    if (dialog_) QApplication::restoreOverrideCursor();
  }
  bool step(double done) {
    if (since_.elapsed() < 500) return true;
    if (!dialog_) {
      dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("Looking for persons recorded twice..."),
                                                  QStringLiteral("Cancel"), 0, 1000, parent_);
      dialog_->setObjectName(QStringLiteral("dlgSearchProgress"));
      dialog_->setWindowTitle(QStringLiteral("Find Possible Duplicates"));
      dialog_->setWindowModality(Qt::WindowModal);
      dialog_->setMinimumDuration(0);
      dialog_->setMinimumWidth(400);
      dialog_->setAutoClose(false);
      dialog_->setAutoReset(false);
      QApplication::setOverrideCursor(Qt::WaitCursor);
      dialog_->show();
      events_.invalidate();
    }
    // Events every few milliseconds: often enough for Cancel, rarely enough
    // not to slow the search.
    if (!events_.isValid() || events_.elapsed() >= 30) {
      dialog_->setValue(static_cast<int>(done * 1000));
      QApplication::processEvents();
      events_.start();
    }
    return !dialog_->wasCanceled();
  }

 private:
  QWidget* parent_;
  QElapsedTimer since_, events_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace

frmDuplicates::frmDuplicates(Session& s, std::function<void(std::int16_t)> merged, QWidget* parent)
    : QDialog(parent), s_(s), merged_(std::move(merged)), family_file_(FamilyFileOf(s)) {
  setObjectName(QStringLiteral("frmDuplicates"));
  setWindowTitle(QStringLiteral("Find Possible Duplicates"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  auto* levels = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("Sensitivity:"), this);
  caption->setObjectName(QStringLiteral("lblSensitivity"));
  levels->addWidget(caption);
  auto* group = new QButtonGroup(this);
  const char* names[3] = {"optLow", "optNormal", "optHigh"};
  const char* texts[3] = {"&Low (only the likeliest pairs)", "&Normal", "&High (more pairs, more of them wrong)"};
  for (int i = 0; i < 3; ++i) {
    sensitivity_[i] = new QRadioButton(QString::fromLatin1(texts[i]), this);
    sensitivity_[i]->setObjectName(QString::fromLatin1(names[i]));
    group->addButton(sensitivity_[i], i);
    levels->addWidget(sensitivity_[i]);
  }
  levels->addStretch(1);
  sensitivity_[1]->setChecked(true);
  layout->addLayout(levels);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lstPairs"));
  list_->setAccessibleName(QStringLiteral("Possible duplicates, best first"));
  list_->setHeaderLabels({QStringLiteral("Score"), QStringLiteral("First person"), QStringLiteral("Second person"),
                          QStringLiteral("Why")});
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  list_->setWordWrap(true);
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(0, 50);
  list_->setColumnWidth(1, 290);
  list_->setColumnWidth(2, 290);
  layout->addWidget(list_, 1);
  // The reasons of the chosen pair in full: the list has room for a few.
  reasons_ = new QLabel(this);
  reasons_->setObjectName(QStringLiteral("lblReasons"));
  reasons_->setWordWrap(true);
  reasons_->setTextFormat(Qt::PlainText);
  layout->addWidget(reasons_);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("lblCount"));
  count_->setWordWrap(true);
  layout->addWidget(count_);

  // No default button: Enter on a pair opens it through the list.
  const DialogButtons commands =
      dialog_buttons(this, {}, {QStringLiteral("&Close"), QStringLiteral("butClose")},
                     {QStringLiteral("&Help"), QStringLiteral("butHelp")}, [this] { s_.help("duplicates"); });
  merge_ = named_button(QStringLiteral("&Merge..."), QStringLiteral("butMerge"), this);
  merge_->setToolTip(QStringLiteral("Compare the two records and join them into one"));
  ignore_ = named_button(QStringLiteral("&Ignore this pair"), QStringLiteral("butIgnore"), this);
  QHBoxLayout* buttons = commands.row();
  buttons->insertWidget(1, merge_);
  buttons->insertWidget(2, ignore_);
  layout->addLayout(buttons);

  connect(group, &QButtonGroup::idClicked, this, [this] { search(); });
  connect(merge_, &QPushButton::clicked, this, &frmDuplicates::mergeCurrent);
  connect(ignore_, &QPushButton::clicked, this, &frmDuplicates::ignoreCurrent);
  connect(list_, &QTreeWidget::itemActivated, this, [this] { mergeCurrent(); });
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { update_buttons(); });
  resize(1180, 600);
  search();
}

DuplicateSensitivity frmDuplicates::sensitivity() const {
  for (int i = 0; i < 3; ++i)
    if (sensitivity_[i]->isChecked()) return kLevels[i];
  return DuplicateSensitivity::Normal;
}

void frmDuplicates::search() {
  DuplicateSearch how;
  how.min_score = MinimumScore(sensitivity());
  if (!family_file_.empty()) how.ignored = ReadIgnoredPairs(family_file_);
  std::vector<DuplicatePair> pairs;
  {
    SearchProgress progress(isVisible() ? this : parentWidget());
    stopped_ = false;
    how.progress = [&](double done) {
      stopped_ = !progress.step(done);
      return !stopped_;
    };
    pairs = FindDuplicates(s_, how);
  }
  list_->clear();
  for (const DuplicatePair& p : pairs) {
    QString reasons;
    for (const std::string& r : p.reasons) reasons += (reasons.isEmpty() ? QString() : QStringLiteral(", ")) + qs(r);
    auto* item =
        new QTreeWidgetItem(list_, {QString::number(p.score), describe(s_, p.first), describe(s_, p.second), reasons});
    item->setData(0, Qt::UserRole, p.first);
    item->setData(1, Qt::UserRole, p.second);
    item->setToolTip(3, reasons);
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignTop);
  }
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  show_count();
  update_buttons();
}

void frmDuplicates::show_count() {
  const int n = list_->topLevelItemCount();
  QString text = n == 0   ? QStringLiteral("No possible duplicates found.")
                 : n == 1 ? QStringLiteral("1 pair that may be one person.")
                          : QStringLiteral("%1 pairs that may be one person, the likeliest first.").arg(n);
  if (stopped_) text += QStringLiteral(" The search was stopped before its end: there may be more.");
  if (family_file_.empty()) text += QStringLiteral(" Pairs can be ignored once the tree has been saved under a name.");
  count_->setText(text);
}

void frmDuplicates::update_buttons() {
  const QTreeWidgetItem* item = list_->currentItem();
  const bool chosen = item != nullptr;
  reasons_->setText(chosen ? QStringLiteral("Why: ") + item->text(3) : QString());
  merge_->setEnabled(chosen);
  ignore_->setEnabled(chosen && !family_file_.empty());
  ignore_->setToolTip(family_file_.empty() ? QStringLiteral("Save the tree under a name first: the pairs to "
                                                            "ignore are kept beside its file")
                                           : QStringLiteral("These two are different persons: do not propose them "
                                                            "again"));
}

void frmDuplicates::mergeCurrent() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item) return;
  const auto first = static_cast<std::int16_t>(item->data(0, Qt::UserRole).toInt());
  const auto second = static_cast<std::int16_t>(item->data(1, Qt::UserRole).toInt());
  frmMergePersons compare(s_, first, second, this);
  if (compare.exec() != QDialog::Accepted) return;
  if (merged_) merged_(compare.kept());
  search();
}

void frmDuplicates::ignoreCurrent() {
  QTreeWidgetItem* item = list_->currentItem();
  if (!item || family_file_.empty()) return;
  const auto first = static_cast<std::int16_t>(item->data(0, Qt::UserRole).toInt());
  const auto second = static_cast<std::int16_t>(item->data(1, Qt::UserRole).toInt());
  if (!IgnorePair(s_, family_file_, first, second)) {
    s_.ask("Problem", std::string("The pair could not be remembered.") + CrLf + FailureLines(s_.disk.failure()),
           Buttons::OK, Icon::Exclamation);
    return;
  }
  delete item;
  show_count();
  update_buttons();
}

}  // namespace vft::ui
