// Connecting persons already on record through the real main window: a
// father who has a partner (frmConnectParent, then the place among their
// children), a partner who takes the place of an 'Unknown' one
// (frmConnectPartner), and a confirmation answered No.
#include "relations/person_io.h"
#include "workflow_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

// People on record connected to one another: Zed Yale and Cat Yale with
// their child Dee; Ivy Ash alone; Ann Hill with an 'Unknown' husband and
// their child Pip; Max Ford alone.
class ConnectOnRecord : public Workflow {
 protected:
  std::int16_t zed = 0, cat = 0, dee = 0, ivy = 0, yales = 0, ann = 0, unknown = 0, pip = 0, max = 0, hills = 0;
  void SetUp() override {
    TreeBuilder b(s);
    zed = b.person("Zed", "Yale", "M");
    cat = b.person("Cat", "Yale", "F");
    yales = b.family(zed, cat);
    dee = b.child(yales, "Dee", "Yale", "F");
    ivy = b.person("Ivy", "Ash", "F");
    ann = b.person("Ann", "Hill", "F");
    unknown = b.person("Unknown", "Unknown", "M");
    hills = b.family(unknown, ann);
    pip = b.child(hills, "Pip", "Hill", "M");
    max = b.person("Max", "Ford", "M");
    open_saved_tree_at(ivy);
  }
};

TEST_F(ConnectOnRecord, FatherWithAPartnerTakesTheChildIntoTheirFamily) {
  show_person(ivy);
  QStringList lines;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_0"); })
        .on("frmFindPerson", pick_number(zed))
        .on("frmConnectParent",
            [&](QWidget* q) {
              for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) lines << label_text(q, name);
              click(q, "cmdYes");
            })
        .on("frmListSequence", position("2"));
    w->button("butConnect")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 1u) << all_boxes();
  EXPECT_EQ(boxes.shown[0].title, "Connect Parents");
  EXPECT_EQ(box(0), "Connect Zed Yale as a father to Ivy Ash");
  // The question is about Zed's wife as Ivy's other parent.
  EXPECT_EQ(lines, (QStringList{QStringLiteral("Is the mother of Ivy Ash listed in the Vorlan Family Tree records?"),
                                QStringLiteral("Zed Yale has a spouse."), QStringLiteral("She is Cat Yale."),
                                QStringLiteral("Is she the Mother of Ivy Ash?")}));
  EXPECT_EQ(kids(yales), (std::vector<std::int16_t>{dee, ivy}));
  EXPECT_EQ(parents_of(ivy), yales);
  EXPECT_EQ(person(zed).NumPartners, 1);
  EXPECT_EQ(selected(), ivy);
  EXPECT_EQ(w->view()->model().ParentFamily, yales);
  expect_sound_tree();
}

TEST_F(ConnectOnRecord, PartnerTakesThePlaceOfTheUnknownFather) {
  show_person(ann);
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_3"); })
        .on("frmFindPerson", pick_number(max))
        .on("frmConnectPartner", [](QWidget* q) { click(q, "cmdYes"); });
    w->button("butConnect")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 1u) << all_boxes();
  EXPECT_EQ(box(0), "Connect Max Ford as a partner to Ann Hill");
  EXPECT_EQ(fam(hills).Husband, max);
  EXPECT_EQ(fam(hills).Wife, ann);
  EXPECT_EQ(kids(hills), std::vector<std::int16_t>{pip});
  EXPECT_EQ(person(max).NumPartners, 1);
  EXPECT_EQ(person(unknown).NumPartners, 0);
  EXPECT_EQ(person(ann).NumPartners, 1);
  expect_sound_tree();
}

TEST_F(ConnectOnRecord, ConfirmationAnsweredNoChangesNothing) {
  const RecordFiles before = snapshot(s);
  show_person(ivy);
  boxes.answers = {kAnswerNo};
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); }).on("frmFindPerson", pick_number(max));
    w->button("butConnect")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 1u) << all_boxes();
  EXPECT_EQ(boxes.shown[0].title, "Connect a Sibling");
  EXPECT_EQ(snapshot(s), before);
  EXPECT_FALSE(s.Rel.ConnectMode);
}

}  // namespace
