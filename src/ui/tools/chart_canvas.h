// The picture of a chart in the chart window: zoom with the wheel,
// Ctrl+plus/minus and a pinch (a touch screen's gesture or a touchpad's), pan by dragging or with the scroll bars, a
// click names a person, a double-click opens one, the arrow keys walk from box to box and Enter takes the box the keys
// are on. Only the part in view is drawn.
#pragma once
#include <QAbstractScrollArea>
#include <QPoint>
#include <cstdint>

#include "chart_render.h"

namespace vft::ui {

class ChartCanvas : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr double kMinZoom = 0.02, kMaxZoom = 4;

  explicit ChartCanvas(QWidget* parent = nullptr);

  // A new chart; the zoom stays, the keys start on the root, which is brought into view.
  void setChart(const chart::Layout& l, ChartTextSource text);
  void setColours(const chart::Colours& c);
  const chart::Layout& layout() const { return layout_; }

  double zoom() const { return zoom_; }
  // Zooms keeping the chart point under `anchor` (viewport pixels) in place.
  void setZoom(double zoom, QPointF anchor);
  void setZoom(double zoom);
  // A pinch step: zooms by `factor` and moves the chart point that was under
  // `from` (viewport pixels) to `to`, so it stays under the fingers.
  void pinch(double factor, QPointF from, QPointF to);
  // The part of the chart in view, chart units (within the chart).
  chart::Rect visibleArea() const;
  void fit();  // the whole chart in view, never above 100 %
  int focusBox() const { return focus_; }
  void setFocusBox(int box);
  // The chart point under a viewport point.
  QPointF toChart(QPointF viewport) const;
  QPointF toViewport(QPointF chart) const;

 signals:
  void personClicked(std::int16_t person);
  void personOpened(std::int16_t person);
  void rootRequested(std::int16_t person);
  void zoomChanged(double zoom);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void wheelEvent(QWheelEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool viewportEvent(QEvent* e) override;
  void scrollContentsBy(int, int) override;

 private:
  chart::Layout layout_;
  ChartTextSource text_;
  chart::Colours colours_;
  double zoom_ = 1;
  int focus_ = 0;
  QPoint press_;
  QPoint lastDrag_;
  bool dragging_ = false;
  bool pressed_ = false;
  std::int16_t pressedPerson_ = 0;
  std::int16_t clickedPerson_ = 0;  // the last click's person, for a double-click
  bool nativePinch_ = false;        // a touchpad pinch is under way; touch pinches wait

  void updateScrollBars();
  bool gesture(QEvent* e);
  QPointF origin() const;  // the viewport position of chart point (0, 0)
  void ensureVisible(int box);
  std::int16_t personAt(QPointF viewport) const;
};

}  // namespace vft::ui
