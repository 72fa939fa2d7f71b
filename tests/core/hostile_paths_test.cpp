// Names the program writes under that somebody else may have planted: pages
// in an output folder and the lock beside a Family file. Whatever stands
// there, nothing is written through it, nothing outside the written names
// changes, and nothing waits on a pipe.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <map>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "store/familyfile.h"
#include "store/file_write.h"
#include "tree_builder.h"
#include "web_pages_fixture.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

enum class Plant {
  LinkOutside,
  LinkInside,
  HardLink,
  LinkToPipe,
  Pipe,
  Socket,
  OtherOwner,
  ReadOnly,
  Dangling,
  Folder
};

// What stands under `name` afterwards, and what it led to, as text.
std::string state_of(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "none";
  if (S_ISLNK(st.st_mode)) return "link " + fs::read_symlink(path).string();
  if (S_ISFIFO(st.st_mode)) return "pipe";
  if (S_ISSOCK(st.st_mode)) return "socket";
  if (S_ISDIR(st.st_mode)) return "folder";
  return "file " + test::read_text(path);
}

// Every file below `dir` and what it holds.
std::map<std::string, std::string> snapshot(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir)) out[e.path().string()] = state_of(e.path().string());
  return out;
}

bool plant(Plant p, const std::string& at, const std::string& dir) {
  const std::string outside = dir + "tree.vfl", inside = dir + "site/notes.txt", pipe = dir + "pipe";
  switch (p) {
    case Plant::LinkOutside: return ::symlink(outside.c_str(), at.c_str()) == 0;
    case Plant::LinkInside: return ::symlink(inside.c_str(), at.c_str()) == 0;
    case Plant::HardLink: return ::link(outside.c_str(), at.c_str()) == 0;
    case Plant::LinkToPipe: return ::symlink(pipe.c_str(), at.c_str()) == 0;
    case Plant::Pipe: return ::mkfifo(at.c_str(), 0600) == 0;
    case Plant::Dangling: return ::symlink((dir + "gone").c_str(), at.c_str()) == 0;
    case Plant::Folder: return ::mkdir(at.c_str(), 0700) == 0;
    case Plant::Socket: {
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un a{};
      a.sun_family = AF_UNIX;
      at.copy(a.sun_path, sizeof a.sun_path - 1);
      const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
      ::close(fd);
      return ok;
    }
    case Plant::OtherOwner:
    case Plant::ReadOnly:
      return test::put_file(at, Bytes{'o', 'l', 'd'}) &&
             (p == Plant::ReadOnly ? ::chmod(at.c_str(), 0444) == 0
                                   : ::geteuid() != 0 || ::chown(at.c_str(), 4242, 4242) == 0);
  }
  return false;
}

// A run that hangs fails the test instead of stopping the suite.
template <typename F>
auto within_a_minute(F&& f) {
  auto done = std::async(std::launch::async, std::forward<F>(f));
  if (done.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    ADD_FAILURE() << "hangs";
    std::_Exit(1);
  }
  return done.get();
}

class HostilePaths : public test::WebPagesFixture {
 protected:
  std::string dir = t.dir.path() + "hostile/", site = dir + "site/";
  void SetUp() override {
    fs::create_directories(site);
    ASSERT_TRUE(test::put_file(dir + "tree.vfl", Bytes{'t', 'r', 'e', 'e'}));
    ASSERT_TRUE(test::put_file(site + "notes.txt", Bytes{'n'}));
    ASSERT_EQ(::mkfifo((dir + "pipe").c_str(), 0600), 0);
  }
};

TEST_F(HostilePaths, PagesReplaceWhatStandsUnderTheirNamesNeverWritingThroughIt) {
  test::TreeBuilder b(s);
  for (const char* n : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}) {
    const auto husband = b.person(n, "Husband", "M");
    b.family(husband, b.person(n, "Wife", "F"));
  }
  const struct {
    Plant plant;
    bool counted;
  } rows[] = {{Plant::LinkOutside, true},
              {Plant::LinkInside, true},
              {Plant::HardLink, true},
              {Plant::LinkToPipe, true},
              {Plant::Pipe, true},
              {Plant::Socket, true},
              {Plant::OtherOwner, ::geteuid() == 0},
              {Plant::ReadOnly, false},
              {Plant::Dangling, true}};
  for (WebStyle style : test::kStyles) {
    SCOPED_TRACE(static_cast<int>(style));
    o.style = style;
    o.folder = site;
    const test::Site pages = generate(style);
    std::vector<std::string> names;
    for (const auto& [name, html] : pages)
      if (name != "index.html") names.push_back(name);  // a foreign one refuses the run: web_site_test
    ASSERT_GE(names.size(), std::size(rows) + 1);
    // A page name that is a folder refuses the run before anything is written.
    ASSERT_TRUE(plant(Plant::Folder, site + names[0], dir));
    auto before = snapshot(dir);
    EXPECT_EQ(within_a_minute([&] { return WriteWebSite(s, o, {}); }).status, WebStatus::Failed);
    EXPECT_EQ(snapshot(dir), before);
    fs::remove(site + names[0]);

    long counted = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      ASSERT_TRUE(plant(rows[i].plant, site + names[i + 1], dir)) << i;
      counted += rows[i].counted;
    }
    before = snapshot(dir);
    const WebResult r = within_a_minute([&] { return WriteWebSite(s, o, {}); });
    ASSERT_EQ(r.status, WebStatus::Done) << r.message;
    EXPECT_EQ(r.counts.replaced, counted);
    const auto after = snapshot(dir);
    for (const auto& [path, was] : before)
      if (path.rfind(site, 0) != 0 || path == site + "notes.txt") { EXPECT_EQ(after.at(path), was) << path; }
    for (const auto& [name, html] : pages)
      EXPECT_TRUE(after.at(site + name) == "file " + html && fs::hard_link_count(site + name) == 1) << name;
    fs::remove_all(site);
    fs::create_directories(site);
    ASSERT_TRUE(test::put_file(site + "notes.txt", Bytes{'n'}));
  }
  EXPECT_EQ(ReplacedLinksText({0, 0, 3, 0}), "3 links in the folder were replaced by pages.");
  EXPECT_EQ(ReplacedLinksText({0, 0, 1, 1}), "1 link or special file in the folder was replaced by a page.");
}

