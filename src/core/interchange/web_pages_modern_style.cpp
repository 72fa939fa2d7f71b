// The frame of every modern page and the site's one stylesheet. Nothing is
// fetched from elsewhere: no web fonts, no scripts from other sites.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/cp1252.h"
#include "interchange/web_pages_modern.h"

namespace vft::web {
namespace {

// A colour `t` of the way from `a` to `b`: tints that suit whatever page
// colours the user chose, light or dark.
std::uint32_t mix(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const double x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    out |= static_cast<std::uint32_t>(std::clamp(x + (y - x) * t + 0.5, 0.0, 255.0)) << shift;
  }
  return out;
}

constexpr const char* kStyle = R"CSS(
*,*::before,*::after{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;background:var(--bg);color:var(--fg);font:1rem/1.55 system-ui,-apple-system,"Segoe UI",Roboto,"Noto Sans","Liberation Sans",Arial,sans-serif}
a{color:var(--link);text-underline-offset:.15em}
a:visited{color:var(--visited)}
.wrap{max-width:64rem;margin:0 auto;padding:0 1rem}
.top{border-bottom:1px solid var(--line);background:var(--card)}
.top .wrap{display:flex;flex-wrap:wrap;align-items:baseline;justify-content:space-between;gap:.2rem 1.5rem;padding-top:.75rem;padding-bottom:.75rem}
.top .site,.top .site:visited{color:var(--fg);font-weight:700;text-decoration:none;overflow-wrap:anywhere}
.top nav{display:flex;flex-wrap:wrap;gap:.2rem 1.25rem;font-size:.95rem}
main.wrap{padding-bottom:3rem}
h1{font-size:clamp(1.55rem,1.2rem + 1.6vw,2.3rem);line-height:1.2;letter-spacing:-.01em;margin:1.6rem 0 .4rem;overflow-wrap:anywhere}
h2{font-size:1.3rem;line-height:1.3;margin:2rem 0 .8rem}
.kicker,.role{display:block;font-size:.75rem;font-weight:600;letter-spacing:.08em;text-transform:uppercase;color:var(--muted)}
.kicker{margin-bottom:.35rem}
.lead{margin:0 0 1rem;color:var(--muted)}
.lead b{color:var(--fg)}
.cards{display:grid;gap:1rem;grid-template-columns:repeat(auto-fill,minmax(min(100%,17.5rem),1fr))}
.couple{grid-template-columns:repeat(auto-fit,minmax(min(100%,17.5rem),1fr))}
.card{background:var(--card);border:1px solid var(--line);border-left:5px solid var(--o);border-radius:.75rem;padding:.95rem 1.1rem 1.05rem;break-inside:avoid}
.card.m{border-left-color:var(--m)}
.card.f{border-left-color:var(--f)}
.card h2,.card h3{font-size:1.2rem;line-height:1.3;margin:.15rem 0 .7rem;overflow-wrap:anywhere}
.facts{display:grid;grid-template-columns:auto minmax(0,1fr);gap:.4rem 1rem;margin:0}
.facts dt{color:var(--muted);font-size:.9rem;line-height:1.7}
.facts dd{margin:0;overflow-wrap:anywhere}
.place{display:block;color:var(--muted);font-size:.95rem}
.tree{margin:1.25rem 0 1.5rem}
.tree svg{display:block;width:100%;max-width:31rem;height:auto;margin:0 auto;overflow:visible}
@media (min-width:40rem){.tree{background:var(--card);border:1px solid var(--line);border-radius:.75rem;padding:1.5rem 1rem}}
@media (max-width:25rem){.wrap{padding:0 .75rem}}
.tree text{fill:#1F2937;font-family:inherit}
.tree .c{font-size:8.5px;font-weight:600;letter-spacing:.04em;fill:#6B7280}
.tree .n{font-size:11.5px;font-weight:600}
.tree .y{font-size:10px;fill:#4B5563}
.tree .big .n{font-size:13.5px}
.tree .big .y{font-size:11px}
.tree rect{stroke-width:1}
.tree .m rect{fill:#DDE9F8;stroke:#A9C2E6}
.tree .f rect{fill:#F8E1EA;stroke:#E3B2C6}
.tree .o rect{fill:#EEEADA;stroke:#D3CAA6}
.tree .e rect{fill:#F2F3F5;stroke:#C6CBD3;stroke-dasharray:4 3}
.tree .m .s{fill:#4A7BBF;stroke:none}
.tree .f .s{fill:#C05882;stroke:none}
.tree .o .s{fill:#9A8A52;stroke:none}
.tree .e .c{fill:#A3A9B3}
.tree a:hover rect:not(.s),.tree a:focus rect:not(.s){stroke-width:2}
.tree path{fill:none;stroke:#9CA5B1;stroke-width:1.5;stroke-linejoin:round;stroke-linecap:round}
.tree .pill rect{fill:#FFFFFF;stroke:#CFD6DF}
.tree .pill text{font-size:10px;text-anchor:middle}
.find{margin:1rem 0 .5rem}
.find input{width:100%;max-width:24rem;font:inherit;padding:.55rem .8rem;border:1px solid var(--line);border-radius:.5rem;background:var(--bg);color:var(--fg)}
.letters{display:flex;flex-wrap:wrap;gap:.25rem;margin:1rem 0 1.5rem;padding:0;list-style:none}
.letters a,.letters span{display:block;min-width:2rem;padding:.3rem .25rem;text-align:center;border:1px solid var(--line);border-radius:.4rem;text-decoration:none;background:var(--card)}
.letters span{color:var(--muted);opacity:.45;background:none}
.letters [aria-current]{background:var(--fg);border-color:var(--fg);color:var(--bg)}
.parts{display:flex;flex-wrap:wrap;gap:.25rem .75rem;margin:-.75rem 0 1.5rem;padding:0;list-style:none;font-size:.9rem}
.parts [aria-current]{font-weight:700;text-decoration:none;color:var(--fg)}
.none{color:var(--muted)}
.letter>h2{font-size:1.6rem;border-bottom:2px solid var(--line);padding-bottom:.2rem;margin:1.75rem 0 .25rem}
.group h3{font-size:1.05rem;margin:1.1rem 0 .3rem}
.people{list-style:none;margin:0;padding:0;columns:17rem;column-gap:2.5rem}
.people li{padding:.15rem 0;break-inside:avoid}
.date{color:var(--muted);font-size:.9rem;white-space:nowrap}
.date::before{content:" \00b7  "}
.index .letter{display:grid;grid-template-columns:2.25rem 1fr;align-items:baseline;border-top:1px solid var(--line);padding:.6rem 0}
.index .letter h3{margin:0;font-size:1.2rem}
.names{display:flex;flex-wrap:wrap;gap:.5rem;list-style:none;margin:0;padding:0}
.names a{display:block;padding:.3rem .8rem;border:1px solid var(--line);border-radius:999px;background:var(--card);text-decoration:none}
.names .count{color:var(--muted);font-size:.85rem;margin-left:.35rem}
.stats{display:flex;flex-wrap:wrap;gap:.75rem;list-style:none;margin:1.25rem 0 1rem;padding:0}
.stats li{background:var(--card);border:1px solid var(--line);border-radius:.75rem;padding:.6rem 1rem;min-width:8rem}
.stats b{display:block;font-size:1.6rem;line-height:1.2}
.button{display:inline-block;padding:.55rem 1rem;border:1px solid var(--line);border-radius:.5rem;background:var(--card);font-weight:600;text-decoration:none}
footer{border-top:1px solid var(--line);color:var(--muted);font-size:.9rem;padding:1.25rem 0 2rem}
footer p{margin:.3rem 0}
[hidden]{display:none!important}
@media print{
body{background:#fff;color:#000;font-size:11pt}
.top{background:none}
.top nav,.find,.letters,.parts,footer a[href^="mailto:"]{display:none}
a,a:visited{color:inherit;text-decoration:none}
.card,.stats li,.names a{background:none}
.tree{max-width:28rem}
h2,h3{break-after:avoid}
}
)CSS";

}  // namespace

std::string ShownDate(const std::string& stored) {
  std::size_t at = 0;
  while (at < stored.size()) {
    const std::size_t end = std::min(stored.find(' ', at), stored.size());
    if (stored.find_first_not_of('?', at) < end) break;
    at = end + 1;
  }
  return at < stored.size() ? stored.substr(at) : std::string();
}

std::string SiteTitle(const SiteData& d) {
  // The path is the file system's (UTF-8); the page's texts are CP1252.
  std::string t = cp1252::trim(cp1252::path_text(std::filesystem::path(d.session.CurrentFilePath).stem().string()));
  if (t.empty()) return "Family Tree";
  t[0] = cp1252::upper(t[0]);
  return t;
}

std::string ModernStylesheet(const WebOptions& o) {
  const WebColours& c = o.colours;
  std::string css = "/* Vorlan Family Tree " VFT_VERSION " */\n:root{";
  auto var = [&](const char* name, std::uint32_t rgb) {
    css += std::string("--") + name + ":" + HtmlColour(rgb) + ";";
  };
  var("bg", c.BackColour);
  var("fg", c.NormTextColour);
  var("link", c.LinkColour);
  var("visited", c.VisitedColour);
  var("muted", mix(c.NormTextColour, c.BackColour, 0.38));
  var("line", mix(c.NormTextColour, c.BackColour, 0.86));
  var("card", mix(c.NormTextColour, c.BackColour, 0.975));
  css += "--m:#4A7BBF;--f:#C05882;--o:#9A8A52}";
  css += kStyle;
  return css;
}

void ModernHead(const SiteData& d, HtmlWriter& w, const std::string& title) {
  w << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
       "<meta name=\"generator\" content=\"Vorlan Family Tree " VFT_VERSION
       "\">\n"
       "<meta name=\"keywords\" content=\"Vorlan Family Tree\">\n<title>";
  w.text(title) << "</title>\n<link rel=\"stylesheet\" href=\"vftstyle.css\">\n</head>\n<body>\n"
                   "<header class=\"top\"><div class=\"wrap\"><a class=\"site\" href=\"index.html\">";
  w.text(SiteTitle(d)) << "</a><nav>";
  w.link(d.famnames, "Family Names") << " ";
  w.link(d.listname, "List of All People") << "</nav></div></header>\n<main class=\"wrap\">\n";
}

void ModernFooter(const SiteData& d, HtmlWriter& w) {
  const WebOptions& o = d.options;
  w << "</main>\n<footer><div class=\"wrap\">\n";
  const std::string name = cp1252::trim(o.Name), mail = cp1252::trim(o.Email), site = cp1252::trim(o.WebSite);
  if (o.include_name && !name.empty()) {
    w << "<p>Prepared by: ";
    w.text(name) << "</p>\n";
  }
  if ((o.include_email && !mail.empty()) || (o.include_website && !site.empty())) {
    w << "<p>";
    if (o.include_email && !mail.empty()) {
      w << "<a href=";
      w.attr("mailto:" + mail) << ">EMail: ";
      w.text(mail) << "</a>";
      if (o.include_website && !site.empty()) w << " &middot; ";
    }
    if (o.include_website && !site.empty()) w.link(site, "Go Home");
    w << "</p>\n";
  }
  w << "<p>Web pages prepared on ";
  w.text(d.today) << " using Vorlan Family Tree version " VFT_VERSION "</p>\n</div></footer>\n</body>\n</html>\n";
}

}  // namespace vft::web
