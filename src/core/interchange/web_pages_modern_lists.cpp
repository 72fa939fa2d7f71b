// The modern list of people, the family names and the front page. Letters
// jump to the family-name groups; a search box filters as one types (a few
// lines of script: without it the box stays hidden and the page works as a
// plain list). A list longer than kListRowsPerPage becomes a page of family
// names with one page of people per first letter.
#include <algorithm>

#include "interchange/web_pages_modern.h"

namespace vft::web {
namespace {

constexpr const char* kFindScript = R"JS(<script>
(function(){var f=document.getElementById('find');if(!f)return;f.parentNode.hidden=false;
function n(x){return x.toLowerCase().normalize('NFD').replace(/[\u0300-\u036f]/g,'')}
var li=[].slice.call(document.querySelectorAll('.people li,.names li')),t=li.map(function(e){return n(e.textContent)}),
s=[].slice.call(document.querySelectorAll('main section')).reverse();
f.addEventListener('input',function(){var v=n(f.value.trim());
li.forEach(function(e,i){e.hidden=v!==''&&t[i].indexOf(v)<0});
s.forEach(function(e){e.hidden=!e.querySelector('li:not([hidden])')})})})();
</script>
)JS";

// 'A' to 'Z' by the group's sort key (accents already taken off), else '#'.
char letter_of(const SiteData& d, const NameGroup& g) {
  const std::string& key = d.rows()[g.first].fam_key;
  return !key.empty() && key[0] >= 'A' && key[0] <= 'Z' ? key[0] : '#';
}

bool split(const SiteData& d) { return d.rows().size() > kListRowsPerPage; }

std::string letter_page(const SiteData& d, char letter) {
  return "listname-" + std::string(1, letter == '#' ? '0' : static_cast<char>(letter + ('a' - 'A'))) + d.ext;
}

std::string group_href(const SiteData& d, const NameGroup& g) {
  return (split(d) ? letter_page(d, letter_of(d, g)) : d.listname) + "#" + g.anchor;
}

// The letters that start a group: A to Z, then '#' for the rest (names that
// start with a digit, a sign or a letter without a plain form), which sort
// both before and after the letters.
std::string letters_of(const SiteData& d) {
  std::string out;
  for (char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ#"))
    if (std::any_of(d.groups().begin(), d.groups().end(), [&](const NameGroup& g) { return letter_of(d, g) == c; }))
      out += c;
  return out;
}

// A to Z, each a link where some name starts with it; '#' last when used.
// On a letter's own page that letter is marked as the current one.
void letter_bar(const SiteData& d, HtmlWriter& w, const std::string& used, bool to_pages, char current = 0) {
  w << "<nav aria-label=\"Letters\"><ul class=\"letters\">";
  for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ#")) {
    const std::string label(1, c);
    if (used.find(c) == std::string::npos) {
      if (c != '#') {
        w << "<li><span>";
        w.text(label) << "</span></li>";
      }
      continue;
    }
    w << "<li><a href=";
    w.attr(to_pages ? letter_page(d, c) : "#letter-" + std::string(1, c == '#' ? '0' : c));
    if (c == current) w << " aria-current=\"page\"";
    w << ">";
    w.text(label) << "</a></li>";
  }
  w << "</ul></nav>\n";
}

void find_box(HtmlWriter& w) {
  w << "<p class=\"find\" hidden><label class=\"kicker\" for=\"find\">Find a name</label>"
       "<input id=\"find\" type=\"search\" placeholder=\"Type part of a name\" autocomplete=\"off\"></p>\n";
}

void letter_start(HtmlWriter& w, char c, Markup heading_open, Markup heading_close) {
  w << "<section class=\"letter\" id=\"letter-";
  w.text(std::string(1, c == '#' ? '0' : c)) << "\">" << heading_open;
  w.text(std::string(1, c)) << heading_close << "\n";
}

// One family name with its people, each linked to their family page.
void group_of_people(const SiteData& d, HtmlWriter& w, const NameGroup& g) {
  const std::string& fam = d.person(d.rows()[g.first].person).fam;
  w << "<section class=\"group\" id=";
  w.attr(g.anchor) << "><h3>";
  w.text(fam.empty() ? std::string("?") : fam) << "</h3>\n<ul class=\"people\">\n";
  for (std::size_t i = g.first; i < g.end; ++i) {
    const int n = d.rows()[i].person;
    const ShownPerson& p = d.person(n);
    const std::string shown = p.given.empty() ? p.fam : (p.fam.empty() ? p.given : p.fam + ", " + p.given);
    w << "<li>";
    if (int own = d.own_family(n)) w.link(d.page(own), shown);
    else w.text(shown);
    if (const std::string born = ShownDate(p.born); !born.empty()) {
      w << " <span class=\"date\">";
      w.text(born) << "</span>";
    }
    w << "</li>\n";
  }
  w << "</ul></section>\n";
}

// The groups of one letter, or of every letter under its heading when `only`
// is 0, with their people.
void people(const SiteData& d, HtmlWriter& w, char only) {
  for (char c : letters_of(d)) {
    if (only && c != only) continue;
    if (!only) letter_start(w, c, "<h2>", "</h2>");
    for (const NameGroup& g : d.groups())
      if (letter_of(d, g) == c) group_of_people(d, w, g);
    if (!only) w << "</section>\n";
  }
}

// Family names as links into the list, grouped by letter, each with the
// number of people who carry it.
void name_chips(const SiteData& d, HtmlWriter& w) {
  for (char c : letters_of(d)) {
    letter_start(w, c, "<h3>", "</h3>");
    w << "<ul class=\"names\">\n";
    for (const NameGroup& g : d.groups()) {
      if (letter_of(d, g) != c) continue;
      const std::string& fam = d.person(d.rows()[g.first].person).fam;
      w << "<li><a href=";
      w.attr(group_href(d, g)) << ">";
      w.text(fam.empty() ? std::string("?") : fam) << " <span class=\"count\">";
      w.number(static_cast<long>(g.end - g.first)) << "</span></a></li>\n";
    }
    w << "</ul></section>\n";
  }
}

void list_heading(const SiteData& d, HtmlWriter& w) {
  w << "<h1>List of ";
  w.number(static_cast<long>(d.rows().size())) << " People</h1>\n<p class=\"lead\">Prepared on ";
  w.text(d.today) << "</p>\n";
}

}  // namespace

