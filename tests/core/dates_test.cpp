#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "date_forms_table.h"
#include "store/date_parse.h"
#include "store/dates.h"
#include "temp_session.h"

using namespace vft;

namespace {

// Runs CheckDate the way a date box does and remembers what reached the box.
struct DateBox : ::testing::Test {
  test::TempSession t;
  Session& s = t.s;
  std::vector<std::pair<int, std::string>> stored;
  std::vector<int> focused;

  bool check(std::string& text, int code = datefield::Birth) {
    return CheckDate(
        s, text, code, [this](int c, const std::string& v) { stored.emplace_back(c, v); },
        [this](int c) { focused.push_back(c); });
  }
  // The stored text, or "<nothing>" when the box was not written.
  std::string typed(const std::string& in, int code = datefield::Birth) {
    stored.clear();
    std::string text = in;
    check(text, code);
    if (stored.empty()) return "<nothing>";
    EXPECT_EQ(stored.size(), 1u);
    EXPECT_EQ(text, stored.back().second);
    return stored.back().second;
  }
};

struct Typed {
  const char* in;
  const char* out;
};

// "Today" is 5 Dec 2026; numeric dates are day first.
const Typed kNormalised[] = {
    {"5/1/1901", "5 Jan 1901"},
    {"  5/1/1901  ", "5 Jan 1901"},
    {"5 Sept 1901", "5 Sep 1901"},
    {"DECEMBER 31 1999", "31 Dec 1999"},
    {"1 Jan 0800", "1 Jan 0800"},
    {"5 Dec 2026", "5 Dec 2026"},
    // partial dates
    {"? mar 1901", "? Mar 1901"},
    {"0 3 1901", "? Mar 1901"},
    {"?", "? ??? ????"},
    {"? ??? 5", "? ??? 2005"},
    {"? ??? 0", "? ??? 2000"},
    {"12 ? ??", "12 ??? ????"},
    {"?? Mar 1901", "? Mar 1901"},
    {"? 12 1901", "? Dec 1901"},
    {"3 1901", "? Mar 1901"},
    // typed shorthand: month numbers, this century's years, "to" between years
    {"abt 05", "ABT 2005"},
    {"ABT 1 1900", "ABT Jan 1900"},
    {"1850 to 1855", "1850-1855"},
    {"1850 - 1855", "1850-1855"},
    // texts that are no date are kept, separators turned into blanks
    {"5 13 1901", "5 13 1901"},
    {"5-foo-1901", "5 foo 1901"},
    {"??????", "??????"},
    {"5 Jan 1901 x", "5 Jan 1901 x"},
    {"xxxxxxxxxxxx", "xxxxxxxxxxxx"},
};

}  // namespace

TEST_F(DateBox, NormalisesTypedDatesToTheStoredForm) {
  for (const Typed& c : kNormalised) EXPECT_EQ(typed(c.in), c.out) << "typed: " << c.in;
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_TRUE(focused.empty());
}

TEST_F(DateBox, MonthFirstReadsNumericDatesTheOtherWay) {
  s.MonthFirst = true;
  EXPECT_EQ(typed("5/1/1901"), "1 May 1901");
  EXPECT_EQ(typed("1/31/1901"), "31 Jan 1901");
  EXPECT_EQ(typed("1901-01-05"), "5 Jan 1901");  // year first is always Y M D
  EXPECT_EQ(typed("Jan 5, 1901"), "5 Jan 1901");
  // No month 13: not a complete date, so it is taken apart as day, month, year.
  EXPECT_EQ(typed("13/1/1901"), "13 Jan 1901");
}

// The front ends read the order from the system's short date pattern.
TEST(DatePattern, MonthFirstWhenTheMonthComesBeforeTheDay) {
  const std::pair<const char*, bool> rows[] = {
      {"M/d/yy", true},      {"dd/MM/yyyy", false}, {"dd.MM.yy", false}, {"yyyy-MM-dd", true},
      {"d MMM yyyy", false}, {"'de' d/M", false},   {"'Md' d/M", false}, {"", false}};
  for (const auto& [pattern, month_first] : rows) EXPECT_EQ(PatternPutsMonthFirst(pattern), month_first) << pattern;
}

