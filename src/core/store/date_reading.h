// The first half of reading a date text (store/date_forms.h): its words,
// numbers and question-mark runs, and what they say as a date or a range.
// The second half, the stored form, is NormaliseDate's.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "store/date_forms.h"

namespace vft::datereading {

enum class Tok { Word, Num, Quest, Dash, Slash };
struct Token {
  Tok kind;
  std::string text;  // words lower-cased
};

// False for a character no date has (the text is then kept as written).
bool Tokenise(std::string_view t, std::vector<Token>& out);

// Fills the kind, qualifier and parts of `f`; false when the words make no
// date. `lost` is set when something read cannot be stored: a dual year, a
// qualifier on a range.
bool ReadValue(const std::vector<Token>& tokens, const DateReadRules& rules, DateForm& f, bool& lost);

}  // namespace vft::datereading
