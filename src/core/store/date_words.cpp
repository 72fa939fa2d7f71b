#include "store/date_words.h"

#include <algorithm>
#include <array>

namespace vft {
namespace {

struct Word {
  std::string_view text;
  DateWord meaning;
};

// Whole words only: "apr" must stay April, so no qualifier is matched by a
// prefix. Accented letters are CP1252 bytes.
constexpr Word kWords[] = {
    {"abt", DateWord::About},
    {"about", DateWord::About},
    {"approx", DateWord::About},
    {"approximately", DateWord::About},
    {"around", DateWord::About},
    {"circa", DateWord::About},
    {"c", DateWord::About},
    {"ca", DateWord::About},
    {"cir", DateWord::About},
    {"um", DateWord::About},
    {"etwa", DateWord::About},
    {"vers", DateWord::About},
    {"env", DateWord::About},
    {"environ", DateWord::About},
    {"cal", DateWord::Calculated},
    {"calc", DateWord::Calculated},
    {"calculated", DateWord::Calculated},
    {"est", DateWord::Estimated},
    {"estimated", DateWord::Estimated},
    {"bef", DateWord::Before},
    {"before", DateWord::Before},
    {"vor", DateWord::Before},
    {"avant", DateWord::Before},
    {"aft", DateWord::After},
    {"after", DateWord::After},
    {"nach", DateWord::After},
    {"apr\xE8s", DateWord::After},
    {"from", DateWord::From},
    {"von", DateWord::From},
    {"to", DateWord::To},
    {"bis", DateWord::To},
    {"till", DateWord::To},
    {"until", DateWord::To},
    {"\xE0", DateWord::To},
    {"bet", DateWord::Between},
    {"btw", DateWord::Between},
    {"between", DateWord::Between},
    {"zwischen", DateWord::Between},
    {"entre", DateWord::Between},
    {"and", DateWord::And},
    {"und", DateWord::And},
    {"et", DateWord::And},
    {"int", DateWord::Interpreted},
    {"bc", DateWord::BeforeChrist},
    {"bce", DateWord::BeforeChrist},
    {"b", DateWord::BeforeChrist},
    {"julian", DateWord::Julian},
    {"gregorian", DateWord::Gregorian},
    {"hebrew", DateWord::OtherCalendar},
    {"french_r", DateWord::OtherCalendar},
    {"st", DateWord::Ordinal},
    {"nd", DateWord::Ordinal},
    {"rd", DateWord::Ordinal},
    {"th", DateWord::Ordinal},
};

constexpr std::array<std::string_view, 12> kFull = {"January",   "February", "March",    "April",
                                                    "May",       "June",     "July",     "August",
                                                    "September", "October",  "November", "December"};
constexpr std::array<std::string_view, 12> kAbbrev = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct MonthName {
  std::string_view text;  // lower case
  int month;
};
// English, German and French. A cut name must match the start of names of a
// single month only ("jui" could be juin or juillet and is refused).
constexpr MonthName kMonths[] = {
    {"january", 1},
    {"february", 2},
    {"march", 3},
    {"april", 4},
    {"may", 5},
    {"june", 6},
    {"july", 7},
    {"august", 8},
    {"september", 9},
    {"october", 10},
    {"november", 11},
    {"december", 12},
    {"januar", 1},
    {"j\xE4nner", 1},
    {"februar", 2},
    {"m\xE4rz", 3},
    {"mai", 5},
    {"juni", 6},
    {"juli", 7},
    {"oktober", 10},
    {"dezember", 12},
    {"janvier", 1},
    {"f\xE9vrier", 2},
    {"mars", 3},
    {"avril", 4},
    {"juin", 6},
    {"juillet", 7},
    {"ao\xFBt", 8},
    {"septembre", 9},
    {"octobre", 10},
    {"novembre", 11},
    {"d\xE9"
     "cembre",
     12},
};

}  // namespace

DateWord DateWordOf(std::string_view lower) {
  for (const Word& w : kWords)
    if (w.text == lower) return w.meaning;
  return DateWord::None;
}

int MonthOfWord(std::string_view lower) {
  if (lower.size() < 3) return 0;
  int found = 0;
  for (const MonthName& m : kMonths) {
    if (lower.size() > m.text.size() || m.text.substr(0, lower.size()) != lower) continue;
    if (lower.size() == m.text.size()) return m.month;  // a whole name settles it
    if (found != 0 && found != m.month) return 0;
    found = m.month;
  }
  return found;
}

std::string_view FullMonthName(int month) {
  return month >= 1 && month <= 12 ? kFull[static_cast<std::size_t>(month - 1)] : std::string_view();
}

std::string_view MonthAbbrev(int month) {
  return month >= 1 && month <= 12 ? kAbbrev[static_cast<std::size_t>(month - 1)] : std::string_view("???");
}

std::string DayMonthYear(int year, int month, int day) {
  return std::to_string(day) + " " + std::string(MonthAbbrev(std::clamp(month, 1, 12))) + " " + std::to_string(year);
}

}  // namespace vft
