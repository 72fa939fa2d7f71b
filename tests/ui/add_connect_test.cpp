// Adding and connecting through the real dialogs, offscreen. The person
// editor, the marriage editor and the person picker are stand-ins that do
// what those windows do on OK; the dialogs are clicked as a user would and
// the records are checked afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>

#include "add_connect_flow.h"
#include "common/cp1252.h"
#include "relations/family_ops.h"
#include "relations/lookups.h"
#include "relations/tree_check.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "workflow_driver.h"

using namespace vft;
using namespace vft::ui;

namespace {

using Kids = std::vector<std::int16_t>;

using test::click;
using test::find;
using test::ModalDriver;
QString text(QWidget* w, const char* name) { return test::label_text(w, name); }

// One action per modal window, played as each one comes up.
struct Step {
  const char* window;
  ModalDriver::Action act;
};
std::unique_ptr<ModalDriver> script(const std::vector<Step>& steps) {
  auto d = std::make_unique<ModalDriver>();
  for (const Step& st : steps) d->on(st.window, st.act);
  return d;
}

void type_position(QWidget* w, const char* digits) {
  auto* box = find<QLineEdit>(w, "Text1");
  box->clear();
  QTest::keyClicks(box, digits);
  click(w, "Command1");
}

class AddConnect : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};

  struct NewPerson {
    std::string given, fam, sex;
  };
  std::deque<NewPerson> typed;         // what the stand-in editor "types", in order
  std::deque<std::int16_t> picks;      // what the stand-in picker chooses
  std::vector<std::string> pick_captions;
  std::vector<MarriageMode> marriages;
  FlowSteps steps;

  void SetUp() override {
    steps.notice_ms = 20;
    steps.edit_new_person = [this] { return editor(); };
    steps.marriage = [this](MarriageMode m) { return marriage(m); };
    steps.pick_person = [this](const std::string& caption) {
      pick_captions.push_back(caption);
      if (picks.empty()) return std::int16_t{0};
      const std::int16_t x = picks.front();
      picks.pop_front();
      return x;
    };
  }

  // What the person editor's OK does for a new person.
  EditPersonOutcome editor() {
    if (typed.empty()) return {};
    const NewPerson p = typed.front();
    typed.pop_front();
    s.Config.setNumPersons(static_cast<std::int16_t>(s.Config.NumPersons() + 1));
    s.Person2 = blank_person();
    s.Person2.GivenNames = p.given;
    s.Person2.FamName = p.fam;
    s.Person2.Sex = p.sex;
    s.NotesText.clear();
    EXPECT_TRUE(AddPersonRecord(s));
    const std::int16_t a = s.Config.NumPersons();
    return {true, a, LinkNewPerson(s, a)};
  }
  // What the marriage editor's OK does.
  MarriageNext marriage(MarriageMode mode) {
    marriages.push_back(mode);
    RelationState& r = s.Rel;
    if (mode == MarriageMode::AddPartner) {
      EXPECT_GT(LinkNewPartner(s, r.NewPerson), 0);
      if (r.PartnerForChild && r.AddMode) {
        r.AsChild = true;
        r.AsPartner = r.PartnerSequenceMode = r.PartnerForChild = false;
        r.InsertPosition = 0;
        r.ChildFather = r.ChildMother = 0;
        return MarriageNext::AddChild;
      }
    }
    const std::int16_t c = r.Selected.PerNum;
    ResetRelationState(s);
    SelectPersonForRelations(s, c);
    return MarriageNext::Done;
  }

  MarriageRecord& fam(std::int16_t m) { return s.Marriages[static_cast<std::size_t>(m)]; }
  Kids kids(std::int16_t m) { return Kids(fam(m).Kids.begin(), fam(m).Kids.begin() + fam(m).NumKids); }
  void expect_sound() {
    for (const TreeViolation& v : CheckTree(s)) ADD_FAILURE() << v.text;
  }
  void expect_reset() {
    const RelationState& r = s.Rel;
    EXPECT_FALSE(r.AddMode || r.ConnectMode || r.AsFather || r.AsMother || r.AsSibling || r.AsPartner ||
                 r.AsChild || r.AsUnrelated || r.PartnerSequenceMode);
    EXPECT_EQ(r.InsertPosition, 0);
  }
  void add(const std::vector<Step>& windows) {
    auto driver = script(windows);
    RunAddPerson(s, nullptr, steps);
  }
  void connect_person(const std::vector<Step>& windows) {
    auto driver = script(windows);
    RunConnectPerson(s, nullptr, steps);
  }
};