TEST_F(HostilePaths, TheLockIsNeverWrittenThroughAndTheFileThenOpensReadOnly) {
  test::TreeBuilder(s).person("Ann", "Smith", "F");
  s.Config.setLastPerson(1);
  // The lock's name may lead to the Family file itself (or be a second name of it).
  const std::string file = dir + "tree.vfl", lock = dir + ".tree.vfl.lock";
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, file, SaveTarget::TreeFile), -1);
  s.Lock.release();
  for (Plant p : {Plant::LinkOutside, Plant::HardLink, Plant::LinkInside, Plant::LinkToPipe, Plant::Pipe, Plant::Socket,
                  Plant::Dangling, Plant::Folder}) {
    SCOPED_TRACE(static_cast<int>(p));
    ASSERT_TRUE(plant(p, lock, dir));
    const auto before = snapshot(dir);
    t.prompter.shown.clear();
    ASSERT_EQ(within_a_minute([&] { return OpenFamilyFile(s, file); }), -1);
    EXPECT_TRUE(s.ReadOnly);
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_NE(t.prompter.shown[0].text.find("beside it, .tree.vfl.lock is a link"), std::string::npos);
    s.Lock.release();
    EXPECT_EQ(snapshot(dir), before);
    fs::remove(lock);
  }
  // A second name of another program's lock is not this file's lock either.
  ASSERT_TRUE(test::put_file(dir + "other.lock", Bytes{'p', 'i', 'd', '=', '1', '\n'}));
  ASSERT_EQ(::link((dir + "other.lock").c_str(), lock.c_str()), 0);
  ASSERT_EQ(OpenFamilyFile(s, file), -1);
  EXPECT_TRUE(s.ReadOnly && test::read_text(dir + "other.lock") == "pid=1\n");
  s.Lock.release();
  fs::remove(lock);
  // A lock this run made, whose name somebody else then took, stays theirs.
  ASSERT_EQ(OpenFamilyFile(s, file), -1);
  EXPECT_FALSE(s.ReadOnly);
  fs::remove(lock);
  ASSERT_TRUE(test::put_file(lock, Bytes{'x'}));
  s.Lock.release();
  EXPECT_EQ(test::read_text(lock), "x");
}

TEST_F(HostilePaths, ASaveRemovesOnlyTheStaleCopiesAKilledSaveLeft) {
  const std::string file = dir + "tree.vfl";
  const struct {
    std::string name;
    bool stale, gone;
  } rows[] = {
      {".tree.vfl.vft-999999999-00ab12", true, true},    // its process is gone
      {".tree.vfl.vft00ab12", true, true},               // named as earlier versions did
      {".tree.vfl.vft-1-00ab12", true, false},           // its process still runs
      {".tree.vfl.vft-999999999-00ab12x", true, false},  // no copy of ours
      {".tree.vfl.vft00ab1", true, false},
      {".other.vfl.vft00ab12", true, false},
      {".tree.vfl.vft-999999998-00ab12", false, false},  // made while this save ran
  };
  for (const auto& r : rows) {
    ASSERT_TRUE(test::put_file(dir + r.name, Bytes{'c'}));
    fs::last_write_time(dir + r.name, fs::file_time_type::clock::now() + std::chrono::hours(r.stale ? -1 : 1));
  }
  EXPECT_TRUE(fileio::write_file(s.disk, file, std::string("new")));
  for (const auto& r : rows) EXPECT_EQ(fs::exists(dir + r.name), !r.gone) << r.name;
  EXPECT_EQ(test::read_text(file), "new");
}

}  // namespace
