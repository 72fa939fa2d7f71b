// End-to-end runs of the vft tool as a subprocess.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "common/cp1252.h"
#include "relations/delete_person.h"
#include "relations/lookups.h"
#include "store/familyfile.h"
#include "store/file_claim.h"
#include "store/file_io.h"
#include "store/records.h"
#include "temp_session.h"
#include "run_tool.h"
#include "tree_gen.h"

using namespace vft;

namespace {

using CliRun = test::ToolRun;
std::string quote(const std::string& s) { return test::shell_quote(s); }

CliRun vft_run(const std::string& args, const std::string& scratch) {
  return test::run_tool(quote(VFT_CLI_PATH) + " " + args, scratch + "stderr.txt");
}

class Cli : public ::testing::Test {
 protected:
  test::TempSession t;
  std::string dir = t.dir.path();

  // A generated tree saved as a Family file.
  std::string saved_tree(const std::string& name, int persons = 40, int marriages = 30) {
    test::TreeOptions o;
    o.persons = persons;
    o.marriages = marriages;
    test::generate_tree(t.s, o);
    std::string file = dir + name;
    EXPECT_EQ(SaveFamilyFile(t.s, t.s.WorkFolder, file), -1);
    return file;
  }
};

}  // namespace

TEST_F(Cli, DumpPrintsEveryPersonAndMarriage) {
  std::string file = saved_tree("tree.vfl");
  CliRun r = vft_run("dump " + quote(file), dir);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"NumPersons\":40,\"NumMarriages\":30,", 0), 0u);
  PersonRecord p;
  ASSERT_TRUE(ReadPersonRecord(t.s, 7, p));
  std::string given = cp1252::to_utf8(cp1252::trim(p.GivenNames));
  EXPECT_NE(r.out.find("{\"PerNum\":7,\"FamName\":\"" + cp1252::to_utf8(cp1252::trim(p.FamName)) +
                       "\",\"GivenNames\":\"" + given + "\""),
            std::string::npos);
  EXPECT_NE(r.out.find("\"MarNum\":30,"), std::string::npos);
  EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(Cli, ConvertRepacksToTheSameTree) {
  std::string file = saved_tree("tree.vfl");
  std::string out = dir + "again.vfl";
  CliRun c = vft_run("convert " + quote(file) + " " + quote(out), dir);
  ASSERT_EQ(c.code, 0) << c.err;
  CliRun a = vft_run("dump " + quote(file), dir);
  CliRun b = vft_run("dump " + quote(out), dir);
  ASSERT_EQ(a.code, 0);
  EXPECT_EQ(a.out, b.out);
  // Apart from the time stamp, a repack of a repack is the same file.
  std::string out2 = dir + "third.vfl";
  ASSERT_EQ(vft_run("convert " + quote(out) + " " + quote(out2), dir).code, 0);
  auto x = fileio::read_all(out), y = fileio::read_all(out2);
  ASSERT_TRUE(x && y);
  ASSERT_EQ(x->size(), y->size());
  EXPECT_TRUE(std::equal(x->begin() + 8, x->end(), y->begin() + 8));
}

TEST_F(Cli, RefusalsGoToStderrAndWriteNothing) {
  std::string bogus = dir + "notes.vfl";
  Bytes junk(3000, 'x');
  ASSERT_TRUE(test::put_file(bogus, junk));
  std::string out = dir + "out.vfl";
  CliRun c = vft_run("convert " + quote(bogus) + " " + quote(out), dir);
  EXPECT_NE(c.code, 0);
  EXPECT_NE(c.err.find("is not a Vorlan Family Tree File"), std::string::npos);
  EXPECT_FALSE(fileio::exists(out));
  EXPECT_TRUE(c.out.empty());

  CliRun d = vft_run("dump " + quote(dir + "missing.vfl"), dir);
  EXPECT_NE(d.code, 0);
  EXPECT_TRUE(d.out.empty());

  CliRun u = vft_run("frobnicate", dir);
  EXPECT_EQ(u.code, 2);
  EXPECT_NE(u.err.find("Usage:"), std::string::npos);
}

