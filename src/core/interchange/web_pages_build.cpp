// The pages themselves: family pages, the list of people and the family-name
// index, built from one read of the record files.
#include <algorithm>
#include <cstdio>
#include <unordered_set>
#include <vector>

#include "common/cp1252.h"
#include "interchange/gedcom_export_source.h"
#include "interchange/web_pages.h"
#include "interchange/web_pages_html.h"
#include "store/dates.h"

namespace vft {
namespace {

using web::HtmlWriter;

constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A stored field as shown: zero bytes (never-written field space) are blanks.
std::string clean(const std::string& field) {
  std::string v = field;
  std::replace(v.begin(), v.end(), '\0', ' ');
  return cp1252::trim(v);
}

// Date, then the place after it in a column of its own.
std::string event_text(const std::string& date, const std::string& place) {
  if (place.empty()) return date;
  return cp1252::fit(date, 12) + " " + place;
}

struct ListRow {
  std::string fam_key, given_key;
  int person;
};

class SiteBuilder {
 public:
  SiteBuilder(const Session& s, const WebOptions& o)
      : s_(s), o_(o), src_(s), ext_(WebExtension(o)), famnames_("famnames" + ext_), listname_("listname" + ext_) {
    LocalTime t = s.now();
    today_ = std::to_string(t.day) + " " + kMonths[std::clamp(t.month, 1, 12) - 1] + " " + std::to_string(t.year);
    index();
  }

  bool run(const WebPageSink& sink, const Progress& progress, WebSiteCounts& counts);
  long page_count() const { return static_cast<long>(std::count(paged_.begin(), paged_.end(), 1)); }

 private:
  void index();
  bool live(int n) const { return src_.live(n); }
  bool living(int n) const { return clean(src_.person(n).DeathDate).empty(); }
  std::string name(int n) const;
  std::string page(int m) const { return FamilyPageName(m, o_); }
  // First family with a page in which n is a partner; 0 if none.
  int own_family(int n) const;
  std::string birth_date(int n) const;
  std::string marriage_text(int m) const;

  void head(HtmlWriter& w, const std::string& title) const;
  void footer(HtmlWriter& w) const;
  void partner_links(HtmlWriter& w, int n, int except) const;
  void partner_block(HtmlWriter& w, web::Markup heading, int n, int m) const;
  void family_page(int m, std::string& out) const;
  void list_page(const std::vector<ListRow>& rows, const std::vector<std::string>& keys, std::string& out) const;
  void names_page(const std::vector<ListRow>& rows, const std::vector<std::string>& keys, std::string& out) const;

  const Session& s_;
  const WebOptions& o_;
  gedcom_export::RecordSource src_;
  std::string ext_, famnames_, listname_, today_;
  std::vector<char> paged_;                // by Marriage number
  std::vector<int> parent_family_;         // by person: first family listing them as a child
  std::vector<std::vector<int>> families_; // by person: families as partner, ascending
};

void SiteBuilder::index() {
  const int np = src_.persons(), nm = src_.marriages();
  paged_.assign(static_cast<std::size_t>(nm) + 1, 0);
  parent_family_.assign(static_cast<std::size_t>(np) + 1, 0);
  families_.assign(static_cast<std::size_t>(np) + 1, {});
  for (int m = 1; m <= nm; ++m) {
    const MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(m)];
    paged_[static_cast<std::size_t>(m)] = live(f.Husband) && live(f.Wife);
    if (live(f.Husband)) families_[static_cast<std::size_t>(f.Husband)].push_back(m);
    if (live(f.Wife) && f.Wife != f.Husband) families_[static_cast<std::size_t>(f.Wife)].push_back(m);
    const int kids = std::clamp<int>(f.NumKids, 0, kMaxKids);
    for (int k = 0; k < kids; ++k) {
      const int kid = f.Kids[static_cast<std::size_t>(k)];
      if (kid >= 1 && kid <= np && parent_family_[static_cast<std::size_t>(kid)] == 0)
        parent_family_[static_cast<std::size_t>(kid)] = m;
    }
  }
}

std::string SiteBuilder::name(int n) const {
  const PersonRecord& p = src_.person(n);
  return cp1252::trim(clean(p.GivenNames) + " " + clean(p.FamName));
}

int SiteBuilder::own_family(int n) const {
  for (int m : families_[static_cast<std::size_t>(n)])
    if (paged_[static_cast<std::size_t>(m)]) return m;
  return 0;
}

std::string SiteBuilder::birth_date(int n) const {
  std::string d = clean(src_.person(n).BirthDate);
  if (d.empty() || (living(n) && !o_.IncludeBirthdays)) return UnknownDate;
  return d;
}

std::string SiteBuilder::marriage_text(int m) const {
  const MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(m)];
  const CeremonyRecord c = src_.ceremony(m);
  std::string d = clean(c.MarriedDate);
  if (d.empty() || ((living(f.Husband) || living(f.Wife)) && !o_.IncludeBirthdays)) d = UnknownDate;
  return event_text(d, clean(c.MarriedAt));
}

