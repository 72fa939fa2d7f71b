// A family built from an empty tree through the real main window: the start
// menu's first person, a father whose wife is known (the parents' marriage
// editor follows) and a father whose wife is not (an 'Unknown' mother).
#include "workflow_driver.h"

#include "frm_start_menu.h"
#include "relations/person_io.h"

using namespace vft;
using namespace vft::test;

namespace {

class BuildFamily : public Workflow {
 protected:
  // Ann Hill from the start menu, then her parents Tom and Sue, married.
  void first_person_and_parents() {
    open_window();
    w->show();
    {
      ModalDriver d;
      d.on("frmStartMenu", [](QWidget* m) { click(m, "butStart0"); })
          .on("frmEditPerson", new_person("Ann", "Hill", "F"));
      w->OnActivate();
    }
    // Out of the start state: the button bar is back.
    QTest::qWait(20);
    ASSERT_EQ(s.Config.NumPersons(), 1);
    ASSERT_EQ(selected(), 1);
    ASSERT_EQ(given(1), "Ann");
    ASSERT_EQ(fam_name(1), "Hill");
    ASSERT_EQ(person(1).Sex, "F");
    ASSERT_TRUE(w->button("butAddPerson")->isVisibleTo(w.get()));

    QString question;
    {
      ModalDriver d;
      d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_0"); })
          .on("frmEditPerson",
              [](QWidget* e) {
                // A father is preset male; his family name is left to the user.
                EXPECT_EQ(e->windowTitle(), QStringLiteral(" Add a Father for Ann Hill"));
                EXPECT_EQ(find<QLineEdit>(e, "Text_16")->text(), QStringLiteral("Male"));
                EXPECT_TRUE(find<QLineEdit>(e, "Text_0")->text().isEmpty());
                new_person("Tom", "Hill")(e);
              })
          .on("frmAddParent",
              [&question](QWidget* q) {
                question = label_text(q, "Label1");
                click(q, "cmdYes");
              })
          .on("frmEditPerson", new_person("Sue", "Dale"))
          .on("frmMarriageInput", [](QWidget* m) {
            type(m, "txtMarriedDate", "4 May 1950");
            QTest::keyClicks(find(m, "txtMarriedAt"), QStringLiteral("Leeds"));
            click(m, "butOKAddMarr");
          });
      w->button("butAddPerson")->click();
    }
    EXPECT_EQ(question, QStringLiteral("Is the Mother of Ann Hill known?"));
  }
};

TEST_F(BuildFamily, FirstPersonThenBothParentsWithTheirMarriage) {
  first_person_and_parents();
  ASSERT_EQ(s.Config.NumPersons(), 3);
  const std::int16_t ann = number_of("Ann"), tom = number_of("Tom"), sue = number_of("Sue");
  ASSERT_TRUE(ann && tom && sue);
  EXPECT_EQ(fam_name(tom), "Hill");
  EXPECT_EQ(person(tom).Sex, "M");
  EXPECT_EQ(fam_name(sue), "Dale");
  EXPECT_EQ(person(sue).Sex, "F");
  const std::int16_t m = parents_of(ann);
  ASSERT_GE(m, 1);
  EXPECT_EQ(fam(m).Husband, tom);
  EXPECT_EQ(fam(m).Wife, sue);
  EXPECT_EQ(kids(m), std::vector<std::int16_t>{ann});
  EXPECT_EQ(cp1252::trim(stored_ceremony(s, m).MarriedDate), "4 May 1950");
  EXPECT_EQ(cp1252::trim(stored_ceremony(s, m).MarriedAt).rfind("Leeds", 0), 0u);
  EXPECT_EQ(person(tom).NumPartners, 1);
  EXPECT_EQ(person(sue).NumPartners, 1);
  // The main window still shows Ann, now with her parents.
  EXPECT_EQ(selected(), ann);
  EXPECT_EQ(w->view()->model().ParentFamily, m);
  EXPECT_TRUE(boxes.shown.empty()) << box(0);
  expect_sound_tree();
}

TEST_F(BuildFamily, FatherWithUnknownMotherGetsAnUnknownWife) {
  first_person_and_parents();
  const std::int16_t tom = number_of("Tom");
  show_person(tom);
  QString question, notice;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_0"); })
        .on("frmEditPerson", new_person("Abe", "Hill"))
        .on("frmAddParent", [&](QWidget* q) {
          question = label_text(q, "Label1");
          click(q, "cmdNo");
          // The window stays a moment to say what happens to the mother.
          notice = label_text(q, "Label1");
        });
    w->button("butAddPerson")->click();
  }
  EXPECT_EQ(question, QStringLiteral("Is the Mother of Tom Hill known?"));
  EXPECT_EQ(notice, QStringLiteral("Vorlan Family Tree is adding a Mother to Tom Hill as 'Unknown'"));
  ASSERT_EQ(s.Config.NumPersons(), 5);
  const std::int16_t abe = number_of("Abe");
  ASSERT_GE(abe, 1);
  const std::int16_t m = parents_of(tom);
  ASSERT_GE(m, 1);
  EXPECT_EQ(fam(m).Husband, abe);
  ASSERT_GE(fam(m).Wife, 1);
  const PersonRecord unknown = person(fam(m).Wife);
  EXPECT_EQ(unknown.Sex, "F");
  EXPECT_TRUE(IsPlaceholder(s, unknown)) << unknown.GivenNames << "|" << unknown.FamName;
  EXPECT_EQ(person(abe).NumPartners, 1);
  EXPECT_EQ(unknown.NumPartners, 1);
  EXPECT_EQ(kids(m), std::vector<std::int16_t>{tom});
  expect_sound_tree();
}

TEST_F(BuildFamily, ParentsNeedAFamilyNameAndKeepTheEditorOpenUntilGiven) {
  first_person_and_parents();
  const std::int16_t tom = number_of("Tom");
  show_person(tom);
  const std::size_t before = boxes.shown.size();
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_1"); })
        .on("frmEditPerson", [](QWidget* e) {
          type(e, "Text_0", "");
          type(e, "Text_1", "Mae");
          click(e, "butOKEdit");
          // Refused: the editor is still open; a family name lets OK through.
          ASSERT_TRUE(e->isVisible());
          type(e, "Text_0", "Rowe");
          click(e, "butOKEdit");
        })
        .on("frmAddParent", [](QWidget* q) { click(q, "cmdNo"); });
    w->button("butAddPerson")->click();
  }
  ASSERT_GT(boxes.shown.size(), before);
  EXPECT_EQ(boxes.shown[before].title, "Add a mother");
  EXPECT_EQ(boxes.shown[before].text,
            "You must enter a Family Name for the mother of Tom Hill before proceeding.\r\n"
            "If you don't know the name, enter a '?' or 'Unknown'");
  const std::int16_t mae = number_of("Mae");
  ASSERT_GE(mae, 1);
  EXPECT_EQ(fam_name(mae), "Rowe");
  EXPECT_EQ(fam(parents_of(tom)).Wife, mae);
  expect_sound_tree();
}

}  // namespace
