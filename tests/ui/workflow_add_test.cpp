// Adding and connecting through the real main window and its chained
// windows: a child of the second of two partners, a child whose other parent
// is added first (known) or supplied as 'Unknown', a partner placed first of
// three, an unrelated person, siblings connected both ways, connects refused
// by the checks, and an added partner cancelled in the marriage editor with
// either answer.
#include "workflow_driver.h"

#include <algorithm>
#include <deque>

#include "relations/lookups.h"
#include "relations/person_io.h"

using namespace vft;
using namespace vft::test;

namespace {

// Tom Hill with two partners: Sue Dale (family `first`, child Ann) and Amy
// Rose (family `second`, child Kit); Bo Lane stands alone.
class AddFlow : public Workflow {
 protected:
  std::int16_t tom = 0, sue = 0, amy = 0, ann = 0, kit = 0, bo = 0, first = 0, second = 0;
  void SetUp() override {
    TreeBuilder b(s);
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    amy = b.person("Amy", "Rose", "F");
    first = b.family(tom, sue, "4 May 1950");
    second = b.family(tom, amy, "9 Jun 1960");
    ann = b.child(first, "Ann", "Hill", "F");
    kit = b.child(second, "Kit", "Hill", "M");
    bo = b.person("Bo", "Lane", "M");
    open_saved_tree_at(tom);
  }
};

TEST_F(AddFlow, ChildOfTheSecondPartnerGoesFirstInThatFamily) {
  show_person(tom, 0);
  QString issue, header, caption;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_4"); })
        .on("frmAddChild",
            [&](QWidget* q) {
              issue = label_text(q, "Label1");
              click(q, "cmdNo");
            })
        .on("frmSelectOther",
            [&](QWidget* o) {
              header = label_text(o, "Label1");
              pick_row(o, "SBList1", 0);
              click(o, "Command1");
            })
        .on("frmListSequence",
            [&](QWidget* l) {
              caption = l->windowTitle();
              position("1")(l);
            })
        .on("frmEditPerson", [](QWidget* e) {
          // A child of Tom takes his family name.
          EXPECT_EQ(find<QLineEdit>(e, "Text_0")->text(), QStringLiteral("Hill"));
          new_person("Lu")(e);
        });
    w->button("butAddPerson")->click();
  }
  EXPECT_EQ(issue, QStringLiteral("Is the child to be Added the issue of Tom Hill and Sue Dale?"));
  EXPECT_EQ(caption, QStringLiteral("Add a Child for Tom Hill"));
  const std::int16_t lu = number_of("Lu");
  ASSERT_GE(lu, 1);
  EXPECT_EQ(kids(second), (std::vector<std::int16_t>{lu, kit}));
  EXPECT_EQ(kids(first), std::vector<std::int16_t>{ann});
  EXPECT_EQ(person(tom).NumPartners, 2);
  EXPECT_EQ(person(amy).NumPartners, 1);
  expect_sound_tree();
}

TEST_F(AddFlow, PartnerAtPositionOneOfThreeBecomesTheFirstPartner) {
  show_person(tom);
  QString caption, prompt;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_3"); })
        .on("frmListSequence",
            [&](QWidget* l) {
              caption = l->windowTitle();
              prompt = label_text(l, "Label1");
              position("1")(l);
            })
        .on("frmEditPerson", new_person("Zoe", "West"))
        .on("frmMarriageInput", [](QWidget* m) {
          type(m, "txtMarriedDate", "1 Jan 1945");
          click(m, "butOKAddMarr");
        });
    w->button("butAddPerson")->click();
  }
  EXPECT_EQ(caption, QStringLiteral("Add a third Partner for Tom Hill"));
  EXPECT_EQ(prompt, QStringLiteral(
                        "Enter the position number in the sequence below where the partner is to be inserted: (1 - 3):"));
  const std::int16_t zoe = number_of("Zoe");
  ASSERT_GE(zoe, 1);
  EXPECT_EQ(person(zoe).Sex, "F");
  EXPECT_EQ(partners(tom), (std::vector<std::int16_t>{zoe, sue, amy}));
  EXPECT_EQ(person(tom).NumPartners, 3);
  // The children stay with their own parents.
  EXPECT_EQ(kids(family_of(tom, sue)), std::vector<std::int16_t>{ann});
  EXPECT_EQ(kids(family_of(tom, amy)), std::vector<std::int16_t>{kit});
  EXPECT_EQ(cp1252::trim(stored_ceremony(s, family_of(tom, zoe)).MarriedDate), "1 Jan 1945");
  expect_sound_tree();
}

TEST_F(AddFlow, PositionOutsideTheListIsRefusedAndTheListStaysOpen) {
  show_person(tom);
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_3"); })
        .on("frmListSequence", [](QWidget* l) {
          position("4")(l);
          EXPECT_TRUE(l->isVisible());
          click(l, "Command2");
        });
    w->button("butAddPerson")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Problem");
  EXPECT_EQ(s.Config.NumPersons(), 6);
  EXPECT_FALSE(s.Rel.AddMode);
  expect_sound_tree();
}