void SiteBuilder::head(HtmlWriter& w, const std::string& title) const {
  w << "<HTML>";
  w.endl() << "<HEAD>";
  w.endl() << "<TITLE>";
  w.text(title) << "</TITLE>";
  w.endl() << "<META NAME=\"Generator\" CONTENT=\"Vorlan Family Tree " VFT_VERSION "\">";
  w.endl() << "<META NAME=\"Keywords\" CONTENT=\"Vorlan Family Tree\">";
  w.endl() << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">";
  w.endl() << "</HEAD>";
  w.endl() << "<BODY BGCOLOR=";
  w.attr(HtmlColour(o_.colours.BackColour)) << " TEXT=";
  w.attr(HtmlColour(o_.colours.NormTextColour)) << " LINK=";
  w.attr(HtmlColour(o_.colours.LinkColour)) << " VLINK=";
  w.attr(HtmlColour(o_.colours.VisitedColour)) << ">";
  w.endl();
}

void SiteBuilder::footer(HtmlWriter& w) const {
  w << "<PRE><HR NOSHADE SIZE=3>Web pages prepared on ";
  w.text(today_) << " using Vorlan Family Tree " << "version " VFT_VERSION;
  w.endl() << "</BODY>";
  w.endl() << "</HTML>";
  w.endl();
}

// Links to n's families with a page other than `except`, named by the partner.
void SiteBuilder::partner_links(HtmlWriter& w, int n, int except) const {
  bool first = true;
  for (int m : families_[static_cast<std::size_t>(n)]) {
    if (m == except || !paged_[static_cast<std::size_t>(m)]) continue;
    const MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(m)];
    if (!first) w << ", ";
    w.link(page(m), name(f.Husband == n ? f.Wife : f.Husband));
    first = false;
  }
}

void SiteBuilder::partner_block(HtmlWriter& w, web::Markup heading, int n, int m) const {
  const PersonRecord& p = src_.person(n);
  w << heading;
  w.text(name(n)) << "</B>";
  w.endl() << "<HR NOSHADE SIZE=1>   Born: ";
  w.text(event_text(birth_date(n), clean(p.BirthPlace)));
  w.endl() << "   Died: ";
  w.text(event_text(clean(p.DeathDate), clean(p.DeathPlace)));
  w.endl() << "Married: ";
  w.text(marriage_text(m));
  w.endl();
  if (int pf = parent_family_[static_cast<std::size_t>(n)]) {
    const MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(pf)];
    const bool linked = paged_[static_cast<std::size_t>(pf)];
    auto parent = [&](web::Markup label, int who) {
      if (!live(who)) return;
      w << label;
      if (linked) w.link(page(pf), name(who));
      else w.text(name(who));
      w.endl();
    };
    parent(" Father: ", f.Husband);
    parent(" Mother: ", f.Wife);
  }
  const auto& mine = families_[static_cast<std::size_t>(n)];
  if (std::any_of(mine.begin(), mine.end(), [&](int o) { return o != m && paged_[static_cast<std::size_t>(o)]; })) {
    w << "  Other Partners: ";
    partner_links(w, n, m);
    w.endl();
  }
}

