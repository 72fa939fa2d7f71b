// The one atomic writer: links followed, modes kept, new files private, and a
// batch that belongs together put in place whole or not at all.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include <sys/stat.h>

#include "store/file_io.h"
#include "store/file_write.h"
#include "temp_session.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

std::string text_of(const std::string& path) {
  auto b = fileio::read_all(path);
  return b ? std::string(b->begin(), b->end()) : "(missing)";
}
unsigned mode_of(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}
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
  const struct {
    mode_t umask;
    fileio::NewMode mode;
    unsigned want;
  } cases[] = {{022, fileio::NewMode::Private, 0600}, {077, fileio::NewMode::Private, 0600},
               {0277, fileio::NewMode::Private, 0400}, {022, fileio::NewMode::Shared, 0644},
               {027, fileio::NewMode::Shared, 0640}};
  int i = 0;
  for (const auto& c : cases) {
    const mode_t old = ::umask(c.umask);
    const std::string path = d.path() + "new" + std::to_string(i++);
    EXPECT_TRUE(fileio::write_file(disk, path, std::string("x"), c.mode));
    ::umask(old);
    EXPECT_EQ(mode_of(path), c.want) << path;
  }
}

TEST(FileWriter, ASetThatBelongsTogetherIsPutInPlaceWholeOrNotAtAll) {
  test::TempDir d;
  const std::set<std::string> files = {"a", "b", "c"};
  for (const std::string& f : files) ASSERT_TRUE(test::put_file(d.path() + f, Bytes{'o'}));
  fileio::FileSystem disk;
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    disk.fail_at(n, EIO);
    const long base = disk.steps();
    fileio::FileBatch batch(disk, fileio::Sync::None, fileio::NewMode::Private, true);
    bool ok = true;
    for (const std::string& f : files) ok = ok && batch.add(d.path() + f, std::string("new ") + f);
    ok = ok && batch.commit();
    EXPECT_EQ(names_in(d.path()), files);  // no temporary or old copy is left
    if (disk.steps() - base < n) {
      ASSERT_TRUE(ok);
      for (const std::string& f : files) EXPECT_EQ(text_of(d.path() + f), "new " + f);
      EXPECT_EQ(n - 1, 12);  // three files: each made, written, its old one set aside, renamed
      break;
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(disk.failure().error, EIO);
    for (const std::string& f : files) EXPECT_EQ(text_of(d.path() + f), "o") << f;
  }
}

}  // namespace
