// The one atomic writer: links followed, modes kept, new files private, and a
// batch that belongs together put in place whole or not at all.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <tuple>

#include <sys/stat.h>

#include "store/file_io.h"
#include "store/file_write.h"
#include "temp_session.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

std::string text_of(const std::string& path) {
  const Bytes b = fileio::read_all(path).value_or(Bytes{});
  return std::string(b.begin(), b.end());
}
unsigned mode_of(const std::string& path) { return static_cast<unsigned>(fs::status(path).permissions()); }
std::set<std::string> names_in(const std::string& folder) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename());
  return out;
}

TEST(FileWriter, WritesThroughLinksAndKeepsTheMode) {
  test::TempDir d;
  fs::create_directory(d.path() + "real");
  const std::string real = d.path() + "real/tree.vfl";
  ASSERT_TRUE(test::put_file(real, Bytes{'o', 'l', 'd'}));
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  fs::create_symlink("real/tree.vfl", d.path() + "link.vfl");
  fs::create_symlink(d.path() + "link.vfl", d.path() + "chain.vfl");
  fileio::FileSystem disk;
  for (const char* via : {"link.vfl", "chain.vfl"}) {
    ASSERT_TRUE(fileio::write_file(disk, d.path() + via, std::string(via)));
    EXPECT_EQ(text_of(real), via);
    EXPECT_EQ(mode_of(real), 0640u);
    EXPECT_TRUE(fs::is_symlink(d.path() + via));
  }
  EXPECT_EQ(names_in(d.path() + "real"), std::set<std::string>{"tree.vfl"});
  // Links that go round in a circle are refused, not followed for ever.
  fs::create_symlink("b", d.path() + "a");
  fs::create_symlink("a", d.path() + "b");
  EXPECT_FALSE(fileio::write_file(disk, d.path() + "a", std::string("x")));
  EXPECT_EQ(disk.failure().error, ELOOP);
}

TEST(FileWriter, NewFilesArePrivateUnlessMadeToBeShared) {
  test::TempDir d;
  fileio::FileSystem disk;
  using enum fileio::NewMode;
  for (const auto& [mask, mode, want] : {std::tuple{022, Private, 0600},
                                         {077, Private, 0600},
                                         {0277, Private, 0400},
                                         {022, Shared, 0644},
                                         {027, Shared, 0640}}) {
    const mode_t old = ::umask(static_cast<mode_t>(mask));
    const std::string path = d.path() + std::to_string(mask) + (mode == Shared ? "shared" : "private");
    EXPECT_TRUE(fileio::write_file(disk, path, std::string("x"), mode));
    ::umask(old);
    EXPECT_EQ(mode_of(path), static_cast<unsigned>(want)) << path;
  }
}

TEST(FileWriter, ASetThatBelongsTogetherIsPutInPlaceWholeOrNotAtAll) {
  test::TempDir d;
  const std::set<std::string> files = {"a", "b", "c"}, old = {"a", "c"};  // "b" is new
  for (const std::string& f : old) ASSERT_TRUE(test::put_file(d.path() + f, Bytes{'o'}));
  fileio::FileSystem disk;
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    disk.fail_at(n, EIO);
    const long base = disk.steps();
    fileio::FileBatch batch(disk, fileio::Sync::None, fileio::NewMode::Private, true);
    bool ok = true;
    for (const std::string& f : files) ok = ok && batch.add(d.path() + f, std::string("new ") + f);
    ok = ok && batch.commit();
    EXPECT_EQ(names_in(d.path()), ok ? files : old);  // no temporary or old copy is left
    if (disk.steps() - base < n) {
      ASSERT_TRUE(ok);
      for (const std::string& f : files) EXPECT_EQ(text_of(d.path() + f), "new " + f);
      EXPECT_EQ(n - 1, 11);  // three files: each made, written, its old one (if any) set aside, renamed
      break;
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(disk.failure().error, EIO);
    for (const std::string& f : old) EXPECT_EQ(text_of(d.path() + f), "o") << f;
  }
}

}  // namespace