void SiteBuilder::family_page(int m, std::string& out) const {
  const MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(m)];
  const std::string husband = name(f.Husband), wife = name(f.Wife);
  HtmlWriter w(out);
  head(w, husband + " and " + wife);
  w << "<CENTER><B>Family of ";
  w.text(husband) << " and ";
  w.text(wife) << "</B></CENTER>";
  w.endl() << "<PRE>";
  w.endl();
  partner_block(w, "<HR NOSHADE SIZE=3>Husband: <B>", f.Husband, m);
  partner_block(w, "<HR NOSHADE SIZE=3>Wife: <B>", f.Wife, m);
  w << "<HR NOSHADE SIZE=3> <B>CHILDREN </B>";
  w.endl();
  const int kids = std::clamp<int>(f.NumKids, 0, kMaxKids);
  for (int k = 0; k < kids; ++k) {
    const int kid = f.Kids[static_cast<std::size_t>(k)];
    if (!live(kid)) continue;
    const PersonRecord& p = src_.person(kid);
    w << "<HR NOSHADE SIZE=1> Name: <B>";
    if (int own = own_family(kid)) w.link(page(own), name(kid));
    else w.text(name(kid));
    w << "</B>";
    w.endl() << "   Born: ";
    w.text(event_text(birth_date(kid), clean(p.BirthPlace)));
    w.endl() << "   Died: ";
    w.text(event_text(clean(p.DeathDate), clean(p.DeathPlace)));
    w.endl();
    if (own_family(kid)) {
      w << "Partners: ";
      partner_links(w, kid, 0);
      w.endl();
    }
  }
  w << "<HR NOSHADE SIZE=3></PRE><CENTER><B>";
  w.endl();
  w.link(famnames_, "Go To Family Names") << "&nbsp;&nbsp;&nbsp;&nbsp;";
  w.endl();
  w.link(listname_, "Go To List of all Names") << "&nbsp;&nbsp;&nbsp;&nbsp;";
  w.endl() << "</B></CENTER>";
  w.endl();
  if (o_.include_name && !cp1252::trim(o_.Name).empty()) {
    w << "<BR><B><CENTER> Prepared by: ";
    w.text(cp1252::trim(o_.Name)) << "</CENTER></B>";
    w.endl();
  }
  if (o_.include_email && !cp1252::trim(o_.Email).empty()) {
    const std::string mail = cp1252::trim(o_.Email);
    w << "<BR><CENTER><A HREF=";
    w.attr("mailto:" + mail) << "> EMail: ";
    w.text(mail) << "</a></CENTER>";
    w.endl();
  }
  if (o_.include_website && !cp1252::trim(o_.WebSite).empty()) {
    w << "<BR><CENTER><A HREF=";
    w.attr(cp1252::trim(o_.WebSite)) << ">Go Home</a></CENTER>";
    w.endl();
  }
  footer(w);
}

void SiteBuilder::list_page(const std::vector<ListRow>& rows, const std::vector<std::string>& keys,
                            std::string& out) const {
  HtmlWriter w(out);
  head(w, "List of All People");
  w << "<CENTER><B> List of ";
  w.number(static_cast<long>(rows.size())) << " People - Prepared on ";
  w.text(today_) << "</CENTER></B><BR>";
  w.endl() << "<HR NOSHADE SIZE=3><PRE>";
  w.endl();
  std::size_t group = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i == 0 || rows[i].fam_key != rows[i - 1].fam_key) {
      w << "<A NAME=";
      w.attr(keys[group++]) << "></a>";
      w.endl();
    }
    const int n = rows[i].person;
    const PersonRecord& p = src_.person(n);
    const std::string fam = clean(p.FamName), given = clean(p.GivenNames);
    const std::string shown = given.empty() ? fam : (fam.empty() ? given : fam + ", " + given);
    w << " ";
    if (int own = own_family(n)) w.link(page(own), shown);
    else w.text(shown);
    w << " - ";
    w.text(birth_date(n));
    w.endl();
  }
  w << "</PRE><HR NOSHADE SIZE=3><CENTER><B>";
  w.link(famnames_, "Go To Family Names") << "</B></CENTER>";
  w.endl();
  footer(w);
}

