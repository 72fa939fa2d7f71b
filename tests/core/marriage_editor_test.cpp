// The marriage editor without its window: loading per mode, the two check
// boxes, the date check against both partners, OK per mode with the records
// it leaves, and every Cancel path with its questions.
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "edit/marriage_editor.h"
#include "relations/add_person.h"
#include "relations/connect.h"
#include "relations/family_ops.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;
const std::string kCrLf = "\r\n";

class MarriageEditorTest : public test::TreeFixture {
 protected:
  std::vector<Message>& shown = t.prompter.shown;

  void answer(std::initializer_list<int> a) { t.prompter.answers.assign(a.begin(), a.end()); }
  void dates(std::int16_t p, const std::string& birth, const std::string& death) {
    PersonRecord r = b.read(p);
    r.BirthDate = birth;
    r.DeathDate = death;
    b.write(r);
  }
  // A partner on the way to a child also leaves nothing behind.
  void expect_reset() {
    TreeFixture::expect_reset();
    EXPECT_FALSE(s.Rel.PartnerForChild);
    EXPECT_EQ(s.Rel.PendingChild, 0);
  }
  // What the person editor does before the link step: store the new record.
  std::int16_t save_new(const std::string& given, const std::string& fam_name, const std::string& sex) {
    s.Config.setNumPersons(static_cast<std::int16_t>(s.Config.NumPersons() + 1));
    s.Editing.Person2 = blank_person();
    s.Editing.Person2.GivenNames = given;
    s.Editing.Person2.FamName = fam_name;
    s.Editing.Person2.Sex = sex;
    s.Editing.Person2.BirthDate = "1 Jan 1900";
    EXPECT_TRUE(AddPersonRecord(s, s.Editing.Person2, ""));
    return s.Config.NumPersons();
  }
  // A new partner a of c typed into the person editor, up to the marriage editor.
  std::int16_t new_partner_of(std::int16_t c, const std::string& given, const std::string& sex) {
    b.select(c);
    s.Rel.AddMode = true;
    s.Rel.AsPartner = true;
    std::int16_t a = save_new(given, "Dale", sex);
    EXPECT_EQ(LinkNewPerson(s, a).step, LinkStep::EditPartnership);
    return a;
  }
  // Dan and Mia typed in as new parents of c, one or the other first, up to the
  // marriage editor: {Dan, Mia}.
  std::pair<std::int16_t, std::int16_t> new_parents_of(std::int16_t c, bool father_first) {
    b.select(c);
    s.Rel.AddMode = true;
    (father_first ? s.Rel.AsFather : s.Rel.AsMother) = true;
    auto first = father_first ? save_new("Dan", "Dale", "M") : save_new("Mia", "Dale", "F");
    EXPECT_EQ(LinkNewPerson(s, first).step, LinkStep::AskOtherParent);
    auto second = father_first ? save_new("Mia", "Dale", "F") : save_new("Dan", "Dale", "M");
    EXPECT_EQ(LinkNewPerson(s, second).step, LinkStep::EditParentsMarriage);
    return father_first ? std::pair{first, second} : std::pair{second, first};
  }
};

// ---- loading

