// Family web pages as generated, in both styles: whole sites against the
// pages kept beside this test, the privacy rule, the edge cases and escaping.
#include <cstring>
#include <set>

#include "golden.h"
#include "interchange/web_pages_html.h"
#include "store/familyfile.h"
#include "web_pages_fixture.h"

using namespace vft;

namespace {

using test::Site;
using WebPages = test::WebPagesFixture;

bool has(const std::string& page, const std::string& text) { return page.find(text) != std::string::npos; }

// Whole sites, one file per site with each page after a "=== name" line.
void expect_golden(const std::string& file, const Site& site) {
  std::string got;
  for (const auto& [name, html] : site) got += "=== " + name + "\n" + html;
  for (std::size_t at; (at = got.find(VFT_VERSION)) != std::string::npos;)
    got.replace(at, std::strlen(VFT_VERSION), "@VERSION@");
  test::expect_golden(file, got, VFT_WEB_GOLDEN_DIR);
}

TEST_F(WebPages, SitesAsKeptBesideTheTest) {
  ASSERT_EQ(OpenFamilyFile(s, VFT_SAMPLE_FILE), -1);
  // Without the option the living persons' dates are hidden, those of the dead
  // shown (the rule is one for both styles); with it, the fixture's all shown.
  expect_golden("classic_sample.txt", generate(o));
  build_fixture();
  s.CurrentFilePath = "/home/ann/the smiths.vfl";
  o.HTMLMode = o.IncludeBirthdays = true;
  o.include_name = o.include_email = o.include_website = true;
  o.Name = "Ann Author";
  o.Email = "ann@example.org";
  o.WebSite = "http://example.org/family";
  o.colours = {0xFFFFF0, 0x202020, 0x0000A0, 0x600060};
  expect_golden("classic_fixture.txt", generate(o));
  expect_golden("modern_fixture.txt", generate(WebStyle::Modern));
  // Families with both partners alive in the records; Peter and the deleted Gone have none.
  EXPECT_EQ(CountWebFamilies(s), 4);
}

// The diagram's small boxes keep a given name: given names go from the right
// as in the family view, then the family name is shortened rather than lost.
// Places lose the separators of their empty parts.
TEST_F(WebPages, DiagramNamesAndPlacesAsShown) {
  test::TreeBuilder b(s);
  const auto m = b.family(b.person("Bartholomew", "Many", "M"), b.person("Zo\xEB", "de SAVOIE", "F"), "", ", , York ,");
  const char* kids[][3] = {
      {"Charles", "Many", ">Charles M.<"},
      {"Zo\xEB", "de SAVOIE", ">Zo\xC3\xAB de S.<"},
      {"Mary Ann Rose", "Lee", ">Mary Lee<"},
      {"Bartholomew Christopher", "", "spacingAndGlyphs\">Bartholomew<"},
      {"", "Featherstonehaugh", "spacingAndGlyphs\">Featherstonehaugh<"},
  };
  for (const auto& k : kids) b.child(m, k[0], k[1], "M");
  PersonRecord p = b.read(3);
  p.BirthPlace = ", Kent";
  b.write(p);
  for (WebStyle style : test::kStyles) {
    const std::string page = generate(style)["vfl00003.htm"];
    EXPECT_TRUE(has(page, " York") && has(page, "Kent"));
    EXPECT_FALSE(has(page, ", Kent") || has(page, ", York") || has(page, "York ,"));
    for (const auto& k : kids) EXPECT_TRUE(style == WebStyle::Classic || has(page, k[2])) << k[2];
  }
}

TEST(WebEscaping, EveryTextAndAttributeValue) {
  using web::Dialect;
  struct Case {
    std::string text, classic, modern;
  };
  const Case cases[] = {
      {"a&b<c>\"d'", "a&amp;b&lt;c&gt;&quot;d'", "a&amp;b&lt;c&gt;&quot;d'"},
      {std::string("x\0y\r\nz\x7F", 7), "x y  z ", "x y  z "},
      {"\xE9\x80\x9F\xA0", "\xE9\x80\x9F\xA0",
       "\xC3\xA9\xE2\x82\xAC\xC5\xB8\xC2\xA0"},  // e-acute, euro, Y-diaeresis, no-break space
      {"\x81\x8D\x9D", "\x81\x8D\x9D", "   "},   // undefined in CP1252: no C1 controls in UTF-8 pages
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::string classic, modern;
    web::AppendEscaped(classic, c.text, Dialect::Classic);
    web::AppendEscaped(modern, c.text, Dialect::Modern);
    EXPECT_EQ(classic, c.classic) << c.text;
    EXPECT_EQ(modern, c.modern) << c.text;
  }
  // Attribute values: Classic leaves our own names bare; anything else, and
  // every Modern value, is quoted.
  const std::pair<std::string, std::pair<std::string, std::string>> attrs[] = {
      {"vfl00001.htm#A_2", {"vfl00001.htm#A_2", "\"vfl00001.htm#A_2\""}},
      {"a b", {"\"a b\"", "\"a b\""}},
      {"x\"onclick=y", {"\"x&quot;onclick=y\"", "\"x&quot;onclick=y\""}},
      {"", {"\"\"", "\"\""}},
  };
  for (const auto& [value, want] : attrs) {
    std::string classic, modern;
    web::HtmlWriter(classic, Dialect::Classic).attr(value);
    web::HtmlWriter(modern, Dialect::Modern).attr(value);
    EXPECT_EQ(classic, want.first);
    EXPECT_EQ(modern, want.second);
  }
}

TEST_F(WebPages, HostileTextIsRenderedAsText) {
  test::TreeBuilder b(s);
  auto h = b.person("<script>alert(1)</script>", "A&B", "M");
  auto w = b.person("Eve \"Q\"", "<i>O'Hara", "F");
  b.family(h, w, "1 Jan 1900", "<b>Here</b></PRE>");
  s.CurrentFilePath = "/x/<b>tree.vfl";
  o.include_name = o.include_email = o.include_website = true;
  o.Name = "Me & <you>";
  o.Email = "x\"><script>@y";
  o.WebSite = "http://a.b/\"onclick=\"x";
  const char* title = "&lt;script&gt;alert(1)&lt;/script&gt; A&amp;B and Eve &quot;Q&quot; &lt;i&gt;O'Hara";
  for (WebStyle style : test::kStyles) {
    Site site = generate(style);
    for (const auto& [name, html] : site)
      EXPECT_FALSE(has(html, "<script>a") || has(html, "<script>@") || has(html, "<i>") || has(html, "<b>H") ||
                   has(html, "<b>t") || has(html, "Here</PRE>"))
          << name;
    const std::string& page = site["vfl00003.htm"];
    EXPECT_TRUE(has(page, title));
    EXPECT_TRUE(has(page, "&lt;b&gt;Here&lt;/b&gt;&lt;/PRE&gt;"));
    EXPECT_TRUE(has(page, "Prepared by: Me &amp; &lt;you&gt;"));
    EXPECT_TRUE(has(page, "HREF=\"mailto:x&quot;&gt;&lt;script&gt;@y\"> EMail: x&quot;&gt;&lt;script&gt;@y</a>") ||
                has(page, "href=\"mailto:x&quot;&gt;&lt;script&gt;@y\">EMail: x&quot;&gt;&lt;script&gt;@y</a>"));
    EXPECT_TRUE(has(page, "HREF=\"http://a.b/&quot;onclick=&quot;x\">Go Home</a>") ||
                has(page, "href=\"http://a.b/&quot;onclick=&quot;x\">Go Home</a>"));
    EXPECT_TRUE(has(site["famnames.htm"], "HREF=listname.htm#IOHARA>&lt;i&gt;O'Hara</a>") ||
                has(site["famnames.htm"], "href=\"listname.htm#IOHARA\">&lt;i&gt;O'Hara <span"));
  }
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
  for (WebStyle style : test::kStyles) {
    Site site = generate(style);
    EXPECT_EQ(site.size(), style == WebStyle::Classic ? 3u : 5u);
    const std::string& page = site["vfl00003.htm"];
    EXPECT_TRUE(has(page, "<B><A HREF=vfl00003.htm>Al Ford</a></B>") ||
                has(page, "<h3><a href=\"vfl00003.htm\">Al Ford</a>"));
    EXPECT_FALSE(has(page, "9999"));
  }
}

}  // namespace