TEST_F(Cli, CheckPassesASoundTreeAndNamesABrokenOne) {
  std::string file = saved_tree("tree.vfl");
  CliRun ok = vft_run("check " + quote(file), dir);
  EXPECT_EQ(ok.code, 0) << ok.out;

  // Take person 5 out of every family: a live person who is nobody's child.
  for (int m = 1; m <= t.s.Config.NumMarriages(); ++m) {
    MarriageRecord& f = t.s.Marriages[static_cast<std::size_t>(m)];
    for (int k = 0; k < f.NumKids; ++k)
      if (f.Kids[static_cast<std::size_t>(k)] == 5) {
        for (int j = k; j + 1 < f.NumKids; ++j) f.Kids[static_cast<std::size_t>(j)] = f.Kids[static_cast<std::size_t>(j + 1)];
        f.Kids[static_cast<std::size_t>(--f.NumKids)] = 0;
        t.s.MarBuf = f;
        ASSERT_TRUE(WriteMarriageOnly(t.s, static_cast<std::int16_t>(m)));
        break;
      }
  }
  std::string broken = dir + "broken.vfl";
  ASSERT_EQ(SaveFamilyFile(t.s, t.s.WorkFolder, broken), -1);
  CliRun bad = vft_run("check " + quote(broken), dir);
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.out.find("5"), std::string::npos);
  EXPECT_NE(bad.out.find("problem"), std::string::npos);
}

TEST_F(Cli, CheckAcceptsADeletedPartnerAndFindsALoop) {
  std::string file = saved_tree("tree.vfl");
  std::int16_t m = 1;
  while (t.s.Marriages[static_cast<std::size_t>(m)].Husband < 1 || t.s.Marriages[static_cast<std::size_t>(m)].NumKids < 1) ++m;
  MarriageRecord f = t.s.Marriages[static_cast<std::size_t>(m)];
  ASSERT_TRUE(MarkPersonDeleted(t.s, f.Wife > 0 ? f.Wife : f.Husband));
  ASSERT_EQ(SaveFamilyFile(t.s, t.s.WorkFolder, file), -1);
  EXPECT_EQ(vft_run("check " + quote(file), dir).code, 0);
  // The first child becomes the father of the family's husband.
  const std::int16_t father = f.Husband, child = f.Kids[0];
  const std::int16_t up = ParentFamilyOf(t.s, father);
  t.s.Marriages[static_cast<std::size_t>(up)].Husband = child;
  t.s.MarBuf = t.s.Marriages[static_cast<std::size_t>(up)];
  ASSERT_TRUE(WriteMarriageOnly(t.s, up));
  ASSERT_EQ(SaveFamilyFile(t.s, t.s.WorkFolder, file), -1);
  CliRun loop = vft_run("check " + quote(file), dir);
  EXPECT_EQ(loop.code, 1);
  EXPECT_NE(loop.out.find("is his or her own ancestor: family"), std::string::npos) << loop.out;
}

TEST_F(Cli, ConvertReportsLikeACommandLineTool) {
  const std::string head = "0 HEAD\r\n1 CHAR ANSI\r\n", trailer = "0 TRLR\r\n";
  const std::string loop = dir + "loop.ged", none = dir + "none.ged", out = dir + "out.vfl";
  // Identifiers with letters, a person who is his own child and a source citation.
  auto write = [](const std::string& path, const std::string& text) {
    return test::put_file(path, Bytes(text.begin(), text.end()));
  };
  ASSERT_TRUE(write(loop, head + "0 @P1@ INDI\r\n1 NAME Al /Loop/\r\n1 SEX M\r\n1 SOUR @S1@\r\n0 @X1@ FAM\r\n"
                          "1 HUSB @P1@\r\n1 CHIL @P1@\r\n" + trailer));
  CliRun c = vft_run("convert " + quote(loop) + " " + quote(out), dir);
  EXPECT_EQ(c.code, 0) << c.err;
  EXPECT_EQ(c.err, "");
  EXPECT_EQ(c.out,
            "Imported 1 person and 1 family from loop.ged; 1 problem, see below.\n"
            "Added 1 placeholder partner for a family in which the file names one partner only.\n"
            "1 source citation was not imported.\n\n"
            "The following individuals would have been their own ancestors; these links were left out:\n"
            "Number 1  Al Loop  (as a child of Family 1)\n");
  ASSERT_TRUE(write(none, head + "0 @S1@ SUBM\r\n1 NAME Me\r\n" + trailer));
  CliRun n = vft_run("convert " + quote(none) + " " + quote(dir + "none.vfl"), dir);
  EXPECT_EQ(n.code, 1);
  EXPECT_NE(n.err.find("holds no individuals"), std::string::npos) << n.err;
  EXPECT_FALSE(fileio::exists(dir + "none.vfl"));
}

