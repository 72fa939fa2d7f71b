// The command line of each vft command declared as one table: its options
// (spelling, value, help and where the value goes) and how many other
// arguments it takes. One parser reads every command, so each answers
// --help the same way and refuses a wrong option the same way.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/cp1252.h"

namespace vft::cli {

// What an option's action is handed: its value (empty for a flag) and, for a
// value that brings an argument of its own (`--list family-name NAME`), a way
// to take the argument after it.
struct OptionArg {
  std::string value;
  std::function<bool(std::string&)> next;
};
// Stores what the option says; returns why it is refused, or nothing.
using OptionAction = std::function<std::string(OptionArg&)>;

struct Option {
  std::string name;   // "--person"
  std::string value;  // the value as the help shows it ("N"); empty: a flag
  std::string help;   // may run over several lines
  OptionAction take;
};

struct CommandLine {
  std::string name;   // "print"
  const char* forms;  // the usage lines of the command, each "  vft print ...\n"
  std::vector<Option> options;
  std::size_t least = 0, most = 0;                   // arguments that are not options
  std::string wrong_count;                           // said when their number is not in [least, most]
  std::function<std::string()> more_help = nullptr;  // text after the options in --help
};

// The value kept as typed; a flag that puts `value` in `field`.
template <class T>
OptionAction Keep(T& field) {
  return [&field](OptionArg& v) { return field = v.value, std::string(); };
}
template <class T, class V>
OptionAction Put(T& field, V value) {
  return [&field, value](OptionArg&) { return field = value, std::string(); };
}
// One word of a fixed list, in any case: `field` gets the meaning paired with
// it. Anything else is refused: "unknown WHAT: VALUE (a, b or c)".
template <class T>
OptionAction OneOf(T& field, std::vector<std::pair<std::string, T>> words, std::string what) {
  return [&field, words = std::move(words), what = std::move(what)](OptionArg& v) {
    std::string list;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (cp1252::iequals(v.value, words[i].first)) return field = words[i].second, std::string();
      list += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i].first;
    }
    return "unknown " + what + ": " + v.value + " (" + list + ")";
  };
}

// Reads the arguments after the command word: options through their actions,
// the others into `args` (all of them after `--`). Returns an exit code when
// the command is not to run: 0 after --help, 2 after saying what is wrong.
std::optional<int> ParseCommandLine(const CommandLine& c, int argc, char** argv, std::vector<std::string>& args);
// "vft: WHY" and the command's usage on standard error; returns 2.
int UsageError(const CommandLine& c, const std::string& why);
// The --help text: usage, options, and the command's own notes.
std::string HelpText(const CommandLine& c);

}  // namespace vft::cli
