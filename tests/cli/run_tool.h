// Running the vft tool as a subprocess from the end-to-end tests.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>

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

// A written file's bytes as text; empty when it cannot be read.
inline std::string file_text(const std::string& path) {
  auto b = fileio::read_all(path);
  return b ? std::string(b->begin(), b->end()) : std::string();
}

// The page count and the first page's size in points ("595x842"), read from
// the PDF itself.
inline int pdf_pages(const std::string& pdf) {
  std::smatch m;
  return std::regex_search(pdf, m, std::regex("/Type /Pages[^>]*/Count (\\d+)")) ? std::stoi(m[1]) : -1;
}
inline std::string pdf_size(const std::string& pdf) {
  std::smatch m;
  return std::regex_search(pdf, m, std::regex("/MediaBox \\[0 0 (\\d+)\\.\\d+ (\\d+)\\.\\d+\\]"))
             ? std::string(m[1]) + "x" + std::string(m[2])
             : std::string();
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