// Each flavour of a generated tree (a deleted partner, dates in words) comes
// back in as a sound tree. The 7.0 files, of it and of the sample tree, pass
// the structure checker written from the GEDCOM 7.0 standard, as does the
// standard's own test file.
TEST_F(Cli, GedcomFlavoursComeBackAnd70PassesTheStructureCheck) {
  test::TreeOptions o;
  o.persons = 300;
  o.marriages = 220;
  o.real_world_dates = true;
  test::generate_tree(t.s, o);
  std::size_t m = 1;
  while (m < 200 && t.s.Marriages[m].Husband < 1) ++m;
  ASSERT_TRUE(MarkPersonDeleted(t.s, t.s.Marriages[m].Husband));
  ASSERT_EQ(SaveFamilyFile(t.s, t.s.WorkFolder, dir + "tree.vfl"), -1);
  std::filesystem::copy_file(VFT_SOURCE_DIR "/examples/sample.vfl", dir + "sample.vfl");
  struct Case {
    const char *tree, *options, *marker;
  };
  std::string checked;
  int i = 0;
  for (const Case& c : {Case{"tree", "", "1 CHAR ANSI\r\n"},
                        Case{"tree", "--flavour 5.5.1 --submitter-name 'Ann Example' ", "1 CHAR UTF-8\r\n"},
                        Case{"tree", "--flavour 7 ", "2 VERS 7.0\r\n"},
                        Case{"sample", "--flavour 7 ", "2 VERS 7.0\r\n"}}) {
    const std::string in = dir + c.tree + ".vfl", ged = dir + std::to_string(++i) + ".ged";
    CliRun e = vft_run("convert " + std::string(c.options) + quote(in) + " " + quote(ged), dir);
    ASSERT_EQ(e.code, 0) << e.err;
    const std::string g = test::file_text(ged);
    EXPECT_LE(g.find("0 HEAD\r\n"), 3u);  // after the byte-order mark of 7.0
    EXPECT_NE(g.find(c.marker), std::string::npos) << c.options;
    if (std::string(c.options).find("Ann") != std::string::npos) {
      EXPECT_NE(g.find("1 NAME Ann Example\r\n"), std::string::npos);
    }
    if (std::string(c.marker).find("7.0") != std::string::npos) checked += " " + quote(ged);
    ASSERT_EQ(vft_run("convert " + quote(ged) + " " + quote(ged + ".vfl"), dir).code, 0);
    CliRun check = vft_run("check " + quote(ged + ".vfl"), dir);
    EXPECT_EQ(check.code, 0) << check.out;
  }
  EXPECT_EQ(vft_run("convert --flavour 4 " + quote(dir + "tree.vfl") + " " + quote(dir + "x.ged"), dir).code, 2);
  const std::string maximal = VFT_TESTDATA_DIR "/gedcom/maximal70.ged";
  if (std::filesystem::exists(maximal)) checked += " " + quote(maximal);
  CliRun c = test::run_tool("python3 " + quote(VFT_SOURCE_DIR "/tools/gedcom7_check.py") + checked, dir + "stderr.txt");
  EXPECT_EQ(c.code, 0) << c.out << c.err;
}

namespace {

TEST_F(Cli, ConvertDoesNotWriteOverAFileAnotherProgramHasOpen) {
  const std::string file = saved_tree("tree.vfl");
  const std::string out = dir + "open.vfl";
  ASSERT_TRUE(test::put_file(out, Bytes{'m', 'i', 'n', 'e'}));
  FamilyFileLock held;
  ASSERT_EQ(held.take(out, LocalTime{}), FamilyFileLock::Taken::Yes);
  CliRun r = vft_run("convert " + quote(file) + " " + quote(out), dir);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("open.vfl is open in Vorlan Family Tree, opened by "), std::string::npos) << r.err;
  EXPECT_EQ(test::file_text(out), "mine");
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
      execl(VFT_CLI_PATH, "vft", "dump", file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    for (int i = 0; i < 1000 && (std::filesystem::exists(dead) || ours() != 1); ++i) usleep(10000);
    EXPECT_FALSE(std::filesystem::exists(dead)) << sig;
    EXPECT_EQ(ours(), 1) << sig;  // its own, while it waits to write
    if (sig == SIGPIPE) close(out[0]); else kill(child, sig);
    int status = 0;
    waitpid(child, &status, 0);
    if (sig != SIGPIPE) close(out[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
    EXPECT_EQ(ours(), 0) << sig;
  }
}

}  // namespace
