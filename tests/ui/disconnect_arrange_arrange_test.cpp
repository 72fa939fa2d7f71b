// The re-arrange window offscreen: the three lists, moving rows with the
// buttons and the Up key, and what OK and Cancel leave in the records.
#include <QLabel>
#include <QTreeWidget>
#include <QPushButton>
#include <QTest>

#include "disconnect_arrange_fixture.h"
#include "editing_windows.h"
#include "frm_arrange.h"
#include "relations/lookups.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::on_modal;

namespace {

using Nums = std::vector<std::int16_t>;

class Arrange : public test::FamilyWindows {
 protected:
  // The keys of the rows as the window lists them.
  Nums shown(const frmArrange& d) {
    Nums n;
    for (const ArrangeRow& r : d.list().rows) n.push_back(r.key);
    return n;
  }
  QTreeWidget* rows(frmArrange& d) { return child<QTreeWidget>(d, "SBList1"); }
  int count(frmArrange& d) { return rows(d)->topLevelItemCount(); }
  int current(frmArrange& d) { return rows(d)->indexOfTopLevelItem(rows(d)->currentItem()); }
  void set_row(frmArrange& d, int r) { rows(d)->setCurrentItem(rows(d)->topLevelItem(r)); }
  QStringList cells(frmArrange& d, int r) {
    QStringList c;
    for (int i = 0; i < rows(d)->columnCount(); ++i) c << rows(d)->topLevelItem(r)->text(i);
    return c;
  }
  QStringList heads(frmArrange& d) {
    QStringList c;
    for (int i = 0; i < rows(d)->columnCount(); ++i) c << rows(d)->headerItem()->text(i);
    return c;
  }
  void press(frmArrange& d, const char* name) { QTest::mouseClick(child<QPushButton>(d, name), Qt::LeftButton); }
};

TEST_F(Arrange, SecondPartnerMovedToTheTopTakesTheLowerFamilyNumber) {
  auto zoe = b.person("Zoe", "Zinn", "F");             // person 9, family 6
  auto second = b.family(dan, zoe, "3 Mar 1960", "Hull");  // family 7
  auto tia = b.child(second, "Tia", "Dale", "F");
  select(dan);
  frmArrange d(s);
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Re-arrange the Order of Partners"));
  EXPECT_EQ(child<QLabel>(d, "lblTitle")->text(), QStringLiteral("Re-order of the partners of Dan Dale"));
  EXPECT_EQ(heads(d), (QStringList{QStringLiteral("Given Names"), QStringLiteral("Family Name"),
                                   QStringLiteral("Marriage Date")}));
  EXPECT_TRUE(child<QPushButton>(d, "Command3_0")->isChecked());
  ASSERT_EQ(count(d), 2);
  EXPECT_EQ(cells(d, 1), (QStringList{QStringLiteral("Zoe"), QStringLiteral("Zinn"), QStringLiteral("3 Mar 1960")}));
  // The row keeps its key in its last five characters.
  EXPECT_EQ(d.list().rows[1].text.substr(d.list().rows[1].text.size() - 17), "3 Mar 1960      2");

  set_row(d, 1);
  press(d, "Command2_0");
  EXPECT_EQ(current(d), 0);  // the selection stays on the moved row
  EXPECT_EQ(shown(d), (Nums{2, 1}));
  press(d, "Command1_0");
  EXPECT_TRUE(d.written());
  EXPECT_FALSE(d.isVisible());

  // Family 3 now holds Zoe with her child and date; family 7 holds Meg with hers.
  EXPECT_EQ(fam(parents).Wife, zoe);
  EXPECT_EQ(kids(parents), Nums{tia});
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, parents).MarriedDate), "3 Mar 1960");
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, parents).MarriedAt), "Hull");
  EXPECT_EQ(fam(second).Wife, meg);
  EXPECT_EQ(kids(second), (Nums{ann, bob, cy}));
  EXPECT_EQ(test::stored_family(s, parents), fam(parents));
  EXPECT_EQ(test::stored_family(s, second), fam(second));
  EXPECT_EQ(ParentFamilyOf(s, tia), parents);
  // The main window shows the partner of the lower number first.
  EXPECT_EQ(ListPartners(s, dan).rows[0].Partner, zoe);
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(Arrange, CancelWritesNothingAfterMoves) {
  select(bob);
  const test::RecordFiles before = test::snapshot(s);
  on_modal([this](QWidget& w) {
    auto& d = static_cast<frmArrange&>(w);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Re-arrange the Order of Siblings"));
    set_row(d, 2);
    press(d, "Command2_0");
    press(d, "Command2_0");
    EXPECT_EQ(shown(d), (Nums{cy, ann, bob}));
    press(d, "Command1_1");
  });
  RunArrange(s, nullptr);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(kids(parents), (Nums{ann, bob, cy}));
  EXPECT_TRUE(s.RecordsSaved);
}

