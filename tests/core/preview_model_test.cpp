// The preview window's decisions without widgets: the Set Items panel per
// request, paging, Go To, zoom, status texts, the chooser's refusal, the
// margins dialog's conversions and refusals, and the paper list.
#include <gtest/gtest.h>

#include "print/page_setup_model.h"
#include "print/family_sheet.h"
#include "print/preview_model.h"
#include "store/ini.h"
#include "chart_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

// Indexes of the visible boxes of one array.
template <std::size_t N>
std::vector<int> visible(const std::array<BoxState, N>& boxes) {
  std::vector<int> out;
  for (std::size_t i = 0; i < N; ++i)
    if (boxes[i].visible) out.push_back(static_cast<int>(i));
  return out;
}

using PreviewModel = test::ChartTest;

TEST_F(PreviewModel, ChartPanelsShowTheirBoxes) {
  using V = std::vector<int>;
  const std::pair<int, V> shown[] = {{request::Descendants, {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 13}},
                                     {request::Pedigree, {0, 1, 2, 3, 4, 5, 6, 7, 9}},
                                     {request::FamilyList, {1, 2, 3, 4, 5, 11, 12}},
                                     {request::TimeLine, {1, 2, 3, 9}},
                                     {request::FamilyNames, {2, 3, 9, 10}},
                                     {request::FamilyData, {1, 2, 3, 9}}};
  for (const auto& [request, boxes] : shown) {
    ItemPanel panel = BuildItemPanel(s, request);
    EXPECT_EQ(visible(panel.chart), boxes) << request;
    EXPECT_TRUE(visible(panel.sheet).empty()) << request;
  }
  ItemPanel d = BuildItemPanel(s, request::Descendants);
  EXPECT_TRUE(d.generations && d.heading_choice);
  EXPECT_FALSE(d.chart[0].enabled);  // the name is always printed
  EXPECT_FALSE(d.sort || d.family_name || d.list_format || d.starts_at_once);
  ItemPanel p = BuildItemPanel(s, request::Pedigree);
  EXPECT_TRUE(p.chart[0].enabled);
  EXPECT_FALSE(p.generations || p.heading_choice);
  // The same box means another thing on another printout.
  EXPECT_EQ(d.chart[11].caption, "Colour");
  EXPECT_EQ(p.chart[11].caption, "Print break line after each person");
  EXPECT_TRUE(BuildItemPanel(s, request::FamilyList).sort);
  EXPECT_TRUE(BuildItemPanel(s, request::TimeLine).starts_at_once);
  ItemPanel n = BuildItemPanel(s, request::FamilyNames);
  EXPECT_FALSE(n.select_all);
  EXPECT_TRUE(n.list_format);
  ItemPanel fd = BuildItemPanel(s, request::FamilyData);
  EXPECT_FALSE(fd.select_all || fd.printer_button || fd.close_button);
}

TEST_F(PreviewModel, SheetPanelsTakeTheUsersTerms) {
  s.Messages.set(msg::BaptisedLabel, "Christened");
  auto ann = tree.person("Ann", "Hill", "F");
  tree.select(ann);
  ItemPanel d = BuildItemPanel(s, request::DataSheet);
  EXPECT_EQ(d.sheet[9].caption, "Christened data");
  EXPECT_TRUE(d.preview_waits);
  // Not the placeholder, the name parts, what the sheet always prints (the
  // place of death and the interment), the break line or a file.
  EXPECT_EQ(visible(d.sheet), (std::vector<int>{0, 1, 2, 5, 6, 7, 8, 9, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22}));
  EXPECT_TRUE(visible(d.chart).empty());
  ItemPanel l = BuildItemPanel(s, request::ListAll);
  EXPECT_TRUE(l.sort);
  EXPECT_EQ(visible(l.sheet),
            (std::vector<int>{0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23}));

  s.Messages.set(msg::FamNameLabel, "Surname");
  EXPECT_EQ(BuildItemPanel(s, request::FamilyNames).title, "Set Items to Include in List of Surnames");
  EXPECT_EQ(BuildItemPanel(s, request::FamilyList).title, "Set Items to Include in List of Hills");
  EXPECT_EQ(PreviewTitle(s, request::FamilyNames), "Print Surnames List");
  EXPECT_EQ(PreviewTitle(s, request::Pedigree), "");
  EXPECT_EQ(FamilyNamesSavedMessage(s, "/tmp/names.txt").title, "Save Family Names to File");
  EXPECT_EQ(PreviewTitle(s, request::TimeLine), "Print Time Line");
  EXPECT_EQ(BuildItemPanel(s, request::TimeLine).title, "Set Items to Include in Time Line");
}

