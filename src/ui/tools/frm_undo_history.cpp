#include "tools/frm_undo_history.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qt_text.h"
#include "relations/undo.h"

namespace vft::ui {

frmUndoHistory::frmUndoHistory(Session& s, std::function<void(std::size_t)> go, QWidget* parent)
    : QDialog(parent), s_(s), go_(std::move(go)) {
  setObjectName(QStringLiteral("frmUndoHistory"));
  setWindowTitle(QStringLiteral("Undo History"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lstSteps"));
  list_->setAccessibleName(QStringLiteral("Changes, newest first"));
  list_->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Change")});
  list_->setRootIsDecorated(false);
  list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  layout->addWidget(list_);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("lblNote"));
  note_->setWordWrap(true);
  layout->addWidget(note_);
  auto* buttons = new QDialogButtonBox(this);
  auto* go_to = buttons->addButton(QStringLiteral("&Go to"), QDialogButtonBox::AcceptRole);
  go_to->setObjectName(QStringLiteral("butGoTo"));
  go_to->setToolTip(QStringLiteral("Put the records back to just after the chosen change"));
  auto* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("butClose"));
  auto* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("butHelp"));
  layout->addWidget(buttons);
  connect(go_to, &QPushButton::clicked, this, &frmUndoHistory::goToCurrentRow);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { s_.help("undo_history"); });
  connect(list_, &QTreeWidget::itemActivated, this, [this] { goToCurrentRow(); });
  resize(520, 420);
  refresh();
}

void frmUndoHistory::refresh() {
  list_->clear();
  for (const HistoryRow& row : HistoryRows(s_)) {
    auto* item = new QTreeWidgetItem(list_, {qs(row.time), qs(row.text)});
    item->setData(0, Qt::UserRole, static_cast<qulonglong>(row.count));
    if (!row.done) {
      item->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
      item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
    }
    if (row.current) {
      QFont bold = item->font(1);
      bold.setBold(true);
      item->setFont(1, bold);
      list_->setCurrentItem(item);
    }
  }
  note_->setText(qs(HistoryNote(s_)));
}

void frmUndoHistory::goToCurrentRow() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item) return;
  go_(static_cast<std::size_t>(item->data(0, Qt::UserRole).toULongLong()));
  refresh();
}

}  // namespace vft::ui
