#include "tree_gen_data.h"

#include <array>
#include <string_view>

namespace vft::test::gen {
namespace {

template <std::size_t N>
std::string pick(Rng& r, const std::array<std::string_view, N>& a) {
  return std::string(a[static_cast<std::size_t>(r.below(static_cast<int>(N)))]);
}

constexpr std::array<std::string_view, 20> kFamily = {
    "Smith",  "Brown", "Taylor", "Wilson", "Walker", "Wright", "Hughes", "Green", "Hall",   "Wood",
    "Clarke", "Ward",  "Turner", "Hill",   "Moore",  "Cooper", "Baker",  "Jones", "Morgan", "Evans"};
constexpr std::array<std::string_view, 12> kFamilyAccented = {
    "M\xFC"
    "ller",
    "\x8A"
    "mid",
    "Garc\xED"
    "a",
    "Lef\xE8"
    "vre",
    "\xD8"
    "stergaard",
    "Br\xE4nnstr\xF6m",
    "Nu\xF1"
    "ez",
    "C\xF4t\xE9",
    "\x8E"
    "elezn\xFD",
    "O'Br\xED"
    "en",
    "D\xFCrer",
    "Ferreira da Concei\xE7\xE3o"};
constexpr std::array<std::string_view, 14> kMale = {"John",      "William", "Thomas",         "George", "James",
                                                    "Henry",     "Robert",  "Edward",         "Arthur", "Albert",
                                                    "Frederick", "Walter",  "Charles Edward", "Samuel"};
constexpr std::array<std::string_view, 8> kMaleAccented = {
    "Fran\xE7ois",
    "J\xFCrgen",
    "Andr\xE9",
    "Ren\xE9",
    "Bj\xF6rn",
    "Jos\xE9 Mar\xED"
    "a",
    "S\xF8ren",
    "Zdene\x9A"
    "k"};  // the last one keeps a CP1252 0x9A (s caron) in lower case
constexpr std::array<std::string_view, 14> kFemale = {
    "Mary",  "Elizabeth", "Anne", "Sarah",   "Margaret", "Alice",           "Emma",
    "Edith", "Florence",  "Ada",  "Harriet", "Martha",   "Mary Ann Louise", "Jane"};
constexpr std::array<std::string_view, 8> kFemaleAccented = {"\xC9lodie",
                                                             "Zo\xEB",
                                                             "Ma\xEBlle",
                                                             "Ren\xE9"
                                                             "e",
                                                             "In\xEAs",
                                                             "Ag\xE1ta",
                                                             "\xC5sa",
                                                             "Fran\xE7oise"};
constexpr std::array<std::string_view, 12> kPlace = {"Leeds, Yorkshire", "Bradford", "Cardiff", "Dublin",
                                                     "Wakefield",        "York",     "Bristol", "St Peter's, Leeds",
                                                     "Halifax",          "Glasgow",  "Norwich", "Bath"};
constexpr std::array<std::string_view, 8> kPlaceAccented = {"K\xF6ln",
                                                            "Z\xFCrich",
                                                            "S\xE3o Paulo",
                                                            "Malm\xF6",
                                                            "Montr\xE9"
                                                            "al",
                                                            "Orl\xE9"
                                                            "ans",
                                                            "Bras\xED"
                                                            "lia",
                                                            "G\xF6teborg"};
constexpr std::array<std::string_view, 10> kOccupation = {
    "Weaver", "Miner", "Teacher", "Farmer", "Seamstress", "Clerk", "Blacksmith", "Engine fitter", "Nurse", "Carpenter"};
constexpr std::array<std::string_view, 12> kMonth = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 10> kSentence = {"Born in the old farmhouse by the mill.",
                                                        "Emigrated in 1852 with the whole family.",
                                                        "Letters kept in the blue box in the attic.",
                                                        "Served in the militia for six years.",
                                                        "Known as \x93Old Tom\x94 in the village.",
                                                        "Paid \x80"
                                                        "5 for the lease of the cottage.",
                                                        "Baptism entry is hard to read; the date may be wrong.",
                                                        "Buried beside the church wall, no stone.",
                                                        "Ran the caf\xE9 on the corner \x96 open till 1931.",
                                                        "See the parish register, page 14."};

}  // namespace

std::string family_name(Rng& r, bool accented) {
  return accented && r.chance(0.3) ? pick(r, kFamilyAccented) : pick(r, kFamily);
}

std::string given_name(Rng& r, char sex, bool accented) {
  bool acc = accented && r.chance(0.3);
  if (sex == 'F') return acc ? pick(r, kFemaleAccented) : pick(r, kFemale);
  if (sex == 'M') return acc ? pick(r, kMaleAccented) : pick(r, kMale);
  return r.chance(0.5) ? pick(r, kMale) : pick(r, kFemale);
}

std::string place(Rng& r, bool accented) {
  return accented && r.chance(0.3) ? pick(r, kPlaceAccented) : pick(r, kPlace);
}

std::string full_width_place(Rng& r, std::size_t width) {
  std::string s = "Parish of " + pick(r, kPlace) + ", in the county";
  while (s.size() < width) s += " of " + pick(r, kPlace);
  s.resize(width);
  if (s.back() == ' ') s.back() = 'x';
  return s;
}

std::string occupation(Rng& r, bool accented) {
  return accented && r.chance(0.1) ? "Caf\xE9 owner" : pick(r, kOccupation);
}

std::string date(Rng& r, int year, bool real_world) {
  int kind = r.below(10);
  std::string y = std::to_string(year);
  if (kind == 0) return "? ??? " + y;
  if (kind == 1) return "? " + pick(r, kMonth) + " " + y;
  if (real_world) {
    switch (kind) {
      case 2: return y;
      case 3: return "ABT " + y;
      case 4: return "BEF " + pick(r, kMonth) + " " + y;
      case 5: return y + "-" + std::to_string(year + r.range(1, 5));
      case 6: return "EST " + pick(r, kMonth) + " " + y;
      case 7: return "Easter " + y;
      default: break;
    }
  }
  return std::to_string(r.range(1, 28)) + " " + pick(r, kMonth) + " " + y;
}

std::string phone(Rng& r) {
  return "0" + std::to_string(r.range(1000, 9999)) + " " + std::to_string(r.range(100000, 999999));
}

std::string source(Rng& r) {
  return r.chance(0.5) ? "Parish register" : "Census " + std::to_string(r.range(184, 191)) + "1";
}

std::string notes(Rng& r, std::size_t length, bool accented) {
  std::string s;
  while (s.size() < length) {
    if (!s.empty()) s += r.chance(0.4) ? "\r\n" : " ";
    std::string sentence = pick(r, kSentence);
    if (!accented)
      for (char& c : sentence)
        if (static_cast<unsigned char>(c) >= 0x80) c = '-';
    s += sentence;
  }
  s.resize(length);
  if (!s.empty() && s.front() == ' ') s.front() = '*';
  if (!s.empty() && s.back() == ' ') s.back() = '.';
  return s;
}

std::size_t notes_length(Rng& r) {
  if (r.chance(0.25)) return static_cast<std::size_t>(42 * r.range(1, 7));
  return static_cast<std::size_t>(r.range(0, 300));
}

}  // namespace vft::test::gen
