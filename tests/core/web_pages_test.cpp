// Family web pages: exact page lines, the privacy rule, the edge cases, escaping,
// a link check over whole sites, and the dialog's questions.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "interchange/web_pages.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "tree_gen.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> lines_of(const std::string& html) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t at; (at = html.find("\r\n", start)) != std::string::npos; start = at + 2)
    out.push_back(html.substr(start, at - start));
  EXPECT_EQ(start, html.size()) << "the last line must end with CrLf";
  return out;
}

using Site = std::map<std::string, std::string>;

class WebPages : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  WebOptions o;

  // George+Alice (family 3) -> John; John+Mary (5) -> Ann, Peter; Peter+Jane (7);
  // John+Kate (9); Peter alone (10) -> Tom; Peter+Gone (12), Gone deleted.
  void build_fixture() {
    test::TreeBuilder b(s);
    auto george = b.person("George", "Smith", "M");
    auto alice = b.person("Alice", "Brown", "F");
    auto f3 = b.family(george, alice, "12 Jun 1920", "Leeds");
    auto john = b.child(f3, "John", "Smith", "M");
    auto mary = b.person("Mary", "Jones", "F");
    auto f5 = b.family(john, mary, "3 Mar 1950", "York");
    b.child(f5, "Ann", "Smith", "F");
    auto peter = b.child(f5, "Peter", "Smith", "M");
    auto jane = b.person("Jane", "Doe", "F");
    b.family(peter, jane);
    auto kate = b.person("Kate", "Green", "F");
    b.family(john, kate);
    auto f10 = b.family(peter, 0);
    b.child(f10, "Tom", "Smith", "M");
    auto gone = b.person("Gone", "Away", "F");
    b.family(peter, gone);
    auto dates = [&](std::int16_t n, const char* born, const char* place, const char* died) {
      PersonRecord p = b.read(n);
      p.BirthDate = born;
      p.BirthPlace = place;
      p.DeathDate = died;
      b.write(p);
    };
    dates(george, "1 Jan 1890", "Leeds", "2 Feb 1960");
    dates(alice, "5 May 1895", "", "1 Jan 1970");
    dates(john, "7 Jul 1925", "York", "8 Aug 1999");
    dates(mary, "9 Sep 1928", "Hull", "");
    dates(5, "1 Jan 1952", "", "");
    PersonRecord g = b.read(gone);
    g.Deleted = 1;
    b.write(g);
  }

  Site generate(const WebOptions& opts) {
    Site site;
    EXPECT_TRUE(GenerateWebPages(s, opts, [&](const std::string& n, const std::string& h) {
      EXPECT_TRUE(site.emplace(n, h).second) << n << " written twice";
      return true;
    }, {}));
    return site;
  }
};

TEST_F(WebPages, FamilyPageHasEveryLineInOrder) {
  build_fixture();
  Site site = generate(o);
  std::vector<std::string> want = {
      "<HTML>", "<HEAD>", "<TITLE>John Smith and Mary Jones</TITLE>",
      "<META NAME=\"Generator\" CONTENT=\"Vorlan Family Tree " VFT_VERSION "\">",
      "<META NAME=\"Keywords\" CONTENT=\"Vorlan Family Tree\">",
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">", "</HEAD>",
      "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000FF VLINK=#800080>",
      "<CENTER><B>Family of John Smith and Mary Jones</B></CENTER>", "<PRE>",
      "<HR NOSHADE SIZE=3>Husband: <B>John Smith</B>",
      "<HR NOSHADE SIZE=1>   Born: 7 Jul 1925   York", "   Died: 8 Aug 1999",
      "Married: ? ??? ????   York",
      " Father: <A HREF=vfl00003.htm>George Smith</a>", " Mother: <A HREF=vfl00003.htm>Alice Brown</a>",
      "  Other Partners: <A HREF=vfl00009.htm>Kate Green</a>",
      "<HR NOSHADE SIZE=3>Wife: <B>Mary Jones</B>",
      "<HR NOSHADE SIZE=1>   Born: ? ??? ????   Hull", "   Died: ", "Married: ? ??? ????   York",
      "<HR NOSHADE SIZE=3> <B>CHILDREN </B>",
      "<HR NOSHADE SIZE=1> Name: <B>Ann Smith</B>", "   Born: ? ??? ????", "   Died: ",
      "<HR NOSHADE SIZE=1> Name: <B><A HREF=vfl00007.htm>Peter Smith</a></B>", "   Born: ? ??? ????",
      "   Died: ", "Partners: <A HREF=vfl00007.htm>Jane Doe</a>",
      "<HR NOSHADE SIZE=3></PRE><CENTER><B>",
      "<A HREF=famnames.htm>Go To Family Names</a>&nbsp;&nbsp;&nbsp;&nbsp;",
      "<A HREF=listname.htm>Go To List of all Names</a>&nbsp;&nbsp;&nbsp;&nbsp;", "</B></CENTER>",
      "<PRE><HR NOSHADE SIZE=3>Web pages prepared on 5 Dec 2026 using Vorlan Family Tree version " VFT_VERSION,
      "</BODY>", "</HTML>"};
  ASSERT_TRUE(site.count("vfl00005.htm"));
  EXPECT_EQ(lines_of(site["vfl00005.htm"]), want);
}

