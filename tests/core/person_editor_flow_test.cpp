// The person editor: its per-field rules (capitalisation, sex and baptised
// answers, the date-order messages, titles and new-person presets), and its
// commands on real record files: leaving boxes, OK for existing and new
// persons, Cancel with its questions and take-backs, and browsing with Back,
// Forward and the relatives buttons.
#include <gtest/gtest.h>

#include <tuple>

#include "common/cp1252.h"
#include "edit/person_editor.h"
#include "relations/family_ops.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/ini.h"
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
  PersonRecord dates(const std::string& birth, const std::string& death, const std::string& bap,
                     const std::string& burial) {
    PersonRecord p = blank_person();
    p.BirthDate = birth;
    p.DeathDate = death;
    p.DOBap = bap;
    p.InterDate = burial;
    return p;
  }
};
using PersonEditorFields = PersonEditorFlow;

TEST_F(PersonEditorFlow, EditSavesTheRecordWithAnUndoPoint) {
  PersonRecord stored_ann = b.read(ann);
  stored_ann.BirthDate = "";
  b.write(stored_ann);
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  type(e, editfield::Occupation, "  weaver  ");
  EditorResult r = e.Ok(editfield::GivenNames, "ann marie", "Hill");
  EXPECT_TRUE(r.close && r.saved);
  EXPECT_EQ(stored(ann, &PersonRecord::Occupation), "weaver");
  EXPECT_EQ(stored(ann, &PersonRecord::GivenNames), "Ann Marie");  // the focused box was checked too
  EXPECT_EQ(stored(ann, &PersonRecord::BirthDate), "? ??? ????");  // an empty birth date
  EXPECT_TRUE(s.UndoAvailable);
  EXPECT_EQ(s.UndoText, "Undo editing of Ann Marie Hill");
}

TEST_F(PersonEditorFlow, DatesAreCheckedWhenTheBoxIsLeft) {
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(type(e, editfield::BirthDate, "5/1/1950").text, "5 Jan 1950");
  EXPECT_EQ(e.Age(), " 76");
  EXPECT_EQ(type(e, editfield::BirthDate, "").text, "? ??? ????");
  EXPECT_EQ(type(e, editfield::DeathDate, "").text, "");
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
  type(e, editfield::GivenNames, "cy");
  EditorResult r = e.Ok(-1, "", "Hill");
  ASSERT_TRUE(r.saved);
  EXPECT_EQ(r.person, persons + 1);
  EXPECT_EQ(s.UndoText, "Undo addition of sibling Cy Hill");
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

  PersonEditor e(s);
  e.OpenNew();
  t.prompter.answers = {kAnswerYes, kAnswerYes};
  EXPECT_TRUE(e.Cancel());
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[0].title, "Add a Child");
  EXPECT_EQ(
      t.prompter.shown[0].text,
      "You have added Unknown as a partner to Max Cole\r\nDo you wish to disconnect Unknown as a Partner to Max Cole?");
  EXPECT_EQ(t.prompter.shown[1].title, "Delete a Person");
  EXPECT_EQ(t.prompter.shown[1].text, "Do you wish to delete Unknown PERMANENTLY from the family records?");
  EXPECT_EQ(b.read(max).NumPartners, 0);
  EXPECT_EQ(b.read(unknown).Deleted, -1);
}

TEST_F(PersonEditorFlow, CancelDoesNotOfferAnOlderUnknownWithChildren) {
  auto unknown = b.person("", "Unknown", "F");
  auto m = b.family(tom, unknown);
  b.child(m, "Kid", "Hill", "M");
  s.Editing.LastAdded = unknown;
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
  EXPECT_EQ(e.StepTarget(false), bob);  // Back on person 1: the last living one
  EXPECT_EQ(e.StepTarget(true), sue);
  ASSERT_TRUE(e.Show(bob));
  EXPECT_TRUE(e.AtLast());  // person 5 is deleted
  EXPECT_EQ(e.StepTarget(true), tom);
  EXPECT_EQ(s.Config.LastPerson(), bob);
  EXPECT_FALSE(e.Show(gone));  // deleted persons are never shown
  EXPECT_EQ(e.number(), bob);
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
}

TEST_F(PersonEditorFields, AutoCapitaliseChangesOnlyFirstLettersOfWords) {
  // A hyphen starts no word: "ann-marie van dyke" is checked through the editor below.
  EXPECT_EQ(AutoCapitalise("mcDONALD"), "McDONALD");            // the rest stays as typed
  EXPECT_EQ(AutoCapitalise("\xE9lise \xFC"), "\xC9lise \xDC");  // CP1252 letters
}

