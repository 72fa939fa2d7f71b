// Building a site: the pages in their order, with progress and cancel, in
// the chosen style.
#include <algorithm>
#include <cstdio>

#include "interchange/web_pages.h"
#include "interchange/web_pages_modern.h"
#include "interchange/web_pages_site.h"

namespace vft {
namespace {

bool run(web::SiteData& d, const WebPageSink& sink, const Progress& progress, WebSiteCounts& counts) {
  const bool modern = d.options.style == WebStyle::Modern;
  auto report = [&](const std::string& text, long n) { return !progress || progress(text, n); };
  std::string html;
  for (int m = 1; m <= d.marriages(); ++m) {
    if (!d.paged(m)) continue;
    ++counts.family_pages;
    if (!report("Page No. " + std::to_string(counts.family_pages), counts.family_pages)) return false;
    html.clear();
    if (modern) web::ModernFamilyPage(d, m, html);
    else web::ClassicFamilyPage(d, m, html);
    if (!sink(d.page(m), html)) return false;
  }

  if (!report("Generating List of Names", counts.family_pages)) return false;
  if (!report("Sorting", counts.family_pages)) return false;
  d.sort_list(modern);
  counts.people = static_cast<long>(d.rows().size());
  if (!report("Writing LISTNAME", counts.family_pages)) return false;
  html.clear();
  if (modern) {
    if (!web::ModernListPages(d, sink)) return false;
  } else {
    web::ClassicListPage(d, html);
    if (!sink(d.listname, html)) return false;
  }

  if (!report("Generating List of Family Names", counts.family_pages)) return false;
  if (!report("Writing FAMNAMES", counts.family_pages)) return false;
  html.clear();
  if (!modern) {
    web::ClassicNamesPage(d, html);
    return sink(d.famnames, html);
  }
  web::ModernNamesPage(d, false, html);
  if (!sink(d.famnames, html)) return false;
  html.clear();
  web::ModernNamesPage(d, true, html);
  return sink(web::kIndexPage, html) && sink(web::kStylesheet, web::ModernStylesheet(d.options));
}

}  // namespace

std::string HtmlColour(std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
  return buf;
}

std::string WebExtension(const WebOptions& o) { return o.HTMLMode ? ".html" : ".htm"; }

std::string FamilyPageName(int marriage, const WebOptions& o) {
  std::string name = o.HTMLMode ? "vfl00000.html" : "vfl00000.htm";
  for (int i = 7, n = std::clamp(marriage, 0, 99999); n > 0; --i, n /= 10)
    name[static_cast<std::size_t>(i)] = static_cast<char>('0' + n % 10);
  return name;
}

long CountWebFamilies(const Session& s) {
  const WebOptions o;
  return web::SiteData(s, o).page_count();
}

bool GenerateWebPages(const Session& s, const WebOptions& o, const WebPageSink& sink, const Progress& progress,
                      WebSiteCounts* counts) {
  WebSiteCounts local;
  web::SiteData d(s, o);
  const bool done = run(d, sink, progress, local);
  if (counts) *counts = local;
  return done;
}

}  // namespace vft