TEST_F(AddConnect, FatherWithoutMotherGetsAnUnknownMother) {
  auto c = b.person("Cal", "Dale", "M");
  b.select(c);
  typed = {{"Dan", "Dale", "M"}};
  std::vector<std::string> status;
  s.on_status = [&](const std::string& line) { status.push_back(line); };
  add({{"frmConnectAs",
        [](QWidget* w) {
          EXPECT_EQ(w->windowTitle(), QStringLiteral("Add a person"));
          EXPECT_EQ(text(w, "Label1"), QStringLiteral("Add a person to Cal Dale as a"));
          EXPECT_TRUE(find<QPushButton>(w, "Command1_5")->isVisible());
          click(w, "Command1_0");
        }},
       {"frmAddParent", [](QWidget* w) {
          EXPECT_EQ(w->windowTitle(), QStringLiteral("Add a Mother"));
          EXPECT_EQ(text(w, "Label1"), QStringLiteral("Is the Mother of Cal Dale known?"));
          click(w, "cmdNo");
          EXPECT_EQ(text(w, "Label1"), QStringLiteral("Vorlan Family Tree is adding a Mother to Cal Dale as 'Unknown'"));
        }}});
  const std::int16_t dad = 2, mum = 3;
  EXPECT_EQ(FatherOf(s, c), dad);
  EXPECT_EQ(MotherOf(s, c), mum);
  EXPECT_EQ(cp1252::trim(b.read(mum).FamName), "Unknown");
  EXPECT_EQ(b.read(mum).Sex, "F");
  EXPECT_EQ(b.read(dad).NumPartners, 1);
  EXPECT_EQ(b.read(mum).NumPartners, 1);
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.back(), "Vorlan Family Tree is adding a Mother to Cal Dale as 'Unknown'");
  EXPECT_TRUE(marriages.empty());
  expect_reset();
  expect_sound();

  // With both parents recorded neither can be added again.
  auto look = script({{"frmConnectAs", [](QWidget* w) {
                       EXPECT_FALSE(find<QPushButton>(w, "Command1_0")->isEnabled());
                       EXPECT_FALSE(find<QPushButton>(w, "Command1_1")->isEnabled());
                       click(w, "cmdCancel");
                     }}});
  RunAddPerson(s, nullptr, steps);
}

