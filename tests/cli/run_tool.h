// Running the vft tool as a subprocess from the end-to-end tests.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "file_facts.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/records.h"
#include "temp_session.h"

namespace vft::test {

struct ToolRun {
  int code = -1;
  std::string out, err;
};

inline std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs `command` through the shell, standard error going to `errfile`.
inline ToolRun run_tool(const std::string& command, const std::string& errfile) {
  ToolRun r;
  FILE* p = popen((command + " 2>" + shell_quote(errfile)).c_str(), "r");
  if (!p) return r;
  char buf[65536];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (auto e = fileio::read_all(errfile)) r.err.assign(e->begin(), e->end());
  return r;
}

// A test that runs the tool on trees of its own session, saved in its folder.
class ToolTest : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  std::string dir = t.dir.path();
  std::string env;  // settings put before the command, as VAR=value

  ToolRun vft(const std::string& args) {
    return run_tool(env + shell_quote(VFT_CLI_PATH) + " " + args, dir + "stderr.txt");
  }
  // A session's tree as a Family file `name` in the test's folder.
  std::string save(const std::string& name) { return save(s, name); }
  std::string save(Session& from, const std::string& name) {
    if (from.Config.LastPerson() < 1) from.Config.setLastPerson(1);
    EXPECT_TRUE(WriteConfig(from));
    const std::string file = dir + name;
    EXPECT_EQ(SaveFamilyFile(from, from.WorkFolder, file), -1);
    return file;
  }
};

}  // namespace vft::test
