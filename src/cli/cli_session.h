// A session for one command of the command-line tool: its own temporary work
// and settings folders, so batch work never touches the user's own settings.
#pragma once
#include <string>

#include "common/prompter.h"
#include "store/familyfile.h"
#include "store/session.h"

namespace vft::cli {

// Prints each message box to stderr. The tool is never interactive: questions
// are answered No (or Cancel), so nothing is changed on the user's behalf.
class StderrPrompter : public Prompter {
 public:
  int ask(const Message& m) override;
  // Batch import answers Yes to its questions (the identifier question).
  bool answer_yes = false;
};

class CliSession {
 public:
  CliSession();
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;
  bool ok() const { return ok_; }
  Session& session() { return s_; }
  StderrPrompter& prompter() { return prompter_; }
  // Opens `file` into the command's work folder; false when it cannot (the
  // reason is printed: no work folder, no such file, or the open's own
  // message). Commands that only look open for inspection.
  bool open(const std::string& file, OpenAccess access = OpenAccess::Inspect);

 private:
  StderrPrompter prompter_;
  Session s_{prompter_};
  std::string root_;
  bool ok_ = false;
};

}  // namespace vft::cli