TEST_F(AddConnect, FatherThenKnownMotherLeadsToTheParentsMarriage) {
  auto c = b.person("Cal", "Dale", "M");
  b.select(c);
  typed = {{"Dan", "Dale", "M"}, {"Meg", "Moss", "F"}};
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_0"); }},
       {"frmAddParent", [](QWidget* w) { click(w, "cmdYes"); }}});
  EXPECT_EQ(FatherOf(s, c), 2);
  EXPECT_EQ(MotherOf(s, c), 3);
  EXPECT_EQ(marriages, std::vector<MarriageMode>{MarriageMode::AddParents});
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, ChildOfTheSecondPartnerAtTheChosenPlace) {
  auto h = b.person("Hal", "Hart", "M");
  auto w1 = b.person("Ann", "Ash", "F");
  auto w2 = b.person("Bea", "Birch", "F");
  auto f1 = b.family(h, w1);
  auto f2 = b.family(h, w2);
  auto k = b.child(f2, "Kit", "Hart", "M");
  b.select(h);
  typed = {{"Lou", "Hart", "F"}};
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_4"); }},
       {"frmAddChild",
        [](QWidget* w) {
          EXPECT_EQ(w->windowTitle(), QStringLiteral("Add a Child"));
          EXPECT_EQ(text(w, "Label1"), QStringLiteral("Is the child to be Added the issue of Hal Hart and Ann Ash?"));
          click(w, "cmdNo");
        }},
       {"frmSelectOther",
        [](QWidget* w) {
          EXPECT_EQ(text(w, "Label1"), QStringLiteral(" Select a Partner as Mother of Child. "));
          auto* list = find<QListWidget>(w, "SBList1");
          ASSERT_EQ(list->count(), 1);
          EXPECT_EQ(list->item(0)->text(), QStringLiteral("Bea Birch"));
          list->setCurrentRow(-1);
          EXPECT_FALSE(find<QPushButton>(w, "Command1")->isEnabled());  // nobody chosen
          list->setCurrentRow(0);
          click(w, "Command1");
        }},
       {"frmListSequence", [](QWidget* w) {
          EXPECT_EQ(w->windowTitle(), QStringLiteral("Add a Child for Hal Hart"));
          EXPECT_EQ(find<QListWidget>(w, "SBList1")->item(0)->text(), QStringLiteral("1  Kit  Hart  1 Jan 1900"));
          type_position(w, "1");
        }}});
  const std::int16_t lou = s.Config.NumPersons();
  EXPECT_EQ(kids(f2), (Kids{lou, k}));
  EXPECT_TRUE(kids(f1).empty());
  EXPECT_EQ(s.Config.LastPerson(), h);
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, PartnerAtPositionOneOfThreeWithTheRangeRefusals) {
  auto c = b.person("Cal", "Cook", "M");
  auto p1 = b.person("Ann", "Ash", "F");
  auto p2 = b.person("Bea", "Birch", "F");
  auto f1 = b.family(c, p1);
  auto f2 = b.family(c, p2);
  auto k2 = b.child(f2, "Kit", "Cook", "M");
  b.select(c);
  typed = {{"Zoe", "Zed", "F"}};
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_3"); }},
       {"frmListSequence", [this](QWidget* w) {
          EXPECT_EQ(w->windowTitle(), QStringLiteral("Add a third Partner for Cal Cook"));
          EXPECT_EQ(text(w, "Label1"),
                    QStringLiteral("Enter the position number in the sequence below where the partner is to be "
                                   "inserted: (1 - 3):"));
          EXPECT_FALSE(find<QPushButton>(w, "Command1")->isEnabled());  // blank
          QTest::keyClicks(find<QLineEdit>(w, "Text1"), "  ");
          EXPECT_FALSE(find<QPushButton>(w, "Command1")->isEnabled());
          type_position(w, "0");
          type_position(w, "4");
          EXPECT_TRUE(w->isVisible());  // both refused, still open
          ASSERT_EQ(t.prompter.shown.size(), 2u);
          EXPECT_EQ(t.prompter.shown[0].title, "Problem");
          EXPECT_EQ(t.prompter.shown[0].text,
                    "You entered a number less than one.  Please enter a number between 1 and 3");
          EXPECT_EQ(t.prompter.shown[1].title, "Problem");
          type_position(w, "1");
        }}});
  const std::int16_t zoe = s.Config.NumPersons();
  EXPECT_EQ(marriages, std::vector<MarriageMode>{MarriageMode::AddPartner});
  const PartnerList l = ListPartners(s, c);
  ASSERT_EQ(l.count, 3);
  EXPECT_EQ(l.rows[0].Partner, zoe);
  EXPECT_EQ(l.rows[1].Partner, p1);
  EXPECT_EQ(l.rows[2].Partner, p2);
  EXPECT_EQ(l.rows[0].Family, f1);  // the new couple took the first partner's number
  EXPECT_EQ(ListChildrenOfCouple(s, c, p2), Kids{k2});
  EXPECT_EQ(b.read(c).NumPartners, 3);
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, UnrelatedPersonGetsItsNotice) {
  auto c = b.person("Cal", "Cook", "M");
  b.select(c);
  typed = {{"Una", "Other", "F"}};
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_5"); }},
       {"frmUnrelated", [](QWidget* w) {
          EXPECT_EQ(text(w, "Label1"),
                    QStringLiteral("Una Other has been added to the records as an Unrelated person."));
        }}});  // it closes itself
  EXPECT_EQ(ParentFamilyOf(s, 2), 2);
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, ChildWithUnknownMotherForAManWithoutPartner) {
  auto c = b.person("Cal", "Cook", "");
  b.select(c);
  typed = {{"Kim", "Cook", "F"}};
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_4"); }},
       {"frmNoSex",
        [](QWidget* w) {
          EXPECT_EQ(text(w, "Label1"), QStringLiteral("The sex of Cal Cook is not recorded."));
          click(w, "cmdMale");
        }},
       {"frmAddChild", [](QWidget* w) {
          EXPECT_EQ(text(w, "Label1"), QStringLiteral("Is the Mother of the child to be Added known?"));
          click(w, "cmdNo");
        }}});
  EXPECT_EQ(b.read(c).Sex, "M");
  const std::int16_t mum = 2, kim = 3;
  EXPECT_EQ(cp1252::trim(b.read(mum).FamName), "Unknown");
  EXPECT_EQ(FatherOf(s, kim), c);
  EXPECT_EQ(MotherOf(s, kim), mum);
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, SiblingConnectedInBothDirections) {
  auto pa = b.person("Pa", "Dale", "M");
  auto pf = b.family(pa, 0);
  auto c = b.child(pf, "Cal", "Dale", "M");
  auto d = b.child(pf, "Dot", "Dale", "F");
  auto x = b.person("Xan", "Dale", "M");  // no parents: joins Cal's family
  b.select(c);
  picks = {x};
  connect_person({{"frmConnectAs",
                   [](QWidget* w) {
                     EXPECT_EQ(w->windowTitle(), QStringLiteral("Connect a person"));
                     EXPECT_FALSE(find<QPushButton>(w, "Command1_5")->isVisible());
                     click(w, "Command1_2");
                   }},
                  {"frmListSequence", [](QWidget* w) {
                     EXPECT_EQ(w->windowTitle(), QStringLiteral("Connect Xan Dale as a Sibling to Cal Dale"));
                     type_position(w, "2");
                   }}});
  EXPECT_EQ(pick_captions, std::vector<std::string>{"Enter all or part of the Name of the person to Connect"});
  EXPECT_EQ(t.prompter.shown.back().title, "Connect a Sibling");
  EXPECT_EQ(kids(pf), (Kids{c, x, d}));
  expect_reset();
  expect_sound();

  // The other way: the selected person has no parents and joins x's family.
  auto lone = b.person("Lee", "Lone", "F");
  b.select(lone);
  picks = {d};
  connect_person({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_2"); }},
                  {"frmListSequence", [](QWidget* w) {
                     EXPECT_EQ(find<QListWidget>(w, "SBList1")->count(), 3);
                     type_position(w, "4");  // n+1 appends
                   }}});
  EXPECT_EQ(kids(pf), (Kids{c, x, d, lone}));
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, ConnectRefusedByACheckChangesNothing) {
  auto c = b.person("Cal", "Dale", "M");
  auto f = b.person("Fay", "Fenn", "F");
  b.select(c);
  const test::RecordFiles before = test::snapshot(s);
  picks = {f};
  connect_person({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_0"); }}});
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Problem");
  EXPECT_EQ(t.prompter.shown[0].text, "Fay Fenn is a female and cannot be connected as a father.");
  EXPECT_EQ(test::snapshot(s), before);
  expect_reset();

  // x = c, refused by the first check.
  picks = {c};
  connect_person({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_3"); }}});
  EXPECT_EQ(t.prompter.shown.back().text, "You cannot to connect a person to themself");
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(AddConnect, ConnectParentWithSpouseMovesTheChild) {
  auto x = b.person("Dan", "Dale", "M");
  auto sp = b.person("Meg", "Moss", "F");
  auto m = b.family(x, sp);
  auto k = b.child(m, "Kim", "Dale", "F");
  auto c = b.person("Cal", "Dale", "M");
  b.select(c);
  picks = {x};
  connect_person({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_0"); }},
                  {"frmConnectParent",
                   [](QWidget* w) {
                     EXPECT_EQ(w->windowTitle(), QStringLiteral("Connect a Parent"));
                     EXPECT_EQ(text(w, "Label4"), QStringLiteral("Is she the Mother of Cal Dale?"));
                     click(w, "cmdYes");
                   }},
                  {"frmListSequence", [](QWidget* w) {
                     EXPECT_EQ(w->windowTitle(), QStringLiteral("Connect Parents to Cal Dale"));
                     type_position(w, "1");
                   }}});
  EXPECT_EQ(kids(m), (Kids{c, k}));
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, ConnectChildToTheDisplayedCouple) {
  auto h = b.person("Hal", "Hart", "M");
  auto w1 = b.person("Ann", "Ash", "F");
  auto f = b.family(h, w1);
  auto k = b.child(f, "Kit", "Hart", "M");
  auto x = b.person("Xan", "Hart", "M");
  b.select(h);
  picks = {x};
  connect_person({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_4"); }},
                  {"frmAddChild",
                   [](QWidget* w) {
                     EXPECT_EQ(w->windowTitle(), QStringLiteral("Connect a Child"));
                     click(w, "cmdYes");
                   }},
                  {"frmListSequence", [](QWidget* w) { type_position(w, "2"); }}});
  EXPECT_EQ(kids(f), (Kids{k, x}));
  EXPECT_EQ(t.prompter.shown.back().title, "Connect a Child");
  expect_reset();
  expect_sound();
}

TEST_F(AddConnect, CancelAtEachDialogResetsAndChangesNothing) {
  auto h = b.person("Hal", "Hart", "");
  auto w1 = b.person("Ann", "Ash", "F");
  auto w2 = b.person("Bea", "Birch", "F");
  auto pf = b.family(0, w2);
  b.child(pf, "Sis", "Hart", "F");
  b.select(h);
  const test::RecordFiles before = test::snapshot(s);
  auto check = [&](const char* where) {
    SCOPED_TRACE(where);
    expect_reset();
    EXPECT_EQ(test::snapshot(s), before);
  };
  add({{"frmConnectAs", [](QWidget* w) { click(w, "cmdCancel"); }}});
  check("frmConnectAs");
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_3"); }},
       {"frmNoSex", [](QWidget* w) { click(w, "cmdCancel"); }}});
  check("frmNoSex");
  connect_person({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_1"); }}});  // picker cancelled
  check("picker");

  // Dialogs further on need a partner with children and the sex recorded.
  PersonRecord r = b.read(h);
  r.Sex = "M";
  b.write(r);
  auto f1 = b.family(h, w1);
  b.child(f1, "Kit", "Hart", "M");
  auto f2 = b.family(h, w2);
  b.child(f2, "Lou", "Hart", "F");
  b.select(h);
  const test::RecordFiles later = test::snapshot(s);
  auto check2 = [&](const char* where) {
    SCOPED_TRACE(where);
    expect_reset();
    EXPECT_EQ(test::snapshot(s), later);
  };
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_4"); }},
       {"frmAddChild", [](QWidget* w) { click(w, "cmdCancel"); }}});
  check2("frmAddChild");
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_4"); }},
       {"frmAddChild", [](QWidget* w) { click(w, "cmdNo"); }},
       {"frmSelectOther", [](QWidget* w) { click(w, "Command2"); }}});
  check2("frmSelectOther");
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_4"); }},
       {"frmAddChild", [](QWidget* w) { click(w, "cmdYes"); }},
       {"frmListSequence", [](QWidget* w) { click(w, "Command2"); }}});
  check2("frmListSequence");
  add({{"frmConnectAs", [](QWidget* w) { click(w, "Command1_2"); }},
       {"frmListSequence", [](QWidget* w) { static_cast<QDialog*>(w)->close(); }}});
  check2("frmListSequence closed");
  EXPECT_TRUE(marriages.empty());
}

TEST_F(AddConnect, HelpOpensTheTopic) {
  auto c = b.person("Cal", "Dale", "M");
  b.select(c);
  std::vector<std::string> topics;
  s.on_help = [&](const std::string& topic) { topics.push_back(topic); };
  add({{"frmConnectAs", [](QWidget* w) {
         click(w, "cmdHelp");
         // F1 is a window shortcut: it needs the dialog to be the active window.
         w->activateWindow();
         EXPECT_TRUE(QTest::qWaitForWindowActive(w));
         QTest::keyClick(w, Qt::Key_F1);
         click(w, "cmdCancel");
       }}});
  EXPECT_EQ(topics, (std::vector<std::string>{"add_connect", "add_connect"}));
}

}  // namespace