TEST_F(MarriageEditorTest, AddingAPartnerStartsEmptyAndTheCheckBoxesExcludeEachOther) {
  auto tom = b.person("Tom", "Hill", "M");
  s.Editing.CerBuf = {"1 Jan 1901", "left over"};
  s.Editing.MarBuf.Divorced = -1;
  auto sue = new_partner_of(tom, "Sue", "F");
  MarriageEditor e(s, MarriageEditMode::AddPartner);
  ASSERT_TRUE(e.Load());
  const MarriageView& v = e.view();
  EXPECT_EQ(v.title, "Add Marriage");
  EXPECT_EQ(v.caption, "Add the Marriage details of Tom Hill and Sue Dale");
  EXPECT_EQ(v.connected_name, "Sue Dale");
  EXPECT_FALSE(v.divorced || v.not_married);
  EXPECT_TRUE(v.date_enabled && v.not_married_enabled && v.divorced_visible);
  EXPECT_EQ(s.Editing.CerBuf, blank_ceremony());
  EXPECT_EQ(s.Editing.MarBuf.Divorced, 0);
  EXPECT_FALSE(e.DataChanged());

  // The check boxes exclude each other and Not Married clears the date.
  EXPECT_EQ(e.LeaveDate("3 3 1925"), "3 Mar 1925");
  e.SetNotMarried(true);
  EXPECT_TRUE(e.DataChanged());
  EXPECT_EQ(e.view().date, "");
  EXPECT_FALSE(e.view().date_enabled || e.view().divorced_visible);
  e.SetNotMarried(false);
  EXPECT_TRUE(e.view().date_enabled && e.view().divorced_visible);
  EXPECT_EQ(e.view().date, "");  // the cleared date does not come back
  e.SetDivorced(true);
  EXPECT_FALSE(e.view().not_married_enabled);
  e.SetNotMarried(true);  // only reachable by a damaged caller: Not Married wins and clears Divorced
  EXPECT_FALSE(e.view().divorced);
  e.SetNotMarried(false);
  e.SetDivorced(true);
  ASSERT_EQ(e.Ok("", ""), MarriageResult::Done);
  const std::int16_t m = FamilyBetween(s, tom, sue);
  ASSERT_GE(m, 1);
  EXPECT_EQ(test::stored_family(s, m).Divorced, -1);
  EXPECT_EQ(test::stored_family(s, m).NotMarried, 0);
}

TEST_F(MarriageEditorTest, EditingReadsAndWritesTheDisplayedFamilyOnly) {
  auto tom = b.person("Tom", "Hill", "M");
  auto ann = b.person("Ann", "Gray", "F");
  auto sue = b.person("Sue", "Dale", "F");
  auto m1 = b.family(tom, ann, "2 Feb 1920", "Leeds");
  auto m2 = b.family(tom, sue, "3 Mar 1925", "St Mary's");
  fam(m2).NotMarried = -1;
  b.write_family(m2);
  b.select(tom);
  s.Rel.DisplayedPartner = 1;
  const auto other = test::stored_ceremony(s, m1);
  MarriageEditor e(s, MarriageEditMode::Edit);
  ASSERT_TRUE(e.Load());
  const MarriageView& v = e.view();
  EXPECT_EQ(v.title, "Edit Marriage");
  EXPECT_EQ(v.caption, "Edit the marriage of Tom Hill and Sue Dale");
  EXPECT_EQ(v.date, "3 Mar 1925");
  EXPECT_EQ(v.place, "St Mary's");
  EXPECT_TRUE(v.not_married && v.not_married_enabled);
  EXPECT_FALSE(v.divorced || v.divorced_visible || v.date_enabled);

  // OK writes the flags and the ceremony at that family only.
  e.SetNotMarried(false);
  e.SetDivorced(true);
  e.TextEdited();
  ASSERT_EQ(e.Ok("4 Apr 1926", "York Minster\r\nNorth aisle"), MarriageResult::Done);
  const MarriageRecord f = test::stored_family(s, m2);
  EXPECT_EQ(f.Divorced, -1);
  EXPECT_EQ(f.NotMarried, 0);
  const CeremonyRecord c = test::stored_ceremony(s, m2);
  EXPECT_EQ(c.MarriedDate, cp1252::fit("4 Apr 1926", width::MarriedDate));
  EXPECT_EQ(cp1252::trim(c.MarriedAt), "York Minster\r\nNorth aisle");
  EXPECT_EQ(test::stored_ceremony(s, m1), other);
  EXPECT_EQ(test::stored_family(s, m1).Divorced, 0);
}

