// The family view widget offscreen on the sample family: controls found by
// their names, clicks and keys as a user would give them, the overflow list,
// and names and the overflow list at the usual screen sizes. What the view
// shows is tested in the core tests of its model, text and geometry.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTreeWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "mainwindow/family_view.h"
#include "mainwindow/person_box.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;

namespace {

// A family that fills every part of the family view: four grandparents (one
// with a father recorded), married parents, three siblings, two partners
// (the first divorced, with five children, the eldest with children of his
// own).
struct SampleFamily {
  std::int16_t great_grandfather = 0;
  std::int16_t grandparents[4] = {};
  std::int16_t father = 0;
  std::int16_t selected = 0;
  std::vector<std::int16_t> siblings;  // in the parents' child order, the selected person left out
  std::int16_t first_wife = 0, second_wife = 0;
  std::vector<std::int16_t> children;  // of the first partnership
};

struct Writer {
  test::TreeBuilder& t;
  std::int16_t dated(std::int16_t p, const char* born, const char* died = "") {
    PersonRecord r = t.read(p);
    r.BirthDate = born;
    r.DeathDate = died;
    t.write(r);
    return p;
  }
  std::int16_t person(const char* given, const char* fam, const char* sex, const char* born, const char* died = "") {
    return dated(t.person(given, fam, sex), born, died);
  }
  std::int16_t child(std::int16_t m, const char* given, const char* fam, const char* sex, const char* born,
                     const char* died = "") {
    return dated(t.child(m, given, fam, sex), born, died);
  }
};

SampleFamily BuildSampleFamily(Session& s, test::TreeBuilder& t) {
  Writer w{t};
  SampleFamily f;
  f.great_grandfather = w.person("Heinrich", "Brandt", "M", "3 Jan 1851", "12 Oct 1920");
  f.grandparents[0] = w.child(t.family(f.great_grandfather, 0), "Walter", "Brandt", "M", "17 Mar 1880", "2 Feb 1951");
  f.grandparents[1] = w.person("Clara", "Vogel", "F", "9 Aug 1884", "30 Nov 1960");
  f.grandparents[2] = w.person("Arthur", "Wells", "M", "21 May 1878", "4 Apr 1940");
  f.grandparents[3] = w.person("Edith May", "Hargreaves", "F", "1 Dec 1882", "18 Jul 1969");

  const auto brandts = t.family(f.grandparents[0], f.grandparents[1], "5 Sep 1907");
  f.father = w.child(brandts, "Friedrich Wilhelm", "Brandt", "M", "11 Feb 1910", "23 Jan 1985");
  const auto wells = t.family(f.grandparents[2], f.grandparents[3], "28 Apr 1906");
  const auto mother = w.child(wells, "Margaret", "Wells", "F", "6 Jun 1913", "14 Mar 2001");

  const auto parents = t.family(f.father, mother, "14 Jun 1936");
  f.siblings.push_back(w.child(parents, "Anna Luise", "Brandt", "F", "2 Apr 1937"));
  f.selected = w.child(parents, "Thomas Alexander Georg", "Brandt", "M", "2 Mar 1940");
  f.siblings.push_back(w.child(parents, "Peter", "Brandt", "M", "19 Oct 1942", "8 Aug 2010"));
  f.siblings.push_back(w.child(parents, "Elisabeth", "Brandt", "F", "25 Dec 1945"));

  f.first_wife = w.person("Helen", "Carter", "F", "30 Jul 1942");
  const auto first = t.family(f.selected, f.first_wife, "12 Jun 1965");
  s.Marriages[static_cast<std::size_t>(first)].Divorced = -1;
  t.write_family(first);
  f.children.push_back(w.child(first, "James", "Brandt", "M", "4 May 1966"));
  f.children.push_back(w.child(first, "Laura", "Brandt", "F", "15 Jan 1968"));
  f.children.push_back(w.child(first, "Michael", "Brandt", "M", "2 Nov 1970"));
  f.children.push_back(w.child(first, "Sarah Jane", "Brandt", "F", "20 Mar 1973"));
  f.children.push_back(w.child(first, "Daniel", "Brandt", "M", "9 Sep 1976"));

  f.second_wife = w.person("Susan", "Miller", "F", "14 Feb 1950");
  const auto second = t.family(f.selected, f.second_wife, "3 Oct 1981");
  w.child(second, "Emily", "Brandt", "F", "22 Jul 1983");

  const auto james_wife = w.person("Karen", "Holt", "F", "8 Aug 1968");
  const auto jh = t.family(f.children[0], james_wife, "1 Jun 1991");
  w.child(jh, "Oliver", "Brandt", "M", "12 Dec 1992");
  w.child(jh, "Mia", "Brandt", "F", "3 Mar 1995");

  s.Config.setLastPerson(f.selected);
  return f;
}

class FamilyViewWidget : public test::TreeFixture {
 protected:
  SampleFamily fam = BuildSampleFamily(s, b);
  FamilyView view{s};

