// The charts' options from the print sections of the settings file: the
// shipped defaults, saved values, bad values, and putting them on the page.
#include <gtest/gtest.h>

#include "print/chart_options.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "temp_session.h"

using namespace vft;
using namespace vft::print;

namespace {

class ChartOptionsTest : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  void set(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_EQ(IniWrite(s, section, key, value), 1);
  }
};

// Left, right, top, bottom.
std::vector<double> margins(const PageDocument& d) {
  return {d.margin_left(), d.margin_right(), d.margin_top(), d.margin_bottom()};
}

std::vector<int> ticked(const ChartOptions& o) {
  std::vector<int> out;
  for (int i = 0; i < item3::Count; ++i)
    if (o.ticked(i)) out.push_back(i);
  return out;
}

TEST_F(ChartOptionsTest, WithoutSettingsAFirstPrintoutShowsWhatItNeeds) {
  ChartOptions d = LoadChartOptions(s, request::Descendants);
  using namespace item3;
  EXPECT_EQ(ticked(d), (std::vector<int>{Name, TodaysDate, PageNumbers, DateOfBirth, DateOfDeath, PlaceOfBirth,
                                         PlaceOfDeath, Partners, PrintHeading, BreakLine, MarriageDetails}));
  EXPECT_EQ(d.heading, HeadingPages::FirstPage);
  EXPECT_EQ(d.font, (Font{"Arial", 10, false, false, false}));
  EXPECT_EQ(d.orientation, Orientation::Portrait);
  EXPECT_EQ(d.margin_left, 1440);

  ChartOptions p = LoadChartOptions(s, request::Pedigree);
  EXPECT_EQ(ticked(p), (std::vector<int>{Name, TodaysDate, PageNumbers, DateOfBirth, DateOfDeath, PlaceOfBirth,
                                         PlaceOfDeath, Partners, PrintHeading}));
}

TEST_F(ChartOptionsTest, SavedValuesWinOverTheDefaults) {
  for (auto [key, value] : {std::pair{"Partners", "0"},
                            {"PersonNumber", "1"},
                            {"Colour", "0"},
                            {"PrintHeadings", "2"},
                            {"Generations", "9"},
                            {"FontName", "Times New Roman"},
                            {"FontSize", "11.5"},
                            {"FontBold", "-1"},
                            {"Orientation", "1"}})
    set("Print Descendants", key, value);
  set("Printing", "LMarg", "720");
  set("Printing", "TMarg", "567");
  set("Printing", "StartPageNumber", "5");
  ChartOptions o = LoadChartOptions(s, request::Descendants);
  EXPECT_FALSE(o.ticked(item3::Partners));
  EXPECT_TRUE(o.ticked(item3::PersonNumber));
  EXPECT_FALSE(o.ticked(item3::BreakLine));
  EXPECT_EQ(o.heading, HeadingPages::EveryPage);
  EXPECT_EQ(o.generations, 9);
  EXPECT_EQ(o.font, (Font{"Times New Roman", 11.5, true, false, false}));
  EXPECT_EQ(o.orientation, Orientation::Landscape);
  EXPECT_EQ(o.margin_left, 720);
  EXPECT_EQ(o.margin_top, 567);
  EXPECT_EQ(o.first_page_number, 5);
  // The pedigree has its own section; only "Printing" is shared.
  ChartOptions p = LoadChartOptions(s, request::Pedigree);
  EXPECT_TRUE(p.ticked(item3::Partners));
  EXPECT_EQ(p.margin_left, 720);
}

TEST_F(ChartOptionsTest, ValuesTheDialogsNeverWriteFallBack) {
  set("Print Descendants", "Generations", "13");
  set("Print Descendants", "FontSize", "0");
  set("Print Descendants", "FontName", "  ");
  set("Print Descendants", "Orientation", "7");
  set("Print Pedigree", "FontSize", "abc");
  ChartOptions o = LoadChartOptions(s, request::Descendants);
  EXPECT_EQ(o.generations, 4);
  EXPECT_EQ(o.font.size, 10);
  EXPECT_EQ(o.font.name, "Arial");
  EXPECT_EQ(o.orientation, Orientation::Portrait);
  EXPECT_EQ(LoadChartOptions(s, request::Pedigree).font.size, 8);  // a size of 0 is 8 points

  // A settings file that is not one reads as nothing saved.
  std::string junk = t.dir.path() + "junk.ini";
  ASSERT_TRUE(test::put_file(junk, Bytes{0, 0xFF, '[', '\n', '=', '=', 0x80}));
  ChartOptions j = LoadChartOptionsFrom(junk, request::Descendants);
  EXPECT_EQ(j.generations, 4);
  EXPECT_TRUE(j.ticked(item3::Name));
  EXPECT_EQ(LoadChartOptionsFrom(t.dir.path() + "missing.ini", request::Pedigree).font.size, 8);
}

TEST_F(ChartOptionsTest, SaveThenLoadGivesTheSameOptions) {
  ChartOptions o = LoadChartOptions(s, request::Descendants);
  o.items[item3::Partners] = false;
  o.items[item3::Sex] = true;
  o.heading = HeadingPages::None;
  o.generations = 12;
  o.font = Font{"Verdana", 8.25, false, true, false};
  o.orientation = Orientation::Landscape;
  o.margin_left = 500, o.margin_right = 600, o.margin_top = 700, o.margin_bottom = 800;
  o.first_page_number = 3;
  ASSERT_TRUE(SaveChartOptions(s, o));
  ChartOptions back = LoadChartOptions(s, request::Descendants);
  EXPECT_EQ(ticked(back), ticked(o));
  EXPECT_EQ(back.heading, o.heading);
  EXPECT_EQ(back.generations, 12);
  EXPECT_EQ(back.font, o.font);
  EXPECT_EQ(back.orientation, o.orientation);
  EXPECT_EQ(back.margin_bottom, 800);
  EXPECT_EQ(back.first_page_number, 3);
  EXPECT_EQ(IniReadText(s, "Print Descendants", "FontSize"), "8.25");

  o.request = 0;
  EXPECT_FALSE(SaveChartOptions(s, o));
}

TEST(ChartOptionsOnThePage, FontOrientationMarginsAndFirstPage) {
  FixedMeasure m;
  PageDocument doc(m);
  ChartOptions o;
  o.font = Font{"Verdana", 9, true, true, false};
  o.orientation = Orientation::Landscape;
  o.margin_left = 720, o.margin_right = 360, o.margin_top = 100, o.margin_bottom = 200;
  o.first_page_number = 7;
  ApplyChartOptions(doc, o);
  EXPECT_EQ(doc.font(), o.font);
  EXPECT_EQ(doc.page_width(), 16838);  // landscape
  EXPECT_EQ(margins(doc), (std::vector<double>{720, 360, 100, 200}));
  EXPECT_EQ(doc.first_page_number(), 7);

  // Margins that leave nothing between them give way to the usual ones.
  o.orientation = Orientation::Portrait;
  o.margin_left = 6000;
  o.margin_right = 6000;
  ApplyChartOptions(doc, o);
  EXPECT_EQ(margins(doc), std::vector<double>(4, kDefaultMargin));
  o.margin_left = -5;
  o.margin_right = 100;
  ApplyChartOptions(doc, o);
  EXPECT_EQ(doc.margin_left(), kDefaultMargin);
}

}  // namespace
