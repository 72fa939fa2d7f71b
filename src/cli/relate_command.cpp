#include "relate_command.h"

#include <cstdio>
#include <string>

#include "cli_session.h"
#include "common/cp1252.h"
#include "relations/relationship.h"
#include "store/familyfile.h"
#include "store/file_io.h"

namespace vft::cli {
namespace {

int usage(const std::string& what) {
  std::fprintf(stderr, "vft: %s\n\nUsage:\n%s", what.c_str(), kRelateUsage);
  return 2;
}

// A Person number as typed: digits only; too long a number is out of range,
// not cut, so the check below refuses it by the number the user typed.
bool parse_number(const std::string& text, long& out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::stol(text);
  return true;
}

}  // namespace

int cmd_relate(int argc, char** argv) {
  if (argc != 3) return usage("relate needs a Family file and two Person numbers");
  long a = 0, b = 0;
  for (int i : {1, 2})
    if (!parse_number(argv[i], i == 1 ? a : b)) return usage(std::string("not a Person number: ") + argv[i]);

  CliSession cs;
  // Only looked at: it opens as the other inspecting commands do, while the
  // window has the tree open or other runs look at it too.
  if (!cs.open(argv[0])) return 1;
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
