// Web sites written to a folder: every link and anchor resolves, nothing but
// the site's pages is left in the folder, Modern pages are valid HTML5, a
// long list of people is split by letter, and cancelled or refused runs
// leave the folder as it was.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include <sys/stat.h>

#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/records.h"
#include "tree_gen.h"
#include "web_pages_fixture.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

using test::Site;

class WebSite : public test::WebPagesFixture {
 protected:
  // Writes the site into a new folder and returns it as file name -> text.
  Site write(const std::string& name, WebStyle style) {
    WebOptions c = o;
    c.style = style;
    c.folder = t.dir.path() + name + "/";
    fs::create_directories(c.folder);
    WebResult r = WriteWebSite(s, c, {});
    EXPECT_EQ(r.status, WebStatus::Done) << r.message;
    EXPECT_EQ(r.index_file, c.folder + (style == WebStyle::Modern ? "index.html" : "famnames" + WebExtension(c)));
    Site site;
    for (const auto& e : fs::directory_iterator(c.folder)) {
      auto b = fileio::read_all(e.path().string());
      site[e.path().filename().string()] = std::string(b->begin(), b->end());
    }
    // Exactly the pages the generator makes: no temporary file stays behind.
    std::set<std::string> made, found;
    GenerateWebPages(s, c, [&](const std::string& n, const std::string&) { return made.insert(n).second; }, {});
    for (const auto& [n, html] : site) found.insert(n);
    EXPECT_EQ(found, made);
    EXPECT_EQ(EstimateWebSiteKB(s, c), test::disk_kb(c.folder));  // what the question before the run promised
    return site;
  }
};

// Every link of a site names a page of it, and every "#name" one anchor on
// that page; returns the number of links.
long check_links(const Site& site) {
  const std::regex href("<A HREF=([^ >]+)>|<a href=\"([^\"]*)\""), anchor("<A NAME=([^ >]+)>| id=\"([^\"]*)\"");
  std::map<std::string, std::set<std::string>> anchors;
  for (const auto& [file, html] : site)
    for (std::sregex_iterator i(html.begin(), html.end(), anchor), e; i != e; ++i)
      EXPECT_TRUE(anchors[file].insert((*i)[1].matched ? (*i)[1] : (*i)[2]).second) << file << " " << (*i)[0];
  long links = 0;
  for (const auto& [file, html] : site) {
    for (std::sregex_iterator i(html.begin(), html.end(), href), e; i != e; ++i, ++links) {
      std::string target = (*i)[1].matched ? (*i)[1] : (*i)[2], name;
      if (auto hash = target.find('#'); hash != std::string::npos) {
        name = target.substr(hash + 1);
        target.erase(hash);
      }
      if (target.empty()) target = file;
      EXPECT_TRUE(site.count(target)) << file << " links to missing " << target;
      EXPECT_TRUE(name.empty() || anchors[target].count(name)) << file << " -> " << target << "#" << name;
    }
  }
  return links;
}

TEST_F(WebSite, EveryLinkAndAnchorResolves) {
  ASSERT_EQ(OpenFamilyFile(s, VFT_SAMPLE_FILE), -1);
  for (WebStyle style : test::kStyles) EXPECT_GT(check_links(write(style == WebStyle::Modern ? "m" : "c", style)), 150);
  test::TreeOptions big;
  big.persons = 500;
  big.marriages = 380;
  big.generations = 6;
  test::generate_tree(s, big);
  o.HTMLMode = true;
  for (WebStyle style : test::kStyles) {
    const Site site = write(style == WebStyle::Modern ? "bm" : "bc", style);
    EXPECT_GT(check_links(site), 3 * CountWebFamilies(s));
  }
}

// Everyone but person 1 ("Paul Adams") named Smith.
void one_name_study(Session& s) {
  for (std::int16_t n = 1; n <= s.Config.NumPersons(); ++n) {
    PersonRecord p;
    ASSERT_TRUE(ReadPersonRecord(s, n, p));
    p.FamName = n == 1 ? "Adams" : "Smith";
    if (n == 1) p.GivenNames = "Paul";
    ASSERT_TRUE(WritePersonRecord(s, n, p));
  }
}

// The list of people stays one page up to 2,000 people; one more and it is a
// page of family names with a page per first letter, and no page holds more
// than 2,000 people even when one family name has more. The split list's
// files go with the old pages.
TEST_F(WebSite, LongListOfPeopleIsSplitByLetter) {
  for (int people : {2000, 2001, 4500}) {
    test::generate_tree(s, {.persons = people, .marriages = people / 15, .deleted_fraction = 0});
    if (people == 4500) one_name_study(s);
    const Site site = write("list" + std::to_string(people), WebStyle::Modern);
    // One line per person on the list's pages: the letter pages when split.
    long rows = 0;
    const bool split = site.lower_bound("listname-")->first.rfind("listname-", 0) == 0;
    for (const auto& [name, html] : site) {
      if (split ? name.rfind("listname-", 0) != 0 : name != "listname.htm") continue;
      long page_rows = 0;
      for (std::size_t at = 0; (at = html.find("\n<li>", at)) != std::string::npos; ++at) ++page_rows;
      EXPECT_LE(page_rows, 2000) << name;
      rows += page_rows;
    }
    EXPECT_EQ(rows, people);
    EXPECT_EQ(split, people > 2000) << people;
    EXPECT_EQ(site.count("listname-s3.htm"), people == 4500u) << people;
    const std::string index = site.count("vftnames.js") ? site.at("vftnames.js") : "";
    EXPECT_EQ(std::count(index.begin(), index.end(), '\n'), split ? people + 2 : 0);  // a line per person
    check_links(site);  // the family names lead to the letter pages when split
  }
  DeleteWebPages(t.dir.path() + "list4500/");
  EXPECT_TRUE(fs::is_empty(t.dir.path() + "list4500/"));
}