  void SetUp() override {
    view.resize(1366, 640);
    view.setHoverDelay(0);
    view.show();
    view.RefreshFamilyView();
  }
  QLabel* label(const char* name) { return test::child<QLabel>(view, name); }
  QPushButton* button(const char* name) { return test::child<QPushButton>(view, name); }
  QWidget* box(const char* name) { return test::child(view, name); }
  void hover(QWidget* w) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(w, &enter);
  }
};

TEST_F(FamilyViewWidget, ShowsTheFamilyInNamedControlsAndAClickSelects) {
  EXPECT_EQ(label("lblSelectedNum")->text(), QString::number(fam.selected));
  EXPECT_FALSE(button("butChildren2")->isVisible());
  EXPECT_TRUE(box("picGreatGrand0")->isVisible());
  EXPECT_FALSE(box("picGreatGrand1")->isVisible());  // no parents recorded
  EXPECT_EQ(label("lblSiblingName1")->text(), QStringLiteral("Elisabeth Brandt"));

  // Clicking a box selects that person.
  QSignalSpy selected(&view, &FamilyView::personSelected);
  QTest::mouseClick(box("pnlChild1"), Qt::LeftButton);
  EXPECT_EQ(selected.count(), 1);
  EXPECT_EQ(label("lblSelectedName")->text(), QStringLiteral("Laura Brandt"));

  // A click on a label inside a box counts as a click on the box.
  QTest::mouseClick(label("lblParentName1"), Qt::LeftButton);
  EXPECT_EQ(s.Config.LastPerson(), fam.first_wife);
  // The selected box opens the editor instead of navigating.
  QSignalSpy edit(&view, &FamilyView::editPersonRequested);
  QTest::mouseClick(box("pnlSelected"), Qt::LeftButton);
  EXPECT_EQ(edit.count(), 1);
}

TEST_F(FamilyViewWidget, MoreButtonsStep) {
  QTest::mouseClick(button("butMoreChildren"), Qt::LeftButton);
  EXPECT_EQ(label("lblChildName0")->text(), QStringLiteral("Laura Brandt"));
  QTest::mouseClick(button("butMoreSpouses"), Qt::LeftButton);
  EXPECT_EQ(label("lblPartnerName")->text(), QStringLiteral("Susan Miller"));
  QSignalSpy marriage(&view, &FamilyView::editMarriageRequested);
  QTest::mouseClick(button("butPartnersMarried"), Qt::LeftButton);
  EXPECT_EQ(marriage.count(), 1);
  QTest::mouseClick(button("butMoreSiblings"), Qt::LeftButton);
  EXPECT_EQ(s.Config.LastPerson(), fam.siblings[1]);
}

TEST_F(FamilyViewWidget, KeysOfTheView) {
  EXPECT_TRUE(view.handleKey(Qt::Key_Home));
  EXPECT_EQ(s.Config.LastPerson(), fam.father);
  EXPECT_TRUE(view.handleKey(Qt::Key_PageUp));
  EXPECT_EQ(s.Config.LastPerson(), fam.grandparents[1]);
  // Clara's own family has one child and no partner is shown: keys
  // whose target is missing do nothing.
  EXPECT_TRUE(view.handleKey(Qt::Key_Right));
  EXPECT_TRUE(view.handleKey(Qt::Key_R));
  EXPECT_EQ(s.Config.LastPerson(), fam.grandparents[1]);
  view.selectPerson(fam.selected);
  EXPECT_TRUE(view.handleKey(Qt::Key_Down));
  EXPECT_EQ(s.Config.LastPerson(), fam.children[2]);
  view.selectPerson(fam.selected);
  EXPECT_TRUE(view.handleKey(Qt::Key_M));  // the next partner: Susan
  EXPECT_TRUE(view.handleKey(Qt::Key_Left));
  EXPECT_EQ(s.Config.LastPerson(), fam.second_wife);
  QSignalSpy edit(&view, &FamilyView::editPersonRequested);
  EXPECT_TRUE(view.handleKey(Qt::Key_Return));
  EXPECT_EQ(edit.count(), 1);
  EXPECT_FALSE(view.handleKey(Qt::Key_A));  // the main window's own keys
}

