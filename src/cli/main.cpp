// vft: batch work on Family files for users and scripts.
#include <cstdio>
#include <string>

#include "chart_command.h"
#include "commands.h"
#include "duplicates_command.h"
#include "print_command.h"
#include "relate_command.h"
#include "web_command.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(int argc, char** argv);  // the arguments after the command word
};

constexpr Command kCommands[] = {
    {"dump", vft::cli::kDumpUsage, vft::cli::cmd_dump},
    {"convert", vft::cli::kConvertUsage, vft::cli::cmd_convert},
    {"check", vft::cli::kCheckUsage, vft::cli::cmd_check},
    {"print", vft::cli::kPrintUsage, vft::cli::cmd_print},
    {"web", vft::cli::kWebUsage, vft::cli::cmd_web},
    {"relate", vft::cli::kRelateUsage, vft::cli::cmd_relate},
    {"chart", vft::cli::kChartUsage, vft::cli::cmd_chart},
    {"duplicates", vft::cli::kDuplicatesUsage, vft::cli::cmd_duplicates},
    {"merge", vft::cli::kMergeUsage, vft::cli::cmd_merge},
};

std::string usage() {
  std::string out = "Usage:\n";
  for (const Command& c : kCommands) out += c.usage;
  return out +
         "  vft help [COMMAND]             show this text, or a command's options\n"
         "vft COMMAND --help lists the options of a command.\n";
}

const Command* find_command(const std::string& name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string word = argc > 1 ? argv[1] : "";
  if (word == "help" || word == "--help" || word == "-h") {
    if (argc > 2 && find_command(argv[2])) {
      char help[] = "--help";
      char* args[] = {help, nullptr};
      return find_command(argv[2])->run(1, args);
    }
    std::fputs(usage().c_str(), stdout);
    return 0;
  }
  if (const Command* c = find_command(word)) return c->run(argc - 2, argv + 2);
  if (!word.empty()) std::fprintf(stderr, "vft: unknown command: %s\n\n", word.c_str());
  std::fputs(usage().c_str(), stderr);
  return 2;
}
