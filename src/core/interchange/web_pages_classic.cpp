// The classic pages: preformatted blocks with fixed columns, as the program
// has always written them. Sites already published stay byte for byte the
// same when they are made again in this style.
#include <algorithm>

#include "common/cp1252.h"
#include "interchange/web_pages_html.h"
#include "interchange/web_pages_site.h"

namespace vft::web {
namespace {

// Date, then the place after it in a column of its own.
std::string event_text(const std::string& date, const std::string& place) {
  if (place.empty()) return date;
  return cp1252::fit(date, 12) + " " + place;
}

void head(const SiteData& d, HtmlWriter& w, const std::string& title) {
  const WebColours& c = d.options.colours;
  w << "<HTML>";
  w.endl() << "<HEAD>";
  w.endl() << "<TITLE>";
  w.text(title) << "</TITLE>";
  w.endl() << "<META NAME=\"Generator\" CONTENT=\"Vorlan Family Tree " VFT_VERSION "\">";
  w.endl() << "<META NAME=\"Keywords\" CONTENT=\"Vorlan Family Tree\">";
  w.endl() << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">";
  w.endl() << "</HEAD>";
  w.endl() << "<BODY BGCOLOR=";
  w.attr(HtmlColour(c.BackColour)) << " TEXT=";
  w.attr(HtmlColour(c.NormTextColour)) << " LINK=";
  w.attr(HtmlColour(c.LinkColour)) << " VLINK=";
  w.attr(HtmlColour(c.VisitedColour)) << ">";
  w.endl();
}

void footer(const SiteData& d, HtmlWriter& w) {
  w << "<PRE><HR NOSHADE SIZE=3>Web pages prepared on ";
  w.text(d.today) << " using Vorlan Family Tree "
                  << "version " VFT_VERSION;
  w.endl() << "</BODY>";
  w.endl() << "</HTML>";
  w.endl();
}

// Links to n's families with a page other than `except`, named by the partner.
void partner_links(const SiteData& d, HtmlWriter& w, int n, int except) {
  bool first = true;
  for (int m : d.families_of(n)) {
    if (m == except || !d.paged(m)) continue;
    const MarriageRecord& f = d.family(m);
    if (!first) w << ", ";
    w.link(d.page(m), d.name(f.Husband == n ? f.Wife : f.Husband));
    first = false;
  }
}

void partner_block(const SiteData& d, HtmlWriter& w, Markup heading, int n, int m) {
  const ShownPerson& p = d.person(n);
  w << heading;
  w.text(p.name) << "</B>";
  w.endl() << "<HR NOSHADE SIZE=1>   Born: ";
  w.text(event_text(p.born, p.born_at));
  w.endl() << "   Died: ";
  w.text(event_text(p.died, p.died_at));
  w.endl() << "Married: ";
  w.text(event_text(d.marriage_date(m), d.marriage_place(m)));
  w.endl();
  if (int pf = d.parent_family(n)) {
    const MarriageRecord& f = d.family(pf);
    auto parent = [&](Markup label, int who) {
      if (!d.live(who)) return;
      w << label;
      if (d.paged(pf)) w.link(d.page(pf), d.name(who));
      else w.text(d.name(who));
      w.endl();
    };
    parent(" Father: ", f.Husband);
    parent(" Mother: ", f.Wife);
  }
  const auto& mine = d.families_of(n);
  if (std::any_of(mine.begin(), mine.end(), [&](int o) { return o != m && d.paged(o); })) {
    w << "  Other Partners: ";
    partner_links(d, w, n, m);
    w.endl();
  }
}

}  // namespace

void ClassicFamilyPage(const SiteData& d, int m, std::string& out) {
  const MarriageRecord& f = d.family(m);
  const std::string& husband = d.name(f.Husband);
  const std::string& wife = d.name(f.Wife);
  HtmlWriter w(out);
  head(d, w, husband + " and " + wife);
  w << "<CENTER><B>Family of ";
  w.text(husband) << " and ";
  w.text(wife) << "</B></CENTER>";
  w.endl() << "<PRE>";
  w.endl();
  partner_block(d, w, "<HR NOSHADE SIZE=3>Husband: <B>", f.Husband, m);
  partner_block(d, w, "<HR NOSHADE SIZE=3>Wife: <B>", f.Wife, m);
  w << "<HR NOSHADE SIZE=3> <B>CHILDREN </B>";
  w.endl();
  for (int kid : d.children(m)) {
    const ShownPerson& p = d.person(kid);
    const int own = d.own_family(kid);
    w << "<HR NOSHADE SIZE=1> Name: <B>";
    if (own) w.link(d.page(own), p.name);
    else w.text(p.name);
    w << "</B>";
    w.endl() << "   Born: ";
    w.text(event_text(p.born, p.born_at));
    w.endl() << "   Died: ";
    w.text(event_text(p.died, p.died_at));
    w.endl();
    if (own) {
      w << "Partners: ";
      partner_links(d, w, kid, 0);
      w.endl();
    }
  }
  w << "<HR NOSHADE SIZE=3></PRE><CENTER><B>";
  w.endl();
  w.link(d.famnames, "Go To Family Names") << "&nbsp;&nbsp;&nbsp;&nbsp;";
  w.endl();
  w.link(d.listname, "Go To List of all Names") << "&nbsp;&nbsp;&nbsp;&nbsp;";
  w.endl() << "</B></CENTER>";
  w.endl();
  const WebOptions& o = d.options;
  if (o.include_name && !cp1252::trim(o.Name).empty()) {
    w << "<BR><B><CENTER> Prepared by: ";
    w.text(cp1252::trim(o.Name)) << "</CENTER></B>";
    w.endl();
  }
  if (o.include_email && !cp1252::trim(o.Email).empty()) {
    const std::string mail = cp1252::trim(o.Email);
    w << "<BR><CENTER><A HREF=";
    w.attr("mailto:" + mail) << "> EMail: ";
    w.text(mail) << "</a></CENTER>";
    w.endl();
  }
  if (o.include_website && !cp1252::trim(o.WebSite).empty()) {
    w << "<BR><CENTER><A HREF=";
    w.attr(cp1252::trim(o.WebSite)) << ">Go Home</a></CENTER>";
    w.endl();
  }
  footer(d, w);
}

void ClassicListPage(const SiteData& d, std::string& out) {
  HtmlWriter w(out);
  head(d, w, "List of All People");
  w << "<CENTER><B> List of ";
  w.number(static_cast<long>(d.rows().size())) << " People - Prepared on ";
  w.text(d.today) << "</CENTER></B><BR>";
  w.endl() << "<HR NOSHADE SIZE=3><PRE>";
  w.endl();
  for (const NameGroup& g : d.groups()) {
    w << "<A NAME=";
    w.attr(g.anchor) << "></a>";
    w.endl();
    for (std::size_t i = g.first; i < g.end; ++i) {
      const int n = d.rows()[i].person;
      const ShownPerson& p = d.person(n);
      const std::string shown = p.given.empty() ? p.fam : (p.fam.empty() ? p.given : p.fam + ", " + p.given);
      w << " ";
      if (int own = d.own_family(n)) w.link(d.page(own), shown);
      else w.text(shown);
      w << " - ";
      w.text(p.born);
      w.endl();
    }
  }
  w << "</PRE><HR NOSHADE SIZE=3><CENTER><B>";
  w.link(d.famnames, "Go To Family Names") << "</B></CENTER>";
  w.endl();
  footer(d, w);
}

void ClassicNamesPage(const SiteData& d, std::string& out) {
  HtmlWriter w(out);
  head(d, w, "Family Names");
  w << "<B><CENTER>List of All Family Names</B></CENTER>";
  w.endl() << "<HR NOSHADE SIZE=3>";
  w.endl();
  for (const NameGroup& g : d.groups()) {
    const std::string& fam = d.person(d.rows()[g.first].person).fam;
    w.link(d.listname + "#" + g.anchor, fam.empty() ? std::string("?") : fam) << "&nbsp;&nbsp;";
    w.endl();
  }
  w << "<HR NOSHADE SIZE=3><A HREF=";
  w.attr(d.listname) << "><B><CENTER>Go To List of All People</a>&nbsp;&nbsp;&nbsp;&nbsp;</CENTER></B>";
  w.endl();
  footer(d, w);
}

}  // namespace vft::web