TEST_F(FamilyViewWidget, HoverShowsStatusAndTheOverflowList) {
  QSignalSpy status(&view, &FamilyView::statusTextChanged);
  hover(label("lblParentName0"));
  EXPECT_EQ(status.count(), 1);  // the words are the model's

  auto* panel = box("KplPanel1");
  auto* list = test::child<QTreeWidget>(view, "SBList1");
  hover(button("butMoreSiblings"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isVisible(); }, 1000));
  ASSERT_EQ(list->topLevelItemCount(), 3);
  // Daughters in the list's own colour, whatever the scheme.
  EXPECT_EQ(list->topLevelItem(0)->foreground(0).color(), ColoursForScheme(256).listFemale);  // Anna Luise

  // Resting on a name puts the list away again.
  hover(label("lblSelectedName"));
  EXPECT_FALSE(panel->isVisible());

  // A click on a row selects that person.
  hover(button("butChildren0"));
  // The list already open shows the new kind only when the pointer comes back.
  hover(label("lblChildName0"));
  hover(button("butChildren0"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isVisible(); }, 1000));
  EXPECT_EQ(label("lblListCaption")->text(), QStringLiteral("James Brandt has Two Children..."));
  const QRect row = list->visualItemRect(list->topLevelItem(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(label("lblSelectedName")->text(), QStringLiteral("Oliver Brandt"));
}

TEST_F(FamilyViewWidget, BoxesTakeTheirColourFromTheScheme) {
  const FamilyColours c = ColoursForScheme(256);  // not the view's first scheme
  view.setColours(c);
  // A spot inside a box away from its texts and its stripe.
  auto fill_of = [&](const char* name) {
    const QRect r = box(name)->geometry();
    return QColor(view.grab().toImage().pixel(r.right() - 12, r.bottom() - 6));
  };
  EXPECT_EQ(fill_of("pnlPartner"), c.female);
  view.selectPerson(fam.first_wife);  // her grandparents are not recorded
  EXPECT_EQ(fill_of("pnlGrandParent0"), c.empty);
}

TEST_F(FamilyViewWidget, EmptyTreeShowsNothing) {
  test::TempSession empty;
  test::TreeBuilder builder(empty.s);
  FamilyView blank(empty.s);
  blank.resize(1366, 640);
  blank.show();
  blank.RefreshFamilyView();
  for (PersonBox* b : blank.findChildren<PersonBox*>()) EXPECT_FALSE(b->isVisible()) << b->objectName().toStdString();
  blank.handleKey(Qt::Key_Home);
  blank.handleKey(Qt::Key_End);
  EXPECT_EQ(empty.s.Config.LastPerson(), 0);
}

// Names fitted for a size are never cut by their boxes, and the overflow list
// opens beside its control, off the selected row, tall enough for rows that
// fit, and goes away on Escape or a click elsewhere.
TEST_F(FamilyViewWidget, NamesFitAndTheListStaysOffTheSelectedRow) {
  for (QSize size : {QSize(1366, 640), QSize(1920, 950), QSize(1100, 560)}) {
    view.resize(size);
    for (std::int16_t p : {fam.selected, fam.first_wife, fam.great_grandfather}) {
      view.selectPerson(p);
      for (PersonBox* box : view.findChildren<PersonBox*>()) {
        if (!box->isVisible()) continue;
        for (QLabel* l : {box->nameLabel(), box->datesLabel()})
          EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
      }
    }
  }
  view.selectPerson(fam.selected);
  auto* panel = box("KplPanel1");
  auto* list = test::child<QTreeWidget>(view, "SBList1");
  for (int close = 0; close < 2; ++close) {
    hover(button("butMoreChildren"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isVisible(); }, 1000));
    EXPECT_FALSE(panel->geometry().intersects(box("pnlSelected")->geometry()));
    EXPECT_TRUE(view.rect().contains(panel->geometry()));
    EXPECT_GE(list->viewport()->height(), 5 * list->sizeHintForRow(0));
    if (close == 0) QTest::keyClick(list, Qt::Key_Escape);
    else QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(panel->isVisible());
    hover(label("lblSelectedName"));
  }
}

}  // namespace
