// End-to-end runs of `vft dump`, `convert` and `check` as a subprocess.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include <unistd.h>

#include "common/cp1252.h"
#include "relations/delete_person.h"
#include "relations/lookups.h"
#include "store/familyfile.h"
#include "store/file_claim.h"
#include "store/records.h"
#include "run_tool.h"
#include "tree_gen.h"

using namespace vft;
using test::shell_quote;

namespace {

class Cli : public test::ToolTest {
 protected:
  // A generated tree saved as a Family file.
  std::string saved_tree(const std::string& name, int persons = 40, int marriages = 30) {
    test::TreeOptions o;
    o.persons = persons;
    o.marriages = marriages;
    test::generate_tree(t.s, o);
    return save(name);
  }
};

TEST_F(Cli, DumpConvertAndCheckKeepTheTree) {
  const std::string file = saved_tree("tree.vfl");
  const test::ToolRun dump = vft("dump " + shell_quote(file));
  ASSERT_EQ(dump.code, 0) << dump.err;
  EXPECT_EQ(dump.out.rfind("{\"NumPersons\":40,\"NumMarriages\":30,", 0), 0u);
  PersonRecord p;
  ASSERT_TRUE(ReadPersonRecord(t.s, 7, p));
  EXPECT_NE(dump.out.find("{\"PerNum\":7,\"FamName\":\"" + cp1252::to_utf8(cp1252::trim(p.FamName)) +
                          "\",\"GivenNames\":\"" + cp1252::to_utf8(cp1252::trim(p.GivenNames)) + "\""),
            std::string::npos);
  EXPECT_NE(dump.out.find("\"MarNum\":30,"), std::string::npos);

  // A repack dumps the same (the bytes of a repack are compared in the core tests).
  const std::string again = dir + "again.vfl";
  ASSERT_EQ(vft("convert " + shell_quote(file) + " " + shell_quote(again)).code, 0);
  EXPECT_EQ(vft("dump " + shell_quote(again)).out, dump.out);
}

TEST_F(Cli, RefusalsGoToStderrWithTheirCodesAndWriteNothing) {
  const std::string file = saved_tree("tree.vfl");
  const std::string out = dir + "out.vfl", open = dir + "open.vfl", none = dir + "none.ged";
  ASSERT_TRUE(test::put_file(dir + "notes.vfl", Bytes(3000, 'x')));
  ASSERT_TRUE(test::put_file(open, Bytes{'m', 'i', 'n', 'e'}));
  const std::string empty = "0 HEAD\r\n1 CHAR ANSI\r\n0 @S1@ SUBM\r\n1 NAME Me\r\n0 TRLR\r\n";
  ASSERT_TRUE(test::put_file(none, Bytes(empty.begin(), empty.end())));
  FamilyFileLock held;  // as another copy of the program holds a file
  ASSERT_EQ(held.take(open, LocalTime{}), FamilyFileLock::Taken::Yes);
  const struct {
    std::string args;
    int code;
    std::string says;
  } cases[] = {
      {"convert " + shell_quote(dir + "notes.vfl") + " " + shell_quote(out), 1, "is not a Vorlan Family Tree File"},
      // Said as a command-line tool: there is no open tree to leave unchanged.
      {"convert " + shell_quote(none) + " " + shell_quote(out), 1,
       "holds no individuals, so there is nothing to import.\nvft: " + out + " was not written\n"},
      {"convert " + shell_quote(file) + " " + shell_quote(open), 1,
       "open.vfl is open in Vorlan Family Tree, opened by "},
      {"dump " + shell_quote(dir + "missing.vfl"), 1, "missing.vfl"},
  };
  for (const auto& c : cases) {
    const test::ToolRun r = vft(c.args);
    EXPECT_EQ(r.code, c.code) << c.args;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_TRUE(r.out.empty()) << c.args;
  }
  EXPECT_FALSE(fileio::exists(out));
  EXPECT_EQ(test::file_text(open), "mine");
}

// Every command reads its options through its table: --help names each one
// and exits 0; an unknown option names itself and a missing value says so,
// both exit 2; a value is taken as it is, and after `--` all are files.
TEST_F(Cli, EveryCommandHelpsAndRefusesOptionsAlike) {
  const std::pair<std::string, std::string> commands[] = {
      {"dump", ""},
      {"check", ""},
      {"relate", ""},
      {"merge", ""},
      {"convert",
       "--flavour --submitter-name --submitter-address1 --submitter-address2 --submitter-address3 "
       "--submitter-phone --submitter-email"},
      {"print",
       "--chart --sheet --list --person --partner --generations --sort --format --text --paper --landscape "
       "--portrait --margins --font --items --all-items"},
      {"web", "--style --html --include-living-dates --colours"},
      {"chart", "--kind --person --generations --full-circle --dpi"},
      {"duplicates", "--min-score --limit --json"}};
  const std::string top = vft("help").out;
  for (const auto& [command, options] : commands) {
    EXPECT_NE(top.find("  vft " + command + " "), std::string::npos) << command;
    const test::ToolRun help = vft(command + " --help"), bad = vft(command + " a b c --bogus");
    EXPECT_EQ(help.code, 0) << command;
    std::istringstream names(options);
    for (std::string o; names >> o;) EXPECT_NE(help.out.find("\n  " + o + " "), std::string::npos) << command << o;
    EXPECT_EQ(bad.code, 2) << command;
    EXPECT_EQ(bad.err.rfind("vft: unknown option: --bogus\n", 0), 0u) << bad.err;
  }
  const std::string none = shell_quote(dir + "none.vfl");
  // The arguments, the exit code and the start of standard error.
  const std::tuple<std::string, int, std::string> rows[] = {
      {"web --style", 2, "vft: option --style needs a value\n"},
      {"print " + none + " o.pdf --list family-name", 2, "vft: --list family-name needs a family name\n"},
      {"frobnicate", 2, "vft: unknown command: frobnicate\n"},
      {"dump", 2, "vft: dump needs a Family file\n"},
      {"duplicates --json " + none + " " + none, 2, "vft: duplicates needs one Family file\n"},
      {"convert --submitter-name --json --flavour 7.0 " + none + " o.ged", 1, "vft: no such file: " + dir},
      {"dump -- --help", 1, "vft: no such file: --help\n"}};
  for (const auto& [args, code, err] : rows) {
    const test::ToolRun run = vft(args);
    EXPECT_EQ(run.code, code) << args;
    EXPECT_EQ(run.err.rfind(err, 0), 0u) << args << "\n" << run.err;
  }
}

// A sound tree passes and a broken one fails with the count (which faults are
// found, and their words, is the core tests' of the tree check).
TEST_F(Cli, CheckNamesWhatIsBroken) {
  EXPECT_EQ(vft("check " + shell_quote(saved_tree("tree.vfl"))).code, 0);
  std::int16_t m = 1;
  while (t.s.Marriages[static_cast<std::size_t>(m)].Husband < 1 ||
         t.s.Marriages[static_cast<std::size_t>(m)].NumKids < 1)
    ++m;
  const MarriageRecord& f = t.s.Marriages[static_cast<std::size_t>(m)];
  const std::int16_t up = ParentFamilyOf(t.s, f.Husband);
  // The first child becomes the father of his father.
  t.s.Marriages[static_cast<std::size_t>(up)].Husband = f.Kids[0];
  ASSERT_TRUE(WriteMarriageOnly(t.s, up, t.s.Marriages[static_cast<std::size_t>(up)]));
  const test::ToolRun r = vft("check " + shell_quote(save("loop.vfl")));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("problem(s) found."), std::string::npos) << r.out;
}

