// The data sheets' and lists' options: keys per request, the first-printout
// defaults, and a save/load round trip through the settings file.
#include <gtest/gtest.h>

#include "print/sheet_options.h"
#include "store/ini.h"
#include "temp_session.h"

using namespace vft;
using namespace vft::print;

namespace {

std::vector<int> ticked(const SheetOptions& o) {
  std::vector<int> out;
  for (int i = 0; i < item1::Count; ++i)
    if (o.ticked(i)) out.push_back(i);
  return out;
}

TEST(SheetOptionDefaults, AFirstPrintoutShowsNamesDatesPlacesPartnersAndPages) {
  using namespace item1;
  SheetOptions d = LoadSheetOptions(IniFile(), request::DataSheet);
  EXPECT_EQ(ticked(d),
            (std::vector<int>{TodaysDate, BirthAndDeath, BirthAndDeath2, DateOfBirth, DateOfDeath, PlaceOfBirth,
                              PlaceOfDeath, Children, Partners, MarriageDates, MarriageNotes, PageNumbers}));
  SheetOptions all = LoadSheetOptions(IniFile(), request::ListAll);
  EXPECT_EQ(ticked(all), ticked(d));
  SheetOptions fam = LoadSheetOptions(IniFile(), request::FamilyList);
  EXPECT_EQ(ticked(fam), (std::vector<int>{TodaysDate, BirthAndDeath, BirthAndDeath2, PageNumbers}));
  SheetOptions data = LoadSheetOptions(IniFile(), request::FamilyData);
  EXPECT_EQ(ticked(data), (std::vector<int>{TodaysDate}));
}

TEST(SheetOptionDefaults, BadValuesReadAsTheirPlainMeaning) {
  Bytes text;
  std::string s = "[Print Family Names]\r\nFormat=7\r\n[Print All List]\r\nSortBy=x\r\nAge=  1\r\nPhone=abc\r\n";
  text.assign(s.begin(), s.end());
  IniFile ini = IniFile::parse(text);
  EXPECT_EQ(LoadSheetOptions(ini, request::FamilyNames).format, ListFormat::Comma);
  SheetOptions all = LoadSheetOptions(ini, request::ListAll);
  EXPECT_EQ(all.sort, SortBy::Number);
  EXPECT_TRUE(all.ticked(item1::Age));
  EXPECT_FALSE(all.ticked(item1::Phone));
  SheetOptions none = LoadSheetOptions(ini, 0);
  EXPECT_EQ(ticked(none), std::vector<int>{});
  EXPECT_FALSE(SheetOptions{}.ticked(item1::Count));
}

TEST(SheetOptionFile, SaveAndLoadRoundTrip) {
  test::TempSession t;
  SheetOptions o;
  o.request = request::FamilyList;
  o.items[item1::PersonNumber] = true;
  o.items[item1::Sex] = true;
  o.items[item1::Age] = true;
  o.items[item1::BreakLine] = true;
  o.sort = SortBy::Name;
  o.family_name = "  Smith ";
  ASSERT_TRUE(SaveSheetOptions(t.s, o));
  SheetOptions back = LoadSheetOptions(t.s, request::FamilyList);
  using namespace item1;
  EXPECT_EQ(ticked(back), (std::vector<int>{PersonNumber, Sex, Age, BreakLine}));
  EXPECT_EQ(back.sort, SortBy::Name);
  EXPECT_EQ(back.family_name, "Smith");
  EXPECT_EQ(IniReadText(t.s, "Print Family List", "Dates"), "0");

  // An emptied name stays empty instead of returning to a default.
  o.family_name.clear();
  ASSERT_TRUE(SaveSheetOptions(t.s, o));
  EXPECT_EQ(LoadSheetOptions(t.s, request::FamilyList).family_name, "");

  SheetOptions names;
  names.request = request::FamilyNames;
  names.format = ListFormat::ThreeColumns;
  ASSERT_TRUE(SaveSheetOptions(t.s, names));
  EXPECT_EQ(LoadSheetOptions(t.s, request::FamilyNames).format, ListFormat::ThreeColumns);

  SheetOptions bad;
  bad.request = 12;
  EXPECT_FALSE(SaveSheetOptions(t.s, bad));
}

}  // namespace
