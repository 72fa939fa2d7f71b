// The error list of the import window and the summary's count of what was not
// kept. The first section of the list is the one the program always had
// (unreadable notes); the others say what the relationship model could not
// take from other programs' files, so nothing is left out without the user
// being told.
#include <array>
#include <string>

#include "interchange/gedcom_import_internal.h"
#include "store/session.h"

namespace vft::gedcom {
namespace {

// Persons named for characters replaced by "?"; a file in another alphabet
// would otherwise list everybody.
constexpr std::size_t kNamedReplaced = 20;

struct KindName {
  const char* one;
  const char* many;
};
// In the order of SkipKind.
constexpr std::array<KindName, static_cast<std::size_t>(SkipKind::Count)> kKindNames = {{
    {"source citation", "source citations"},
    {"source record", "source records"},
    {"media link", "media links"},
    {"media record", "media records"},
    {"title", "titles"},
    {"alternative name", "alternative names"},
    {"part of a name (prefix, nickname, suffix)", "parts of names (prefixes, nicknames, suffixes)"},
    {"other event or fact of a person", "other events and facts of persons"},
    {"other event of a family", "other events of families"},
    {"note on an event or a family", "notes on events and families"},
    {"detail of a divorce (date, place)", "details of divorces (dates, places)"},
    {"association", "associations"},
    {"record number or change date", "record numbers and change dates"},
    {"other record", "other records"},
    {"other detail", "other details"},
}};

std::string counted(long n, const char* one, const char* many) { return Thousands(n) + " " + (n == 1 ? one : many); }

}  // namespace

std::vector<std::string> NotKeptLines(const SkipLog& log, const ImportProblems& pr) {
  std::vector<std::string> out;
  std::string list;
  long total = 0;
  for (std::size_t k = 0; k < kKindNames.size(); ++k) {
    const long n = log.count(static_cast<SkipKind>(k));
    if (n == 0) continue;
    if (!list.empty()) list += ", ";
    list += counted(n, kKindNames[k].one, kKindNames[k].many);
    total += n;
  }
  if (total > 0) out.push_back(list + (total == 1 ? " was" : " were") + " not imported.");
  if (log.bad_lines() > 0) {
    // Which ones, so that they can be found in the file.
    const std::vector<std::uint32_t>& first = log.first_bad_lines();
    std::string which = first.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < first.size(); ++i) {
      if (i > 0) which += i + 1 == first.size() && log.bad_lines() == static_cast<long>(first.size()) ? " and " : ", ";
      which += std::to_string(first[i]);
    }
    if (log.bad_lines() > static_cast<long>(first.size()))
      which += " and " + Thousands(log.bad_lines() - static_cast<long>(first.size())) + " more";
    out.push_back(counted(log.bad_lines(), "line", "lines") + " could not be read and " +
                  (log.bad_lines() == 1 ? "was" : "were") + " left out: " + which + ".");
  }
  if (pr.replaced_texts > 0)
    out.push_back(counted(pr.replaced_texts, "text held", "texts held") +
                  " characters this program cannot store; they were replaced by ?.");
  if (pr.dates_reduced > 0)
    out.push_back(counted(pr.dates_reduced, "date was", "dates were") +
                  " shortened to fit the date field; the full text is in the notes.");
  return out;
}

std::string ErrorListText(const ImportProblems& pr, const GedcomConversion& c, int persons_before,
                          int families_before) {
  auto person = [&](int n) {
    return "Number " + std::to_string(persons_before + n) + "  " + ListName(c.persons[static_cast<std::size_t>(n - 1)]);
  };
  auto family = [&](int f) { return "Family " + std::to_string(families_before + f); };

  std::string t;
  // The list opens with a line break; later sections follow after a blank line.
  auto section = [&](const char* heading) {
    t += CrLf;
    t += heading;
    t += CrLf;
  };
  if (!pr.unreadable_notes.empty()) {
    section("The following individuals had unreadable GEDCOM notes:");
    for (int n : pr.unreadable_notes) t += person(n) + CrLf;
  }
  if (!pr.duplicates.empty()) {
    section("The following records have an identifier an earlier record already has; they were left out:");
    for (const std::string& d : pr.duplicates) t += d + CrLf;
  }
  if (!pr.own_ancestor.empty()) {
    section("The following individuals would have been their own ancestors; these links were left out:");
    for (auto [n, f] : pr.own_ancestor) t += person(n) + "  (as a child of " + family(f) + ")" + CrLf;
  }
  if (!pr.extra_children.empty()) {
    section("The following children were left out of families that already had 41 children:");
    for (auto [f, n] : pr.extra_children) t += person(n) + "  (" + family(f) + ")" + CrLf;
  }
  if (!pr.second_parents.empty()) {
    section("The following individuals are children in more than one family; only the first one keeps them:");
    for (auto [n, f] : pr.second_parents) t += person(n) + "  (not in " + family(f) + ")" + CrLf;
  }
  if (!pr.wrong_partner.empty()) {
    section("The following individuals could not be partners in a family because of their sex:");
    for (auto [f, n] : pr.wrong_partner) t += person(n) + "  (" + family(f) + ")" + CrLf;
  }
  if (!pr.impossible_dates.empty()) {
    section("The following dates have a day their month does not have; they were kept as written:");
    for (const auto& [n, d] : pr.impossible_dates) t += person(n) + "  (" + d + ")" + CrLf;
  }
  if (!pr.replaced_persons.empty()) {
    section("The following individuals had characters this program cannot store; they were replaced by ?:");
    for (std::size_t i = 0; i < pr.replaced_persons.size() && i < kNamedReplaced; ++i)
      t += person(pr.replaced_persons[i]) + CrLf;
    if (pr.replaced_persons.size() > kNamedReplaced)
      t += "and " + Thousands(static_cast<long>(pr.replaced_persons.size() - kNamedReplaced)) + " more" + CrLf;
  }
  if (!pr.notes_cut.empty()) {
    section("The notes of the following individuals were shortened because the notes file is full:");
    for (int n : pr.notes_cut) t += person(n) + CrLf;
  }
  if (!t.empty()) t += "Click 'Print' to print this list.";
  return t;
}

}  // namespace vft::gedcom

namespace vft {

std::string Thousands(long n) {
  std::string digits = std::to_string(n < 0 ? -n : n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

}  // namespace vft
