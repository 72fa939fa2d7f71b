#include "mainwindow/overflow_panel.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "mainwin/family_view_geometry.h"
#include "mainwindow/person_box.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

constexpr int kRowTextRole = Qt::UserRole;  // the row as the list holds it, with its "#" number
constexpr int kVisibleRows = 16;            // more rows scroll

Rect rect_of(const QRect& r) { return Rect{double(r.x()), double(r.y()), double(r.width()), double(r.height())}; }

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

void OverflowPanel::showList(const OverflowList& list, const QRect& anchor, double scale, const QRect& keep_clear) {
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
  const int row_h = list_->sizeHintForRow(0);
  const int count = static_cast<int>(list.Rows.size());
  const int rows = std::clamp(count, 1, kVisibleRows);
  int content_w = caption_->fontMetrics().horizontalAdvance(caption_->text()) + 40;
  int columns_w = 0;
  for (int col = 0; col < 3; ++col) columns_w += list_->columnWidth(col);
  content_w = std::max(content_w, columns_w + 2 * list_->frameWidth() + 24);
  const QMargins m = layout()->contentsMargins();
  const int w = std::max(content_w + m.left() + m.right(), static_cast<int>(220 * scale));
  const int list_h = rows * row_h + 2 * list_->frameWidth();
  const int chrome = m.top() + m.bottom() + layout()->spacing() + caption_->sizeHint().height();
  auto place = [&](int extra) {
    const Rect at = PlaceOverflowList(rect_of(anchor), w, list_h + chrome + extra, host->width(), host->height(),
                                      rect_of(keep_clear));
    // A list whose rows all fit has no scroll bar.
    const bool all_fit = count <= kVisibleRows && at.h >= list_h + chrome + extra;
    list_->setVerticalScrollBarPolicy(all_fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setGeometry(QRectF(at.x, at.y, at.w, at.h).toRect());
  };
  place(0);
  show();
  raise();
  // The style's paddings are known only once the panel is laid out: what the
  // rows still lack is added, so that no row is cut.
  layout()->activate();
  const int lacking = rows * row_h - list_->viewport()->height();
  if (lacking > 0) place(lacking);
}

void OverflowPanel::showEvent(QShowEvent* e) {
  QFrame::showEvent(e);
  qApp->installEventFilter(this);
}

void OverflowPanel::hideEvent(QHideEvent* e) {
  qApp->removeEventFilter(this);
  QFrame::hideEvent(e);
}

bool OverflowPanel::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && w != this && !isAncestorOf(w)) hide();
  } else if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    // Only the main window's Escape: a dialog over it keeps its own.
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && w->window() == window()) {
      hide();
      return true;
    }
  }
  return QFrame::eventFilter(watched, e);
}

void OverflowPanel::rowClicked(QTreeWidgetItem* item) {
  if (!item) return;
  const std::int16_t person = RowPersonNumber(cp(item->data(0, kRowTextRole).toString()));
  if (person < 1) return;
  hide();
  emit personChosen(person);
}

}  // namespace vft::ui
