// The person editor's commands on real record files: leaving boxes (dates,
// baptism, notes), OK for existing and new persons, Cancel with its questions
// and take-backs, and browsing with Back, Forward and the relatives buttons.
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "edit/person_editor.h"
#include "relations/family_ops.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

class PersonEditorFlow : public test::TreeFixture {
 protected:
  std::int16_t tom = 0, sue = 0, ann = 0, bob = 0, fam = 0;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    fam = b.family(tom, sue);
    ann = b.child(fam, "Ann", "Hill", "F");
    bob = b.child(fam, "Bob", "Hill", "M");
    b.select(ann);
  }
  std::string stored(std::int16_t n, std::string PersonRecord::*f) {
    PersonRecord p = b.read(n);
    return cp1252::trim(p.*f);
  }
  void start_add(bool RelationState::*flag, std::int16_t selected) {
    b.select(selected);
    s.Rel.AddMode = true;
    s.Rel.*flag = true;
  }
  // Types into a box as the window does: the change, then leaving the box.
  LeaveResult type(PersonEditor& e, int box, const std::string& text) {
    e.Changed();
    return e.LeaveField(box, text);
  }
};

TEST_F(PersonEditorFlow, EditSavesTheRecordWithAnUndoPoint) {
  PersonRecord stored_ann = b.read(ann);
  stored_ann.BirthDate = "";
  b.write(stored_ann);
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(e.BoxText(editfield::Sex), "Female");
  type(e, editfield::Occupation, "  weaver  ");
  EditorResult r = e.Ok(editfield::GivenNames, "ann marie", "Hill");
  EXPECT_TRUE(r.close && r.saved);
  EXPECT_EQ(stored(ann, &PersonRecord::Occupation), "weaver");
  EXPECT_EQ(stored(ann, &PersonRecord::GivenNames), "Ann Marie");  // the focused box was checked too
  EXPECT_EQ(stored(ann, &PersonRecord::BirthDate), "? ??? ????");  // an empty birth date
  EXPECT_TRUE(s.UndoAvailable);
  EXPECT_EQ(s.UndoText, "Undo editing of Ann Marie Hill");
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(PersonEditorFlow, DatesAreCheckedWhenTheBoxIsLeft) {
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(type(e, editfield::BirthDate, "5/1/1950").text, "5 Jan 1950");
  EXPECT_EQ(e.record().BirthDate, "5 Jan 1950");
  EXPECT_EQ(e.Age(), " 76");
  type(e, editfield::DeathDate, "4.1.1990");
  EXPECT_EQ(e.Age(), " 39");
  EXPECT_EQ(type(e, editfield::BirthDate, "").text, "? ??? ????");
  // "?" as the date of death: deceased, date unknown.
  EXPECT_EQ(type(e, editfield::DeathDate, "?").text, "? ??? ????");
  EXPECT_EQ(type(e, editfield::DeathDate, "").text, "");
  EXPECT_EQ(e.record().DeathDate, "");
  // A bare year cannot be taken apart: kept as typed, in the box and the record.
  EXPECT_EQ(type(e, editfield::BurialDate, " 1950 ").text, "1950");
  EXPECT_EQ(e.record().InterDate, "1950");
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(PersonEditorFlow, FutureDateKeepsTheFocusAndBlocksOk) {
  const auto before = test::snapshot(s);
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  LeaveResult r = type(e, editfield::BirthDate, "1 Jan 2030");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.text, "1 Jan 2030");
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  // OK from another box goes back to the refused date without another box.
  EditorResult ok = e.Ok(editfield::Phone, "555", "Hill");
  EXPECT_FALSE(ok.close);
  EXPECT_EQ(ok.focus, editfield::BirthDate);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(test::snapshot(s), before);
  // Corrected, it saves.
  EXPECT_TRUE(type(e, editfield::BirthDate, "1 Jan 2000").ok);
  EXPECT_TRUE(e.Ok(-1, "", "Hill").saved);
  EXPECT_EQ(stored(ann, &PersonRecord::BirthDate), "1 Jan 2000");
}

TEST_F(PersonEditorFlow, DatesOutOfOrderAreShownAndNotSaved) {
  const auto before = test::snapshot(s);
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_TRUE(type(e, editfield::DeathDate, "1 Jan 1900").ok);
  EXPECT_TRUE(type(e, editfield::BirthDate, "2 Jan 1900").ok);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  // OK with the focus in the birth box: one box, not two.
  EditorResult r = e.Ok(editfield::BirthDate, "2 Jan 1900", "Hill");
  EXPECT_FALSE(r.close);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  // OK from elsewhere shows it again.
  r = e.Ok(-1, "", "Hill");
  EXPECT_FALSE(r.close);
  EXPECT_EQ(t.prompter.shown.size(), 3u);
  EXPECT_EQ(last_box().title, "Date Error");
  EXPECT_EQ(test::snapshot(s), before);
  type(e, editfield::DeathDate, "? ??? ????");
  EXPECT_TRUE(e.Ok(-1, "", "Hill").saved);
}

TEST_F(PersonEditorFlow, BaptisedNoEmptiesTheBaptismFields) {
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  type(e, editfield::Baptised, "y");
  type(e, editfield::BaptismDate, "3 Mar 1950");
  type(e, editfield::BaptismPlace, "Leeds");
  EXPECT_EQ(e.BoxText(editfield::Baptised), "Yes");
  LeaveResult r = type(e, editfield::Baptised, "n");
  EXPECT_EQ(r.text, "No");
  EXPECT_TRUE(r.refresh);
  EXPECT_EQ(e.BoxText(editfield::BaptismDate), "");
  EXPECT_EQ(e.BoxText(editfield::BaptismPlace), "");
  // While the answer is No the two boxes take nothing, not even a bad date.
  EXPECT_TRUE(type(e, editfield::BaptismDate, "1 Jan 2099").ok);
  type(e, editfield::BaptismPlace, "York");
  EXPECT_EQ(e.record().DOBap, "");
  EXPECT_EQ(e.record().Baptisplace, "");
  ASSERT_TRUE(e.Ok(-1, "", "Hill").saved);
  EXPECT_EQ(stored(ann, &PersonRecord::Baptised), "No");
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(PersonEditorFlow, NotesAndSexAreStored) {
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(bob));
  const std::string notes = "First line\r\nSecond line that is long enough to need two pieces";
  type(e, editfield::Notes, notes);
  EXPECT_EQ(type(e, editfield::Sex, "f").text, "Female");
  EXPECT_EQ(e.CycleSex(), "Not Set");
  EXPECT_EQ(e.CycleSex(), "Male");
  ASSERT_TRUE(e.Ok(-1, "", "Hill").saved);
  PersonRecord p = b.read(bob);
  EXPECT_EQ(p.Sex, "M");
  EXPECT_EQ(cp1252::trim(ReadNotes(p.NotesRec, s.work(recfile::Notes))), notes);
  // Reopened, the notes box shows them; changed again, the chain is rewritten.
  ASSERT_TRUE(e.OpenPerson(bob));
  EXPECT_EQ(e.notes(), notes);
  type(e, editfield::Notes, "Short");
  ASSERT_TRUE(e.Ok(-1, "", "Hill").saved);
  EXPECT_EQ(cp1252::trim(ReadNotes(b.read(bob).NotesRec, s.work(recfile::Notes))), "Short");
}

TEST_F(PersonEditorFlow, NewParentNeedsAFamilyName) {
  start_add(&RelationState::AsFather, b.person("Kim", "Ray", "F"));
  const auto before = test::snapshot(s);
  PersonEditor e(s);
  e.OpenNew();
  type(e, editfield::GivenNames, "Lou");
  EditorResult r = e.Ok(editfield::FamName, "   ", "   ");
  EXPECT_FALSE(r.close);
  EXPECT_EQ(r.focus, editfield::FamName);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(last_box().title, "Add a father");
  EXPECT_EQ(last_box().text,
            "You must enter a Family Name for the father of Kim Ray before proceeding.\r\n"
            "If you don't know the name, enter a '?' or 'Unknown'");
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_TRUE(s.Rel.AsFather);  // the operation is still going on
}

TEST_F(PersonEditorFlow, NewSiblingIsSavedAndLinked) {
  const int persons = s.Config.NumPersons();
  start_add(&RelationState::AsSibling, ann);
  s.Rel.InsertPosition = 1;
  PersonEditor e(s);
  e.OpenNew();
  EXPECT_EQ(e.BoxText(editfield::FamName), "Hill");
  type(e, editfield::GivenNames, "cy");
  EditorResult r = e.Ok(-1, "", "Hill");
  ASSERT_TRUE(r.saved);
  EXPECT_EQ(r.person, persons + 1);
  EXPECT_EQ(r.link.step, LinkStep::Done);
  EXPECT_EQ(s.UndoText, "Undo addition of sibling Cy Hill");
  EXPECT_EQ(s.Marriages[static_cast<std::size_t>(fam)].Kids[1], r.person);
  // The stored record: its own number, unknown birth date.
  PersonRecord p = b.read(r.person);
  EXPECT_EQ(p.PerNum, r.person);
  EXPECT_EQ(cp1252::trim(p.BirthDate), "? ??? ????");
}

TEST_F(PersonEditorFlow, UnchangedOkWritesNothingAndCancelAsksOnlyWhenDataChanged) {
  const auto before = test::snapshot(s);
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EditorResult r = e.Ok(editfield::GivenNames, "something else", "Hill");
  EXPECT_TRUE(r.close);
  EXPECT_FALSE(r.saved || s.UndoAvailable);
  EXPECT_EQ(test::snapshot(s), before);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_TRUE(e.Cancel());
  EXPECT_TRUE(t.prompter.shown.empty());

  ASSERT_TRUE(e.OpenPerson(ann));
  type(e, editfield::Phone, "123");
  t.prompter.answers = {kAnswerNo, kAnswerYes};
  EXPECT_FALSE(e.Cancel());
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(last_box().title, "Data Changed Warning");
  EXPECT_EQ(last_box().text, "Data has been changed or added. Do you still wish to Cancel this operation?");
  EXPECT_EQ(last_box().default_button, 1);
  EXPECT_TRUE(e.Cancel());
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(PersonEditorFlow, CancelOfTheSecondParentOffersToTakeBackTheFirst) {
  // Father first and Yes: he goes; mother first and No: she stays.
  for (bool father_first : {true, false}) {
    SCOPED_TRACE(father_first);
    t.prompter.shown.clear();
    auto kim = b.person("Kim", "Ray", "F");
    start_add(father_first ? &RelationState::AsFather : &RelationState::AsMother, kim);
    PersonEditor e(s);
    e.OpenNew();
    type(e, editfield::FamName, "Ray");
    EditorResult r = e.Ok(editfield::GivenNames, "Lou", "Ray");
    ASSERT_EQ(r.link.step, LinkStep::AskOtherParent);
    const std::int16_t lou = r.person;

    // The other parent is known: the editor opens for them, and is cancelled.
    PersonEditor other(s);
    other.OpenNew();
    EXPECT_EQ(other.BoxText(editfield::Sex), father_first ? "Female" : "Male");
    t.prompter.answers = {father_first ? kAnswerYes : kAnswerNo};
    EXPECT_TRUE(other.Cancel());
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_EQ(last_box().title, "Add Parents Cancelled");
    EXPECT_EQ(last_box().text,
              "You have Added Lou Ray to the records. Do you wish to delete this person from the records?");
    EXPECT_EQ(b.read(lou).Deleted, father_first ? -1 : 0);
    EXPECT_EQ(father_first ? FatherOf(s, kim) : MotherOf(s, kim), father_first ? 0 : lou);
    EXPECT_FALSE(s.Rel.AddMode || s.Rel.AsMother || s.Rel.AsFather);
  }
}

TEST_F(PersonEditorFlow, CancelTakesBackAnUnknownPartnerMadeForAChild) {
  auto max = b.person("Max", "Cole", "M");
  start_add(&RelationState::AsChild, max);
  const std::int16_t unknown = CreateUnknownPerson(s, 'F');  // "the mother is not known"
  ASSERT_GE(unknown, 1);
  s.Rel.AsPartner = false;
  s.Rel.AsChild = true;
  SelectPersonForRelations(s, max);
  ASSERT_EQ(b.read(max).NumPartners, 1);

  PersonEditor e(s);
  e.OpenNew();
  t.prompter.answers = {kAnswerYes, kAnswerYes};
  EXPECT_TRUE(e.Cancel());
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[0].title, "Add a Child");
  EXPECT_EQ(t.prompter.shown[0].text,
            "You have added Unknown as a partner to Max Cole\r\nDo you wish to disconnect Unknown as a Partner to Max Cole?");
  EXPECT_EQ(t.prompter.shown[1].title, "Delete a Person");
  EXPECT_EQ(t.prompter.shown[1].text, "Do you wish to delete Unknown PERMANENTLY from the family records?");
  EXPECT_EQ(b.read(max).NumPartners, 0);
  EXPECT_EQ(b.read(unknown).Deleted, -1);
  EXPECT_EQ(FamilyBetween(s, max, unknown), 0);
}

TEST_F(PersonEditorFlow, CancelDoesNotOfferAnOlderUnknownWithChildren) {
  auto unknown = b.person("", "Unknown", "F");
  auto m = b.family(tom, unknown);
  b.child(m, "Kid", "Hill", "M");
  s.LastAdded = unknown;
  start_add(&RelationState::AsChild, tom);
  PersonEditor e(s);
  e.OpenNew();
  EXPECT_TRUE(e.Cancel());
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(PersonEditorFlow, BackAndForwardWrapAndSkipDeletedAndBadNumbersAreRefused) {
  auto gone = b.person("Gone", "Away", "M");  // person 5
  PersonRecord g = b.read(gone);
  g.Deleted = -1;
  b.write(g);
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(tom));
  EXPECT_TRUE(e.AtFirst());
  EXPECT_FALSE(e.AtLast());
  EXPECT_EQ(e.StepTarget(false), bob);  // Back on person 1: the last living one
  EXPECT_EQ(e.StepTarget(true), sue);
  ASSERT_TRUE(e.Show(bob));
  EXPECT_TRUE(e.AtLast());  // person 5 is deleted
  EXPECT_EQ(e.StepTarget(true), tom);
  EXPECT_EQ(s.Rel.Selected.PerNum, bob);
  EXPECT_EQ(s.Config.LastPerson(), bob);
  EXPECT_FALSE(e.Show(gone));  // deleted persons are never shown
  EXPECT_EQ(e.number(), bob);
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_FALSE(e.OpenPerson(0));
  EXPECT_FALSE(e.OpenPerson(999));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(last_box().text, "The record of person 999 cannot be read.");
}

TEST_F(PersonEditorFlow, LeavingAChangedRecordAsksToSave) {
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  int focus = 0;
  EXPECT_TRUE(e.LeaveRecord(-1, "", focus));  // unchanged: no question
  EXPECT_TRUE(t.prompter.shown.empty());

  type(e, editfield::Phone, "111");
  t.prompter.answers = {kAnswerNo};
  EXPECT_TRUE(e.LeaveRecord(-1, "", focus));
  EXPECT_EQ(last_box().title, "Data Changed Warning");
  EXPECT_EQ(last_box().text, "Data has been changed or added. Do you wish to save this data?");
  EXPECT_EQ(stored(ann, &PersonRecord::Phone), "");

  ASSERT_TRUE(e.OpenPerson(ann));
  type(e, editfield::Phone, "222");
  t.prompter.answers = {kAnswerYes};
  EXPECT_TRUE(e.LeaveRecord(editfield::Source, "parish book", focus));
  EXPECT_EQ(stored(ann, &PersonRecord::Phone), "222");
  EXPECT_EQ(stored(ann, &PersonRecord::Source), "parish book");

  // Yes with a refused date keeps the editor on the person.
  ASSERT_TRUE(e.OpenPerson(ann));
  type(e, editfield::DeathDate, "1 Jan 2090");
  t.prompter.answers = {kAnswerYes};
  EXPECT_FALSE(e.LeaveRecord(-1, "", focus));
  EXPECT_EQ(focus, editfield::DeathDate);
}

TEST_F(PersonEditorFlow, RelativesOfThePersonShown) {
  auto zed = b.person("Zed", "Fox", "M");
  auto m2 = b.family(zed, ann);
  auto kid = b.child(m2, "Kit", "Fox", "M");
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(e.RelativesOf(Relatives::Parents), (std::vector<std::int16_t>{tom, sue}));
  EXPECT_EQ(e.RelativesOf(Relatives::Partners), (std::vector<std::int16_t>{zed}));
  EXPECT_EQ(e.RelativesOf(Relatives::Children), (std::vector<std::int16_t>{kid}));
  EXPECT_EQ(e.RelativesOf(Relatives::Siblings), (std::vector<std::int16_t>{bob}));
  // A deleted sibling is not offered.
  PersonRecord p = b.read(bob);
  p.Deleted = -1;
  b.write(p);
  EXPECT_TRUE(e.RelativesOf(Relatives::Siblings).empty());
  ASSERT_TRUE(e.Show(kid));
  EXPECT_TRUE(e.RelativesOf(Relatives::Children).empty());
}

}  // namespace
