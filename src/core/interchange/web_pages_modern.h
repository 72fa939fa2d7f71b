// The modern pages' shared parts: one stylesheet for the whole site, the head,
// the bar at the top and the footer of every page, and the family diagram.
#pragma once
#include <string>

#include "interchange/web_pages_html.h"
#include "interchange/web_pages_site.h"

namespace vft::web {

inline constexpr const char* kStylesheet = "vftstyle.css";
inline constexpr const char* kIndexPage = "index.html";

// A stored date without its unknown parts: "? ??? 1870" is shown as "1870",
// "? Jul 1848" as "Jul 1848"; empty when nothing of it is known (or it is
// withheld).
std::string ShownDate(const std::string& stored);

// How a child's box and card are captioned.
inline Markup ChildCaption(char sex) {
  return sex == 'M' ? Markup("Son") : sex == 'F' ? Markup("Daughter") : Markup("Child");
}

// The tree's title: the Family file's name without folder and extension.
std::string SiteTitle(const SiteData& d);

// "<!DOCTYPE html>" up to the opening of <main>.
void ModernHead(const SiteData& d, HtmlWriter& w, const std::string& title);
// The closing of <main>, the preparer's details, the date line and the end.
void ModernFooter(const SiteData& d, HtmlWriter& w);
// Appends the inline SVG diagram of family m: the partners' parents above,
// the couple, the children below, coloured by sex as in the family view.
void FamilyDiagram(const SiteData& d, int m, std::string& out);
// The stylesheet, with the user's page colours.
std::string ModernStylesheet(const WebOptions& o);

}  // namespace vft::web