TEST_F(AddFlow, SiblingConnectedFromThePersonWithParents) {
  show_person(ann);
  QString caption, picker;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); })
        .on("frmFindPerson",
            [&](QWidget* f) {
              picker = f->windowTitle();
              pick_number(bo)(f);
            })
        .on("frmListSequence", [&](QWidget* l) {
          caption = l->windowTitle();
          position("2")(l);
        });
    w->button("butConnect")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Connect a Sibling");
  EXPECT_EQ(boxes.shown[0].text, "Connect Bo Lane as a sibling to Ann Hill");
  EXPECT_EQ(picker.toStdString(), "Select a person to Connect to Ann Hill as a Sibling");
  EXPECT_EQ(caption, QStringLiteral("Connect Bo Lane as a Sibling to Ann Hill"));
  EXPECT_EQ(kids(first), (std::vector<std::int16_t>{ann, bo}));
  expect_sound_tree();
}

TEST_F(AddFlow, SiblingConnectedFromThePersonWithoutParents) {
  show_person(bo);
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); })
        .on("frmFindPerson", pick_number(ann))
        .on("frmListSequence", position("1"));
    w->button("butConnect")->click();
  }
  // The parentless one joins the other's family, at the place chosen.
  EXPECT_EQ(kids(first), (std::vector<std::int16_t>{bo, ann}));
  EXPECT_EQ(selected(), bo);
  EXPECT_EQ(w->view()->model().ParentFamily, first);
  expect_sound_tree();
}

TEST_F(AddFlow, ConnectRefusedByTheChecksChangesNothing) {
  const RecordFiles before = snapshot(s);
  show_person(ann);
  {
    ModalDriver d;
    // Tom is Ann's father: refused as a sibling.
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); }).on("frmFindPerson", pick_number(tom));
    w->button("butConnect")->click();
  }
  {
    ModalDriver d;
    // Kit has parents, as Ann has: refused as a sibling.
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); }).on("frmFindPerson", pick_number(kit));
    w->button("butConnect")->click();
  }
  show_person(tom);
  {
    ModalDriver d;
    // Bo is a male: refused as Tom's partner.
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_3"); }).on("frmFindPerson", pick_number(bo));
    w->button("butConnect")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 3u);
  for (const Message& m : boxes.shown) EXPECT_EQ(m.title, "Problem");
  EXPECT_EQ(box(0), "Tom Hill is a parent of Ann Hill and cannot be connected.");
  EXPECT_EQ(box(1), "Kit Hill already has parents and can not be connected as a sibling.\r\n"
                    "Disconnect Kit Hill from his or her parents before attempting to connect as a sibling.");
  EXPECT_EQ(box(2), "Bo Lane is a male and cannot be connected as a partner.");
  EXPECT_EQ(snapshot(s), before);
  EXPECT_FALSE(s.Rel.ConnectMode);
}

TEST_F(AddFlow, ChildWhoseKnownFatherIsAddedFirstAsAPartner) {
  show_person(ann);
  QString question, child_title;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_4"); })
        .on("frmAddChild",
            [&](QWidget* q) {
              question = label_text(q, "Label1");
              click(q, "cmdYes");
            })
        .on("frmEditPerson",
            [](QWidget* e) {
              EXPECT_EQ(e->windowTitle(), QStringLiteral(" Add a Partner for Ann Hill"));
              EXPECT_EQ(find<QLineEdit>(e, "Text_16")->text(), QStringLiteral("Male"));
              new_person("Max", "Ford")(e);
            })
        .on("frmMarriageInput", [](QWidget* m) { click(m, "butOKAddMarr"); })
        .on("frmEditPerson", [&](QWidget* e) {
          child_title = e->windowTitle();
          // A child of a mother takes the family name of her partner.
          EXPECT_EQ(find<QLineEdit>(e, "Text_0")->text(), QStringLiteral("Ford"));
          new_person("Pip")(e);
        });
    w->button("butAddPerson")->click();
  }
  EXPECT_EQ(question, QStringLiteral("Is the Father of the child to be Added known?"));
  EXPECT_EQ(child_title, QStringLiteral(" Add a Child for Ann Hill"));
  const std::int16_t max = number_of("Max"), pip = number_of("Pip");
  ASSERT_TRUE(max && pip);
  const std::int16_t m = family_of(max, ann);
  ASSERT_GE(m, 1);
  EXPECT_EQ(fam(m).Husband, max);
  EXPECT_EQ(kids(m), std::vector<std::int16_t>{pip});
  EXPECT_EQ(fam_name(pip), "Ford");
  EXPECT_EQ(person(ann).NumPartners, 1);
  EXPECT_EQ(person(max).NumPartners, 1);
  EXPECT_FALSE(s.Rel.AddMode);
  expect_sound_tree();
}

