// "How Are They Related?" through the real main window: opened from the Tools
// menu for the selected person, the second person picked in the person list,
// the answer read, and a person of the path shown in the family view.
#include <QAction>

#include "workflow_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

// Tom and Sue Hill with Ann and Ben; Ben's son Kai.
class Related : public Workflow {
 protected:
  std::int16_t ann = 0, ben = 0, kai = 0;
  void SetUp() override {
    TreeBuilder b(s);
    const auto tom = b.person("Tom", "Hill", "M");
    const auto parents = b.family(tom, b.person("Sue", "Dale", "F"));
    ann = b.child(parents, "Ann", "Hill", "F");
    ben = b.child(parents, "Ben", "Hill", "M");
    kai = b.child(b.family(ben, 0), "Kai", "Hill", "M");
    open_saved_tree_at(ann);
  }
};

TEST_F(Related, FromTheToolsMenuToAPersonOfThePath) {
  QAction* menu = w->action("mnuRelationship");
  ASSERT_TRUE(menu->isEnabled());
  {
    ModalDriver d;
    d.on("frmRelationship", [&](QWidget* x) {
      EXPECT_EQ(label_text(x, "lblFirstName"), QStringLiteral("Ann Hill (#3)"));
      click(x, "butSecond");
      // Picking in the list did not move the main window's selection.
      EXPECT_EQ(s.Config.LastPerson(), ann);
      EXPECT_EQ(label_text(x, "lblSecondName"), QStringLiteral("Kai Hill (#5)"));
      EXPECT_EQ(label_text(x, "lblResult"),
                QStringLiteral("Ann Hill is the aunt of Kai Hill.\nKai Hill is the nephew of Ann Hill."));
      auto* path = find<QListWidget>(x, "lstPath");
      ASSERT_EQ(path->count(), 4);
      EXPECT_EQ(path->item(2)->text(), QStringLiteral("son: Ben Hill (#4)"));
      pick_row(x, "lstPath", 2);
      click(x, "butShow");
    }).on("frmSelectPerson", [&](QWidget* l) {
      auto* box = find<QLineEdit>(l, "txtSelectPerson");
      box->setText(QString::number(kai));
      QTest::keyClick(box, Qt::Key_Return);
    });
    menu->trigger();
  }
  EXPECT_EQ(selected(), ben);
  EXPECT_EQ(s.Config.LastPerson(), ben);
}

}  // namespace