TEST_F(Cli, ConvertReportsWhatItLeftOut) {
  const std::string loop = dir + "loop.ged", out = dir + "out.vfl";
  // Identifiers with letters, a person who is his own child and a source citation.
  const std::string text =
      "0 HEAD\r\n1 CHAR ANSI\r\n0 @P1@ INDI\r\n1 NAME Al /Loop/\r\n1 SEX M\r\n1 SOUR @S1@\r\n"
      "0 @X1@ FAM\r\n1 HUSB @P1@\r\n1 CHIL @P1@\r\n0 TRLR\r\n";
  ASSERT_TRUE(test::put_file(loop, Bytes(text.begin(), text.end())));
  const test::ToolRun c = vft("convert " + shell_quote(loop) + " " + shell_quote(out));
  EXPECT_EQ(c.code, 0) << c.err;
  EXPECT_EQ(c.err, "");
  EXPECT_EQ(c.out,
            "Imported 1 person and 1 family from loop.ged; 1 problem, see below.\n"
            "Added 1 placeholder partner for a family in which the file names one partner only.\n"
            "1 source citation was not imported.\n\n"
            "The following individuals would have been their own ancestors; these links were left out:\n"
            "Number 1  Al Loop  (as a child of Family 1)\n");
}

// Each flavour of a generated tree (a deleted partner, dates in words) is
// written as asked; that each comes back field by field is the core tests'
// round trip. The 7.0 files, of it and of the sample tree, pass the structure
// checker written from the GEDCOM 7.0 standard, as does the standard's own
// test file.
TEST_F(Cli, GedcomFlavoursAsAskedAnd70PassesTheStructureCheck) {
  test::TreeOptions o;
  o.persons = 300;
  o.marriages = 220;
  o.real_world_dates = true;
  test::generate_tree(t.s, o);
  std::size_t m = 1;
  while (m < 200 && t.s.Marriages[m].Husband < 1) ++m;
  ASSERT_TRUE(MarkPersonDeleted(t.s, t.s.Marriages[m].Husband));
  save("tree.vfl");
  std::filesystem::copy_file(VFT_SOURCE_DIR "/examples/sample.vfl", dir + "sample.vfl");
  struct Case {
    const char *tree, *options, *marker;
  };
  std::string checked;
  int i = 0;
  for (const Case& c :
       {Case{"tree", "", "1 CHAR ANSI\r\n"},
        Case{"tree", "--flavour 5.5.1 --submitter-name 'Ann Example' ", "1 NAME Ann Example\r\n"},
        Case{"tree", "--flavour 7 ", "2 VERS 7.0\r\n"}, Case{"sample", "--flavour 7 ", "2 VERS 7.0\r\n"}}) {
    const std::string in = dir + c.tree + ".vfl", ged = dir + std::to_string(++i) + ".ged";
    const test::ToolRun e = vft("convert " + std::string(c.options) + shell_quote(in) + " " + shell_quote(ged));
    ASSERT_EQ(e.code, 0) << e.err;
    const std::string g = test::file_text(ged);
    EXPECT_NE(g.find(c.marker), std::string::npos) << c.options;
    if (std::string(c.marker).find("7.0") != std::string::npos) checked += " " + shell_quote(ged);
  }
  const std::string maximal = VFT_TESTDATA_DIR "/gedcom/maximal70.ged";
  if (std::filesystem::exists(maximal)) checked += " " + shell_quote(maximal);
  const test::ToolRun c =
      test::run_tool("python3 " + shell_quote(VFT_SOURCE_DIR "/tools/gedcom7_check.py") + checked, dir + "stderr.txt");
  EXPECT_EQ(c.code, 0) << c.out << c.err;
}

