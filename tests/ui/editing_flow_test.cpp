// Adding, connecting and selecting through the real main window and the
// windows its commands chain, one walk per window: each window's controls
// are found by name, the answers reach the records, and the messages show.
// What each step decides is tested once, in the core tests of the relations
// and of the dialogs' models.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QTableView>
#include <set>

#include "ui_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

// Tom Hill with two partners: Sue Dale (family `first`, child Ann) and Amy
// Rose (family `second`, child Kit); Cy Cole (sex not recorded) stands alone.
class AddFlow : public Workflow {
 protected:
  std::int16_t tom = 0, sue = 0, amy = 0, ann = 0, kit = 0, cy = 0, first = 0, second = 0;
  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    amy = b.person("Amy", "Rose", "F");
    first = b.family(tom, sue, "4 May 1950");
    second = b.family(tom, amy, "9 Jun 1960");
    ann = b.child(first, "Ann", "Hill", "F");
    kit = b.child(second, "Kit", "Hill", "M");
    cy = b.person("Cy", "Cole", "");
    open_saved_tree_at(tom);
  }
};

TEST_F(AddFlow, ChildOfTheSecondPartnerGoesFirstInThatFamily) {
  show_person(tom, 0);
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_4"))
        .on("frmAddChild", answer("cmdNo"))
        .on("frmSelectOther",
            [](QWidget* o) {
              pick_row(o, "SBList1", 0);  // Amy, the only other partner
              click(o, "Command1");
            })
        .on("frmListSequence", position("1"))
        .on("frmEditPerson", new_person("Lu"));
    button("butAddPerson")->click();
  }
  EXPECT_EQ(kids(second), (Kids{number_of("Lu"), kit}));
}

TEST_F(AddFlow, PartnerPlacedFirstOfThreeAfterARefusedPosition) {
  show_person(tom);
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_3"))
        .on("frmListSequence",
            [](QWidget* l) {
              position("4")(l);  // n + 1 of a list of 3 partners: refused, the list stays
              position("1")(l);
            })
        .on("frmEditPerson", new_person("Zoe", "West"))
        .on("frmMarriageInput", press("butOKAddMarr"));
    button("butAddPerson")->click();
  }
  EXPECT_EQ(boxes.shown.size(), 1u);  // the refusal, worded in the core tests
  EXPECT_EQ(partner_list(tom), (std::vector<std::int16_t>{number_of("Zoe"), sue, amy}));
}

TEST_F(AddFlow, ChildWhoseKnownFatherIsAddedFirstAsAPartner) {
  show_person(ann);
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_4"))
        .on("frmAddChild", press("cmdYes"))
        .on("frmEditPerson", new_person("Max", "Ford"))
        .on("frmMarriageInput", press("butOKAddMarr"))
        .on("frmEditPerson", [](QWidget* e) {
          // The child's step knows the partner just added.
          EXPECT_EQ(child<QLineEdit>(e, "Text_0")->text(), QStringLiteral("Ford"));
          new_person("Pip")(e);
        });
    button("butAddPerson")->click();
  }
  const std::int16_t max = number_of("Max"), pip = number_of("Pip");
  ASSERT_TRUE(max && pip);
  const std::int16_t m = FamilyBetween(s, max, ann);
  ASSERT_GE(m, 1);
  EXPECT_EQ(kids(m), Kids{pip});
}

TEST_F(AddFlow, SexAskedFirstThenAChildWithAnUnknownMother) {
  show_person(cy);
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_4"))
        .on("frmNoSex", answer("cmdMale"))
        .on("frmAddChild", press("cmdNo"))
        .on("frmEditPerson", new_person("Pip", "Cole"));
    button("butAddPerson")->click();
  }
  EXPECT_EQ(b.read(cy).Sex, "M");
  EXPECT_EQ(fam(ParentFamilyOf(s, number_of("Pip"))).Husband, cy);  // no Pip: family 0
}

TEST_F(AddFlow, UnrelatedPersonGetsAFamilyOfItsOwnAndANotice) {
  show_person(tom);
  QString notice;
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_5"))
        .on("frmEditPerson", new_person("Una", "Zed"))
        // The notice closes by itself.
        .on("frmUnrelated", [&](QWidget* u) { notice = label_text(u, "Label1"); });
    button("butAddPerson")->click();
  }
  // The notice names the person from the new record.
  EXPECT_EQ(notice, QStringLiteral("Una Zed has been added to the records as an Unrelated person."));
  EXPECT_EQ(selected(), tom);
}