TEST_F(PersonEditorFields, SexAnswersAndTheButtonCycle) {
  EXPECT_EQ(SexFromTyped("female"), "F");
  EXPECT_EQ(SexFromTyped("  Male"), "M");
  EXPECT_EQ(SexFromTyped("x"), " ");
  // Male -> Female; the editor's button walks on to Not Set and Male.
  EXPECT_EQ(NextSex("M"), "F");
}

TEST_F(PersonEditorFields, BaptisedAnswers) {
  EXPECT_EQ(BaptisedFromTyped("y"), "Yes");  // "n" is answered in the editor's own check
  EXPECT_EQ(BaptisedFromTyped("maybe"), "");
}

TEST_F(PersonEditorFields, FieldValuesAreCutToTheFieldWidth) {
  EXPECT_EQ(EditField(99).width, 0u);  // out of range: the notes entry, never a crash

  PersonRecord p = blank_person();
  SetFieldValue(p, editfield::Phone, "  " + std::string(60, '7') + "  ");
  EXPECT_EQ(p.Phone, std::string(48, '7'));  // cut to the field's width
  SetFieldValue(p, editfield::Notes, "ignored");
  EXPECT_EQ(FieldValue(p, editfield::Notes), "");
}

TEST_F(PersonEditorFields, DateOrderMessagesInTheirOrder) {
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "4 Jan 1900", "", "")),
            "The birthdate is after the date of death.");
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "", "1 Jan 1900", "")),
            "The birthdate is after the baptised date.");
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "", "", "? ??? 1899")),
            "The birthdate is after the interment date.");
  EXPECT_EQ(DateOrderMessage(s, dates("", "1 Jan 1950", "2 Jan 1950", "")), "The baptised is after the date of death.");
  EXPECT_EQ(DateOrderMessage(s, dates("", "", "2 Jan 1950", "1 Jan 1950")),
            "The baptised date is after the interment date.");
  EXPECT_EQ(DateOrderMessage(s, dates("", "2 Jan 1950", "", "1 Jan 1950")),
            "The date of death is after the interment date.");
  // Several wrong at once: the first test of the table wins.
  EXPECT_EQ(DateOrderMessage(s, dates("1 Jan 1990", "1 Jan 1950", "1 Jan 1980", "1 Jan 1940")),
            "The birthdate is after the date of death.");
  // Unknown dates are always in order.
  EXPECT_EQ(DateOrderMessage(s, dates("? ??? ????", "1 Jan 1800", "? ??? ????", "12 ??? ????")), "");
}

TEST_F(PersonEditorFields, DateOrderUsesTheBaptismLabelAndShowsABox) {
  s.Messages.apply_field_labels("Family Name", "Given Names", "Christened");
  PersonRecord p = dates("5 Jan 1900", "", "1 Jan 1900", "");
  EXPECT_FALSE(CheckDateOrder(s, p));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Date Error");
  EXPECT_EQ(t.prompter.shown[0].text, "The birthdate is after the christened date.");
  EXPECT_TRUE(CheckDateOrder(s, dates("1 Jan 1900", "", "", "")));
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(EditFieldLabel(s, editfield::Baptised), "Christened");
}

TEST_F(PersonEditorFields, TitlesPerRelation) {
  EXPECT_EQ(EditTitle(s, true, "Ann Hill"), " Edit the Record of Ann Hill");
  EXPECT_EQ(EditTitle(s, false, ""), " Add an Unrelated Person ");
  const std::pair<bool RelationState::*, const char*> roles[] = {{&RelationState::AsChild, "Child"},
                                                                 {&RelationState::AsPartner, "Partner"},
                                                                 {&RelationState::AsSibling, "Sibling"},
                                                                 {&RelationState::AsMother, "Mother"},
                                                                 {&RelationState::AsFather, "Father"}};
  for (auto [flag, word] : roles) {
    ResetRelationState(s.Rel);
    start_add(flag, ann);
    EXPECT_EQ(EditTitle(s, false, ""), std::string(" Add a ") + word + " for Ann Hill");
  }
  s.Rel.AsFather = false;
  s.Rel.AsUnrelated = true;
  EXPECT_EQ(EditTitle(s, false, ""), " Add an Unrelated Person ");
}