TEST_F(PreviewModel, PrintToFileOnlyForTheFamilyNamesList) {
  EXPECT_TRUE(SavesToFile(request::FamilyNames, true));
  EXPECT_FALSE(SavesToFile(request::FamilyNames, false));
  for (int r : {1, 2, 3, 4, 5, 6, 8}) EXPECT_FALSE(SavesToFile(r, true)) << r;
  EXPECT_TRUE(FourColumnsAllowed(10.5));
  EXPECT_FALSE(FourColumnsAllowed(11));
  EXPECT_TRUE(FourColumnsAllowed(0));  // a size never saved counts as 10
}

// The preview window's own test walks the pages of a long chart, goes to a page
// and zooms out to the floor; these are the edges it does not reach.
TEST(PreviewPaging, EdgesOfPagingGoToAndZoom) {
  for (auto [page, pages] : {std::pair{1, 1}, {0, 0}}) {
    PagingButtons b = PagingEnabled(page, pages);
    EXPECT_FALSE(b.prev || b.next || b.first || b.last) << pages;
  }
  PagingButtons mid = PagingEnabled(2, 3);
  EXPECT_TRUE(mid.prev && mid.first && mid.next && mid.last);
  EXPECT_EQ(PageLabel(3, 3, 5), "Page 7/7");
  EXPECT_EQ(CheckGoTo("7", 5, 3).page, 3);
  for (const char* bad : {"8", "0", "", "abc", "99999999999"}) {
    GoToCheck g = CheckGoTo(bad, 5, 3);
    EXPECT_FALSE(g.ok) << bad;
    EXPECT_EQ(g.text, "Page Number Must be between 5 and 7");
  }
  EXPECT_TRUE(CheckGoTo(" 6 ", 5, 3).ok);
  EXPECT_FALSE(CheckGoTo("1", 1, 0).ok);  // nothing to go to
  EXPECT_EQ(ZoomIn(kMaxZoom), kMaxZoom);
  EXPECT_EQ(ZoomOut(15), 10);
  EXPECT_EQ(InitialZoom(20000), 60);
  EXPECT_EQ(InitialZoom(12000), 45);
  EXPECT_EQ(InitialZoom(11999), 35);
  Font f{"Arial", 8.25, true, true, false};
  EXPECT_EQ(FontLabel(f), "Font: Arial 8.25 Pts. Bold  Italic");
}

// The words are the family sheet's own (tested there); the box only for a
// person without partners.
TEST_F(PreviewModel, NoPartnersRefusalOnlyWithoutPartners) {
  auto tom = tree.person("Tom", "Hill", "M");
  const Message m = NoPartnersMessage(s, tree.read(tom));
  EXPECT_EQ(m.title, "Print a Family Data Sheet");
  EXPECT_EQ(m.text, NoPartnersText(s, tree.read(tom)));
  EXPECT_EQ(m.icon, Icon::Information);
  tree.family(tom, tree.person("Sue", "Dale", "F"));
  EXPECT_TRUE(NoPartnersMessage(s, tree.read(tom)).title.empty());
}