// From an empty tree: the start menu's first person, then both parents with
// the parents' marriage editor.
TEST_F(Workflow, FirstPersonFromTheStartMenuThenBothParents) {
  open_window();
  w->show();
  {
    ModalDriver d;
    d.on("frmStartMenu", press("butStart0")).on("frmEditPerson", new_person("Ann", "Hill", "F"));
    w->OnActivate();
  }
  QTest::qWait(20);
  ASSERT_TRUE(button("butAddPerson")->isVisibleTo(w.get()));  // out of the start state
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_0"))
        .on("frmEditPerson", new_person("Tom", "Hill"))
        .on("frmAddParent", answer("cmdYes"))
        .on("frmEditPerson", new_person("Sue", "Dale"))
        .on("frmMarriageInput", press("butOKAddMarr"));
    button("butAddPerson")->click();
  }
  const std::int16_t ann = number_of("Ann"), tom = number_of("Tom"), sue = number_of("Sue");
  ASSERT_TRUE(ann && tom && sue);
  const std::int16_t m = ParentFamilyOf(s, ann);
  EXPECT_EQ(fam(m).Husband, tom);
  EXPECT_EQ(fam(m).Wife, sue);
  EXPECT_EQ(w->view()->model().ParentFamily, m);
  EXPECT_TRUE(boxes.shown.empty());
  expect_sound();
}

// People on record: Zed and Cat Yale with their child Dee; Ivy Ash alone;
// Ann Hill with an 'Unknown' husband and their child Pip; Max Ford alone.
class ConnectOnRecord : public Workflow {
 protected:
  std::int16_t zed = 0, dee = 0, ivy = 0, yales = 0, ann = 0, max = 0, hills = 0;
  void SetUp() override {
    zed = b.person("Zed", "Yale", "M");
    yales = b.family(zed, b.person("Cat", "Yale", "F"));
    dee = b.child(yales, "Dee", "Yale", "F");
    ivy = b.person("Ivy", "Ash", "F");
    ann = b.person("Ann", "Hill", "F");
    hills = b.family(b.person("Unknown", "Unknown", "M"), ann);
    b.child(hills, "Pip", "Hill", "M");
    max = b.person("Max", "Ford", "M");
    open_saved_tree_at(ivy);
  }
};

TEST_F(ConnectOnRecord, FatherWithAPartnerTakesTheChildIntoTheirFamily) {
  QStringList lines;
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_0"))
        .on("frmFindPerson", pick_number(zed))
        .on("frmConnectParent",
            [&](QWidget* q) {
              for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) lines << label_text(q, name);
              click(q, "cmdYes");
            })
        .on("frmListSequence", position("2"));
    button("butConnect")->click();
  }
  EXPECT_EQ(lines, (QStringList{QStringLiteral("Is the mother of Ivy Ash listed in the Vorlan Family Tree records?"),
                                QStringLiteral("Zed Yale has a spouse."), QStringLiteral("She is Cat Yale."),
                                QStringLiteral("Is she the Mother of Ivy Ash?")}));
  EXPECT_EQ(kids(yales), (Kids{dee, ivy}));
}

TEST_F(ConnectOnRecord, PartnerTakesThePlaceOfTheUnknownFather) {
  show_person(ann);
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_3"))
        .on("frmFindPerson", pick_number(max))
        .on("frmConnectPartner", press("cmdYes"));
    button("butConnect")->click();
  }
  EXPECT_EQ(fam(hills).Husband, max);
}

class SelectPath : public Workflow {
 protected:
  std::int16_t sue = 0, ann = 0, bob = 0;
  void SetUp() override {
    const auto tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    ann = b.child(b.family(tom, sue), "Ann", "Hill", "F");
    bob = b.person("Bob", "Smith", "M");
    b.person("Jane", "Smale", "F");
    b.person("Kit", "Smee", "F");
    open_saved_tree_at(ann);
  }
  // The list as it opens: how many rows.
  ModalDriver::Action note_list(int& rows, const char* then_button, const char* search = "") {
    return [&rows, then_button, search](QWidget* d) {
      rows = child<QTableView>(d, "SBList1")->model()->rowCount();
      if (*search) type(d, "txtSelectPerson", search);
      click(d, then_button);
    };
  }
};

