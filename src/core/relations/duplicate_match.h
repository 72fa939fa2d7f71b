// The small comparisons the duplicate search is built of: names folded to
// plain capitals, a sound key for family names, a spelling likeness, given
// names with initials and nicknames, and dates read as the span of days they
// may stand for. Texts are CP1252 as the records keep them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vft::dup {

// Capitals A-Z and digits only: accents dropped (é -> E, ß -> S), everything that is no
// letter becomes a blank, runs of blanks one blank, no blank at the ends.
std::string Fold(std::string_view text);

// The sound class of a capital: '1'..'6', or 0 for vowels, H, W and Y.
char SoundClass(char c);

// A sound key for a family name: letters of one sound class share a digit
// (the first letter too, so Cole and Kohl meet), vowels and H, W, Y only
// separate, repeats are kept once; at most 6 characters. Empty for no letters.
std::string SoundKey(std::string_view folded);

// Likeness of two spellings, 0..1 (1 = the same); a shared beginning counts
// more, since names are mostly misspelt towards their end.
double Likeness(std::string_view a, std::string_view b);

// The usual full form of a folded given name ("BILL" -> "WILLIAM"); the name
// itself when it is no known short form.
std::string_view FullForm(std::string_view folded_token);

enum class GivenMatch {
  None,        // both have given names and no name of one fits one of the other
  Missing,     // one or both have none
  Some,        // a later name fits, the first ones do not
  FirstAlike,  // the first names fit by spelling, nickname or initial
  Reordered,   // the same names in another order
  Same,        // the same names
};

struct GivenComparison {
  GivenMatch match = GivenMatch::None;
  std::string reason;  // e.g. "nickname Bill for William", "initial J for John"
};

// Compares given names, each folded and split at blanks.
GivenComparison CompareGiven(const std::vector<std::string>& a, const std::vector<std::string>& b);

// The days a stored date may stand for, as ordinal day numbers (each month 31
// days: only order and distance matter). A date nobody can read, or a wholly
// unknown one, is not known.
struct DaySpan {
  bool known = false;
  bool exact = false;  // a complete date without a qualifier
  bool loose = false;  // about, before, after, ...: widened beyond what it names
  long lo = 0, hi = 0;
  int year = 0;  // the year the text names (its latest); 0 none
};
DaySpan SpanOf(std::string_view stored_date);
// Days between two spans: 0 when they meet.
long Gap(const DaySpan& a, const DaySpan& b);
inline constexpr long kDaysPerYear = 372;

}  // namespace vft::dup
