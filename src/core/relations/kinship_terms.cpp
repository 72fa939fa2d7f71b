#include "relations/kinship_terms.h"

#include <algorithm>
#include <cstdlib>

namespace vft {
namespace {

const char* pick(char sex, const char* male, const char* female, const char* neutral) {
  return sex == 'M' ? male : sex == 'F' ? female : neutral;
}

// "", "great-", "2nd great-", "3rd great-", ...
std::string greats(int n) {
  if (n <= 0) return "";
  if (n == 1) return "great-";
  return OrdinalNumber(n) + " great-";
}

std::string cousin_ordinal(int n) {
  static const char* const words[] = {"first", "second",  "third",  "fourth", "fifth",
                                      "sixth", "seventh", "eighth", "ninth",  "tenth"};
  return n >= 1 && n <= 10 ? words[n - 1] : OrdinalNumber(n);
}

std::string removed(int r) {
  static const char* const words[] = {"three", "four", "five", "six", "seven", "eight", "nine", "ten"};
  if (r <= 0) return "";
  if (r == 1) return " once removed";
  if (r == 2) return " twice removed";
  return " " + (r <= 10 ? std::string(words[r - 3]) : std::to_string(r)) + " times removed";
}

// Aunts, uncles, nieces and nephews have no neutral word.
bool gendered_only(int up, int down) { return (up == 1 && down >= 2) || (down == 1 && up >= 2); }

std::string with_half(const std::string& term, bool half) {
  if (!half) return term;
  const bool one_word = term.find_first_of(" -") == std::string::npos;
  return (one_word ? "half-" : "half ") + term;
}

}  // namespace

std::string OrdinalNumber(int n) {
  const int tens = n % 100;
  const char* suffix = "th";
  if (tens < 11 || tens > 13) {
    switch (n % 10) {
      case 1: suffix = "st"; break;
      case 2: suffix = "nd"; break;
      case 3: suffix = "rd"; break;
      default: break;
    }
  }
  return std::to_string(n) + suffix;
}

std::string BloodTerm(int up, int down, bool half, char sex) {
  if (sex != 'M' && sex != 'F' && gendered_only(up, down))
    return BloodTerm(up, down, half, 'F') + " or " + BloodTerm(up, down, half, 'M');
  std::string term;
  if (up == 0 || down == 0) {
    // A line of descent has no half form.
    const int gens = up + down;
    const std::string word = up == 0 ? pick(sex, "father", "mother", "parent") : pick(sex, "son", "daughter", "child");
    return gens == 1 ? word : greats(gens - 2) + "grand" + word;
  }
  if (up == 1 && down == 1) term = pick(sex, "brother", "sister", "sibling");
  else if (up == 1) term = greats(down - 2) + pick(sex, "uncle", "aunt", "");
  else if (down == 1) term = greats(up - 2) + pick(sex, "nephew", "niece", "");
  else term = cousin_ordinal(std::min(up, down) - 1) + " cousin" + removed(std::abs(up - down));
  return with_half(term, half);
}

std::string PartnerTerm(bool divorced, bool not_married, char sex) {
  const std::string word = not_married ? "partner" : pick(sex, "husband", "wife", "spouse");
  return divorced ? "former " + word : word;
}

std::string InLawTerm(bool relative_of_partner, int up, int down, bool half, char sex) {
  if (sex != 'M' && sex != 'F' && gendered_only(up, down))
    return InLawTerm(relative_of_partner, up, down, half, 'F') + " or " +
           InLawTerm(relative_of_partner, up, down, half, 'M');
  const std::string term = BloodTerm(up, down, half, sex);
  // A partner's ancestors are in-laws, an ancestor's partners step-relations;
  // the other way round for descendants.
  if (up == 0) return relative_of_partner ? term + "-in-law" : "step-" + term;
  if (down == 0) return relative_of_partner ? "step-" + term : term + "-in-law";
  if (up == 1 && down == 1) return term + "-in-law";
  return term + " by marriage";
}

std::string StepTerm(int up, int down, char sex) {
  if (sex != 'M' && sex != 'F' && gendered_only(up, down))
    return StepTerm(up, down, 'F') + " or " + StepTerm(up, down, 'M');
  return "step-" + BloodTerm(up, down, false, sex);
}

std::string StepSiblingTerm(char sex) { return std::string("step-") + pick(sex, "brother", "sister", "sibling"); }

std::string ParentWord(char sex) { return pick(sex, "father", "mother", "parent"); }
std::string ChildWord(char sex) { return pick(sex, "son", "daughter", "child"); }
std::string SiblingWord(char sex) { return pick(sex, "brother", "sister", "sibling"); }

}  // namespace vft