TEST_F(Arrange, SiblingsMovedByTheUpKeyChangeOnlyTheOrder) {
  select(bob);
  frmArrange d(s);
  d.show();
  press(d, "Command3_2");
  ASSERT_EQ(d.list().mode, ArrangeMode::Children);
  press(d, "Command3_1");
  EXPECT_EQ(child<QLabel>(d, "lblTitle")->text(), QStringLiteral("Re-order of the siblings of Bob Dale"));
  rows(d)->setFocus();
  set_row(d, 0);
  QTest::keyClick(rows(d), Qt::Key_Up);  // the first row: nothing moves
  EXPECT_EQ(shown(d), (Nums{ann, bob, cy}));
  QTest::keyClick(rows(d), Qt::Key_Down);  // Down only moves the selection
  QTest::keyClick(rows(d), Qt::Key_Down);
  EXPECT_EQ(current(d), 2);
  EXPECT_EQ(shown(d), (Nums{ann, bob, cy}));
  QTest::keyClick(rows(d), Qt::Key_Up);  // Up moves Cy above Bob
  EXPECT_EQ(shown(d), (Nums{ann, cy, bob}));
  EXPECT_EQ(current(d), 1);
  press(d, "Command1_0");
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(kids(parents), (Nums{ann, cy, bob}));
  EXPECT_EQ(fam(parents).NumKids, 3);
  EXPECT_EQ(test::stored_family(s, parents), fam(parents));
  EXPECT_EQ(fam(parents).Husband, dan);
}

TEST_F(Arrange, ChangingTheListDiscardsUnsavedMoves) {
  select(bob);
  frmArrange d(s);
  d.show();
  set_row(d, 1);
  press(d, "Command2_1");  // Bob below Cy
  EXPECT_EQ(shown(d), (Nums{ann, cy, bob}));
  press(d, "Command3_2");
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Re-arrange the Order of Children"));
  EXPECT_EQ(child<QLabel>(d, "lblTitle")->text(), QStringLiteral("Re-order of the children of Bob Dale and Eve East"));
  EXPECT_EQ(heads(d), (QStringList{QStringLiteral("Given Names"), QStringLiteral("Family Name"), QStringLiteral("VFT #")}));
  EXPECT_EQ(cells(d, 1), (QStringList{QStringLiteral("Lee"), QStringLiteral("Dale"), QStringLiteral("8")}));
  EXPECT_EQ(shown(d), (Nums{kim, lee}));
  EXPECT_TRUE(child<QPushButton>(d, "Command3_2")->isChecked());
  EXPECT_FALSE(child<QPushButton>(d, "Command3_1")->isChecked());
  press(d, "Command3_1");
  EXPECT_EQ(shown(d), (Nums{ann, bob, cy}));
  // Moving beyond either end does nothing, and those buttons are off there.
  set_row(d, 2);
  EXPECT_FALSE(child<QPushButton>(d, "Command2_1")->isEnabled());
  press(d, "Command2_1");
  EXPECT_EQ(shown(d), (Nums{ann, bob, cy}));
  set_row(d, 0);
  EXPECT_FALSE(child<QPushButton>(d, "Command2_0")->isEnabled());
}

TEST_F(Arrange, ChildrenOfTheDisplayedCoupleAreReordered) {
  select(bob);
  frmArrange d(s);
  d.show();
  press(d, "Command3_2");
  set_row(d, 1);
  press(d, "Command2_0");
  press(d, "Command1_0");
  EXPECT_EQ(kids(couple), (Nums{lee, kim}));
  EXPECT_EQ(test::stored_family(s, couple), fam(couple));
  EXPECT_EQ(kids(parents), (Nums{ann, bob, cy}));  // the other list untouched
}

TEST_F(Arrange, OneRowListMovesNothingAndOkRewritesTheSameOrder) {
  select(eve);  // one partner, alone in her parent family, two children
  frmArrange d(s);
  d.show();
  press(d, "Command3_0");
  ASSERT_EQ(count(d), 1);
  EXPECT_FALSE(child<QPushButton>(d, "Command2_0")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(d, "Command2_1")->isEnabled());
  QTest::keyClick(rows(d), Qt::Key_Up);
  const test::RecordFiles before = test::snapshot(s);
  press(d, "Command1_0");
  EXPECT_TRUE(d.written());
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony})
    EXPECT_EQ(test::snapshot(s)[f], before.at(f)) << f;
  EXPECT_EQ(fam(couple).Wife, eve);
  EXPECT_FALSE(s.RecordsSaved);  // OK marks the records changed
}

TEST_F(Arrange, ModeButtonsAndHelp) {
  select(kim);  // no partner and no children: only her sibling list
  frmArrange d(s);
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  EXPECT_FALSE(child<QPushButton>(d, "Command3_0")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(d, "Command3_1")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(d, "Command3_2")->isEnabled());
  EXPECT_EQ(child<QPushButton>(d, "Command3_0")->text(), QStringLiteral("&Partners"));
  EXPECT_EQ(child<QPushButton>(d, "Command3_1")->text(), QStringLiteral("&Sibling"));
  EXPECT_EQ(child<QPushButton>(d, "Command3_2")->text(), QStringLiteral("Chil&dren"));
  EXPECT_EQ(shown(d), (Nums{kim, lee}));
  QTest::keyClick(&d, Qt::Key_F1);
  press(d, "Command1_2");
  EXPECT_EQ(help_topics, (std::vector<std::string>{"arrange", "arrange"}));
  QTest::keyClick(&d, Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());
  EXPECT_FALSE(d.written());
}

}  // namespace