TEST_F(MarriageEditorTest, DamagedFamilyWithBothFlagsLoadsAsDivorcedOnly) {
  auto tom = b.person("Tom", "Hill", "M");
  auto sue = b.person("Sue", "Dale", "F");
  auto m = b.family(tom, sue);
  fam(m).Divorced = -1;
  fam(m).NotMarried = -1;
  b.write_family(m);
  b.select(sue);
  MarriageEditor e(s, MarriageEditMode::Edit);
  ASSERT_TRUE(e.Load());
  EXPECT_EQ(e.view().caption, "Edit the marriage of Sue Dale and Tom Hill");
  EXPECT_TRUE(e.view().divorced);
  EXPECT_FALSE(e.view().not_married);
  EXPECT_EQ(e.Ok("", ""), MarriageResult::Done);
  EXPECT_EQ(test::stored_family(s, m).Divorced, -1);
  EXPECT_EQ(test::stored_family(s, m).NotMarried, 0);
}

TEST_F(MarriageEditorTest, NothingToEditOrAddIsRefusedWithABox) {
  auto tom = b.person("Tom", "Hill", "M");
  b.select(tom);
  MarriageEditor edit(s, MarriageEditMode::Edit);
  EXPECT_FALSE(edit.Load());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Problem");
  EXPECT_EQ(shown[0].text, "Tom Hill has no partner whose marriage could be edited.");

  MarriageEditor parents(s, MarriageEditMode::AddParents);
  EXPECT_FALSE(parents.Load());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "Tom Hill does not have both parents recorded.");

  s.Rel.AddMode = true;
  s.Rel.NewPerson = tom;  // a person cannot partner itself
  MarriageEditor partner(s, MarriageEditMode::AddPartner);
  EXPECT_FALSE(partner.Load());
  EXPECT_EQ(shown.size(), 3u);
  expect_reset();
}

// ---- the date check

TEST_F(MarriageEditorTest, DateOutsideALifeNamesThatPartnerDeathsFirst) {
  auto tom = b.person("Tom", "Hill", "M");
  auto sue = b.person("Sue", "Dale", "F");
  b.family(tom, sue);
  b.select(tom);
  MarriageEditor e(s, MarriageEditMode::Edit);
  ASSERT_TRUE(e.Load());
  const std::string after = "The marriage date is after the date of death of" + kCrLf,
                    before = "The marriage date is before the date of birth of" + kCrLf;
  const struct {
    const char *tom_death, *sue_birth, *sue_death, *date;
    std::string box;  // empty: none
  } cases[] = {
      // After Tom's death and before Sue's birth: the death comes first.
      {"1 Jan 1920", "1 Jan 1930", "", "1 Jan 1925", after + "Tom Hill .. (1 Jan 1920)"},
      {"1 Jan 1920", "1 Jan 1930", "", "? ??? 1915", before + "Sue Dale .. (1 Jan 1930)"},
      {"1 Jan 1920", "1 Jan 1880", "5 May 1910", "6 May 1910", after + "Sue Dale .. (5 May 1910)"},
      {"1 Jan 1920", "1 Jan 1880", "5 May 1910", "1 Jan 1889", before + "Tom Hill .. (1 Jan 1890)"},
      {"1 Jan 1920", "1 Jan 1880", "5 May 1910", "2 Feb 1905", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    dates(tom, "1 Jan 1890", c.tom_death);
    dates(sue, c.sue_birth, c.sue_death);
    shown.clear();
    EXPECT_EQ(e.LeaveDate(c.date), c.date);
    EXPECT_EQ(shown.empty() ? "" : shown[0].text, c.box);
  }
}

TEST_F(MarriageEditorTest, TypedDatesAreNormalisedFutureDatesRefusedWarningsShownOnce) {
  auto tom = b.person("Tom", "Hill", "M");
  auto sue = b.person("Sue", "Dale", "F");
  auto m = b.family(tom, sue, "1 Jan 1950");
  b.select(tom);
  MarriageEditor e(s, MarriageEditMode::Edit);
  ASSERT_TRUE(e.Load());
  const auto files = test::snapshot(s);
  EXPECT_EQ(e.LeaveDate("? ??? 45"), "? ??? 45");
  ASSERT_EQ(shown.size(), 1u);
  // OK with the refused date shows the message again and writes nothing.
  EXPECT_EQ(e.Ok("? ??? 45", "Paris"), MarriageResult::Stay);
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(e.Ok("6 Dec 2026", "Paris"), MarriageResult::Stay);
  EXPECT_EQ(shown.size(), 3u);
  EXPECT_EQ(test::snapshot(s), files);
  EXPECT_EQ(e.Ok("5 Dec 2026", "Paris"), MarriageResult::Done);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedDate), "5 Dec 2026");
  shown.clear();
  {
    // A date warning not yet seen keeps OK in the editor; a second OK keeps the date.
    MarriageEditor again(s, MarriageEditMode::Edit);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.Ok("1 Jan 1890", ""), MarriageResult::Stay);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedDate), "5 Dec 2026");
    EXPECT_EQ(again.Ok("1 Jan 1890", ""), MarriageResult::Done);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedDate), "1 Jan 1890");
  }
  // Shown when the box was left: OK does not show it again.
  MarriageEditor last(s, MarriageEditMode::Edit);
  ASSERT_TRUE(last.Load());
  last.LeaveDate("2 2 1891");
  EXPECT_EQ(last.Ok("2 Feb 1891", ""), MarriageResult::Done);
  EXPECT_EQ(shown.size(), 2u);
}

