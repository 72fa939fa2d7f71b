#include <gtest/gtest.h>

#include "mainwin/find_person.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

const std::string kHigher = "The Person Number 9 is higher than the number of people stored in the records.";
const std::string kDeleted = "The Person Number 2 has been deleted from the records. Please select another.";

class FindPersonTest : public test::TreeFixture {
 protected:
  std::int16_t john = 0, mary = 0, jim = 0, ann = 0;

  void SetUp() override {
    john = b.person("John", "Smith", "M");
    mary = b.person("Mary", "Smith", "F");
    jim = b.person("Jim", "Small", "M");
    ann = b.person("Ann", "Baker", "F");
    b.select(ann);
    s.Config.setLastPerson(ann);
  }
  void delete_person(std::int16_t n) {
    PersonRecord p = b.read(n);
    p.Deleted = -1;
    b.write(p);
  }
};

TEST(TypedNumber, DigitsOnlyAndOneOrMore) {
  EXPECT_EQ(ParseTypedNumber(" 007 ")->value, 7);
  EXPECT_EQ(ParseTypedNumber(" 007 ")->digits, "7");
  for (const char* t : {"", "  ", "0", "000", "-3", "+3", "3a", "1 2", "Smith"}) EXPECT_FALSE(ParseTypedNumber(t)) << t;
  auto huge = ParseTypedNumber("123456789012345678901234567890");
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->digits, "123456789012345678901234567890");
  EXPECT_GT(huge->value, 32767);
}

TEST_F(FindPersonTest, NumberAboveTheCountIsRefused) {
  auto snap = test::snapshot(s);
  FindResult r = FindPerson(s, "", "9");
  EXPECT_EQ(r.step, FindStep::StayOpen);
  EXPECT_EQ(r.pick.step, PickStep::Refused);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(last_box().title, "Problem");
  EXPECT_EQ(last_box().text, kHigher);
  EXPECT_EQ(s.Config.LastPerson(), ann);
  EXPECT_EQ(test::snapshot(s), snap);
  // A number far beyond any record is repeated as typed, not wrapped.
  FindPerson(s, "", "4294967297");
  EXPECT_EQ(t.prompter.shown.back().text,
            "The Person Number 4294967297 is higher than the number of people stored in the records.");
  // Selecting by number: none below 1, and a count above the records the file holds is no person either.
  EXPECT_EQ(SelectPerson(s, 0).step, PickStep::None);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  s.Config.setNumPersons(9);
  EXPECT_EQ(SelectPerson(s, 9).step, PickStep::Refused);
  EXPECT_EQ(t.prompter.shown.back().text, kHigher);
}

TEST_F(FindPersonTest, DeletedNumberIsRefusedNeverSelected) {
  delete_person(mary);
  FindResult r = FindPerson(s, "Whatever", "2");
  EXPECT_EQ(r.step, FindStep::StayOpen);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(last_box().text, kDeleted);
  EXPECT_EQ(s.Config.LastPerson(), ann);
}

TEST_F(FindPersonTest, NumberSelectsThePerson) {
  FindResult r = FindPerson(s, "", " 03");
  EXPECT_EQ(r.step, FindStep::Picked);
  EXPECT_EQ(r.pick.step, PickStep::Selected);
  EXPECT_EQ(r.pick.number, jim);
  EXPECT_EQ(s.Config.LastPerson(), jim);
  EXPECT_TRUE(t.prompter.shown.empty());
  // With the edit flag the person editor is to open instead.
  s.View.EditFlag = true;
  r = FindPerson(s, "", "4");  // the highest number
  EXPECT_EQ(r.pick.step, PickStep::Edit);
  EXPECT_EQ(s.Config.LastPerson(), ann);
}

TEST_F(FindPersonTest, ConnectingToThemselfIsRefused) {
  s.Rel.ConnectMode = true;
  s.Rel.AsSibling = true;
  FindResult r = FindPerson(s, "", "4");
  EXPECT_EQ(r.step, FindStep::StayOpen);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(last_box().text, "You tried to connect a person to themself");
  EXPECT_TRUE(s.Rel.ConnectMode);
  // Another number is handed on to the connection, nothing selected.
  r = FindPerson(s, "", "1");
  EXPECT_EQ(r.step, FindStep::Picked);
  EXPECT_EQ(r.pick.step, PickStep::Connect);
  EXPECT_EQ(r.pick.number, john);
  EXPECT_EQ(s.Config.LastPerson(), ann);
}