TEST_F(WebPages, OnlyFamiliesWithBothLivePartnersGetPages) {
  build_fixture();
  Site site = generate(o);
  std::set<std::string> names;
  for (const auto& [n, h] : site) names.insert(n);
  EXPECT_EQ(names, (std::set<std::string>{"vfl00003.htm", "vfl00005.htm", "vfl00007.htm", "vfl00009.htm",
                                          "listname.htm", "famnames.htm"}));
  EXPECT_EQ(CountWebFamilies(s), 4);
  // Peter's partnership with a deleted person and his one-parent family are
  // never named or linked.
  EXPECT_EQ(site["vfl00007.htm"].find("Gone"), std::string::npos);
  EXPECT_EQ(site["vfl00007.htm"].find("vfl00012"), std::string::npos);
  EXPECT_EQ(site["listname.htm"].find("Gone"), std::string::npos);
}

TEST_F(WebPages, ListOfPeopleSortedByNameWithAnchorsAndLinks) {
  build_fixture();
  Site site = generate(o);
  std::vector<std::string> l = lines_of(site["listname.htm"]);
  auto at = std::find(l.begin(), l.end(), "<HR NOSHADE SIZE=3><PRE>");
  ASSERT_NE(at, l.end());
  EXPECT_EQ(l[2], "<TITLE>List of All People</TITLE>");
  EXPECT_EQ(*(at - 1), "<CENTER><B> List of 9 People - Prepared on 5 Dec 2026</CENTER></B><BR>");
  std::vector<std::string> body(at + 1, at + 18);
  EXPECT_EQ(body, (std::vector<std::string>{
                      "<A NAME=BROWN></a>", " <A HREF=vfl00003.htm>Brown, Alice</a> - 5 May 1895",
                      "<A NAME=DOE></a>", " <A HREF=vfl00007.htm>Doe, Jane</a> - ? ??? ????",
                      "<A NAME=GREEN></a>", " <A HREF=vfl00009.htm>Green, Kate</a> - ? ??? ????",
                      "<A NAME=JONES></a>", " <A HREF=vfl00005.htm>Jones, Mary</a> - ? ??? ????",
                      "<A NAME=SMITH></a>", " Smith, Ann - ? ??? ????",
                      " <A HREF=vfl00003.htm>Smith, George</a> - 1 Jan 1890",
                      " <A HREF=vfl00005.htm>Smith, John</a> - 7 Jul 1925",
                      " <A HREF=vfl00007.htm>Smith, Peter</a> - ? ??? ????", " Smith, Tom - ? ??? ????",
                      "</PRE><HR NOSHADE SIZE=3><CENTER><B><A HREF=famnames.htm>Go To Family Names</a></B></CENTER>",
                      "<PRE><HR NOSHADE SIZE=3>Web pages prepared on 5 Dec 2026 using Vorlan Family Tree version " VFT_VERSION,
                      "</BODY>"}));
  std::vector<std::string> n = lines_of(site["famnames.htm"]);
  EXPECT_EQ(n[2], "<TITLE>Family Names</TITLE>");
  std::vector<std::string> names(n.begin() + 8, n.begin() + 16);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "<B><CENTER>List of All Family Names</B></CENTER>", "<HR NOSHADE SIZE=3>",
                       "<A HREF=listname.htm#BROWN>Brown</a>&nbsp;&nbsp;", "<A HREF=listname.htm#DOE>Doe</a>&nbsp;&nbsp;",
                       "<A HREF=listname.htm#GREEN>Green</a>&nbsp;&nbsp;", "<A HREF=listname.htm#JONES>Jones</a>&nbsp;&nbsp;",
                       "<A HREF=listname.htm#SMITH>Smith</a>&nbsp;&nbsp;",
                       "<HR NOSHADE SIZE=3><A HREF=listname.htm><B><CENTER>Go To List of All "
                       "People</a>&nbsp;&nbsp;&nbsp;&nbsp;</CENTER></B>"}));
}

