// The family view's keys, hovers and the overflow list.
#include <algorithm>

#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "mainwindow/family_view.h"
#include "mainwindow/family_view_marker.h"
#include "mainwin/family_view_lists.h"
#include "mainwindow/overflow_panel.h"
#include "mainwindow/person_box.h"
#include "mainwindow/pill_button.h"
#include "qt_text.h"

namespace vft::ui {

bool FamilyView::handleKey(int key) {
  // A key acts only when its target box or button is shown (and enabled).
  auto slot_key = [this](Slot slot) {
    const PersonBox* box = boxes_[SlotIndex(slot)];
    if (box->isVisible() && box->filled()) selectSlot(slot);
    return true;
  };
  auto button_key = [](QPushButton* b) {
    if (b->isVisible() && b->isEnabled()) b->click();
    return true;
  };
  switch (key) {
    case Qt::Key_Home: return slot_key(Slot::Father);
    case Qt::Key_PageUp: return slot_key(Slot::Mother);
    case Qt::Key_Left: return slot_key(Slot::Partner);
    case Qt::Key_Right: return slot_key(Slot::Sibling0);
    case Qt::Key_End: return slot_key(Slot::Child0);
    case Qt::Key_Insert: return slot_key(Slot::Child1);
    case Qt::Key_Down: return slot_key(Slot::Child2);
    case Qt::Key_PageDown: return slot_key(Slot::Child3);
    case Qt::Key_Return:
    case Qt::Key_Enter: return slot_key(Slot::Selected);
    case Qt::Key_R: return button_key(moreChildren_);
    case Qt::Key_O: return button_key(moreSiblings_);
    case Qt::Key_M: return button_key(moreSpouses_);
    default: return false;
  }
}

void FamilyView::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && panel_->isVisible()) {
    panel_->hide();
    return;
  }
  const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!mods && handleKey(e->key())) {
    // The boxes now show other persons: a tip still up would name the wrong one.
    QToolTip::hideText();
    hover_.stop();
    return;
  }
  QWidget::keyPressEvent(e);
}

void FamilyView::mousePressEvent(QMouseEvent* e) {
  // A click on the empty board puts the list away and gives the view the keys.
  panel_->hide();
  hover_.stop();
  setFocus(Qt::MouseFocusReason);
  QWidget::mousePressEvent(e);
}

void FamilyView::contextMenuEvent(QContextMenuEvent* e) {
  // Right-clicks on a person's box (or its labels) reach the view, which
  // knows whose box it is.
  for (QWidget* w = childAt(e->pos()); w && w != this; w = w->parentWidget()) {
    const auto at = std::find(boxes_.begin(), boxes_.end(), w);
    if (at == boxes_.end()) continue;
    const std::int16_t person = model_.Slots[static_cast<std::size_t>(at - boxes_.begin())].Person;
    if (person < 1) return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuBoxContext"));
    QAction* charts = menu.addAction(QStringLiteral("Charts..."));
    charts->setObjectName(QStringLiteral("mnuBoxCharts"));
    if (menu.exec(e->globalPos()) == charts) emit chartsRequested(person);
    return;
  }
}

bool FamilyView::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::Enter && e->type() != QEvent::Leave) return QWidget::eventFilter(watched, e);
  int kind = 0;
  if (watched == moreSiblings_) kind = listkind::Siblings;
  else if (watched == moreSpouses_) kind = listkind::Partners;
  else if (watched == moreChildren_) kind = listkind::Children;
  for (int i = 0; i < kChildSlots && !kind; ++i)
    if (watched == childButtons_[static_cast<std::size_t>(i)]) kind = ListKindForChildButton(i);
  for (int i = 0; i < kMarkerCount && !kind; ++i) {
    if (watched == markers_[static_cast<std::size_t>(i)]) {
      kind = ListKindForMarker(i);
      if (e->type() == QEvent::Enter) setStatus(qs(kMarkerStatus));
    }
  }
  if (kind) {
    if (e->type() == QEvent::Enter) {
      hoverStarts(kind);
    } else if (hover_.isActive() && cursor_.ListKind == kind) {
      // Passing over a control on the way elsewhere opens nothing.
      hover_.stop();
    }
  }
  return QWidget::eventFilter(watched, e);
}

void FamilyView::hoverStarts(int list_kind) {
  cursor_.ListKind = list_kind;
  if (!panel_->isVisible()) hover_.start();
}

QRect FamilyView::anchorFor(int kind) const {
  Rect r;
  if (kind == listkind::Siblings) r = layout_.moreSiblings;
  else if (kind == listkind::Partners) r = layout_.moreSpouses;
  else if (kind == listkind::Children) r = layout_.moreChildren;
  else if (kind >= listkind::ChildsChildren0 && kind < listkind::ChildsChildren0 + kChildSlots)
    r = layout_.childButtons[static_cast<std::size_t>(kind - listkind::ChildsChildren0)];
  else if (kind >= listkind::GreatGrandParents0 && kind <= listkind::PartnersParents)
    r = layout_.markers[static_cast<std::size_t>(kind - listkind::GreatGrandParents0)];
  if (r.empty()) return QRect(width() / 2, height() / 2, 1, 1);
  return QRectF(r.x, r.y, r.w, r.h).toRect();
}

void FamilyView::showLists() {
  hover_.stop();
  const OverflowList list = BuildOverflowList(s_, model_, cursor_.ListKind);
  if (list.Caption.empty() && list.Rows.empty()) return;
  const Rect& row = layout_.selectedRow;
  panel_->showList(list, anchorFor(cursor_.ListKind), scale_.text, QRectF(row.x, row.y, row.w, row.h).toRect());
}

}  // namespace vft::ui
