#include "overflow_panel.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "person_box.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

constexpr int kRowTextRole = Qt::UserRole;  // the row as the list holds it, with its "#" number
constexpr int kVisibleRows = 10;

}  // namespace

OverflowPanel::OverflowPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("KplPanel1"));
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("lblListCaption"));
  caption_->setTextFormat(Qt::PlainText);
  close_ = new QToolButton(this);
  close_->setObjectName(QStringLiteral("butCloseList"));
  close_->setText(QStringLiteral("\u00D7"));
  close_->setAutoRaise(true);
  close_->setToolTip(tr("Close the list"));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("SBList1"));
  list_->setColumnCount(3);
  list_->setHeaderHidden(true);
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformRowHeights(true);
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setMouseTracking(true);
  list_->setCursor(Qt::PointingHandCursor);

  auto* head = new QHBoxLayout;
  head->setContentsMargins(0, 0, 0, 0);
  head->addWidget(caption_, 1);
  head->addWidget(close_);
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(12, 8, 12, 12);
  box->setSpacing(6);
  box->addLayout(head);
  box->addWidget(list_, 1);

  auto* shadow = new QGraphicsDropShadowEffect(this);
  shadow->setBlurRadius(24);
  shadow->setOffset(0, 4);
  shadow->setColor(QColor(0, 0, 0, 60));
  setGraphicsEffect(shadow);

  connect(close_, &QToolButton::clicked, this, &QWidget::hide);
  connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { rowClicked(item); });
  setColours(ColoursForScheme(1 << 24));
  hide();
}

void OverflowPanel::setColours(const FamilyColours& colours) {
  colours_ = colours;
  setStyleSheet(QStringLiteral("#KplPanel1 { background: %1; border: 1px solid %2; border-radius: 10px; }"
                               "#lblListCaption { color: %3; font-weight: bold; }"
                               "#butCloseList { color: %4; border: none; }"
                               "#SBList1 { background: %5; border: 1px solid %2; border-radius: 6px; }"
                               "#SBList1::item { padding: 3px 8px 3px 4px; }"
                               "#SBList1::item:hover { background: rgba(0, 0, 0, 18); }"
                               "#SBList1::item:selected { background: rgba(0, 0, 0, 30); }")
                    .arg(colours.button.name(), colours.buttonBorder.name(), colours.text.name(),
                         colours.subtext.name(), colours.listBackground.name()));
}

void OverflowPanel::showList(const OverflowList& list, const QRect& anchor, double scale) {
  caption_->setText(qs(list.Caption));
  caption_->setFont(BoardFont(13, scale, true));
  list_->setFont(BoardFont(12.5, scale, false));
  list_->clear();
  for (const ListRow& row : list.Rows) {
    const QString name = (row.Label.empty() ? QString() : qs(row.Label) + QStringLiteral(": ")) + qs(row.Name);
    auto* item = new QTreeWidgetItem(list_, {name, qs(row.Dates), QStringLiteral("#") + QString::number(row.Person)});
    item->setData(0, kRowTextRole, qs(row.Text));
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    // Rows starting with the female marker are red, with the male marker blue.
    const QColor c = row.Sex == 'F' ? colours_.listFemale : row.Sex == 'M' ? colours_.listMale : colours_.text;
    for (int col = 0; col < 3; ++col) item->setForeground(col, c);
  }
  for (int col = 0; col < 3; ++col) list_->resizeColumnToContents(col);

  const QWidget* host = parentWidget();
  const int row_h = std::max(list_->sizeHintForRow(0), static_cast<int>(std::lround(20 * scale)));
  const int rows = std::clamp(static_cast<int>(list.Rows.size()), 1, kVisibleRows);
  int content_w = caption_->fontMetrics().horizontalAdvance(caption_->text()) + 40;
  int columns_w = 0;
  for (int col = 0; col < 3; ++col) columns_w += list_->columnWidth(col) + static_cast<int>(std::lround(12 * scale));
  content_w = std::max(content_w, columns_w + 24);
  const int w = std::min(std::max(content_w + 24, static_cast<int>(280 * scale)), host->width() - 16);
  const int chrome = 8 + 12 + 6 + caption_->sizeHint().height() + 2 * list_->frameWidth() + 4;
  const int h = std::min(rows * row_h + chrome, host->height() - 16);

  // Below the control when it fits, else above; always inside the view.
  int x = anchor.center().x() - w / 2;
  int y = anchor.bottom() + 6;
  if (y + h > host->height() - 8) y = anchor.top() - 6 - h;
  x = std::clamp(x, 8, std::max(8, host->width() - w - 8));
  y = std::clamp(y, 8, std::max(8, host->height() - h - 8));
  setGeometry(x, y, w, h);
  show();
  raise();
}

void OverflowPanel::rowClicked(QTreeWidgetItem* item) {
  if (!item) return;
  const std::int16_t person = RowPersonNumber(cp(item->data(0, kRowTextRole).toString()));
  if (person < 1) return;
  hide();
  emit personChosen(person);
}

}  // namespace vft::ui