TEST_F(WebPages, LivingDatesOnlyWhenIncluded) {
  build_fixture();
  // Both partners dead: every date is shown even without the option.
  Site site = generate(o);
  EXPECT_NE(site["vfl00003.htm"].find("Married: 12 Jun 1920  Leeds\r\n"), std::string::npos);
  EXPECT_NE(site["vfl00003.htm"].find("   Born: 1 Jan 1890   Leeds\r\n   Died: 2 Feb 1960\r\n"), std::string::npos);
  EXPECT_EQ(site["vfl00005.htm"].find("1928"), std::string::npos);
  EXPECT_EQ(site["listname.htm"].find("1952"), std::string::npos);

  o.IncludeBirthdays = true;
  site = generate(o);
  EXPECT_NE(site["vfl00005.htm"].find("<HR NOSHADE SIZE=1>   Born: 9 Sep 1928   Hull\r\n"), std::string::npos);
  EXPECT_NE(site["vfl00005.htm"].find("Married: 3 Mar 1950   York\r\n"), std::string::npos);
  EXPECT_NE(site["listname.htm"].find(" Smith, Ann - 1 Jan 1952\r\n"), std::string::npos);
}

TEST_F(WebPages, HtmlModeNamesEveryFileAndLinkHtml) {
  build_fixture();
  o.HTMLMode = true;
  o.colours = {0x102030, 0xABCDEF, 0x000001, 0xFF0000};
  Site site = generate(o);
  for (const auto& [name, html] : site) {
    EXPECT_EQ(name.substr(name.size() - 5), ".html");
    EXPECT_EQ(html.find(".htm>"), std::string::npos) << name;
    EXPECT_EQ(html.find(".htm#"), std::string::npos) << name;
    EXPECT_NE(html.find("<BODY BGCOLOR=#102030 TEXT=#ABCDEF LINK=#000001 VLINK=#FF0000>\r\n"), std::string::npos);
  }
  EXPECT_FALSE(site.count("vfl00005.htm"));
  EXPECT_NE(site["vfl00005.html"].find("<A HREF=vfl00003.html>George Smith</a>"), std::string::npos);
}

TEST_F(WebPages, HostileTextIsRenderedAsText) {
  test::TreeBuilder b(s);
  auto h = b.person("<script>alert(1)</script>", "A&B", "M");
  auto w = b.person("Eve \"Q\"", "<i>O'Hara", "F");
  b.family(h, w, "1 Jan 1900", "<b>Here</b>");
  o.include_name = o.include_email = o.include_website = true;
  o.Name = "Me & <you>";
  o.Email = "x\"><script>@y";
  o.WebSite = "http://a.b/\"onclick=\"x";
  Site site = generate(o);
  for (const auto& [name, html] : site) {
    EXPECT_EQ(html.find("<script"), std::string::npos) << name;
    EXPECT_EQ(html.find("<i>"), std::string::npos) << name;
    EXPECT_EQ(html.find("<b>"), std::string::npos) << name;
  }
  const std::string& page = site["vfl00003.htm"];
  EXPECT_NE(page.find("<TITLE>&lt;script&gt;alert(1)&lt;/script&gt; A&amp;B and Eve &quot;Q&quot; &lt;i&gt;O'Hara"),
            std::string::npos);
  EXPECT_NE(page.find("Married: ? ??? ????   &lt;b&gt;Here&lt;/b&gt;"), std::string::npos);
  EXPECT_NE(page.find("<BR><B><CENTER> Prepared by: Me &amp; &lt;you&gt;</CENTER></B>\r\n"), std::string::npos);
  EXPECT_NE(page.find("<A HREF=\"mailto:x&quot;&gt;&lt;script&gt;@y\"> EMail: x&quot;&gt;&lt;script&gt;@y</a>"),
            std::string::npos);
  EXPECT_NE(page.find("<A HREF=\"http://a.b/&quot;onclick=&quot;x\">Go Home</a>"), std::string::npos);
  EXPECT_NE(site["listname.htm"].find("<A NAME=AB></a>"), std::string::npos);
  EXPECT_NE(site["famnames.htm"].find("<A HREF=listname.htm#IOHARA>&lt;i&gt;O'Hara</a>"), std::string::npos);
}

