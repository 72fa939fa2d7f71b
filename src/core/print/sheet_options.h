// What the data sheets, the lists and the family data sheet read from the
// print settings: the ticked boxes of the second item array (person number,
// dates, places, partners, notes, ...), the list's sort order and format and
// the family name to list. The window shows and stores them; the generators
// only read them.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "print/chart_options.h"

namespace vft::print {

// The item boxes of the data sheets and lists, by index.
namespace item1 {
inline constexpr int PersonNumber = 0;
inline constexpr int TodaysDate = 1;
inline constexpr int Sex = 2;
inline constexpr int BirthAndDeath = 3;  // boxes 3 and 4 are one choice
inline constexpr int BirthAndDeath2 = 4;
inline constexpr int DateOfBirth = 5;
inline constexpr int DateOfDeath = 6;
inline constexpr int Age = 7;
inline constexpr int PlaceOfBirth = 8;
inline constexpr int BaptismData = 9;
inline constexpr int PlaceOfDeath = 10;
inline constexpr int BurialData = 11;
inline constexpr int Occupation = 12;
inline constexpr int CurrentAddress = 13;
inline constexpr int Phone = 14;
inline constexpr int Hidden = 15;  // keeps the numbering only
inline constexpr int Children = 16;
inline constexpr int Partners = 17;
inline constexpr int MarriageDates = 18;
inline constexpr int MarriageNotes = 19;
inline constexpr int Source = 20;
inline constexpr int Notes = 21;
inline constexpr int PageNumbers = 22;
inline constexpr int BreakLine = 23;
inline constexpr int PrintToFile = 24;
inline constexpr int Count = 25;
}  // namespace item1

enum class SortBy : std::uint8_t { Number = 0, Name = 1 };
// The family-names list: comma separated, or in 4 or 3 columns.
enum class ListFormat : std::uint8_t { Comma = 0, FourColumns = 1, ThreeColumns = 2 };

struct SheetOptions {
  int request = request::DataSheet;
  std::array<bool, item1::Count> items{};
  SortBy sort = SortBy::Number;
  ListFormat format = ListFormat::Comma;
  std::string family_name;  // request 5: the family name to list (CP1252)

  bool ticked(int index) const { return index >= 0 && index < item1::Count && items[static_cast<std::size_t>(index)]; }
};

// The settings key of box `index` of the second array for `request`; empty
// outside 0..24 and for the hidden box.
std::string_view Item1Key(int request, int index);

// The options of `request` from a parsed settings file; missing keys take
// the shipped defaults.
SheetOptions LoadSheetOptions(const IniFile& ini, int request);
SheetOptions LoadSheetOptionsFrom(const std::string& settings_file, int request);
SheetOptions LoadSheetOptions(const Session& s, int request);
// Writes them to the request's section in one rewrite. False when it failed.
bool SaveSheetOptions(Session& s, const SheetOptions& o);
// The values SaveSheetOptions writes, added to `values`; false (nothing
// added) for a request without a section.
bool AddSheetOptions(std::vector<IniValue>& values, const SheetOptions& o);

}  // namespace vft::print