TEST_F(FindPersonTest, SeveralMatchesOfferTheList) {
  t.prompter.answers = {kAnswerYes};
  FindResult r = FindPerson(s, "", "sm");
  EXPECT_EQ(r.step, FindStep::OpenList);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(last_box().title, "Select Person");
  EXPECT_EQ(last_box().text, "There are 3 persons named sm listed in the records. Do you wish to list them?");
  EXPECT_EQ(s.View.SearchFamName, "sm");

  t.prompter.answers = {kAnswerNo};
  s.View.SearchFamName = "old";
  r = FindPerson(s, "j", "Sm");
  EXPECT_EQ(r.step, FindStep::StayOpen);
  EXPECT_EQ(t.prompter.shown.back().text,
            "There are 2 persons named j Sm listed in the records. Do you wish to list them?");
  EXPECT_EQ(s.View.SearchFamName, "old");
}

TEST_F(FindPersonTest, OneMatchIsSelectedNoneAsksToTryAgain) {
  FindResult r = FindPerson(s, "ma", "SMITH");
  EXPECT_EQ(r.pick.step, PickStep::Selected);
  EXPECT_EQ(r.pick.number, mary);
  EXPECT_EQ(s.Config.LastPerson(), mary);
  EXPECT_TRUE(t.prompter.shown.empty());

  t.prompter.answers = {kAnswerYes, kAnswerNo};
  EXPECT_EQ(FindPerson(s, "Zed", "Smith").step, FindStep::StayOpen);
  EXPECT_EQ(t.prompter.shown.back().title, "Select a Person");
  EXPECT_EQ(t.prompter.shown.back().text, "There is no match for the name Zed Smith In the records. Try again?");
  EXPECT_EQ(FindPerson(s, "", "Qu").step, FindStep::Close);
  EXPECT_EQ(t.prompter.shown.back().text, "There is no match for the name Qu In the records. Try again?");
}

TEST_F(FindPersonTest, PreciseSearchFindsOnlyEqualNames) {
  s.View.PreciseSearch = true;
  t.prompter.answers = {kAnswerNo};
  EXPECT_EQ(FindPerson(s, "", "Sm").step, FindStep::Close);
  // Deleted persons are not counted.
  delete_person(john);
  EXPECT_EQ(FindPerson(s, "", "Smith").pick.number, mary);
}

TEST_F(FindPersonTest, ConnectingSkipsTheSelectedPersonAndSameSexPartners) {
  b.select(john);
  s.Rel.ConnectMode = true;
  s.Rel.AsPartner = true;
  // Smith: John is the selected person, Mary the only woman.
  FindResult r = FindPerson(s, "", "Smith");
  EXPECT_EQ(r.pick.step, PickStep::Connect);
  EXPECT_EQ(r.pick.number, mary);
  // Outside ConnectMode the selected person is found like anyone.
  ResetRelationState(s.Rel);
  EXPECT_EQ(FindPerson(s, "John", "").pick.number, john);
}

TEST_F(FindPersonTest, FamNameBoxInCapitalsWithTheOption) {
  EXPECT_EQ(FamNameBoxText(s, "smith"), "smith");
  s.UCaseFamname = true;
  EXPECT_EQ(FamNameBoxText(s, "de vries \xfc"), "DE VRIES \xdc");
  s.View.PreciseSearch = true;
  EXPECT_EQ(FindPerson(s, "", FamNameBoxText(s, "small")).pick.number, jim);
}

TEST_F(FindPersonTest, CaptionsNameTheRoleAndThePerson) {
  EXPECT_EQ(FindCaption(s, "Ann BAKER"), "Select a Person");
  EXPECT_EQ(SelectCaption(s, "Ann BAKER"), "Select Person to Edit or View");
  s.View.EditFlag = true;
  EXPECT_EQ(SelectCaption(s, "Ann BAKER"), "Select Person to Edit");
  s.Rel.ConnectMode = true;
  const std::pair<bool RelationState::*, const char*> roles[] = {{&RelationState::AsFather, "Father"},
                                                                 {&RelationState::AsMother, "Mother"},
                                                                 {&RelationState::AsPartner, "Partner"},
                                                                 {&RelationState::AsSibling, "Sibling"},
                                                                 {&RelationState::AsChild, "Child"}};
  for (auto [flag, word] : roles) {
    s.Rel.*flag = true;
    EXPECT_EQ(FindCaption(s, "Ann BAKER"), std::string("Select a person to Connect to Ann BAKER as a ") + word);
    EXPECT_EQ(SelectCaption(s, "Ann BAKER"), std::string("Ann BAKER Select a ") + word + " to Connect to");
    s.Rel.*flag = false;
  }
}

}  // namespace