// ---- OK per mode

TEST_F(MarriageEditorTest, ParentsAreCheckedAndOkCompletesTheChildsParentFamily) {
  auto cal = b.person("Cal", "Dale", "M");
  const auto [dad, mum] = new_parents_of(cal, false);
  dates(mum, "4 Apr 1904", "");
  MarriageEditor e(s, MarriageEditMode::AddParents);
  ASSERT_TRUE(e.Load());
  EXPECT_EQ(e.view().caption, "Add the Marriage details of Dan Dale and Mia Dale");
  e.LeaveDate("1 Jan 1903");
  EXPECT_EQ(shown.size(), 1u);  // her birth, named in the date check's own test
  e.SetNotMarried(true);
  ASSERT_EQ(e.Ok("", "Met in Hull"), MarriageResult::Done);
  const std::int16_t m = ParentFamilyOf(s, cal);
  EXPECT_EQ(test::stored_family(s, m).NotMarried, -1);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedAt), "Met in Hull");
  expect_reset();
}

TEST_F(MarriageEditorTest, PartnerOnTheWayToAChildHandsOverToTheChild) {
  auto tom = b.person("Tom", "Hill", "M");
  auto sue = new_partner_of(tom, "Sue", "F");
  s.Rel.PartnerForChild = true;
  MarriageEditor e(s, MarriageEditMode::AddPartner);
  ASSERT_TRUE(e.Load());
  ASSERT_EQ(e.Ok("", ""), MarriageResult::AddChild);
  // The person editor stores the child; it joins the couple just made.
  auto kit = save_new("Kit", "Hill", "M");
  EXPECT_EQ(LinkNewPerson(s, kit).step, LinkStep::Done);
  const std::int16_t m = FamilyBetween(s, tom, sue);
  EXPECT_EQ(kids(m), Kids{kit});
  expect_reset();
}

TEST_F(MarriageEditorTest, ConnectingAChildMovesItToTheNewCouple) {
  auto tom = b.person("Tom", "Hill", "M");
  auto kit = b.person("Kit", "Hill", "M");
  b.select(tom);
  // Kit is being connected as Tom's child; the mother was known and typed in.
  s.Rel.ConnectMode = true;
  s.Rel.AsPartner = true;
  s.Rel.PartnerForChild = true;
  s.Rel.PendingChild = kit;
  auto sue = save_new("Sue", "Dale", "F");
  ASSERT_TRUE(NewParentFamily(s, sue));
  s.Rel.NewPerson = sue;
  MarriageEditor e(s, MarriageEditMode::AddPartner);
  ASSERT_TRUE(e.Load());
  ASSERT_EQ(e.Ok("7 Jul 1930", ""), MarriageResult::Done);
  const std::int16_t m = FamilyBetween(s, tom, sue);
  ASSERT_GE(m, 1);
  EXPECT_EQ(kids(m), Kids{kit});
  expect_reset();
}