TEST_F(SelectPath, AfterEditingFromTheListSelectMovesAgain) {
  int rows = 0;
  {
    ModalDriver d;
    d.on("frmSelectPerson", note_list(rows, "butEdit", "Smith")).on("frmEditPerson", press("butCancel"));
    button("butSelect")->click();
  }
  EXPECT_EQ(selected(), bob);
  {
    ModalDriver d;
    d.on("frmSelectPerson", note_list(rows, "butSelectOK", "Dale"));
    button("butSelect")->click();
  }
  EXPECT_EQ(selected(), sue);  // and no editor came
  EXPECT_FALSE(s.View.EditFlag);
}

// A search made while connecting must not follow the user into the main
// window's Select.
TEST_F(SelectPath, ASearchWhileConnectingStaysThereAndListAllShowsEveryone) {
  show_person(bob);
  int connect_rows = 0, main_rows = 0, all_rows = 0;
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_2"))
        .on("frmFindPerson",
            [](QWidget* f) {
              child<QCheckBox>(f, "chkPrecise")->setChecked(false);
              type(f, "txtFamName", "Sm");
              click(f, "Command1_0");
            })
        .on("frmSelectPerson", note_list(connect_rows, "butCancel"));
    button("butConnect")->click();
  }
  s.View.PreciseSearch = true;
  {
    ModalDriver d;
    d.on("frmSelectPerson", note_list(main_rows, "butCancel"));
    button("butSelect")->click();
  }
  {
    ModalDriver d;
    d.on("frmConnectAs", press("Command1_2"))
        .on("frmFindPerson",
            [](QWidget* f) {
              type(f, "txtFamName", "Sm");
              click(f, "Command1_1");
            })
        .on("frmSelectPerson", note_list(all_rows, "butCancel"));
    button("butConnect")->click();
  }
  // Connecting leaves out the selected person (Bob Smith).
  EXPECT_EQ(connect_rows, 2);
  EXPECT_EQ(main_rows, 6);
  EXPECT_EQ(all_rows, 5);
}

// "How Are They Related?" from the Tools menu: the second person picked in
// the list, the answer read, and a person of the path shown.
TEST_F(Workflow, RelationshipFromTheToolsMenuToAPersonOfThePath) {
  const auto tom = b.person("Tom", "Hill", "M");
  const auto parents = b.family(tom, b.person("Sue", "Dale", "F"));
  const auto ann = b.child(parents, "Ann", "Hill", "F");
  const auto ben = b.child(parents, "Ben", "Hill", "M");
  const auto kai = b.child(b.family(ben, 0), "Kai", "Hill", "M");
  open_saved_tree_at(ann);
  {
    ModalDriver d;
    d.on("frmRelationship", [&](QWidget* x) {
       EXPECT_EQ(label_text(x, "lblFirstName"), QStringLiteral("Ann Hill (#3)"));
       QStringList texts;  // every access key once
       for (auto* l : x->findChildren<QLabel*>()) texts << l->text();
       for (auto* c : x->findChildren<QAbstractButton*>()) texts << c->text();
       std::set<QChar> keys;
       for (const QString& t : texts)
         if (const qsizetype amp = t.indexOf(QLatin1Char('&')); amp >= 0 && amp + 1 < t.size()) {
           EXPECT_TRUE(keys.insert(t.at(amp + 1).toLower()).second) << t.toStdString();
         }
       EXPECT_EQ(keys.size(), 7u);
       click(x, "butSecond");
       EXPECT_EQ(s.Config.LastPerson(), ann);  // picking did not move the main window
       EXPECT_EQ(label_text(x, "lblSecondName"), QStringLiteral("Kai Hill (#5)"));
       EXPECT_EQ(label_text(x, "lblResult"),
                 QStringLiteral("Ann Hill is the aunt of Kai Hill.\nKai Hill is the nephew of Ann Hill."));
       pick_row(x, "lstPath", 2);
       EXPECT_EQ(child<QListWidget>(x, "lstPath")->currentItem()->text(), QStringLiteral("son: Ben Hill (#4)"));
       click(x, "butShow");
     }).on("frmSelectPerson", [&](QWidget* l) {
      auto* box = child<QLineEdit>(l, "txtSelectPerson");
      box->setText(QString::number(kai));
      QTest::keyClick(box, Qt::Key_Return);
    });
    action("mnuRelationship")->trigger();
  }
  EXPECT_EQ(selected(), ben);
}

}  // namespace
