#include "relations/fit_name.h"

#include <vector>

#include "common/cp1252.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft {
namespace {

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

}  // namespace

std::string FitName(const Session& s, const print::TextMeasure& measure, const print::Font& font, double box_width,
                    const PersonRecord& p) {
  return FitName(measure, font, box_width, cp1252::trim(p.GivenNames), display_famname(s, p));
}

std::string FitName(const print::TextMeasure& measure, const print::Font& font, double box_width,
                    const std::string& given, const std::string& fam) {
  const double available = box_width - kNameMargin;
  const std::string full = given + " " + fam;
  if (measure.width(full, font) <= available) return full;

  // Whole words from the left, each with the blank that will separate it from
  // what follows, in the room the family name leaves. The last given name is
  // the one a reader can best do without, so the short form never has it.
  const double room = available - measure.width(fam, font);
  const std::vector<std::string> words = words_of(given);
  std::string kept;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    std::string next = kept + " " + words[i];
    if (measure.width(next, font) > room) break;
    kept = std::move(next);
  }
  return cp1252::trim(kept) + " " + fam;
}

std::string FitName(const Session& s, const print::TextMeasure& measure, const print::Font& font, double box_width,
                    std::int16_t n) {
  PersonRecord p;
  if (!ReadStoredPerson(s, n, p)) return {};
  return FitName(s, measure, font, box_width, p);
}

}  // namespace vft
