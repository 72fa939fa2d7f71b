// A session on its own temporary folders, removed when the object goes away.
#pragma once
#include <memory>
#include <string>

#include "common/bytes.h"
#include "common/prompter.h"
#include "store/session.h"

namespace vft::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Ends with a separator.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Writes a whole file for a test's set-up, plainly (not through a session).
bool put_file(const std::string& path, const Bytes& data);

struct TempSession {
  TempDir dir;
  ScriptedPrompter prompter;
  Session s{prompter};
  // Work folder <dir>/work/, app data <dir>/appdata/, program folder <dir>/program;
  // "today" is 5 Dec 2026 12:00.
  TempSession();
};

}  // namespace vft::test
