// The error list of the import window. The first section is the one the
// program always had (unreadable notes); the others say what the relationship
// model could not take from other programs' files, so nothing is left out
// without the user being told.
#include <string>

#include "common/session.h"
#include "interchange/gedcom_import_internal.h"

namespace vft::gedcom {

std::string ErrorListText(const ImportProblems& pr, const GedcomConversion& c, int persons_before,
                          int families_before) {
  auto person = [&](int n) {
    return "Number " + std::to_string(persons_before + n) + "  " +
           ListName(c.persons[static_cast<std::size_t>(n - 1)]);
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
  if (!pr.notes_cut.empty()) {
    section("The notes of the following individuals were shortened because the notes file is full:");
    for (int n : pr.notes_cut) t += person(n) + CrLf;
  }
  if (!t.empty()) t += "Click 'Print' to print this list.";
  return t;
}

}  // namespace vft::gedcom
