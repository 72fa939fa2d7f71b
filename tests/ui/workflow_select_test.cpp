// Selecting persons through the real main window as a user does: Select,
// Edit, close the editor, Select again; and a search made while connecting
// that must not follow the user into the main window's Select.
#include <QCheckBox>
#include <QTableView>

#include "workflow_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

class SelectPath : public Workflow {
 protected:
  std::int16_t tom = 0, sue = 0, ann = 0, bob = 0, jane = 0;
  void SetUp() override {
    TreeBuilder b(s);
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    ann = b.child(b.family(tom, sue), "Ann", "Hill", "F");
    bob = b.person("Bob", "Smith", "M");
    jane = b.person("Jane", "Smale", "F");
    b.person("Kit", "Smee", "F");
    open_saved_tree_at(ann);
  }
  // The list as it opens: how many rows, and what its filter line says.
  ModalDriver::Action note_list(int& rows, QString& filter, const char* then_button, const char* search = "") {
    return [&rows, &filter, then_button, search](QWidget* d) {
      rows = find<QTableView>(d, "SBList1")->model()->rowCount();
      auto* line = find<QLabel>(d, "lblFilter");
      filter = line->isVisible() ? line->text() : QString();
      if (*search) type(d, "txtSelectPerson", search);
      click(d, then_button);
    };
  }
};

TEST_F(SelectPath, AfterEditingFromTheListSelectMovesAgain) {
  int rows = 0;
  QString filter, caption;  // the list's filter line, shown only while connecting
  {
    ModalDriver d;
    d.on("frmSelectPerson", note_list(rows, filter, "butEdit", "Smith")).on("frmEditPerson", [](QWidget* e) {
      click(e, "butCancel");
    });
    w->button("butSelect")->click();
  }
  EXPECT_EQ(selected(), bob);
  {
    ModalDriver d;
    d.on("frmSelectPerson", note_list(rows, caption, "butSelectOK", "Dale"));
    w->button("butSelect")->click();
  }
  // Moved to Sue, and no editor came.
  EXPECT_EQ(selected(), sue);
  EXPECT_FALSE(s.EditFlag);
}

TEST_F(SelectPath, ASearchWhileConnectingStaysThereAndListAllShowsEveryone) {
  show_person(bob);
  int connect_rows = 0, main_rows = 0, all_rows = 0;
  QString connect_filter, main_filter, all_filter;
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); })  // as a sibling
        .on("frmFindPerson",
            [](QWidget* f) {
              find<QCheckBox>(f, "chkPrecise")->setChecked(false);
              type(f, "txtFamName", "Sm");
              click(f, "Command1_0");
            })
        .on("frmSelectPerson", note_list(connect_rows, connect_filter, "butCancel"));
    w->button("butConnect")->click();
  }
  // Precise Search ticked, then Select from the main window and List All in the find.
  s.PreciseSearch = true;
  {
    ModalDriver d;
    d.on("frmSelectPerson", note_list(main_rows, main_filter, "butCancel"));
    w->button("butSelect")->click();
  }
  {
    ModalDriver d;
    d.on("frmConnectAs", [](QWidget* c) { click(c, "Command1_2"); })
        .on("frmFindPerson",
            [](QWidget* f) {
              type(f, "txtFamName", "Sm");
              click(f, "Command1_1");
            })
        .on("frmSelectPerson", note_list(all_rows, all_filter, "butCancel"));
    w->button("butConnect")->click();
  }
  // Connecting leaves out the selected person (Bob Smith).
  EXPECT_EQ(connect_rows, 2);
  EXPECT_EQ(connect_filter, QStringLiteral("Showing 2 persons named Sm"));
  EXPECT_EQ(main_rows, 6);
  EXPECT_EQ(main_filter, QString());
  EXPECT_EQ(all_rows, 5);
  EXPECT_EQ(all_filter, QString());
}

}  // namespace