TEST_F(PreviewModel, PanelChoicesPageAndPanelSettingsRoundTrip) {
  EXPECT_EQ(LoadListFormat(s, request::FamilyNames), ListFormat::Comma);
  ASSERT_TRUE(SavePanelChoices(s, request::ListAll, SortBy::Name, ListFormat::ThreeColumns));
  EXPECT_EQ(LoadSortBy(s, request::ListAll), SortBy::Name);
  EXPECT_EQ(LoadListFormat(s, request::ListAll), ListFormat::ThreeColumns);
  EXPECT_EQ(LoadSortBy(s, request::FamilyList), SortBy::Number);  // sections stay apart
  EXPECT_FALSE(SavePanelChoices(s, 9, SortBy::Name, ListFormat::Comma));

  ChartOptions o;
  o.request = request::DataSheet;
  o.font.name = "Liberation Serif";
  o.font.size = 9.5;
  o.font.italic = true;
  ASSERT_TRUE(SavePageSettings(s, o));
  EXPECT_EQ(LoadChartOptions(s, request::DataSheet).font, o.font);
  // Nothing of the chart array lands in the data sheet's section.
  EXPECT_EQ(IniReadText(s, "Print Data", "Name"), "");

  // The one-family list: chart boxes kept under the list's own keys.
  PanelSettings f = LoadPanelSettings(s, request::FamilyList);
  f.chart.items.fill(false);
  f.chart.items[item3::DateOfBirth] = true;  // "Birth and death dates"
  f.chart.items[item3::Sex] = true;
  ASSERT_TRUE(SavePanelSettings(s, f));
  EXPECT_EQ(IniReadText(s, "Print Family List", "Name"), "");  // no chart key
  SheetOptions list = LoadSheetOptions(s, request::FamilyList);
  EXPECT_TRUE(list.ticked(item1::BirthAndDeath) && list.ticked(item1::Sex));
  EXPECT_FALSE(list.ticked(item1::Age) || list.ticked(item1::PersonNumber));
  PanelSettings back = LoadPanelSettings(s, request::FamilyList);
  for (int box : {1, 2, 3, 4, 5, 11, 12})  // the boxes the panel shows
    EXPECT_EQ(back.chart.ticked(box), f.chart.ticked(box)) << box;

  // The family-names list keeps its format beside the chart boxes.
  PanelSettings n = LoadPanelSettings(s, request::FamilyNames);
  n.sheet.format = ListFormat::FourColumns;
  n.chart.items[item3::PrintToFile] = true;
  ASSERT_TRUE(SavePanelSettings(s, n));
  EXPECT_EQ(LoadPanelSettings(s, request::FamilyNames).sheet.format, ListFormat::FourColumns);
  EXPECT_TRUE(LoadPanelSettings(s, request::FamilyNames).chart.ticked(item3::PrintToFile));

  PanelSettings bad;
  bad.chart.request = 0;
  EXPECT_FALSE(SavePanelSettings(s, bad));
}

TEST(PageSetup, MarginsInEitherUnit) {
  EXPECT_EQ(MarginUnitOf(1), MarginUnit::Inches);
  EXPECT_EQ(MarginUnitOf(0), MarginUnit::Centimetres);
  EXPECT_EQ(ParseMargin("1.00", MarginUnit::Inches), 1440);
  EXPECT_EQ(ParseMargin("1.00", MarginUnit::Centimetres), 567);
  EXPECT_EQ(ParseMargin("2,5", MarginUnit::Centimetres), 1418);
  EXPECT_EQ(ParseMargin(" 0 ", MarginUnit::Inches), 0);
  for (const char* bad : {"", "abc", "-1", "1.0cm", "1e3", "nan"})
    EXPECT_FALSE(ParseMargin(bad, MarginUnit::Inches).has_value()) << bad;
  EXPECT_EQ(MarginText(1440, MarginUnit::Centimetres), "2.54");
  EXPECT_EQ(MarginText(720, MarginUnit::Inches), "0.50");
}

TEST(PageSetup, ThumbnailPaperAndTheFamilyForm) {
  // A4 portrait, one inch all round.
  Thumbnail a4 = PageThumbnail(11906, 16838, Orientation::Portrait, 1440, 1440, 1440, 1440);
  EXPECT_NEAR(a4.width, 2000 * 11906.0 / 16838.0, 1e-9);
  EXPECT_DOUBLE_EQ(a4.left, 176 - 10);  // int(1440 / 8.14) = 176
  EXPECT_DOUBLE_EQ(a4.top, 166);
  EXPECT_NEAR(a4.area_width, a4.width - 176 - 166, 1e-9);
  EXPECT_DOUBLE_EQ(a4.area_height, 2000 - 176 - 166);
  EXPECT_TRUE(a4.fits());
  Thumbnail land = PageThumbnail(16838, 11906, Orientation::Landscape, 0, 0, 0, 0);
  EXPECT_DOUBLE_EQ(land.width, 2000);
  // Left and right margins of 6 inches leave no width on A4 portrait.
  EXPECT_FALSE(PageThumbnail(11906, 16838, Orientation::Portrait, 8640, 8640, 1440, 1440).fits());

  EXPECT_EQ(PaperName(kPaperA4), "A4, 210 x 297 mm");
  EXPECT_EQ(PaperName(42), "Paper 42");
  EXPECT_TRUE(FamilyFormFits(paper_size(kPaperLetter).height));  // 15840 in landscape
  EXPECT_FALSE(FamilyFormFits(paper_size(kPaperA5).height));     // 11906
}

}  // namespace
