// Persons recorded twice, through the real main window: a planted pair is
// found, compared and merged (one Undo step), or ignored for good. What is
// proposed and how a merge joins records is tested in the core tests.
#include <QRadioButton>
#include <QTreeWidget>

#include "relations/duplicates.h"
#include "ui_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

// Tom Hill and Sue Dale with their son John; a second John Hill, with the
// same birth but no parents and with an occupation, as an import leaves him.
class Duplicates : public Workflow {
 protected:
  std::int16_t tom = 0, john = 0, twin = 0;
  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    const std::int16_t sue = b.person("Sue", "Dale", "F");
    john = b.child(b.family(tom, sue), "John", "Hill", "M");
    twin = b.person("John", "Hill", "M");
    PersonRecord r = b.read(twin);
    r.Occupation = "Miner";
    b.write(r);
    open_saved_tree_at(tom);
  }
};

TEST_F(Duplicates, APlantedPairIsMergedInOneUndoStep) {
  ModalDriver d;
  d.on("frmDuplicates", [&](QWidget* w) {
    auto* list = child<QTreeWidget>(w, "lstPairs");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(list->topLevelItem(0)->text(3).contains(QStringLiteral("given names match")));
    EXPECT_FALSE(child<QPushButton>(w, "butIgnore")->isEnabled());  // never saved under a name
    click(w, "butMerge");
  });
  d.on("frmMergePersons", [&](QWidget* m) {
    EXPECT_TRUE(child<QRadioButton>(m, "optKeep_0")->isChecked());
    // The occupation only the second record has is chosen for the kept one.
    EXPECT_TRUE(child<QRadioButton>(m, "optValue_12_1")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(m, "optValue_0_0")->isEnabled());  // one family name for both
    click(m, "butMerge");
  });
  d.on("frmDuplicates", [](QWidget* w) {
    EXPECT_EQ(child<QTreeWidget>(w, "lstPairs")->topLevelItemCount(), 0);
    click(w, "butClose");
  });
  action("mnuDuplicates")->trigger();

  EXPECT_EQ(b.read(twin).Deleted, -1);
  EXPECT_EQ(cp1252::trim(b.read(john).Occupation), "Miner");
  EXPECT_EQ(FatherOf(s, john), tom);
  EXPECT_EQ(selected(), john);
  EXPECT_EQ(button("butUndo")->toolTip(), QStringLiteral("Undo merge of John Hill"));
  expect_sound();
  button("butUndo")->click();
  EXPECT_EQ(b.read(twin).Deleted, 0);
}

TEST_F(Duplicates, AnIgnoredPairIsNotProposedAgain) {
  s.CurrentFilePath = t.dir.path() + "tree.vfl";
  for (int round = 0; round < 2; ++round) {
    ModalDriver d;
    d.on("frmDuplicates", [&](QWidget* w) {
      auto* list = child<QTreeWidget>(w, "lstPairs");
      ASSERT_EQ(list->topLevelItemCount(), 1 - round);
      if (round == 0) click(w, "butIgnore");
      EXPECT_EQ(list->topLevelItemCount(), 0);
      EXPECT_EQ(label_text(w, "lblCount"), QStringLiteral("No possible duplicates found."));
      click(w, "butClose");
    });
    action("mnuDuplicates")->trigger();
  }
  EXPECT_EQ(ReadIgnoredPairs(s.CurrentFilePath).count({john, twin}), 1u);
  EXPECT_EQ(b.read(twin).Deleted, 0);
}

}  // namespace
