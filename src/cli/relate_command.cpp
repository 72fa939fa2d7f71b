#include "relate_command.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli_session.h"
#include "common/cp1252.h"
#include "options.h"
#include "relations/relationship.h"
#include "store/familyfile.h"
#include "store/file_io.h"

namespace vft::cli {
namespace {

// A Person number as typed: digits only; too long a number is out of range,
// not cut, so the check below refuses it by the number the user typed.
bool parse_number(const std::string& text, long& out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::stol(text);
  return true;
}

}  // namespace

int cmd_relate(int argc, char** argv) {
  const CommandLine line{"relate", kRelateUsage, {}, 3, 3, "relate needs a Family file and two Person numbers"};
  std::vector<std::string> args;
  if (auto done = ParseCommandLine(line, argc, argv, args)) return *done;
  long a = 0, b = 0;
  for (std::size_t i : {1, 2})
    if (!parse_number(args[i], i == 1 ? a : b)) return UsageError(line, "not a Person number: " + args[i]);

  CliSession cs;
  // Only looked at: it opens as the other inspecting commands do, while the
  // window has the tree open or other runs look at it too.
  if (!cs.open(args[0])) return 1;
  Session& s = cs.session();
  if (const std::string refused = CheckRelationshipPair(s, a, b); !refused.empty()) {
    std::fprintf(stderr, "vft: %s\n", refused.c_str());
    return 1;
  }
  const auto pa = static_cast<std::int16_t>(a), pb = static_cast<std::int16_t>(b);
  for (const std::string& line : RelationshipReport(s, pa, pb, FindRelationship(s, pa, pb)))
    std::printf("%s\n", cp1252::to_utf8(line).c_str());
  return 0;
}

}  // namespace vft::cli
