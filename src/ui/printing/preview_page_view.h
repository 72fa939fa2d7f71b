// The page the preview shows, drawn from the page document at the
// document's zoom on a grey desk, inside the window's scroll area.
#pragma once
#include <QPainter>
#include <QWidget>

#include "page_render.h"
#include "print/page_document.h"

namespace vft::ui {

class PageView : public QWidget {
 public:
  PageView(const print::PageDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("pagePaper"));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  // Follows the page shown and the zoom.
  void refresh() {
    resize(sizeHint());
    updateGeometry();
    update();
  }
  QSize sizeHint() const override {
    const int page = doc_.page_shown();
    if (page < 1) return {200, 200};
    const double scale = screen_scale(*this, doc_.zoom());
    const print::Page& p = doc_.page(page);
    return {static_cast<int>(p.width * scale) + 2 * kDesk, static_cast<int>(p.height * scale) + 2 * kDesk};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x86, 0x8f));
    const int page = doc_.page_shown();
    if (page < 1) return;
    const double scale = screen_scale(*this, doc_.zoom());
    const print::Page& p = doc_.page(page);
    // A thin shadow lifts the sheet off the desk.
    painter.fillRect(QRectF(kDesk + 3, kDesk + 3, p.width * scale, p.height * scale), QColor(0x50, 0x54, 0x5a));
    painter.translate(kDesk, kDesk);
    render_page(painter, doc_, page, scale);
  }

 private:
  static constexpr int kDesk = 16;
  const print::PageDocument& doc_;
};

}  // namespace vft::ui