// ---- Cancel

TEST_F(MarriageEditorTest, EditCancelAsksOnlyAfterAChangeAndNoKeepsTheFiles) {
  auto tom = b.person("Tom", "Hill", "M");
  auto sue = b.person("Sue", "Dale", "F");
  auto m = b.family(tom, sue, "1 Jan 1950", "Hull");
  b.select(tom);
  const auto files = test::snapshot(s);
  {
    MarriageEditor e(s, MarriageEditMode::Edit);
    ASSERT_TRUE(e.Load());
    EXPECT_EQ(e.Cancel("1 Jan 1950", "Hull"), MarriageResult::Cancelled);  // unchanged: no question
  }
  {
    MarriageEditor e(s, MarriageEditMode::Edit);
    ASSERT_TRUE(e.Load());
    e.TextEdited();
    answer({kAnswerNo});
    EXPECT_EQ(e.Cancel("2 Feb 1951", "Goole"), MarriageResult::Cancelled);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Data Changed Warning");
    EXPECT_EQ(test::snapshot(s), files);
  }
  MarriageEditor e(s, MarriageEditMode::Edit);
  ASSERT_TRUE(e.Load());
  e.SetDivorced(true);
  answer({kAnswerYes});
  EXPECT_EQ(e.Cancel("2 Feb 1951", "Goole"), MarriageResult::Done);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedAt), "Goole");
  EXPECT_EQ(test::stored_family(s, m).Divorced, -1);
}

TEST_F(MarriageEditorTest, CancelledPartnerIsDeletedAfterTwoYesElseKeptAsUnrelated) {
  struct Case {
    std::vector<int> answers;
    bool deleted;
  };
  for (const Case& c :
       {Case{{kAnswerYes, kAnswerYes}, true}, Case{{kAnswerNo}, false}, Case{{kAnswerYes, kAnswerNo}, false}}) {
    SCOPED_TRACE(c.answers.size() * 10 + c.deleted);
    shown.clear();
    auto tom = b.person("Tom", "Hill", "M");
    auto sue = new_partner_of(tom, "Sue", "F");
    const int deleted = s.DeletedCount;
    MarriageEditor e(s, MarriageEditMode::AddPartner);
    ASSERT_TRUE(e.Load());
    t.prompter.answers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ(e.Cancel("1 Jan 1950", ""), MarriageResult::Cancelled);
    ASSERT_GE(shown.size(), 1u);
    for (const Message& m : shown) EXPECT_EQ(m.title, "Add Partner Cancelled");
    EXPECT_EQ(shown[0].text, "Do you wish to Delete Sue Dale from the records.");
    if (c.answers.size() == 2) {
      EXPECT_EQ(shown[1].text, "Are you sure you want to Delete Sue Dale from the records?");
    }
    EXPECT_EQ(FamilyBetween(s, tom, sue), 0);
    EXPECT_EQ(partners(tom), 0);
    if (c.deleted) {
      ASSERT_EQ(shown.size(), 2u);
      EXPECT_EQ(b.read(sue).Deleted, -1);
      EXPECT_EQ(s.DeletedCount, deleted + 1);
    } else {
      ASSERT_EQ(shown.size(), c.answers.size() + 1);
      EXPECT_EQ(shown.back().text, "Sue Dale has been added to the records as an 'Unrelated' person.");
      EXPECT_EQ(b.read(sue).Deleted, 0);
      EXPECT_GT(ParentFamilyOf(s, sue), 0);  // in a family of its own
    }
    expect_reset();
  }
}