// The search box in a real browser: "given family", "family, given" and
// parts of either, in any order and without accents, find a person; nothing
// found says so; on a split list the box searches everyone through the index.
TEST_F(WebSite, SearchBoxFindsPeopleInChromium) {
  if (!fs::exists("/usr/bin/chromium")) GTEST_SKIP() << "chromium is not installed";
  build_fixture();
  write("small", WebStyle::Modern);
  test::generate_tree(s, {.persons = 2500, .marriages = 200, .deleted_fraction = 0});
  one_name_study(s);
  write("split", WebStyle::Modern);
  struct Case {
    const char *page, *query, *found;
    int rows;
  };  // rows: people shown
  const Case cases[] = {
      {"small/listname.htm", "John+Smith", "Smith, John", 1},
      {"small/listname.htm", "bob%20smi", "\xC5\xA0mid, Bob", 1},  // any order, no accents
      {"small/listname.htm", "Smith", "Smith, Tom", 7},
      {"small/famnames.htm", "ONES", "Jones", 1},
      {"small/listname.htm", "John%20Jones", "No match for \xE2\x80\x9CJohn Jones\xE2\x80\x9D.", 0},
      {"split/listname-s2.htm", "Paul%20Adams", "Adams, Paul", 1},
      {"split/listname.htm", "adams,+pa", "Adams, Paul", 1},
      {"split/listname-s.htm", "Paul%20Smith", "No match for", 0},
  };
  for (const Case& c : cases) {
    const std::string out = t.dir.path() + "dom.html";
    const std::string cmd =
        "timeout 60 /usr/bin/chromium --headless --no-sandbox --disable-gpu "
        "--disable-background-networking --disable-component-update --no-first-run "
        "--user-data-dir='" +
        t.dir.path() + "chromium' --dump-dom 'file://" + t.dir.path() + c.page + "?q=" + c.query + "' > '" + out +
        "' 2>/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string dom = test::read_text(out);
    // What is shown: the rows from the index on one line, else the rows not
    // hidden on lines of their own; and the line saying nothing matched.
    std::string shown;
    int rows = 0;
    auto line_at = [&](std::size_t at) { return dom.substr(at, dom.find('\n', at) - at); };
    if (const std::size_t found = dom.find("id=\"found\">"); found != std::string::npos) {
      shown = line_at(found);
      for (std::size_t at = 0; (at = shown.find("<li>", at + 1)) != std::string::npos;) ++rows;
    } else {
      for (std::size_t at = 0; (at = dom.find("\n<li>", at)) != std::string::npos; ++rows) shown += line_at(++at);
    }
    if (const std::size_t none = dom.find("role=\"status\">"); none != std::string::npos) shown += line_at(none);
    EXPECT_EQ(rows, c.rows) << c.page << "?q=" << c.query << "\n" << shown;
    EXPECT_NE(shown.find(c.found), std::string::npos) << c.page << "?q=" << c.query << "\n" << shown;
  }
}

// Debian's HTML5 parser in strict mode: any parse error fails.
TEST_F(WebSite, ModernPagesAreValidHtml5) {
  if (std::system("/usr/bin/python3 -c 'import html5lib' 2>/dev/null") != 0)
    GTEST_SKIP() << "python3-html5lib is not installed (scripts/deps installs it)";
  ASSERT_EQ(OpenFamilyFile(s, VFT_SAMPLE_FILE), -1);
  write("sample", WebStyle::Modern);
  // Names that sort before and after the letters share one "#" group.
  test::TreeBuilder b(s);
  b.family(b.person("<script>x</script> \"Q\"", "A&B</PRE>", "M"), b.person("\x81\x9D", "\xC9lise", "F"), "", "<b>");
  b.family(b.person("Ann", "1st", "M"), b.person("Eva", "\xDEorsson", "F"));
  check_links(write("hostile", WebStyle::Modern));
  const std::string report = t.dir.path() + "html5.txt";
  const std::string cmd =
      "cd '" + t.dir.path() +
      "' && /usr/bin/python3 -c 'import sys, html5lib\n"
      "for f in sys.argv[1:]:\n"
      "    try: html5lib.HTMLParser(strict=True).parse(open(f, \"rb\"))\n"
      "    except Exception as e: print(f, e); sys.exit(1)\n' sample/*.htm sample/*.html hostile/*.htm* > '" +
      report + "' 2>&1";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << test::read_text(report);
}

