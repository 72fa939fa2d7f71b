#include "duplicates_command.h"

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "cli_session.h"
#include "common/cp1252.h"
#include "json_writer.h"
#include "options.h"
#include "relations/duplicates.h"
#include "relations/merge_persons.h"
#include "relations/person_io.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft::cli {
namespace {

// A count or score as typed: digits only, at most `most`.
bool parse_number(const std::string& text, long most, long& out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::stol(text);
  return out <= most;
}

}  // namespace

int cmd_duplicates(int argc, char** argv) {
  DuplicateSearch how;
  bool json = false;
  auto number = [](auto& field, const char* name, long most) {
    return [&field, name, most](OptionArg& v) {
      long n = 0;
      if (!parse_number(v.value, most, n)) return "not a valid value for " + std::string(name) + ": " + v.value;
      field = static_cast<std::remove_reference_t<decltype(field)>>(n);
      return std::string();
    };
  };
  const CommandLine line{
      "duplicates",
      kDuplicatesUsage,
      {{"--min-score", "N", "the lowest score shown, 1 to 100 (default 55)", number(how.min_score, "--min-score", 100)},
       {"--limit", "N", "at most N pairs", number(how.limit, "--limit", 1000000000L)},
       {"--json", "", "an array of {\"first\", \"second\", \"score\",\n\"reasons\"}", Put(json, true)}},
      1,
      1,
      "duplicates needs one Family file"};
  std::vector<std::string> args;
  if (auto done = ParseCommandLine(line, argc, argv, args)) return *done;
  const std::string& file = args[0];
  if (how.min_score < 1) how.min_score = 1;

  CliSession cs;
  if (!cs.open(file)) return 1;
  Session& s = cs.session();
  how.ignored = ReadIgnoredPairs(file);
  const std::vector<DuplicatePair> pairs = FindDuplicates(s, how);
  if (json) {
    std::string out = "[";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      const DuplicatePair& p = pairs[i];
      out += i ? ",\n " : "\n ";
      out += "{\"first\": " + std::to_string(p.first) + ", \"second\": " + std::to_string(p.second) +
             ", \"score\": " + std::to_string(p.score) + ", \"reasons\": [";
      for (std::size_t r = 0; r < p.reasons.size(); ++r) out += (r ? ", " : "") + json_string(p.reasons[r]);
      out += "]}";
    }
    out += pairs.empty() ? "]\n" : "\n]\n";
    std::fputs(out.c_str(), stdout);
    return 0;
  }
  for (const DuplicatePair& p : pairs) {
    std::string reasons;
    for (const std::string& r : p.reasons) reasons += (reasons.empty() ? "" : ", ") + r;
    std::printf("%3d  %d %s  /  %d %s\n     %s\n", p.score, p.first, cp1252::to_utf8(DisplayNameOf(s, p.first)).c_str(),
                p.second, cp1252::to_utf8(DisplayNameOf(s, p.second)).c_str(), cp1252::to_utf8(reasons).c_str());
  }
  return 0;
}

int cmd_merge(int argc, char** argv) {
  const CommandLine line{"merge", kMergeUsage, {}, 3, 3, "merge needs a Family file and two Person numbers"};
  std::vector<std::string> args;
  if (auto done = ParseCommandLine(line, argc, argv, args)) return *done;
  long keep = 0, drop = 0;
  if (!parse_number(args[1], 32767, keep) || keep < 1) return UsageError(line, "not a Person number: " + args[1]);
  if (!parse_number(args[2], 32767, drop) || drop < 1) return UsageError(line, "not a Person number: " + args[2]);
  const std::string& file = args[0];
  CliSession cs;
  // It writes the file: opened for editing, so the lock keeps the window and
  // other runs off it meanwhile.
  if (!cs.open(file, OpenAccess::Edit)) return 1;
  Session& s = cs.session();
  if (s.ReadOnly) {
    std::fprintf(stderr, "vft: %s cannot be written: nothing merged\n", file.c_str());
    return 1;
  }
  PersonRecord k, d;
  const auto pk = static_cast<std::int16_t>(keep), pd = static_cast<std::int16_t>(drop);
  MergePlan plan{pk, pd, {}};
  if (ReadStoredPerson(s, pk, k) && ReadStoredPerson(s, pd, d)) plan = DefaultMergePlan(k, d);
  plan.keep = pk, plan.drop = pd;
  const std::string names = DisplayNameOf(s, pk) + " (Person #" + std::to_string(pk) + ")";
  const MergeOutcome outcome = MergePersons(s, plan);
  if (!outcome.merged) return 1;  // the prompter has printed why
  std::string why;
  if (SaveFamilyFile(s, s.WorkFolder, file, SaveTarget::TreeFile, &why) != -1) {
    std::fprintf(stderr, "vft: %s was not saved%s%s\n", file.c_str(), why.empty() ? "" : ": ", why.c_str());
    return 1;
  }
  std::printf("Merged Person #%d into %s:\n", pd, cp1252::to_utf8(names).c_str());
  for (const std::string& line : outcome.done) std::printf("  %s\n", cp1252::to_utf8(line).c_str());
  return 0;
}

}  // namespace vft::cli