void SiteBuilder::names_page(const std::vector<ListRow>& rows, const std::vector<std::string>& keys,
                             std::string& out) const {
  HtmlWriter w(out);
  head(w, "Family Names");
  w << "<B><CENTER>List of All Family Names</B></CENTER>";
  w.endl() << "<HR NOSHADE SIZE=3>";
  w.endl();
  std::size_t group = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i != 0 && rows[i].fam_key == rows[i - 1].fam_key) continue;
    const std::string fam = clean(src_.person(rows[i].person).FamName);
    w.link(listname_ + "#" + keys[group++], fam.empty() ? std::string("?") : fam) << "&nbsp;&nbsp;";
    w.endl();
  }
  w << "<HR NOSHADE SIZE=3><A HREF=";
  w.attr(listname_) << "><B><CENTER>Go To List of All People</a>&nbsp;&nbsp;&nbsp;&nbsp;</CENTER></B>";
  w.endl();
  footer(w);
}

// An anchor name for each family-name group: the name's letters and digits,
// made unique with a number where two names reduce to the same text.
std::vector<std::string> anchor_keys(const std::vector<ListRow>& rows) {
  std::vector<std::string> keys;
  std::unordered_set<std::string> used;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i != 0 && rows[i].fam_key == rows[i - 1].fam_key) continue;
    std::string key;
    for (char c : rows[i].fam_key)
      if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) key += c;
    if (key.empty()) key = "X";
    std::string unique = key;
    for (int k = 2; !used.insert(unique).second; ++k) unique = key + "_" + std::to_string(k);
    keys.push_back(unique);
  }
  return keys;
}

bool SiteBuilder::run(const WebPageSink& sink, const Progress& progress, WebSiteCounts& counts) {
  auto report = [&](const std::string& text, long n) { return !progress || progress(text, n); };
  std::string html;
  for (int m = 1; m <= src_.marriages(); ++m) {
    if (!paged_[static_cast<std::size_t>(m)]) continue;
    ++counts.family_pages;
    if (!report("Page No. " + std::to_string(counts.family_pages), counts.family_pages)) return false;
    html.clear();
    family_page(m, html);
    if (!sink(page(m), html)) return false;
  }

  if (!report("Generating List of Names", counts.family_pages)) return false;
  std::vector<ListRow> rows;
  for (int n = 1; n <= src_.persons(); ++n) {
    if (!live(n)) continue;
    const PersonRecord& p = src_.person(n);
    rows.push_back({cp1252::upper(clean(p.FamName)), cp1252::upper(clean(p.GivenNames)), n});
  }
  counts.people = static_cast<long>(rows.size());
  if (!report("Sorting", counts.family_pages)) return false;
  std::sort(rows.begin(), rows.end(), [](const ListRow& a, const ListRow& b) {
    if (int c = a.fam_key.compare(b.fam_key)) return c < 0;
    if (int c = a.given_key.compare(b.given_key)) return c < 0;
    return a.person < b.person;
  });
  const std::vector<std::string> keys = anchor_keys(rows);
  if (!report("Writing LISTNAME", counts.family_pages)) return false;
  html.clear();
  list_page(rows, keys, html);
  if (!sink(listname_, html)) return false;

  if (!report("Generating List of Family Names", counts.family_pages)) return false;
  if (!report("Writing FAMNAMES", counts.family_pages)) return false;
  html.clear();
  names_page(rows, keys, html);
  return sink(famnames_, html);
}

}  // namespace

std::string HtmlColour(std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
  return buf;
}

std::string WebExtension(const WebOptions& o) { return o.HTMLMode ? ".html" : ".htm"; }

std::string FamilyPageName(int marriage, const WebOptions& o) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "vfl%05d", std::clamp(marriage, 0, 99999));
  return buf + WebExtension(o);
}

long CountWebFamilies(const Session& s) {
  const WebOptions o;
  return SiteBuilder(s, o).page_count();
}

bool GenerateWebPages(const Session& s, const WebOptions& o, const WebPageSink& sink, const Progress& progress,
                      WebSiteCounts* counts) {
  WebSiteCounts local;
  SiteBuilder b(s, o);
  const bool done = b.run(sink, progress, local);
  if (counts) *counts = local;
  return done;
}

}  // namespace vft
