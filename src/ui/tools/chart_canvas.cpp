#include "tools/chart_canvas.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "qt_text.h"

namespace vft::ui {

ChartCanvas::ChartCanvas(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("chartCanvas"));
  viewport()->setObjectName(QStringLiteral("chartViewport"));
  horizontalScrollBar()->setObjectName(QStringLiteral("chartHScroll"));
  verticalScrollBar()->setObjectName(QStringLiteral("chartVScroll"));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->grabGesture(Qt::PinchGesture);
}

void ChartCanvas::setChart(const chart::Layout& l, ChartTextSource text) {
  layout_ = l;
  text_ = std::move(text);
  focus_ = layout_.boxes.empty() ? -1 : 0;
  updateScrollBars();
  ensureVisible(focus_);
  viewport()->update();
}

void ChartCanvas::setColours(const chart::Colours& c) {
  colours_ = c;
  viewport()->update();
}

QPointF ChartCanvas::origin() const {
  // A chart smaller than the view stands in its middle.
  const double cw = layout_.width * zoom_, ch = layout_.height * zoom_;
  const double vw = viewport()->width(), vh = viewport()->height();
  return {cw < vw ? (vw - cw) / 2 : -horizontalScrollBar()->value(),
          ch < vh ? (vh - ch) / 2 : -verticalScrollBar()->value()};
}

QPointF ChartCanvas::toChart(QPointF v) const { return (v - origin()) / zoom_; }
QPointF ChartCanvas::toViewport(QPointF c) const { return c * zoom_ + origin(); }

void ChartCanvas::updateScrollBars() {
  const int cw = static_cast<int>(std::ceil(layout_.width * zoom_)),
            ch = static_cast<int>(std::ceil(layout_.height * zoom_));
  horizontalScrollBar()->setRange(0, std::max(0, cw - viewport()->width()));
  verticalScrollBar()->setRange(0, std::max(0, ch - viewport()->height()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  verticalScrollBar()->setPageStep(viewport()->height());
  horizontalScrollBar()->setSingleStep(40);
  verticalScrollBar()->setSingleStep(40);
}

void ChartCanvas::setZoom(double zoom, QPointF anchor) {
  if (std::clamp(zoom, kMinZoom, kMaxZoom) != zoom_) pinch(zoom / zoom_, anchor, anchor);
}

void ChartCanvas::pinch(double factor, QPointF from, QPointF to) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const double zoom = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
  const QPointF at = toChart(from);
  const bool zoomed = zoom != zoom_;
  zoom_ = zoom;
  updateScrollBars();
  const QPointF now = toViewport(at);
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + static_cast<int>(std::lround(now.x() - to.x())));
  verticalScrollBar()->setValue(verticalScrollBar()->value() + static_cast<int>(std::lround(now.y() - to.y())));
  viewport()->update();
  if (zoomed) emit zoomChanged(zoom_);
}

chart::Rect ChartCanvas::visibleArea() const {
  const QPointF a = toChart(QPointF(0, 0)), b = toChart(QPointF(viewport()->width(), viewport()->height()));
  const double x0 = std::max(0.0, a.x()), y0 = std::max(0.0, a.y());
  const double x1 = std::min(layout_.width, b.x()), y1 = std::min(layout_.height, b.y());
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

void ChartCanvas::setZoom(double zoom) {
  setZoom(zoom, QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
}

void ChartCanvas::fit() {
  if (layout_.width <= 0 || layout_.height <= 0) return;
  setZoom(std::min({1.0, viewport()->width() / layout_.width, viewport()->height() / layout_.height}));
}

void ChartCanvas::setFocusBox(int box) {
  if (box < 0 || static_cast<std::size_t>(box) >= layout_.boxes.size()) return;
  focus_ = box;
  ensureVisible(box);
  viewport()->update();
}

void ChartCanvas::ensureVisible(int box) {
  if (box < 0 || static_cast<std::size_t>(box) >= layout_.boxes.size()) return;
  const chart::Box& b = layout_.boxes[static_cast<std::size_t>(box)];
  const QPointF tl = toViewport({b.x, b.y}), br = toViewport({b.x + b.w, b.y + b.h});
  const double margin = 20;
  auto bring = [&](QScrollBar* bar, double lo, double hi, double size) {
    if (hi - lo > size - 2 * margin) bar->setValue(bar->value() + static_cast<int>((lo + hi) / 2 - size / 2));
    else if (lo < margin) bar->setValue(bar->value() + static_cast<int>(lo - margin));
    else if (hi > size - margin) bar->setValue(bar->value() + static_cast<int>(hi - size + margin));
  };
  bring(horizontalScrollBar(), tl.x(), br.x(), viewport()->width());
  bring(verticalScrollBar(), tl.y(), br.y(), viewport()->height());
}

std::int16_t ChartCanvas::personAt(QPointF v) const {
  const QPointF c = toChart(v);
  const int i = chart::BoxAt(layout_, c.x(), c.y());
  return i < 0 ? 0 : layout_.boxes[static_cast<std::size_t>(i)].person;
}

void ChartCanvas::paintEvent(QPaintEvent* e) {
  QPainter p(viewport());
  p.fillRect(e->rect(), QColor(colours_.background.r, colours_.background.g, colours_.background.b));
  if (layout_.boxes.empty() || !text_) return;
  const QPointF o = origin();
  p.translate(o);
  p.scale(zoom_, zoom_);
  const QRectF visible(toChart(e->rect().topLeft()), toChart(e->rect().bottomRight() + QPoint(1, 1)));
  PaintChart(p, layout_, text_, colours_, visible, zoom_ * devicePixelRatioF(), hasFocus() ? focus_ : -1);
}

void ChartCanvas::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  updateScrollBars();
}

void ChartCanvas::scrollContentsBy(int, int) { viewport()->update(); }

void ChartCanvas::wheelEvent(QWheelEvent* e) {
  const double steps = e->angleDelta().y() / 120.0;
  if (steps == 0) return QAbstractScrollArea::wheelEvent(e);
  setZoom(zoom_ * std::pow(1.2, steps), e->position());
  e->accept();
}

void ChartCanvas::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
  press_ = lastDrag_ = e->position().toPoint();
  pressed_ = true;
  dragging_ = false;
  pressedPerson_ = personAt(e->position());
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* e) {
  if (!pressed_) return;
  const QPoint at = e->position().toPoint();
  if (!dragging_ && (at - press_).manhattanLength() < 5) return;
  dragging_ = true;
  viewport()->setCursor(Qt::ClosedHandCursor);
  const QPoint d = at - lastDrag_;
  lastDrag_ = at;
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
  verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !pressed_) return QAbstractScrollArea::mouseReleaseEvent(e);
  pressed_ = false;
  viewport()->unsetCursor();
  if (!dragging_ && pressedPerson_ > 0) {
    clickedPerson_ = pressedPerson_;
    emit personClicked(pressedPerson_);
  }
}

void ChartCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
  // The first click has already re-rooted the chart; the person is the one
  // that was under the pointer then, and the second click names nobody.
  if (e->button() != Qt::LeftButton) return;
  pressed_ = false;
  if (clickedPerson_ > 0) emit personOpened(clickedPerson_);
}

void ChartCanvas::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  int dx = 0, dy = 0;
  switch (e->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (focus_ >= 0) emit rootRequested(layout_.boxes[static_cast<std::size_t>(focus_)].person);
      return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      if (ctrl) return setZoom(zoom_ * 1.25);
      break;
    case Qt::Key_Minus:
      if (ctrl) return setZoom(zoom_ / 1.25);
      break;
    case Qt::Key_0:
      if (ctrl) return setZoom(1);
      break;
    default: break;
  }
  if (dx != 0 || dy != 0) {
    const int next = chart::NeighbourBox(layout_, focus_, dx, dy);
    if (next >= 0) setFocusBox(next);
    return;
  }
  QAbstractScrollArea::keyPressEvent(e);
}

bool ChartCanvas::gesture(QEvent* e) {
  // A touchpad pinch arrives as native zoom steps (each the change since the
  // last); a touch screen's as a pinch gesture. Should a platform send both
  // for one pinch, the native steps win.
  if (e->type() == QEvent::NativeGesture) {
    auto* g = static_cast<QNativeGestureEvent*>(e);
    switch (g->gestureType()) {
      case Qt::BeginNativeGesture: nativePinch_ = true; break;
      case Qt::EndNativeGesture: nativePinch_ = false; break;
      case Qt::ZoomNativeGesture: pinch(1 + g->value(), g->position(), g->position()); break;
      case Qt::SmartZoomNativeGesture: fit(); break;
      default: return false;
    }
    return true;
  }
  if (e->type() != QEvent::Gesture) return false;
  auto* g = static_cast<QGestureEvent*>(e);
  auto* p = static_cast<QPinchGesture*>(g->gesture(Qt::PinchGesture));
  if (!p) return false;
  if (!nativePinch_) {
    const QPointF to = viewport()->mapFromGlobal(p->centerPoint());
    const QPointF from = p->state() == Qt::GestureStarted ? to : viewport()->mapFromGlobal(p->lastCenterPoint());
    pinch(p->changeFlags() & QPinchGesture::ScaleFactorChanged ? p->scaleFactor() : 1, from, to);
  }
  g->accept(p);
  return true;
}

bool ChartCanvas::viewportEvent(QEvent* e) {
  if (gesture(e)) return true;
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    const QPointF c = toChart(help->pos());
    const int i = chart::BoxAt(layout_, c.x(), c.y());
    if (i >= 0 && text_) {
      const chart::BoxText& t = text_(i);
      QString tip = qs(t.tip.empty() ? t.name : t.tip);
      if (layout_.boxes[static_cast<std::size_t>(i)].repeat())
        tip += QStringLiteral("\n(shown in full elsewhere in this chart)");
      QToolTip::showText(help->globalPos(), tip, viewport());
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(e);
}

}  // namespace vft::ui
