// Any bytes must convert or be refused without a crash, a hang or unbounded
// memory; whatever converts must be a tree the relationship model accepts:
// every person a child of exactly one family, references within the persons,
// at most 41 children, both partners or none, partners stored by sex.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/prompter.h"
#include "interchange/gedcom_import.h"
#include "store/session.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void check_tree(const vft::GedcomConversion& c) {
  const std::size_t n = c.persons.size();
  check(c.notes.size() == n && c.ceremonies.size() == c.families.size());
  std::vector<int> child_of(n + 1, 0);
  for (const auto& f : c.families) {
    check(f.NumKids >= 0 && f.NumKids <= vft::kMaxKids);
    check((f.Husband == 0) == (f.Wife == 0));
    check(f.Husband >= 0 && static_cast<std::size_t>(f.Husband) <= n);
    check(f.Wife >= 0 && static_cast<std::size_t>(f.Wife) <= n);
    if (f.Husband) check(c.persons[static_cast<std::size_t>(f.Husband - 1)].Sex == "M");
    if (f.Wife) check(c.persons[static_cast<std::size_t>(f.Wife - 1)].Sex == "F");
    for (int k = 0; k < f.NumKids; ++k) {
      int p = f.Kids[static_cast<std::size_t>(k)];
      check(p >= 1 && static_cast<std::size_t>(p) <= n);
      ++child_of[static_cast<std::size_t>(p)];
    }
  }
  for (std::size_t p = 1; p <= n; ++p) check(child_of[p] == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One session for all runs: its marriage table is large to set up.
  static vft::ScriptedPrompter prompter;  // answers Yes to the identifier question
  // A session is not copied or moved (it owns the lock and the writer), so
  // it is made in place and lives as long as the process.
  static vft::Session& s = *[] {
    auto* x = new vft::Session(prompter);
    x->WorkFolder = "/nonexistent-vft-fuzz/";
    x->now = [] { return vft::LocalTime{2026, 12, 5, 12, 0, 0}; };
    return x;
  }();
  prompter.shown.clear();
  vft::GedcomConversion c;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vft::ImportResult r = vft::ConvertGedcom(s, bytes, "fuzz.ged", {}, c);
  if (r.status == vft::ImportStatus::Converted) check_tree(c);
  return 0;
}
