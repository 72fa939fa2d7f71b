// The person editor's per-field rules: capitalisation, sex and baptised
// answers, the six date-order messages, titles and new-person presets.
#include <gtest/gtest.h>

#include <tuple>

#include "edit/person_editor.h"
#include "store/ini.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

class PersonEditorFields : public test::TreeFixture {
 protected:
  std::int16_t tom = 0, sue = 0, ann = 0;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    auto m = b.family(tom, sue);
    ann = b.child(m, "Ann", "Hill", "F");
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
  void start_add(bool RelationState::*flag, std::int16_t selected) {
    b.select(selected);
    s.Rel.AddMode = true;
    s.Rel.*flag = true;
  }
};

TEST_F(PersonEditorFields, AutoCapitaliseChangesOnlyFirstLettersOfWords) {
  EXPECT_EQ(AutoCapitalise("ann-marie van dyke"), "Ann-marie Van Dyke");
  EXPECT_EQ(AutoCapitalise("mcDONALD"), "McDONALD");  // the rest stays as typed
  EXPECT_EQ(AutoCapitalise("a  b"), "A  B");
  EXPECT_EQ(AutoCapitalise("\xE9lise \xFC"), "\xC9lise \xDC");  // CP1252 letters
  EXPECT_EQ(AutoCapitalise(""), "");
  EXPECT_EQ(AutoCapitalise("1st o'neil"), "1st O'neil");
}

TEST_F(PersonEditorFields, SexAnswersAndTheButtonCycle) {
  EXPECT_EQ(SexFromTyped("female"), "F");
  EXPECT_EQ(SexFromTyped("  Male"), "M");
  EXPECT_EQ(SexFromTyped("x"), " ");
  EXPECT_EQ(SexFromTyped(""), " ");
  EXPECT_EQ(SexWord("F"), "Female");
  EXPECT_EQ(SexWord(""), "Not Set");
  // Male -> Female -> Not Set -> Male; an empty value becomes Male.
  EXPECT_EQ(NextSex("M"), "F");
  EXPECT_EQ(NextSex("F"), " ");
  EXPECT_EQ(NextSex(" "), "M");
  EXPECT_EQ(NextSex(""), "M");
}

TEST_F(PersonEditorFields, BaptisedAnswers) {
  EXPECT_EQ(BaptisedFromTyped("y"), "Yes");
  EXPECT_EQ(BaptisedFromTyped("n"), "No");
  EXPECT_EQ(BaptisedFromTyped(" "), "");
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
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "", "", "")), "");
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "4 Jan 1900", "", "")),
            "The birthdate is after the date of death.");
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "", "1 Jan 1900", "")),
            "The birthdate is after the baptised date.");
  EXPECT_EQ(DateOrderMessage(s, dates("5 Jan 1900", "", "", "? ??? 1899")),
            "The birthdate is after the interment date.");
  EXPECT_EQ(DateOrderMessage(s, dates("", "1 Jan 1950", "2 Jan 1950", "")),
            "The baptised is after the date of death.");
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
  const std::pair<bool RelationState::*, const char*> roles[] = {
      {&RelationState::AsChild, "Child"},   {&RelationState::AsPartner, "Partner"},
      {&RelationState::AsSibling, "Sibling"}, {&RelationState::AsMother, "Mother"},
      {&RelationState::AsFather, "Father"}};
  for (auto [flag, word] : roles) {
    ResetRelationState(s.Rel);
    start_add(flag, ann);
    EXPECT_EQ(EditTitle(s, false, ""), std::string(" Add a ") + word + " for Ann Hill");
  }
  s.UCaseFamname = true;
  EXPECT_EQ(EditTitle(s, false, ""), " Add a Father for Ann HILL");
  s.Rel.AsFather = false;
  s.Rel.AsUnrelated = true;
  EXPECT_EQ(EditTitle(s, false, ""), " Add an Unrelated Person ");
}

TEST_F(PersonEditorFields, PresetNamesForSiblingAndChildren) {
  start_add(&RelationState::AsSibling, ann);
  PersonRecord p = NewPersonPreset(s);
  EXPECT_EQ(p.FamName, "Hill");
  EXPECT_EQ(p.Sex, " ");
  EXPECT_EQ(p.GivenNames, "");
  const std::pair<std::int16_t, const char*> children[] = {
      {tom, "Hill"},  // child of a man: his family name
      {sue, "Hill"},  // child of a woman: her partner's
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
      {&RelationState::AsMother, ann, "F"},  {&RelationState::AsFather, ann, "M"},
      {&RelationState::AsPartner, ann, "M"}, {&RelationState::AsPartner, tom, "F"},
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
  EXPECT_TRUE(e.data_changed());
  EXPECT_EQ(e.AutoCapCaption(), "Auto Cap is Off");
  EXPECT_EQ(e.AutoCapHint(true),
            "Uncheck Auto Cap to temporarily switch on the first letter auto-capitalization of names");
  EXPECT_EQ(e.LeaveField(editfield::GivenNames, " ann-marie van dyke ").text, "ann-marie van dyke");
  e.SetAutoCap(true);
  EXPECT_EQ(e.record().AutoCap, 0);
  EXPECT_EQ(e.AutoCapHint(false),
            "Uncheck Auto Cap to switch off the first letter auto-capitalization of names for this person");
  EXPECT_EQ(e.LeaveField(editfield::GivenNames, "ann-marie van dyke").text, "Ann-marie Van Dyke");
  EXPECT_EQ(e.record().GivenNames, "Ann-marie Van Dyke");

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