TEST_F(PersonEditorFields, PresetNamesForSiblingAndChildren) {
  start_add(&RelationState::AsSibling, ann);
  EXPECT_EQ(NewPersonPreset(s).FamName, "Hill");
  const std::pair<std::int16_t, const char*> children[] = {
      {sue, "Hill"},                      // child of a woman: her partner's
      {b.person("Jo", "Lane", "F"), ""},  // a woman without a partner: none
  };
  for (auto [parent, name] : children) {
    ResetRelationState(s.Rel);
    start_add(&RelationState::AsChild, parent);
    EXPECT_EQ(NewPersonPreset(s).FamName, name) << parent;
  }
  start_add(&RelationState::AsChild, sue);
  s.UCaseFamname = true;
  EXPECT_EQ(NewPersonPreset(s).FamName, "HILL");
}

TEST_F(PersonEditorFields, PresetSexPerRelation) {
  const std::tuple<bool RelationState::*, std::int16_t, const char*> cases[] = {
      {&RelationState::AsMother, ann, "F"},
      {&RelationState::AsFather, ann, "M"},
      {&RelationState::AsPartner, ann, "M"},
      {&RelationState::AsPartner, tom, "F"},
      {&RelationState::AsUnrelated, tom, " "}};
  for (auto [flag, selected, sex] : cases) {
    ResetRelationState(s.Rel);
    start_add(flag, selected);
    EXPECT_EQ(NewPersonPreset(s).Sex, sex) << selected;
    EXPECT_EQ(NewPersonPreset(s).FamName, "");  // a parent's or partner's name is not guessed
  }
}

TEST_F(PersonEditorFields, AutoCapStatesFromOptionsAndPerson) {
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(e.autocap(), AutoCapView::On);
  EXPECT_EQ(e.AutoCapCaption(), "Auto Cap is On");

  e.SetAutoCap(false);
  EXPECT_EQ(e.record().AutoCap, 1);
  EXPECT_EQ(e.AutoCapCaption(), "Auto Cap is Off");
  EXPECT_EQ(e.AutoCapHint(true),
            "Uncheck Auto Cap to temporarily switch on the first letter auto-capitalization of names");
  EXPECT_EQ(e.LeaveField(editfield::GivenNames, " ann-marie van dyke ").text, "ann-marie van dyke");
  e.SetAutoCap(true);
  EXPECT_EQ(e.record().AutoCap, 0);
  EXPECT_EQ(e.LeaveField(editfield::GivenNames, "ann-marie van dyke").text, "Ann-marie Van Dyke");

  // A person stored with AutoCap 1 opens unchecked.
  PersonRecord p = b.read(tom);
  p.AutoCap = 1;
  b.write(p);
  ASSERT_TRUE(e.OpenPerson(tom));
  EXPECT_EQ(e.autocap(), AutoCapView::Off);

  // Switched off in the options: hidden, and nothing is capitalised.
  IniWrite(s, "Configure", "AutoCapFirstChar", "1");
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(e.autocap(), AutoCapView::OptionsOff);
  EXPECT_EQ(e.AutoCapCaption(), "Click on the 'Options' button to enable Auto-capitalization of names");
  e.Changed();
  EXPECT_EQ(e.LeaveField(editfield::FamName, "van dyke").text, "van dyke");
  e.SetAutoCap(true);  // a click on a hidden box cannot switch it on
  EXPECT_EQ(e.autocap(), AutoCapView::OptionsOff);

  // butConfigure after the options switched it on again.
  IniWrite(s, "Configure", "AutoCapFirstChar", "0");
  e.ReloadAutoCapSetting();
  EXPECT_EQ(e.autocap(), AutoCapView::On);
}

TEST_F(PersonEditorFields, FamilyNameInCapitalsWhenTheOptionIsOn) {
  s.UCaseFamname = true;
  PersonEditor e(s);
  ASSERT_TRUE(e.OpenPerson(ann));
  EXPECT_EQ(e.BoxText(editfield::FamName), "HILL");
  EXPECT_EQ(e.record().FamName.substr(0, 4), "Hill");  // untouched until the box is left
  e.Changed();
  EXPECT_EQ(e.LeaveField(editfield::FamName, "m\xFCller").text, "M\xDCLLER");
  EXPECT_EQ(e.record().FamName, "M\xDCLLER");
}

}  // namespace
