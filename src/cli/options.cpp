#include "options.h"

#include <algorithm>
#include <cstdio>

namespace vft::cli {
namespace {

constexpr std::size_t kHelpColumn = 33;

}  // namespace

std::string HelpText(const CommandLine& c) {
  std::string out = std::string("Usage:\n") + c.forms + (c.options.empty() ? "" : "Options:\n");
  const std::string indent = "\n" + std::string(kHelpColumn, ' ');
  for (const Option& o : c.options) {
    std::string line = "  " + o.name + (o.value.empty() ? "" : " " + o.value);
    // A long spelling puts its help on the lines below.
    line += line.size() + 1 < kHelpColumn ? std::string(kHelpColumn - line.size(), ' ') : indent;
    for (char ch : o.help) line += ch == '\n' ? indent : std::string(1, ch);
    out += line + "\n";
  }
  return c.more_help ? out + c.more_help() : out;
}

int UsageError(const CommandLine& c, const std::string& why) {
  std::fprintf(stderr, "vft: %s\n\nUsage:\n%s(vft %s --help lists its options)\n", why.c_str(), c.forms,
               c.name.c_str());
  return 2;
}

std::optional<int> ParseCommandLine(const CommandLine& c, int argc, char** argv, std::vector<std::string>& args) {
  bool options_end = false;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (options_end || (!a.starts_with("--") && a != "-h")) {
      args.push_back(a);
    } else if (a == "--") {
      options_end = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(HelpText(c).c_str(), stdout);
      return 0;
    } else {
      const auto o = std::find_if(c.options.begin(), c.options.end(), [&](const Option& x) { return x.name == a; });
      if (o == c.options.end()) return UsageError(c, "unknown option: " + a);
      OptionArg given;
      if (!o->value.empty()) {
        if (i + 1 >= argc) return UsageError(c, "option " + a + " needs a value");
        given.value = argv[++i];
      }
      given.next = [&](std::string& out) { return i + 1 < argc ? (out = argv[++i], true) : false; };
      if (const std::string why = o->take(given); !why.empty()) return UsageError(c, why);
    }
  }
  if (args.size() < c.least || args.size() > c.most) return UsageError(c, c.wrong_count);
  return std::nullopt;
}

}  // namespace vft::cli
