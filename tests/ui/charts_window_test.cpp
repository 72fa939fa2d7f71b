// The chart window walked as a user would: opened from the View menu, fitted,
// zoomed with the wheel, the keys and pinches, a person clicked and
// double-clicked, the arrow keys and Enter, another tab, a change elsewhere
// redrawn, and the chart saved and printed, whole or only the part in view.
#include <QCheckBox>
#include <QComboBox>
#include <QGestureEvent>
#include <QImage>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QWheelEvent>

#include "tools/frm_charts.h"
#include "store/file_io.h"
#include "file_facts.h"
#include "ui_driver.h"

using namespace vft;
using namespace vft::ui;

namespace {

class ChartsWindow : public test::Workflow {};

TEST_F(ChartsWindow, ExploresTheTreeWithMouseAndKeys) {
  const auto gf = b.person("Gus", "Hill", "M");
  const auto m = b.family(gf, b.person("Ida", "Moss", "F"));
  const auto tom = b.child(m, "Tom", "Hill", "M");
  b.child(b.family(tom, b.person("Sue", "Dale", "F")), "Ann", "Hill", "F");
  open_saved_tree_at(tom, false);
  int edits = 0;
  EditingHooks hooks = w->hooks();
  hooks.edit_person = [&] { ++edits; };
  w->set_hooks(hooks);
  action("mnuCharts")->trigger();
  frmCharts* c = test::must(w->charts(), "frmCharts");
  ChartCanvas* canvas = test::child<ChartCanvas>(c, QStringLiteral("chartCanvas"));
  c->resize(900, 600);
  ASSERT_EQ(c->root(), tom);
  ASSERT_EQ(canvas->layout().boxes.size(), 3u);  // Tom, Gus, Ida

  test::click(c, "butActualSize");
  EXPECT_DOUBLE_EQ(canvas->zoom(), 1.0);
  QWheelEvent wheel(QPointF(100, 100), canvas->viewport()->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas->viewport(), &wheel);
  EXPECT_NEAR(canvas->zoom(), 1.2, 1e-9);
  QTest::keyClick(canvas, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_NEAR(canvas->zoom(), 0.96, 1e-9);

  // Pinches: a touchpad's native step zooms about the pointer; a touch
  // screen's keeps the chart point under the fingers as they move. Zoomed in
  // so far that the chart overflows the view both ways.
  c->resize(600, 350);
  canvas->setZoom(3);
  struct Pinch {
    bool native;
    double factor;
    QPointF from, to;
  };
  for (const Pinch& pinch : {Pinch{true, 1.2, {150, 60}, {150, 60}}, Pinch{false, 0.9, {150, 60}, {170, 90}}}) {
    const QPointF under = canvas->toChart(pinch.from);
    const double before = canvas->zoom();
    if (pinch.native) {
      QNativeGestureEvent e(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, pinch.from, pinch.from,
                            canvas->viewport()->mapToGlobal(pinch.from), pinch.factor - 1, QPointF());
      QApplication::sendEvent(canvas->viewport(), &e);
    } else {
      QPinchGesture g;
      g.setChangeFlags(QPinchGesture::ScaleFactorChanged | QPinchGesture::CenterPointChanged);
      g.setScaleFactor(pinch.factor);
      g.setLastCenterPoint(canvas->viewport()->mapToGlobal(pinch.from));
      g.setCenterPoint(canvas->viewport()->mapToGlobal(pinch.to));
      QGestureEvent e({&g});
      QApplication::sendEvent(canvas->viewport(), &e);
    }
    EXPECT_NEAR(canvas->zoom(), before * pinch.factor, 1e-9);
    const QPointF now = canvas->toViewport(under);
    EXPECT_NEAR(now.x(), pinch.to.x(), 1) << pinch.native;
    EXPECT_NEAR(now.y(), pinch.to.y(), 1) << pinch.native;
  }
  canvas->setZoom(0.96);

  // The arrow keys walk to the father; Enter makes him the root and the
  // family view's selected person.
  QTest::keyClick(canvas, Qt::Key_Right);
  EXPECT_EQ(canvas->focusBox(), 1);
  QTest::keyClick(canvas, Qt::Key_Return);
  EXPECT_EQ(c->root(), gf);
  EXPECT_EQ(selected(), gf);

  // Descendants of Gus: a click on Ann's box takes her; a double-click opens her.
  test::child<QTabBar>(c, QStringLiteral("tabKind"))->setCurrentIndex(1);
  ASSERT_EQ(canvas->layout().kind, chart::Kind::Descendants);
  const auto& boxes = canvas->layout().boxes;
  const auto ann = std::ranges::find_if(boxes, [](const chart::Box& x) { return x.level == 2; });
  ASSERT_NE(ann, boxes.end());
  const QPoint at = canvas->toViewport({ann->cx(), ann->cy()}).toPoint();
  QTest::mouseClick(canvas->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(selected(), ann->person);
  QTest::mouseDClick(canvas->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(edits, 1);

  // A change elsewhere: Ann gets a child, and the open chart shows it.
  const std::int16_t root = c->root();
  b.child(b.family(0, root), "Kim", "Hill", "M");
  w->RefreshFamilyView();
  EXPECT_EQ(canvas->layout().boxes.size(), 2u);

  dialogs.answers = {t.dir.path() + "chart.svg"};
  test::click(c, "butSaveAs");
  EXPECT_EQ(test::file_text(t.dir.path() + "chart.svg").substr(0, 5), "<?xml");

  // The whole chart or the part in view, as a picture at 192 dpi and on
  // paper 3 x 2 inches (288 x 192 units): Ann's ancestors over three
  // generations are 720 units wide and take three pages tiled (288 + 240 +
  // 240 with the overlaps); the part in view at 400 % fits on one.
  test::child<QTabBar>(c, QStringLiteral("tabKind"))->setCurrentIndex(0);
  test::child<QSpinBox>(c, QStringLiteral("spnDpi"))->setValue(192);
  c->resize(900, 600);
  canvas->setZoom(4);
  ASSERT_DOUBLE_EQ(canvas->layout().width, 720);
  int printed = 0;
  c->print_dialog = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(t.dir.path() + "print" + std::to_string(++printed) + ".pdf"));
    printer.setPageSize(QPageSize(QSizeF(3, 2), QPageSize::Inch, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    return true;
  };
  struct Output {
    bool visible_only;
    int print_pages;
    int pages;
  };
  for (const Output& out : {Output{false, 0, 3}, Output{false, 1, 1}, Output{true, 0, 1}}) {
    test::child<QCheckBox>(c, QStringLiteral("chkVisibleOnly"))->setChecked(out.visible_only);
    test::child<QComboBox>(c, QStringLiteral("cboPrintPages"))->setCurrentIndex(out.print_pages);
    const chart::Rect part =
        out.visible_only ? canvas->visibleArea() : chart::Rect{0, 0, canvas->layout().width, canvas->layout().height};
    dialogs.answers = {t.dir.path() + "chart.png"};
    test::click(c, "butSaveAs");
    const QImage png(QString::fromStdString(t.dir.path() + "chart.png"));
    EXPECT_EQ(png.size(), QSize(static_cast<int>(std::ceil(part.w * 2)), static_cast<int>(std::ceil(part.h * 2))));
    EXPECT_EQ(png.dotsPerMeterX(), 7559);
    test::click(c, "butPrint");
    EXPECT_EQ(test::pdf_pages(test::file_text(t.dir.path() + "print" + std::to_string(printed) + ".pdf")), out.pages);
  }
}

}  // namespace