TEST_F(DateBox, EmptyBoxStoresUnknownBirthOnly) {
  std::string text;
  EXPECT_TRUE(check(text, datefield::Birth));
  EXPECT_EQ(text, UnknownDate);
  EXPECT_EQ(typed("-"), UnknownDate);  // only separators: as good as empty
  for (int code : {datefield::Death, datefield::Baptism, datefield::Burial, datefield::Marriage})
    EXPECT_EQ(typed("", code), "<nothing>");
  s.Person.DeathDate = "1 Jan 1950";
  std::string empty;
  CheckDate(s, empty, datefield::DeathRecord, {});
  EXPECT_EQ(s.Person.DeathDate, "1 Jan 1950");
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(DateBox, RealWorldFormsAreStoredWholeOrRefused) {
  for (const test::RealDate& c : test::kRealDates) {
    SCOPED_TRACE(c.in);
    t.prompter.shown.clear();
    focused.clear();
    stored.clear();
    std::string text = c.in;
    const bool ok = check(text, datefield::Death);
    if (c.whole) {
      EXPECT_TRUE(ok);
      ASSERT_EQ(stored.size(), 1u);
      EXPECT_EQ(stored[0].second, c.stored);
      // A day its month does not have is asked about (and kept: the answer is Yes).
      EXPECT_EQ(t.prompter.shown.size(), c.impossible ? 1u : 0u);
    } else {
      EXPECT_FALSE(ok);
      EXPECT_TRUE(stored.empty());
      EXPECT_EQ(text, c.in);
      ASSERT_EQ(t.prompter.shown.size(), 1u);
      const std::string hint = *c.stored ? "entered as '" + std::string(c.stored) + "';" : "Please shorten it;";
      EXPECT_NE(t.prompter.shown[0].text.find(hint), std::string::npos) << t.prompter.shown[0].text;
      EXPECT_EQ(focused, std::vector<int>{datefield::Death});
    }
  }
}

TEST_F(DateBox, ATextTheFieldCannotHoldIsRefusedWithWhatWouldFit) {
  std::string text = "abt. 5 Jan 1901";
  EXPECT_FALSE(check(text, datefield::Baptism));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Date Error");
  EXPECT_EQ(t.prompter.shown[0].text,
            "'abt. 5 Jan 1901' cannot be kept whole in a date field, which holds at most 12 characters.\r\n"
            "It could be entered as 'ABT Jan 1901'; the full text can go in the notes.");
  // Short enough, but two years in one: no word about the width.
  EXPECT_EQ(typed("1721/22"), "<nothing>");
  EXPECT_EQ(t.prompter.shown[1].text,
            "'1721/22' cannot be kept whole in a date field.\r\n"
            "It could be entered as '1722'; the full text can go in the notes.");
  EXPECT_EQ(typed(std::string(13, 'x')), "<nothing>");  // one more than the field holds
  // Whatever its length a text is read whole (a box cuts nothing) and quoted only in part.
  EXPECT_EQ(typed(std::string(56, ' ') + "5 Jan 1890"), "5 Jan 1890");
  EXPECT_EQ(typed(std::string(70, 'y')), "<nothing>");
  EXPECT_EQ(t.prompter.shown.back().text.substr(0, 66), "'" + std::string(61, 'y') + "...'");
}

TEST_F(DateBox, ADayTheMonthDoesNotHaveIsKeptOnlyWhenTheUserSaysSo) {
  t.prompter.answers = {kAnswerNo};
  EXPECT_EQ(typed("29/2/1901"), "<nothing>");
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text,
            "29 Feb 1901 is not a day of the calendar: February 1901 has 28 days.\r\n"
            "Click 'Yes' to keep it as it is, or 'No' to correct it.");
  EXPECT_EQ(t.prompter.shown[0].buttons, Buttons::YesNo);
  EXPECT_EQ(focused, std::vector<int>{datefield::Birth});
  const std::pair<const char*, const char*> why[] = {{"31 Apr 1901", "April 1901 has 30 days."},
                                                     {"30 Feb ????", "February has at most 29 days."},
                                                     {"31 Sep ????", "September has 30 days."},
                                                     {"32 ??? 1901", "no month has more than 31 days."}};
  // Asked and kept on Yes; each reason differs, so a missing question shows as the last one's.
  for (auto [in, reason] : why) {
    EXPECT_EQ(typed(in), in);
    const std::string& asked = t.prompter.shown.back().text;
    EXPECT_NE(asked.find(std::string(": ") + reason + "\r\n"), std::string::npos) << in;
  }
  t.prompter.shown.clear();
  for (const char* fine : {"29 Feb 2000", "31 ??? 1901", "30 Apr 1901", "29 Feb ????"}) EXPECT_EQ(typed(fine), fine);
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(DateBox, DatesLaterThanTodayAreRefused) {
  struct Case {
    int month, day;  // of 2026, today
    const char* in;
    const char* box;  // what the box received; a complete date is stored before it is refused
    bool refused;
  } cases[] = {
      {12, 5, "? ??? 2027", "<nothing>", true},     {12, 5, "1850-2027", "<nothing>", true},
      {12, 5, "1 Mar 2027x", "1 Mar 2027x", false},  // no date: kept as typed
      {11, 30, "? Dec 2026", "<nothing>", true},    {11, 30, "? Nov 2026", "? Nov 2026", false},
      {11, 30, "? ??? 2026", "? ??? 2026", false},  {12, 5, "6/12/2026", "6 Dec 2026", true},
      {12, 5, "5/1/29", "5 Jan 2029", true},
  };
  for (const Case& c : cases) {
    s.now = [c] { return LocalTime{2026, c.month, c.day, 12, 0, 0}; };
    t.prompter.shown.clear();
    focused.clear();
    EXPECT_EQ(typed(c.in), c.box) << c.in;
    ASSERT_EQ(t.prompter.shown.size(), c.refused ? 1u : 0u) << c.in;
    EXPECT_EQ(focused, c.refused ? std::vector<int>{datefield::Birth} : std::vector<int>{}) << c.in;
  }
}

TEST_F(DateBox, MessageNamesTheKindOfDateAndFocusesOnlyABox) {
  s.Messages.apply_field_labels("Family Name", "Given Names", "Christened");
  const std::pair<int, const char*> kinds[] = {{datefield::Birth, "a birth date"},
                                               {datefield::Death, "a date of death"},
                                               {datefield::Baptism, "a Christened date"},
                                               {datefield::BirthRecord, ""}};
  for (auto [code, kind] : kinds) {
    t.prompter.shown.clear();
    focused.clear();
    DateError(s, code, [this](int c) { focused.push_back(c); });
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_EQ(t.prompter.shown[0].text,
              std::string("You have entered ") + kind + " for \r\n this person that is later than today.  \r\n ");
    EXPECT_EQ(focused.size(), code < 98 ? 1u : 0u) << code;
  }
}

TEST_F(DateBox, FormlessCodesStoreIntoTheCurrentRecords) {
  std::string b = "5/1/1901", d = "? mar 1950", m = " 3-2-1925 ";
  EXPECT_TRUE(CheckDate(s, b, datefield::BirthRecord));
  EXPECT_TRUE(CheckDate(s, d, datefield::DeathRecord));
  EXPECT_TRUE(CheckDate(s, m, datefield::MarriageRecord));
  EXPECT_EQ(s.Person.BirthDate, "5 Jan 1901");
  EXPECT_EQ(s.Person.DeathDate, "? Mar 1950");
  EXPECT_EQ(s.Editing.CerBuf.MarriedDate, "3 Feb 1925");
  std::string late = "? ??? 2030";
  EXPECT_FALSE(CheckDate(s, late, datefield::DeathRecord));
  EXPECT_EQ(s.Person.DeathDate, "? Mar 1950");

  // A box's code goes to the box, trimmed, and to the record as given.
  auto sink = [this](int c, const std::string& v) { stored.emplace_back(c, v); };
  StoreDate(s, " 1 Jan 1900 ", datefield::Marriage, sink);
  EXPECT_EQ(s.Editing.CerBuf.MarriedDate, " 1 Jan 1900 ");
  StoreDate(s, "4 Apr 1904", 7, sink);  // no date field has this code
  EXPECT_EQ(stored, (std::vector<std::pair<int, std::string>>{{datefield::Marriage, "1 Jan 1900"}}));
}

TEST_F(DateBox, GarbageNeverCrashesAndNeverLosesTheTypedText) {
  std::vector<std::string> inputs = {"-",
                                     "/-.,",
                                     "??????",
                                     "? ",
                                     " ?",
                                     "?-?",
                                     "., ., .",
                                     std::string("5\0Jan\0001901", 11),
                                     "\xFF\xFE 1901",
                                     "5 \xE9t\xE9 1901",
                                     "\x80 \x80 \x80",
                                     "9999999999 9 9999999999",
                                     "31 12 9999",
                                     "1/1/0000",
                                     "0/0/0",
                                     "99 99 99",
                                     "5 Jan -1901",
                                     "-5 -1 -1901",
                                     std::string(100000, '9'),
                                     std::string(100000, ' '),
                                     std::string(100000, '?'),
                                     "1 " + std::string(50000, 'J') + " 1901",
                                     std::string(30000, '/') + "5/1/1901"};
  std::mt19937 rng(1901);
  for (int i = 0; i < 3000; ++i) {
    std::string r(rng() % 24, '\0');
    for (char& c : r) c = static_cast<char>(rng() % 3 ? "0123456789 ?/-.JanDec"[rng() % 21] : rng());
    inputs.push_back(r);
  }
  for (const std::string& in : inputs) {
    for (int code : {datefield::Birth, datefield::Marriage, datefield::DeathRecord}) {
      stored.clear();
      std::string before = s.Person.DeathDate;
      std::string text = in;
      bool ok = check(text, code);
      if (code == datefield::DeathRecord) {
        if (s.Person.DeathDate != before) { EXPECT_EQ(text, s.Person.DeathDate); }
      } else if (stored.empty()) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(text, in);
      } else {
        EXPECT_EQ(cp1252::trim(text), stored.back().second);
        EXPECT_LE(stored.back().second.size(), 12u) << in;
      }
    }
  }
}

