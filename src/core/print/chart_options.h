// What a chart generator reads from the print settings: the ticked items of
// its request's section, the number of generations, the document font, the
// orientation, the margins and the first page number. Every value missing
// from the settings file falls back to the default the shipped settings file
// gives it, so a first printout shows names, dates, places, partners,
// marriage details, page numbers, today's date and a heading.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/page_document.h"

namespace vft {
class IniFile;
struct IniValue;
class Session;
}  // namespace vft

namespace vft::print {

// Print request codes, as the main window's print commands set them.
namespace request {
inline constexpr int DataSheet = 1;
inline constexpr int Descendants = 2;
inline constexpr int Pedigree = 3;
inline constexpr int ListAll = 4;
inline constexpr int FamilyList = 5;
inline constexpr int TimeLine = 6;
inline constexpr int FamilyNames = 7;
inline constexpr int FamilyData = 8;
}  // namespace request

// The settings section of a request ("Print Descendants" for 2); empty for a
// code outside 1..8.
std::string_view PrintSection(int request);
inline constexpr const char* kPrintingSection = "Printing";

// The item boxes of the charts, time line and family-names list, by index.
namespace item3 {
inline constexpr int Name = 0;
inline constexpr int PersonNumber = 1;
inline constexpr int TodaysDate = 2;
inline constexpr int PageNumbers = 3;
inline constexpr int DateOfBirth = 4;
inline constexpr int DateOfDeath = 5;
inline constexpr int PlaceOfBirth = 6;
inline constexpr int PlaceOfDeath = 7;
inline constexpr int Partners = 8;
inline constexpr int PrintHeading = 9;
inline constexpr int PrintToFile = 10;
inline constexpr int BreakLine = 11;  // "Colour" on the descendants chart
inline constexpr int Sex = 12;
inline constexpr int MarriageDetails = 13;
inline constexpr int Count = 14;
}  // namespace item3

// The settings key that holds box `index` for `request`; empty outside 0..13.
std::string_view Item3Key(int request, int index);

// Which pages carry the heading. The key "PrintHeadings" holds this value:
// a ticked "Print heading" box is 1 and so means the first page, which is
// all a one-page chart has; the descendants chart offers the three choices.
enum class HeadingPages : std::uint8_t { None = 0, FirstPage = 1, EveryPage = 2 };

inline constexpr int kMaxGenerations = 12;
// No printout writes smaller than this (points): a generator that makes
// texts smaller to fit stops here, and a smaller document font is taken up
// to it.
inline constexpr double kSmallestTextSize = 7;
inline constexpr int kDefaultGenerations = 4;

struct ChartOptions {
  int request = request::Descendants;
  std::array<bool, item3::Count> items{};
  HeadingPages heading = HeadingPages::FirstPage;
  int generations = kDefaultGenerations;  // as saved, 1..12
  Font font;                              // the document font
  Orientation orientation = Orientation::Portrait;
  double margin_left = kDefaultMargin, margin_right = kDefaultMargin;
  double margin_top = kDefaultMargin, margin_bottom = kDefaultMargin;
  int first_page_number = 1;

  // Box 9 and `heading` are one setting; `heading` is the one that counts.
  bool ticked(int index) const {
    if (index == item3::PrintHeading) return heading != HeadingPages::None;
    return index >= 0 && index < item3::Count && items[static_cast<std::size_t>(index)];
  }
  bool heading_on(int page) const {
    return heading == HeadingPages::EveryPage || (heading == HeadingPages::FirstPage && page == 1);
  }
};

// The options of `request` from a parsed settings file.
ChartOptions LoadChartOptions(const IniFile& ini, int request);
// The same from a settings file on disk; a missing or unreadable file gives
// the defaults.
ChartOptions LoadChartOptionsFrom(const std::string& settings_file, int request);
// The same from the session's own settings file.
ChartOptions LoadChartOptions(const Session& s, int request);
// Writes the options to the request's section and the "Printing" section of
// the session's settings file, in one rewrite. Returns false when it failed.
bool SaveChartOptions(Session& s, const ChartOptions& o);
// The values SaveChartOptions writes, added to `values`; false (nothing
// added) for a request without a section.
bool AddChartOptions(std::vector<IniValue>& values, const ChartOptions& o);
// The font, orientation, margins and first page number with the font size
// already written out: the part of the options every print request saves.
void AddPageSettings(std::vector<IniValue>& values, const ChartOptions& o, const std::string& font_size);

// Puts the font, orientation, margins and first page number into the page
// document (before start_doc()). Margins that leave no room to print on the
// page are not taken; the document's default margins are used instead.
void ApplyChartOptions(PageDocument& doc, const ChartOptions& o);

// The number of generations the user typed, checked as the preview window
// checks it: the trimmed text's leading number; below 1 and above 12 are
// refused with their message (title "Problem"), after which the box reads 12.
struct GenerationCheck {
  bool ok = false;
  int value = 0;      // the number read (clamped to the 16-bit range)
  std::string title;  // when refused
  std::string text;   // when refused
};
GenerationCheck CheckGenerations(std::string_view text);
// What the box shows after a refusal.
inline constexpr const char* kGenerationsAfterRefusal = "12";
// G taken into 1..12, as the generators take it.
int ClampGenerations(int g);

}  // namespace vft::print
