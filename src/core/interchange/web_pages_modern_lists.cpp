// The modern list of people, the family names and the front page. Letters
// jump to the family-name groups; a search box filters as one types (a few
// lines of script: without it the box stays hidden and the page works as a
// plain list). A list longer than kListRowsPerPage becomes a page of family
// names with a page of people per first letter, and a letter with more people
// than that gets several pages, cut between family names where it can and
// between given names where one family name fills pages by itself. There
// the search box looks names up in a small index of everyone, loaded when
// the first letter is typed.
#include <algorithm>

#include "common/cp1252.h"
#include "interchange/web_pages_modern.h"

namespace vft::web {
namespace {

// Every word typed must be part of the name, in any order, so "Paul Adams",
// "Adams, Paul" and "ada pa" all find "Adams, Paul". Pages holding the whole
// list filter it in place; the pages of a split list (the box names an
// index) show what the index holds instead of the page. "?q=name" after a
// page's address fills the box, so a search can be linked to.
constexpr const char* kFindScript = R"JS(<script>
(function(){var f=document.getElementById('find');if(!f)return;f.parentNode.hidden=false;
var none=document.getElementById('none'),found=document.getElementById('found'),src=f.getAttribute('data-index'),all=null;
function n(x){return x.toLowerCase().normalize('NFD').replace(/[\u0300-\u036f]/g,'')}
function hit(w,t){return w.every(function(x){return t.indexOf(x)>=0})}
function label(e){var a=e.firstChild;return n((a.nodeType==1?a.firstChild:a).textContent)}
var li=[].slice.call(document.querySelectorAll('.people li,.names li')),t=li.map(label),
s=[].slice.call(document.querySelectorAll('main section')).reverse(),own=[].slice.call(document.querySelectorAll('main section,main .index'));
function say(w,any){none.hidden=any||!w.length;none.textContent=none.hidden?'':'No match for \u201c'+f.value.trim()+'\u201d.'}
function inPlace(w){var any=false;li.forEach(function(e,i){e.hidden=w.length>0&&!hit(w,t[i]);any=any||!e.hidden});
s.forEach(function(e){e.hidden=!e.querySelector('li:not([hidden])')});say(w,any)}
function fromIndex(w){own.forEach(function(e){e.hidden=w.length>0});found.textContent='';found.hidden=!w.length;
var m=0,p=all.p,i,e,a;for(i=0;i<p.length&&w.length;i++){if(!hit(w,n(all.f[p[i][0]]+', '+p[i][1])))continue;
if(++m>500)continue;e=document.createElement('li');a=p[i][2]?document.createElement('a'):e;
if(a!==e){a.href='vfl'+('0000'+p[i][2]).slice(-5)+all.ext;e.appendChild(a)}
a.textContent=p[i][1]?(all.f[p[i][0]]?all.f[p[i][0]]+', '+p[i][1]:p[i][1]):all.f[p[i][0]];
if(p[i][3]){a=document.createElement('span');a.className='date';a.textContent=p[i][3];e.appendChild(document.createTextNode(' '));e.appendChild(a)}
found.appendChild(e)}
if(m>500){e=document.createElement('li');e.textContent='\u2026 and '+(m-500)+' more: type more of the name.';found.appendChild(e)}
say(w,m>0)}
function go(){var w=n(f.value).split(/[\s,]+/).filter(Boolean);
if(!src)return inPlace(w);
if(all)return fromIndex(w);
if(all===null&&w.length){all=false;var k=document.createElement('script');k.src=src;
k.onload=function(){all=window.vftNames;if(all)go();else{src=null;go()}};k.onerror=function(){src=null;go()};document.head.appendChild(k)}}
var q=/[?&]q=([^&]*)/.exec(location.search);if(q)try{f.value=decodeURIComponent(q[1].replace(/\+/g,' '))}catch(e){}
f.addEventListener('input',go);if(f.value)go()})();
</script>
)JS";

constexpr const char* kNameIndex = "vftnames.js";

// 'A' to 'Z' by the group's sort key (accents already taken off), else '#'.
char letter_of(const SiteData& d, const NameGroup& g) {
  const std::string& key = d.rows()[g.first].fam_key;
  return !key.empty() && key[0] >= 'A' && key[0] <= 'Z' ? key[0] : '#';
}

bool split(const SiteData& d) { return d.rows().size() > kListRowsPerPage; }

// "listname-s", then "listname-s2", "listname-s3" for a letter's further pages.
std::string letter_page(const SiteData& d, char letter, int number = 1) {
  std::string name = "listname-";
  name += letter == '#' ? '0' : static_cast<char>(letter + ('a' - 'A'));
  if (number > 1) name += std::to_string(number);
  return name + d.ext;
}

// One page of a split list: some of one letter's people, in list order.
struct ListPart {
  char letter = 0;
  int number = 1;                 // 1 for the letter's first page
  std::vector<std::size_t> rows;  // into d.rows()
};

// How a split list falls into pages, and where each family name starts.
struct ListLayout {
  std::vector<ListPart> parts;
  std::vector<std::size_t> group_of_row, part_of_group;
};

// Where a letter's rows may be cut, best first: between family names,
// between given names' first letters, between given names, anywhere. A cut
// is taken at the last place of the best kind that leaves the page at least
// half full.
std::size_t cut_at(const SiteData& d, const std::vector<std::size_t>& rows, std::size_t from) {
  const std::size_t most = from + kListRowsPerPage;
  if (rows.size() <= most) return rows.size();
  auto differs = [&](int kind, std::size_t i) {
    const ListRow &a = d.rows()[rows[i - 1]], &b = d.rows()[rows[i]];
    if (a.fam_upper != b.fam_upper) return true;
    if (kind == 1) return a.given_key.substr(0, 1) != b.given_key.substr(0, 1);
    return kind == 2 && a.given_key != b.given_key;
  };
  for (int kind = 0; kind < 3; ++kind)
    for (std::size_t i = most; i > from + kListRowsPerPage / 2; --i)
      if (differs(kind, i)) return i;
  return most;
}

ListLayout layout_of(const SiteData& d, const std::string& letters) {
  ListLayout l;
  l.group_of_row.resize(d.rows().size());
  l.part_of_group.resize(d.groups().size());
  for (std::size_t g = 0; g < d.groups().size(); ++g)
    for (std::size_t i = d.groups()[g].first; i < d.groups()[g].end; ++i) l.group_of_row[i] = g;
  if (!split(d)) return l;
  for (char c : letters) {
    std::vector<std::size_t> rows;
    for (const NameGroup& g : d.groups())
      if (letter_of(d, g) == c)
        for (std::size_t i = g.first; i < g.end; ++i) rows.push_back(i);
    for (std::size_t from = 0, number = 1; from < rows.size(); ++number) {
      const std::size_t to = cut_at(d, rows, from);
      ListPart part{
          c, static_cast<int>(number),
          std::vector<std::size_t>(rows.begin() + static_cast<long>(from), rows.begin() + static_cast<long>(to))};
      for (std::size_t i : part.rows)
        if (d.groups()[l.group_of_row[i]].first == i) l.part_of_group[l.group_of_row[i]] = l.parts.size();
      l.parts.push_back(std::move(part));
      from = to;
    }
  }
  return l;
}

std::string group_href(const SiteData& d, const ListLayout& l, std::size_t g) {
  if (!split(d)) return d.listname + "#" + d.groups()[g].anchor;
  const ListPart& part = l.parts[l.part_of_group[g]];
  return letter_page(d, part.letter, part.number) + "#" + d.groups()[g].anchor;
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

// The box, and the line that says when nothing matches. On the pages of a
// split list the box names the index and the matches get a list of their own.
void find_box(HtmlWriter& w, Markup label, bool index) {
  w << "<p class=\"find\" hidden><label class=\"kicker\" for=\"find\">" << label
    << "</label><input id=\"find\" type=\"search\" placeholder=\"Type part of a name\" autocomplete=\"off\"";
  if (index) w << " data-index=\"vftnames.js\"";
  w << "></p>\n<p id=\"none\" class=\"none\" role=\"status\" hidden></p>\n";
  if (index) w << "<ul class=\"people\" id=\"found\" hidden></ul>\n";
}

void letter_start(HtmlWriter& w, char c, Markup heading_open, Markup heading_close) {
  w << "<section class=\"letter\" id=\"letter-";
  w.text(std::string(1, c == '#' ? '0' : c)) << "\">" << heading_open;
  w.text(std::string(1, c)) << heading_close << "\n";
}

const std::string& fam_shown(const SiteData& d, std::size_t row) {
  static const std::string unknown = "?";
  const std::string& fam = d.person(d.rows()[row].person).fam;
  return fam.empty() ? unknown : fam;
}

// The people of rows [first, end) of the list, under their family names; a
// name whose first row is among them carries its anchor.
void people_rows(const SiteData& d, const ListLayout& l, HtmlWriter& w, const std::size_t* first,
                 const std::size_t* end) {
  for (const std::size_t* at = first; at != end; ++at) {
    const NameGroup& g = d.groups()[l.group_of_row[*at]];
    if (at == first || l.group_of_row[*at] != l.group_of_row[at[-1]]) {
      w << "<section class=\"group\"";
      if (g.first == *at) {
        w << " id=";
        w.attr(g.anchor);
      }
      w << "><h3>";
      w.text(fam_shown(d, *at)) << "</h3>\n<ul class=\"people\">\n";
    }
    const int n = d.rows()[*at].person;
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
    if (at + 1 == end || l.group_of_row[at[1]] != l.group_of_row[*at]) w << "</ul></section>\n";
  }
}

// Every letter under its heading with its people: the whole list on one page.
void people(const SiteData& d, const ListLayout& l, HtmlWriter& w) {
  for (char c : letters_of(d)) {
    letter_start(w, c, "<h2>", "</h2>");
    std::vector<std::size_t> rows;
    for (const NameGroup& g : d.groups())
      if (letter_of(d, g) == c)
        for (std::size_t i = g.first; i < g.end; ++i) rows.push_back(i);
    people_rows(d, l, w, rows.data(), rows.data() + rows.size());
    w << "</section>\n";
  }
}

// "Smith" where a page starts or ends with a whole family name, else
// "Smith, John" (the first given name).
std::string part_end(const SiteData& d, std::size_t row, bool whole) {
  const std::string& given = d.person(d.rows()[row].person).given;
  if (whole || given.empty()) return fam_shown(d, row);
  return fam_shown(d, row) + ", " + given.substr(0, given.find(' '));
}

std::string part_label(const SiteData& d, const ListLayout& l, const ListPart& part) {
  const std::size_t a = part.rows.front(), b = part.rows.back();
  const NameGroup &ga = d.groups()[l.group_of_row[a]], &gb = d.groups()[l.group_of_row[b]];
  return part_end(d, a, ga.first == a) + " \x96 " + part_end(d, b, gb.end == b + 1);
}

// The pages of a letter that does not fit on one, each named by its range.
void part_bar(const SiteData& d, const ListLayout& l, HtmlWriter& w, const ListPart& current) {
  w << "<nav aria-label=\"Pages of this letter\"><ul class=\"parts\">";
  for (const ListPart& part : l.parts) {
    if (part.letter != current.letter) continue;
    w << "<li><a href=";
    w.attr(letter_page(d, part.letter, part.number));
    if (&part == &current) w << " aria-current=\"page\"";
    w << ">";
    w.text(part_label(d, l, part)) << "</a></li>";
  }
  w << "</ul></nav>\n";
}

// Family names as links into the list, grouped by letter, each with the
// number of people who carry it.
void name_chips(const SiteData& d, const ListLayout& l, HtmlWriter& w) {
  for (char c : letters_of(d)) {
    letter_start(w, c, "<h3>", "</h3>");
    w << "<ul class=\"names\">\n";
    for (std::size_t gi = 0; gi < d.groups().size(); ++gi) {
      const NameGroup& g = d.groups()[gi];
      if (letter_of(d, g) != c) continue;
      w << "<li><a href=";
      w.attr(group_href(d, l, gi)) << ">";
      w.text(fam_shown(d, g.first)) << " <span class=\"count\">";
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

// A CP1252 text as a script string: quoted, UTF-8, without controls.
void js_string(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') out += '\\';
    if (u < 0x20 || u == 0x7F || u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D) out += ' ';
    else cp1252::append_utf8(out, std::string_view(&c, 1));
  }
  out += '"';
}

// Everyone in list order: family names once each, then per person the
// family name's place, the given names, the family page's number (0 when
// none) and the birth date as the list shows it.
std::string name_index(const SiteData& d) {
  std::string out = "window.vftNames={ext:";
  js_string(out, d.ext);
  out += ",\nf:[";
  for (std::size_t g = 0; g < d.groups().size(); ++g) {
    if (g) out += ',';
    js_string(out, d.person(d.rows()[d.groups()[g].first].person).fam);
  }
  out += "],\np:[";
  for (std::size_t g = 0; g < d.groups().size(); ++g) {
    for (std::size_t i = d.groups()[g].first; i < d.groups()[g].end; ++i) {
      const int n = d.rows()[i].person;
      out += i ? ",\n[" : "[";
      out += std::to_string(g) + ",";
      js_string(out, d.person(n).given);
      out += "," + std::to_string(d.own_family(n)) + ",";
      js_string(out, ShownDate(d.person(n).born));
      out += ']';
    }
  }
  out += "]};\n";
  return out;
}

}  // namespace

bool ModernListPages(const SiteData& d, const WebPageSink& sink) {
  std::string html;
  HtmlWriter w(html, Dialect::Modern);
  const std::string used = letters_of(d);
  const ListLayout l = layout_of(d, used);
  ModernHead(d, w, "List of All People");
  list_heading(d, w);
  find_box(w, "Find a name", split(d));
  letter_bar(d, w, used, split(d));
  if (split(d)) {
    w << "<div class=\"index\">\n";
    name_chips(d, l, w);
    w << "</div>\n";
  } else {
    people(d, l, w);
  }
  w << kFindScript;
  ModernFooter(d, w);
  if (!sink(d.listname, html)) return false;
  if (!split(d)) return true;
  for (const ListPart& part : l.parts) {
    html.clear();
    const bool several = part.number > 1 || (&part != &l.parts.back() && (&part)[1].letter == part.letter);
    std::string title = "List of All People: " + std::string(1, part.letter);
    if (several) title += ", " + part_label(d, l, part);
    ModernHead(d, w, title);
    w << "<h1><span class=\"kicker\">List of All People</span>";
    w.text(std::string(1, part.letter)) << "</h1>\n";
    find_box(w, "Find a name", true);
    letter_bar(d, w, used, true, part.letter);
    if (several) part_bar(d, l, w, part);
    people_rows(d, l, w, part.rows.data(), part.rows.data() + part.rows.size());
    w << kFindScript;
    ModernFooter(d, w);
    if (!sink(letter_page(d, part.letter, part.number), html)) return false;
  }
  return sink(kNameIndex, name_index(d));
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
  find_box(w, "Find a family name", false);
  const std::string used = letters_of(d);
  letter_bar(d, w, used, false);
  w << "<div class=\"index\">\n";
  name_chips(d, layout_of(d, used), w);
  w << "</div>\n";
  w << kFindScript;
  ModernFooter(d, w);
}

}  // namespace vft::web
