// A small tree for the web-page tests and the pages it gives.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <sys/stat.h>

#include "interchange/web_pages.h"
#include "store/file_io.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

using Site = std::map<std::string, std::string>;

inline std::string read_text(const std::string& path) {
  auto b = fileio::read_all(path);
  return b ? std::string(b->begin(), b->end()) : std::string();
}
inline constexpr WebStyle kStyles[] = {WebStyle::Classic, WebStyle::Modern};

// The disk space the files of `folder` take, in KB, but for `except`.
inline long disk_kb(const std::string& folder, const std::string& except = "") {
  long long bytes = 0;
  struct stat st {};
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().filename() != except && ::stat(e.path().c_str(), &st) == 0) bytes += st.st_blocks * 512LL;
  return static_cast<long>(bytes / 1024);
}

class WebPagesFixture : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  WebOptions o;
  WebPagesFixture() { o.style = WebStyle::Classic; }

  // George+Alice (family 3) -> John; John+Mary (5) -> Ann, Peter; Peter+Jane
  // (7, not married) -> five children, one with a long name; John+Kate (9,
  // divorced); Peter alone (10) -> Tom; Peter+Gone (12), Gone deleted.
  void build_fixture() {
    TreeBuilder b(s);
    auto george = b.person("George", "Smith", "M");
    auto alice = b.person("Alice", "Brown", "F");
    auto f3 = b.family(george, alice, "12 Jun 1920", "Leeds");
    auto john = b.child(f3, "John", "Smith", "M");
    auto mary = b.person("Mary", "Jones", "F");
    auto f5 = b.family(john, mary, "3 Mar 1950", "York");
    b.child(f5, "Ann", "Smith", "F");
    auto peter = b.child(f5, "Peter", "Smith", "M");
    auto jane = b.person("Jane", "Doe", "F");
    auto f7 = b.family(peter, jane);
    auto kate = b.person("Kate", "Green", "F");
    auto f9 = b.family(john, kate);
    auto f10 = b.family(peter, 0);
    b.child(f10, "Tom", "Smith", "M");
    auto gone = b.person("Gone", "Away", "F");
    b.family(peter, gone);
    // Accented family names sort and group with their plain letters.
    const std::pair<const char*, const char*> kids[] = {{"Amy", "Smith"},
                                                        {"Bob", "\x8Amid"},
                                                        {"Maximilian Alexander", "Montgomery-Worthington"},
                                                        {"Dot", "\xD8rsted"},
                                                        {"Eli", "Smith"}};
    for (auto [given, fam] : kids) b.child(f7, given, fam, given[0] == 'A' || given[0] == 'D' ? "F" : "M");
    s.Marriages[static_cast<std::size_t>(f7)].NotMarried = -1;
    s.Marriages[static_cast<std::size_t>(f9)].Divorced = -1;
    auto dates = [&](std::int16_t n, const char* born, const char* place, const char* died) {
      PersonRecord p = b.read(n);
      p.BirthDate = born;
      p.BirthPlace = place;
      p.DeathDate = died;
      b.write(p);
    };
    dates(george, "1 Jan 1890", "Leeds", "2 Feb 1960");
    dates(alice, "? May 1895", "", "1 Jan 1970");
    dates(john, "7 Jul 1925", "York", "8 Aug 1999");
    dates(mary, "9 Sep 1928", "Hull", "");
    dates(5, "1 Jan 1952", "", "");
    PersonRecord g = b.read(gone);
    g.Deleted = 1;
    b.write(g);
  }

  Site generate(const WebOptions& opts) {
    Site site;
    EXPECT_TRUE(GenerateWebPages(s, opts,
                                 [&](const std::string& n, const std::string& h) {
                                   EXPECT_TRUE(site.emplace(n, h).second) << n << " written twice";
                                   return true;
                                 },
                                 {}));
    return site;
  }
  Site generate(WebStyle style) {
    WebOptions c = o;
    c.style = style;
    return generate(c);
  }
};

}  // namespace vft::test