TEST_F(MarriageEditorTest, CancelWhileConnectingAPartnerOnRecordAsksNothing) {
  auto tom = b.person("Tom", "Hill", "M");
  auto sue = b.person("Sue", "Dale", "F");
  b.select(tom);
  s.Rel.ConnectMode = true;
  s.Rel.AsPartner = true;
  s.Rel.NewPerson = sue;
  const auto files = test::snapshot(s);
  MarriageEditor e(s, MarriageEditMode::AddPartner);
  ASSERT_TRUE(e.Load());
  EXPECT_EQ(e.Cancel("", ""), MarriageResult::Cancelled);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(test::snapshot(s), files);
  expect_reset();
}

TEST_F(MarriageEditorTest, CancelledParentsStayLinkedOrAreDisconnectedOrDeleted) {
  enum class Left { Linked, Disconnected, Deleted };
  struct Case {
    std::vector<int> answers;
    Left left;
  };
  for (const Case& c : {Case{{kAnswerNo}, Left::Linked}, Case{{kAnswerYes, kAnswerNo}, Left::Disconnected},
                        Case{{kAnswerYes, kAnswerYes}, Left::Deleted}}) {
    SCOPED_TRACE(static_cast<int>(c.left));
    shown.clear();
    auto cal = b.person("Cal", "Dale", "M");
    const auto [dad, mum] = new_parents_of(cal, true);
    MarriageEditor e(s, MarriageEditMode::AddParents);
    ASSERT_TRUE(e.Load());
    const auto files = test::snapshot(s);
    const int deleted = s.DeletedCount;
    t.prompter.answers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ(e.Cancel("", ""), MarriageResult::Cancelled);
    ASSERT_EQ(shown.size(), c.answers.size());
    EXPECT_EQ(shown[0].title, "Add Parents");
    EXPECT_EQ(
        shown[0].text,
        "Do you wish to delete the marriage of Dan Dale and Mia Dale and disconnect them as parents from Cal Dale");
    const std::int16_t m = ParentFamilyOf(s, cal);
    switch (c.left) {
      case Left::Linked: EXPECT_EQ(test::snapshot(s), files); break;
      case Left::Disconnected:
        EXPECT_EQ(shown[1].text,
                  "You have deleted the marriage of Dan Dale and Mia Dale and disconnected as parents from Cal Dale\r\n"
                  "Do you wish to delete them from the records?");
        EXPECT_EQ(test::stored_family(s, m).Husband, 0);
        EXPECT_EQ(kids(m), Kids{cal});
        EXPECT_EQ(partners(dad), 0);
        EXPECT_EQ(b.read(dad).Deleted, 0);
        break;
      case Left::Deleted:
        EXPECT_EQ(b.read(dad).Deleted, -1);
        EXPECT_EQ(b.read(mum).Deleted, -1);
        EXPECT_EQ(s.DeletedCount, deleted + 2);
        EXPECT_FALSE(HasParents(s, cal));
        break;
    }
    expect_reset();
  }
}

// ---- texts

TEST(MarriageEditorTexts, PlaceIsCutToTheRecordWithoutSplittingALineBreak) {
  EXPECT_EQ(FitMarriedAt(std::string(200, 'a')), std::string(200, 'a'));
  EXPECT_EQ(FitMarriedAt(std::string(260, 'b')), std::string(200, 'b'));
  const std::string straddle = std::string(199, 'c') + "\r\nmore";
  EXPECT_EQ(FitMarriedAt(straddle), std::string(199, 'c'));
  const std::string whole = std::string(198, 'd') + "\r\nmore";
  EXPECT_EQ(FitMarriedAt(whole), std::string(198, 'd') + "\r\n");
}

TEST(MarriageEditorTexts, PlaceLineEndsAreCrLfInTheRecordAndLineFeedsInTheBox) {
  EXPECT_EQ(PlaceFromBox("St Mary's\nWhitby\n"), "St Mary's\r\nWhitby\r\n");
  EXPECT_EQ(PlaceFromBox("a\r\nb\rc"), "a\r\nb\r\nc");
  EXPECT_EQ(PlaceForBox("a\r\nb\rc\nd"), "a\nb\nc\nd");
}

}  // namespace