TEST(CompleteDate, LeapDaysFollowTheGregorianRule) {
  for (auto [in, whole] : {std::pair{"29/2/2000", true},
                           {"29 Feb 2024", true},
                           {"29/2/1900", false},
                           {"29 Feb 2023", false},
                           {"30/2/2000", false},
                           {"31/12/1901", true},
                           {"31/4/1901", false}})
    EXPECT_EQ(ParseCompleteDate(in, false).has_value(), whole) << in;
}

TEST(CompleteDate, RefusesWhatIsNotAWholeDate) {
  for (const char* in :
       {"5/1/1", "5/1/901", "5/1/19011", "0/1/1901", "5/0/1901", "5/13/1901", "5 Jan", "5/1/1901/2", "5th Jan 1901",
        "Jan Feb 1901", "5 Ja 1901", "5 Janus 1901", "1901 1902 Jan", "1901-13-01", "", "///", "5 1 0000"})
    EXPECT_FALSE(ParseCompleteDate(in, false)) << in;
  EXPECT_EQ(ParseCompleteDate("01-01-1901-", false), (Ymd{1901, 1, 1}));  // trailing separator
  EXPECT_EQ(ParseCompleteDate("1901 Jan 5", false), (Ymd{1901, 1, 5}));
  EXPECT_EQ(ParseCompleteDate("5 Jan 29", false), (Ymd{2029, 1, 5}));
  EXPECT_EQ(ParseCompleteDate("5 Jan 30", true), (Ymd{1930, 1, 5}));
}