TEST_F(AddFlow, ChildWithAnUnknownFatherGetsAnUnknownPartnerFirst) {
  show_person(ann);
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_4"); })
        .on("frmAddChild", [](QWidget* q) { click(q, "cmdNo"); })
        .on("frmEditPerson", new_person("Pip", "Hill"));
    w->button("butAddPerson")->click();
  }
  const std::int16_t pip = number_of("Pip");
  ASSERT_GE(pip, 1);
  const std::int16_t m = parents_of(pip);
  ASSERT_GE(m, 1);
  EXPECT_EQ(fam(m).Wife, ann);
  ASSERT_GE(fam(m).Husband, 1);
  EXPECT_TRUE(IsPlaceholder(s, person(fam(m).Husband)));
  EXPECT_EQ(person(ann).NumPartners, 1);
  ASSERT_FALSE(status_lines.empty());
  EXPECT_NE(std::find(status_lines.begin(), status_lines.end(),
                      "Vorlan Family Tree has added 'Unknown' as a Father to the family Tree"),
            status_lines.end());
  expect_sound_tree();
}

TEST_F(AddFlow, UnrelatedPersonGetsAFamilyOfItsOwnAndANotice) {
  show_person(tom);
  QString notice;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_5"); })
        .on("frmEditPerson",
            [](QWidget* e) {
              EXPECT_EQ(e->windowTitle(), QStringLiteral(" Add an Unrelated Person "));
              new_person("Una", "Zed")(e);
            })
        // The notice closes by itself.
        .on("frmUnrelated", [&](QWidget* u) { notice = label_text(u, "Label1"); });
    w->button("butAddPerson")->click();
  }
  EXPECT_EQ(notice, QStringLiteral("Una Zed has been added to the records as an Unrelated person."));
  const std::int16_t una = number_of("Una");
  ASSERT_GE(una, 1);
  const std::int16_t own = parents_of(una);
  ASSERT_GE(own, 1);
  EXPECT_EQ(kids(own), std::vector<std::int16_t>{una});
  EXPECT_EQ(fam(own).Husband, 0);
  EXPECT_EQ(fam(own).Wife, 0);
  EXPECT_EQ(person(una).NumPartners, 0);
  EXPECT_EQ(selected(), tom);
  expect_sound_tree();
}

// Ann gets a new partner; the marriage editor is cancelled.
class CancelPartner : public AddFlow {
 protected:
  void add_and_cancel() {
    show_person(ann);
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_3"); })
        .on("frmEditPerson", new_person("Max", "Ford"))
        .on("frmMarriageInput", [](QWidget* m) { click(m, "butCancel"); });
    w->button("butAddPerson")->click();
  }
};

// No keeps the partner, unrelated; Yes asks again, and only a second Yes deletes.
TEST_F(CancelPartner, TheTwoQuestionsDecideWhetherThePartnerStays) {
  struct Case {
    std::deque<int> answers;
    std::vector<std::string> texts;
  };
  const std::string unrelated = "Max Ford has been added to the records as an 'Unrelated' person.";
  const std::string first = "Do you wish to Delete Max Ford from the records.";
  const Case cases[] = {
      {{kAnswerNo, kAnswerOK}, {first, unrelated}},
      {{kAnswerYes, kAnswerNo, kAnswerOK}, {first, "Are you sure you want to Delete Max Ford from the records?", unrelated}},
      {{kAnswerYes, kAnswerYes}, {first, "Are you sure you want to Delete Max Ford from the records?"}},
  };
  for (const Case& c : cases) {
    boxes.shown.clear();
    boxes.answers = c.answers;
    add_and_cancel();
    std::vector<std::string> texts;
    for (const Message& m : boxes.shown) texts.push_back(m.text);
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(boxes.shown[0].title, "Add Partner Cancelled");
    EXPECT_EQ(boxes.shown[0].default_button, 1);
    // The newest Max is the one just added: kept unrelated with a family of its own, or marked deleted.
    const auto max = static_cast<std::int16_t>(s.Config.NumPersons());
    EXPECT_EQ(cp1252::trim(person(max).GivenNames), "Max");
    EXPECT_EQ(person(max).Deleted, c.texts.size() == 2 && c.answers[1] == kAnswerYes ? -1 : 0);
    EXPECT_EQ(person(max).NumPartners, 0);
    EXPECT_EQ(person(ann).NumPartners, 0);
    if (person(max).Deleted == 0) {
      EXPECT_EQ(fam(parents_of(max)).Husband + fam(parents_of(max)).Wife, 0);
    }
    EXPECT_EQ(selected(), ann);
    expect_sound_tree();
  }
}

}  // namespace

