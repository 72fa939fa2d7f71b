// A modern family page: the diagram, then a card for the husband, the wife
// and each child, with dates and places on lines of their own so that long
// place names wrap instead of running off a phone's screen.
#include "interchange/web_pages_modern.h"

namespace vft::web {
namespace {

const char* sex_class(char sex) { return sex == 'M' ? "m" : sex == 'F' ? "f" : "o"; }

// One line of facts: the label, then a date and a place under it. Nothing is
// written when neither is known.
void event(HtmlWriter& w, Markup label, const std::string& stored_date, const std::string& place) {
  const std::string date = ShownDate(stored_date);
  if (date.empty() && place.empty()) return;
  w << "<dt>" << label << "</dt><dd>";
  w.text(date);
  if (!place.empty()) {
    w << "<span class=\"place\">";
    w.text(place) << "</span>";
  }
  w << "</dd>\n";
}

// Links to n's families with a page other than `except`, named by the partner.
void partner_links(const SiteData& d, HtmlWriter& w, Markup label, int n, int except) {
  bool first = true;
  for (int m : d.families_of(n)) {
    if (m == except || !d.paged(m)) continue;
    const MarriageRecord& f = d.family(m);
    if (first) w << "<dt>" << label << "</dt><dd>";
    else w << ", ";
    w.link(d.page(m), d.name(f.Husband == n ? f.Wife : f.Husband));
    first = false;
  }
  if (!first) w << "</dd>\n";
}

void card_start(const SiteData& d, std::string& out, int n) {
  out += "<section class=\"card ";
  out += sex_class(d.person(n).sex);
  out += "\">";
}

void partner_card(const SiteData& d, HtmlWriter& w, std::string& out, Markup role, int n, int m) {
  const ShownPerson& p = d.person(n);
  card_start(d, out, n);
  w << "<span class=\"role\">" << role << "</span><h2>";
  w.text(p.name) << "</h2>\n<dl class=\"facts\">\n";
  event(w, "Born", p.born, p.born_at);
  event(w, "Died", p.died, p.died_at);
  if (int pf = d.parent_family(n)) {
    const MarriageRecord& f = d.family(pf);
    auto parent = [&](Markup label, int who) {
      if (!d.live(who)) return;
      w << "<dt>" << label << "</dt><dd>";
      if (d.paged(pf)) w.link(d.page(pf), d.name(who));
      else w.text(d.name(who));
      w << "</dd>\n";
    };
    parent("Father", f.Husband);
    parent("Mother", f.Wife);
  }
  partner_links(d, w, "Other Partners", n, m);
  w << "</dl></section>\n";
}

}  // namespace

void ModernFamilyPage(const SiteData& d, int m, std::string& out) {
  const MarriageRecord& f = d.family(m);
  const std::string& husband = d.name(f.Husband);
  const std::string& wife = d.name(f.Wife);
  HtmlWriter w(out, Dialect::Modern);
  ModernHead(d, w, husband + " and " + wife);
  w << "<h1><span class=\"kicker\">Family of</span>";
  w.text(husband) << " and ";
  w.text(wife) << "</h1>\n";
  const std::string date = ShownDate(d.marriage_date(m)), place = d.marriage_place(m);
  if (!date.empty() || !place.empty()) {
    w << "<p class=\"lead\">Married ";
    w.text(date);
    if (!place.empty()) {
      if (!date.empty()) w << " in ";
      else w << "in ";
      w.text(place);
    }
    w << "</p>\n";
  }
  FamilyDiagram(d, m, out);
  w << "<div class=\"cards couple\">\n";
  partner_card(d, w, out, "Husband", f.Husband, m);
  partner_card(d, w, out, "Wife", f.Wife, m);
  w << "</div>\n";
  const std::vector<int> kids = d.children(m);
  if (!kids.empty()) {
    w << "<h2>Children</h2>\n<div class=\"cards\">\n";
    for (int kid : kids) {
      const ShownPerson& p = d.person(kid);
      const int own = d.own_family(kid);
      card_start(d, out, kid);
      w << "<span class=\"role\">" << ChildCaption(p.sex) << "</span><h3>";
      if (own) w.link(d.page(own), p.name);
      else w.text(p.name);
      w << "</h3>\n<dl class=\"facts\">\n";
      event(w, "Born", p.born, p.born_at);
      event(w, "Died", p.died, p.died_at);
      partner_links(d, w, "Partners", kid, 0);
      w << "</dl></section>\n";
    }
    w << "</div>\n";
  }
  ModernFooter(d, w);
}

}  // namespace vft::web