TEST_F(WebSite, CancelLeavesNoPageBehind) {
  build_fixture();
  const std::string folder = t.dir.path() + "site/";
  fs::create_directories(folder);
  ASSERT_TRUE(test::put_file(folder + "vfl00003.htm", Bytes{'o', 'l', 'd'}));
  o.folder = folder;
  for (const char* stop_at : {"Page No. 3", "Writing FAMNAMES"}) {
    WebResult r = WriteWebSite(s, o, [&](const std::string& m, long) { return m != stop_at; });
    EXPECT_EQ(r.status, WebStatus::Cancelled);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(folder)) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"vfl00003.htm"}) << stop_at;
    EXPECT_EQ(fileio::read_all(folder + "vfl00003.htm")->size(), 3u);
  }
}

// A second run leaves unchanged pages alone and rewrites changed ones in
// their own file (same inode and mode); old pages the user chose to delete
// go whether the run is done, cancelled or fails, and a failure after some
// pages were written says so.
TEST_F(WebSite, RunOverAnEarlierSiteRewritesInPlace) {
  build_fixture();
  const std::string folder = t.dir.path() + "site/", page = folder + "vfl00003.htm", list = folder + "listname.htm";
  fs::create_directories(folder);
  o.folder = folder;
  o.style = WebStyle::Classic;
  ASSERT_EQ(::mkfifo((folder + "vfl00005.htm").c_str(), 0600), 0);  // would never take a page
  ASSERT_EQ(WriteWebSite(s, o, {}).status, WebStatus::Done);
  EXPECT_TRUE(fs::is_regular_file(folder + "vfl00005.htm"));
  ASSERT_TRUE(test::put_file(folder + "vfl00099.htm", Bytes{'o', 'l', 'd'}));
  fs::permissions(page, fs::perms(0604));
  struct stat before {
  }, after{};
  ASSERT_EQ(::stat(page.c_str(), &before), 0);
  const auto list_time = fs::last_write_time(list);
  o.include_name = true;
  o.Name = "Ann Example";
  ASSERT_EQ(WriteWebSite(s, o, {}, true).status, WebStatus::Done);
  ASSERT_EQ(::stat(page.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode & 0777, 0604u);
  EXPECT_NE(test::read_text(page).find("Ann Example"), std::string::npos);
  EXPECT_EQ(fs::last_write_time(list), list_time);  // the list has no preparer line
  EXPECT_FALSE(fs::exists(folder + "vfl00099.htm"));

  // Shorter pages this time, and the second page cannot be written.
  ASSERT_TRUE(test::put_file(folder + "vfl00099.htm", Bytes{'o', 'l', 'd'}));
  o.include_name = false;
  std::string first;
  auto keep_first = [&](const std::string& n, const std::string& html) {
    if (n == "vfl00003.htm") first = html;
    return true;
  };
  GenerateWebPages(s, o, keep_first, {});
  s.disk.fail_at(2, EIO);
  WebResult r = WriteWebSite(s, o, {}, true);
  EXPECT_EQ(r.status, WebStatus::Failed);
  EXPECT_EQ(r.message, "The web page '" + folder +
                           "vfl00005.htm' could not be written.\r\n"
                           "Input/output error\r\nThe pages written before it are already new.\r\n"
                           "Build the pages again once the cause is mended.");
  EXPECT_EQ(test::read_text(page), first);
  EXPECT_FALSE(fs::exists(folder + "vfl00005.htm")) << "promised deleted, not rewritten";
  EXPECT_FALSE(fs::exists(folder + "vfl00099.htm"));
  EXPECT_EQ(WriteWebSite(
                s, o, [](const std::string&, long) { return false; }, true)
                .status,
            WebStatus::Cancelled);
  EXPECT_TRUE(fs::is_empty(folder));
}

// A front page the user made is neither counted, deleted nor replaced; ours is.
TEST_F(WebSite, ForeignIndexPageIsLeftAlone) {
  build_fixture();
  const std::string folder = t.dir.path() + "site/", index = folder + "index.html";
  fs::create_directories(folder);
  ASSERT_TRUE(test::put_file(index, Bytes{'m', 'i', 'n', 'e'}));
  EXPECT_EQ(CountExistingWebPages(folder), 0);
  o.folder = folder;
  o.style = WebStyle::Modern;
  WebResult r = WriteWebSite(s, o, {});
  EXPECT_EQ(r.status, WebStatus::Failed);
  EXPECT_EQ(r.message, "The folder " + folder +
                           " already holds a page index.html that Vorlan Family Tree did not "
                           "make.\r\nChoose another folder for the web pages, or move that page away.");
  EXPECT_EQ(DeleteWebPages(folder), 0);
  EXPECT_EQ(test::read_text(index), "mine");
  fs::remove(index);
  ASSERT_EQ(WriteWebSite(s, o, {}).status, WebStatus::Done);
  EXPECT_EQ(CountExistingWebPages(folder), 4);  // the four family pages
  EXPECT_EQ(DeleteWebPages(folder), 8);         // and the two lists, the index and the stylesheet
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