TEST(DatesInOrder, ComparesWhatIsKnown) {
  struct Case {
    const char *a, *b;
    bool in_order;
  } cases[] = {
      {"? ??? ????", "12 Mar 1899", true}, {"   ", "1 Jan 1900", true},
      {"2 Jan 1900", "1 Jan 1900", false},                                      // one day back is already out of order
      {"1 Jan 1900", "1 Jan 1900", true},  {"? Mar 1900", "5 Jan 1900", true},  // same year, month not compared
      {"12 ??? ????", "1 Jan 1800", true}, {"1 Jan 1800", "? ??? 1799", false},
      {"1850-1855", "? ??? 1850", true},  // a range is in order with anything after its start
      {"1850-1855", "1849", false},        {"1856", "1850-1855", false},
  };
  for (const Case& c : cases) EXPECT_EQ(DatesInOrder(c.a, c.b), c.in_order) << c.a << " / " << c.b;
}

TEST(AgeText, FollowsTheDatesThatAreKnown) {
  test::TempSession t;  // today is 5 Dec 2026
  struct Case {
    const char *birth, *death, *age;
  } cases[] = {
      {"1 Jan 1900", "1 Jan 1901", " 0"},  // 365 days are less than a year of 365.25
      {"1 Jan 1900", "2 Jan 1901", " 1"},
      {"2 Jan 1900", "1 Jan 1900", "?"},  // one day backwards
      {"1 Jan 1900", "31 Dec 2020", " 120"},
      {"1 Jan 1900", "2 Jan 2021", "?"},  // 121 and more is not believed
      {"5 Dec 1926", "", " 100"},         // against today
      {"6 Dec 1926", "", " 99"},
      {"29 Feb 1900", "1 Mar 1950", "50 (approx.)"},  // no such day: only the years count
      {"? ??? 1900", "", "126 (approx.)"},
      {"? Mar 1900", "12 Mar ????", "?"},
      {"? ??? 1950", "? ??? 1900", "?"},
      {"? ??? 1900", "1 Jan 1900", "0 (approx.)"},
      {"? ??? 2026", "", ""},
      {"? ??? ????", "1 Jan 1900", ""},
      {"1 Jan 1900", "? ??? ????", ""},
      {"? ??? ????  ", "1 Jan 1900", " ?"},  // the padded placeholder is not the exact one
      {"", "1 Jan 1900", "?"},
      {"1850-1855", "? ??? 1900", "45 (approx.)"},
      {"44 BC", "", "?"},  // no age is counted from a year before Christ
  };
  for (const Case& c : cases) EXPECT_EQ(AgeText(t.s, c.birth, c.death), c.age) << c.birth << " / " << c.death;
  // The chart's twin drops the leading blank only.
  EXPECT_EQ(ChartAgeText(t.s, "1 Jan 1900", "31 Dec 1950"), "50");
}
