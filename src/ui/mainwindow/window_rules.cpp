#include "mainwindow/window_rules.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace vft::ui {
namespace {

// A control Tab stops at, seen from its window: not a part of a list, a
// spin box or a combo box (those take their focus as a whole).
bool tab_stop(const QWidget* w, const QWidget* window) {
  if (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden()) return false;
  for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
    if (p->isWindow() || qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
        qobject_cast<const QComboBox*>(p))
      return false;
  return true;
}

// A window shown or resized has its controls where they will be read.
class OnShowAndResize : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show || e->type() == QEvent::Resize) {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!w || !w->isWindow() || !w->isVisible()) return QObject::eventFilter(watched, e);
      SetReadingTabOrder(w);
      if (e->type() == QEvent::Show)
        for (QLabel* l : w->findChildren<QLabel*>())
          if (l->textFormat() == Qt::AutoText) l->setTextFormat(Qt::PlainText);
    }
    return QObject::eventFilter(watched, e);
  }
};

}  // namespace

void SetReadingTabOrder(QWidget* window) {
  struct Stop {
    QWidget* w;
    QRect r;
  };
  std::vector<Stop> stops;
  for (QWidget* w : window->findChildren<QWidget*>())
    if (tab_stop(w, window)) stops.push_back({w, QRect(w->mapTo(window, QPoint(0, 0)), w->size())});
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.r.top() < b.r.top(); });
  // Rows: a control whose middle lies within the first control of a row joins
  // that row; within a row, left to right (a column of buttons top to bottom).
  std::vector<Stop> ordered;
  for (std::size_t i = 0; i < stops.size();) {
    const QRect head = stops[i].r;
    std::size_t j = i;
    while (j < stops.size() && stops[j].r.center().y() <= head.bottom()) ++j;
    std::stable_sort(stops.begin() + static_cast<long>(i), stops.begin() + static_cast<long>(j),
                     [](const Stop& a, const Stop& b) {
                       return a.r.left() != b.r.left() ? a.r.left() < b.r.left() : a.r.top() < b.r.top();
                     });
    ordered.insert(ordered.end(), stops.begin() + static_cast<long>(i), stops.begin() + static_cast<long>(j));
    i = j;
  }
  for (std::size_t i = 1; i < ordered.size(); ++i) QWidget::setTabOrder(ordered[i - 1].w, ordered[i].w);
}

void InstallWindowRules(QApplication& app) { app.installEventFilter(new OnShowAndResize(&app)); }

}  // namespace vft::ui
