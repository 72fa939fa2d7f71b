#include <gtest/gtest.h>

#include "store/paths.h"
#include "temp_session.h"

using namespace vft;

namespace {

struct NameCase {
  std::string in;
  bool valid;
  std::string out;  // the name after the call
};

}  // namespace

TEST(Paths, ValidFileNameFollowsTheEightDotThreeRuleOnlyWithADot) {
  const NameCase cases[] = {
      {"  My Tree.vfl  ", true, "MY TREE.VFL"},
      {"m\xFCller.vfl", true, "M\xDCLLER.VFL"},  // upper case by the code page
      {"12345678.V", true, "12345678.V"},
      {"123456789.VFL", false, "123456789.VFL"},  // more than 8 before the dot
      {"FAMILY.VFLX", false, "FAMILY.VFLX"},
      {"FAMILY.", false, "FAMILY."},
      {".VFL", false, ".VFL"},
      {"A.B.C", true, "A.B.C"},  // what follows the first dot counts: "B.C"
      {"   ", false, ""},
      {std::string(255, 'x'), true, std::string(255, 'X')},
      {std::string(256, 'x'), false, std::string(256, 'X')},
  };
  for (const NameCase& c : cases) {
    std::string name = c.in;
    EXPECT_EQ(ValidFileName(name), c.valid) << c.in;
    EXPECT_EQ(name, c.out) << c.in;
  }
  for (char bad : std::string(",+|/?*;><=:")) {
    std::string name = std::string("FAM") + bad + "LY.VFL";
    EXPECT_FALSE(ValidFileName(name)) << bad;
  }
}

TEST(Paths, ValidPathNeedsAnAbsolutePathOfValidComponents) {
  auto deep = [](std::size_t length) {
    std::string p;
    while (p.size() < length) p += "/" + std::string(std::min<std::size_t>(200, length - p.size() - 1), 'd');
    return p;
  };
  const std::pair<std::string, bool> cases[] = {
      {"/", true},           {"/home/ann/Family Trees/", true}, {"home/ann", false}, {"", false},
      {"/home//ann", false}, {"/home/ann/.config", false},      {deep(4095), true},  {deep(4095) + "/", true},
      {deep(4096), false},
  };
  for (const auto& [path, valid] : cases) EXPECT_EQ(ValidPath(path), valid) << path.substr(0, 60);
}

TEST(Paths, FolderAndFileNameSplitAtTheLastSeparator) {
  EXPECT_EQ(FolderOf("/home/ann/Smith.vfl"), "/home/ann/");
  EXPECT_EQ(FileNameOf("/home/ann/Smith.vfl"), "Smith.vfl");
  EXPECT_EQ(FolderOf("Smith.vfl"), "");
  EXPECT_EQ(FileNameOf("Smith.vfl"), "Smith.vfl");
  EXPECT_EQ(FileNameOf("/home/ann/"), "");
  EXPECT_EQ(FolderOf("/"), "/");
}

TEST(Paths, ShortPathTextKeepsTheRootAndAsManyLastComponentsAsFit) {
  const std::string p = "/home/someone/Documents/Genealogy/Family Trees/Smith Family.vfl";
  EXPECT_EQ(ShortPathText(p, p.size()), p);
  EXPECT_EQ(ShortPathText(p, 40), "/home/.../Family Trees/Smith Family.vfl");
  EXPECT_EQ(ShortPathText(p, 38), "/home/.../Smith Family.vfl");
  EXPECT_EQ(ShortPathText("docs/a/b/c/report.txt", 20), "docs/.../report.txt");  // a relative path
  // Not even the file name fits: its end is kept.
  EXPECT_EQ(ShortPathText("/home/ann/averyveryverylongname.vfl", 20), "...yverylongname.vfl");
  for (std::size_t max = 0; max <= p.size(); ++max) EXPECT_LE(ShortPathText(p, max).size(), max) << max;
}

TEST(Paths, FreeDiskBytesLooksAtTheNearestExistingFolder) {
  test::TempDir dir;
  EXPECT_GT(FreeDiskBytes(dir.path()), 0);
  EXPECT_GT(FreeDiskBytes(dir.path() + "not/there/yet/Family.vfl"), 0);
  EXPECT_GE(FreeDiskBytes(""), 0);
}
