// The chart window walked as a user would: opened from the View menu, fitted,
// zoomed with the wheel and the keys, a person clicked and double-clicked,
// the arrow keys and Enter, another tab, a change elsewhere redrawn, and the
// chart saved.
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QWheelEvent>

#include "frm_charts.h"
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
}

}  // namespace