bool ModernListPages(const SiteData& d, const WebPageSink& sink) {
  std::string html;
  HtmlWriter w(html, Dialect::Modern);
  const std::string used = letters_of(d);
  ModernHead(d, w, "List of All People");
  list_heading(d, w);
  find_box(w);
  letter_bar(d, w, used, split(d));
  if (split(d)) {
    w << "<div class=\"index\">\n";
    name_chips(d, w);
    w << "</div>\n";
  } else {
    people(d, w, 0);
  }
  w << kFindScript;
  ModernFooter(d, w);
  if (!sink(d.listname, html)) return false;
  if (!split(d)) return true;
  for (char c : used) {
    html.clear();
    ModernHead(d, w, "List of All People: " + std::string(1, c));
    w << "<h1><span class=\"kicker\">List of All People</span>";
    w.text(std::string(1, c)) << "</h1>\n";
    find_box(w);
    letter_bar(d, w, used, true, c);
    people(d, w, c);
    w << kFindScript;
    ModernFooter(d, w);
    if (!sink(letter_page(d, c), html)) return false;
  }
  return true;
}

void ModernNamesPage(const SiteData& d, bool front, std::string& out) {
  HtmlWriter w(out, Dialect::Modern);
  ModernHead(d, w, front ? SiteTitle(d) : "Family Names");
  if (front) {
    w << "<h1>";
    w.text(SiteTitle(d)) << "</h1>\n<p class=\"lead\">Prepared on ";
    w.text(d.today) << "</p>\n<ul class=\"stats\"><li><b>";
    w.number(static_cast<long>(d.rows().size())) << "</b>People</li><li><b>";
    w.number(d.page_count()) << "</b>Families</li></ul>\n<p><a class=\"button\" href=";
    w.attr(d.listname) << ">List of All People</a></p>\n<h2>List of All Family Names</h2>\n";
  } else {
    w << "<h1>List of All Family Names</h1>\n";
  }
  find_box(w);
  letter_bar(d, w, letters_of(d), false);
  w << "<div class=\"index\">\n";
  name_chips(d, w);
  w << "</div>\n";
  w << kFindScript;
  ModernFooter(d, w);
}

}  // namespace vft::web