TEST_F(WebPages, DamagedFamiliesNeverLeadOutsideTheTree) {
  test::TreeBuilder b(s);
  auto h = b.person("Al", "Ford", "M");
  auto w = b.person("Bea", "Ford", "F");
  auto m = b.family(h, w);
  MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
  f.NumKids = 500;
  f.Kids[0] = -3;
  f.Kids[1] = 9999;
  f.Kids[2] = h;  // a partner listed as its own child
  s.Marriages[1].Husband = 30000;
  s.Marriages[2].Wife = -1;
  Site site = generate(o);
  EXPECT_EQ(site.size(), 3u);
  const std::string& page = site["vfl00003.htm"];
  EXPECT_NE(page.find("<HR NOSHADE SIZE=1> Name: <B><A HREF=vfl00003.htm>Al Ford</a></B>"), std::string::npos);
  EXPECT_EQ(page.find("9999"), std::string::npos);
}

// Every HREF of a written site names a page that exists, and every "#name" an
// anchor on that page.
void check_links(const std::string& folder, long expected_pages) {
  std::map<std::string, std::string> pages;
  for (const auto& e : fs::directory_iterator(folder)) {
    auto b = fileio::read_all(e.path().string());
    ASSERT_TRUE(b);
    pages[e.path().filename().string()] = std::string(b->begin(), b->end());
  }
  EXPECT_EQ(static_cast<long>(pages.size()), expected_pages + 2) << "no temporary file may stay behind";
  const std::regex href("<A HREF=([^ >]+)>"), name("<A NAME=([^ >]+)>");
  std::map<std::string, std::set<std::string>> anchors;
  for (const auto& [file, html] : pages)
    for (std::sregex_iterator i(html.begin(), html.end(), name), e; i != e; ++i) anchors[file].insert((*i)[1]);
  long links = 0;
  for (const auto& [file, html] : pages) {
    for (std::sregex_iterator i(html.begin(), html.end(), href), e; i != e; ++i, ++links) {
      std::string target = (*i)[1];
      std::string anchor;
      if (auto hash = target.find('#'); hash != std::string::npos) {
        anchor = target.substr(hash + 1);
        target.erase(hash);
      }
      ASSERT_TRUE(pages.count(target)) << file << " links to missing " << target;
      if (!anchor.empty()) {
        EXPECT_TRUE(anchors[target].count(anchor)) << file << " -> " << target << "#" << anchor;
      }
    }
  }
  EXPECT_GT(links, expected_pages * 3);
}

TEST_F(WebPages, WrittenSitesLinkOnlyToWhatExists) {
  build_fixture();
  const std::string folder = t.dir.path() + "site/";
  fs::create_directories(folder);
  o.folder = folder;
  WebResult r = WriteWebSite(s, o, {});
  ASSERT_EQ(r.status, WebStatus::Done);
  EXPECT_EQ(r.index_file, folder + "famnames.htm");
  check_links(folder, 4);

  test::TreeOptions big;
  big.persons = 900;
  big.marriages = 700;
  big.generations = 7;
  test::generate_tree(s, big);
  const std::string folder2 = t.dir.path() + "big/";
  fs::create_directories(folder2);
  o.folder = folder2;
  o.HTMLMode = true;
  r = WriteWebSite(s, o, {});
  ASSERT_EQ(r.status, WebStatus::Done);
  EXPECT_EQ(r.counts.family_pages, CountWebFamilies(s));
  check_links(folder2, r.counts.family_pages);
}

TEST_F(WebPages, CancelLeavesNoPageBehind) {
  build_fixture();
  const std::string folder = t.dir.path() + "site/";
  fs::create_directories(folder);
  test::put_file(folder + "vfl00003.htm", Bytes{'o', 'l', 'd'});
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

TEST_F(WebPages, UnwritableFolderFailsWithMessage) {
  build_fixture();
  o.folder = t.dir.path() + "missing/";
  WebResult r = WriteWebSite(s, o, {});
  EXPECT_EQ(r.status, WebStatus::Failed);
  EXPECT_EQ(r.message.rfind("The web page '" + t.dir.path() + "missing/vfl00003.htm' could not be written.\r\n", 0), 0u);
}

}  // namespace