// The tool's temporary folder goes with it however it is stopped, and a
// later run clears what a run killed outright left behind.
TEST_F(Cli, TheWorkFolderGoesWhenTheToolIsStoppedOrWasKilled) {
  const std::string file = saved_tree("big.vfl", 2000, 1500);  // its dump is more than a pipe holds
  const std::string tmp = dir + "tmp/", dead = tmp + "vft-cli-2147483646-abcdef";
  auto ours = [&] { return std::distance(std::filesystem::directory_iterator(tmp), {}); };
  for (int sig : {SIGTERM, SIGINT, SIGPIPE}) {
    std::filesystem::create_directories(dead + "/work");  // a run killed outright (no such process)
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      setenv("TMPDIR", tmp.c_str(), 1);
      // As from a terminal: a shell without job control starts background
      // jobs with SIGINT ignored, which the tool rightly keeps ignoring.
      signal(sig, SIG_DFL);
      execl(VFT_CLI_PATH, "vft", "dump", file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    for (int i = 0; i < 1000 && (std::filesystem::exists(dead) || ours() != 1); ++i) usleep(10000);
    EXPECT_FALSE(std::filesystem::exists(dead)) << sig;
    EXPECT_EQ(ours(), 1) << sig;  // its own, while it waits to write
    if (sig == SIGPIPE) close(out[0]);
    else kill(child, sig);
    int status = 0;
    waitpid(child, &status, 0);
    if (sig != SIGPIPE) close(out[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
    EXPECT_EQ(ours(), 0) << sig;
  }
}

}  // namespace
