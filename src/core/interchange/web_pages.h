// Family web pages: the tree as static, linked HTML pages in a folder of the
// user's choice. One page per family with both partners ("vfl00001.htm"), a
// list of all people ("listname") and an index of family names ("famnames").
//
// Two styles. Classic pages are the preformatted pages sites have always been
// made of, in CP1252. Modern pages (UTF-8) read well on a phone and on a
// desktop: one stylesheet "vftstyle.css", a family diagram on each family
// page, a list of people with letters and a search box (split into a page per
// first letter, "listname-a", and a busy letter into "listname-a2" and so on,
// when it is long, its search then done in a script index of everyone,
// "vftnames.js") and a front page "index.html".
// Every text taken from the records or typed by the user passes through one
// escaping writer (web_pages_html.h).
#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "store/session.h"

namespace vft {

// Colours as 0xRRGGBB.
struct WebColours {
  std::uint32_t BackColour = 0xFFFFFF;
  std::uint32_t NormTextColour = 0x000000;
  std::uint32_t LinkColour = 0x0000FF;
  std::uint32_t VisitedColour = 0x800080;
};

enum class WebStyle { Classic, Modern };

struct WebOptions {
  std::string folder;  // where the pages go (CP1252 path)
  WebStyle style = WebStyle::Modern;
  bool IncludeBirthdays = false;  // dates of living persons too
  bool HTMLMode = false;          // ".html" instead of ".htm"
  WebColours colours;
  // The preparer details; each written only when its flag is set and the text
  // is not empty.
  bool include_name = false, include_email = false, include_website = false;
  std::string Name, Email, WebSite;
};

// "#RRGGBB".
std::string HtmlColour(std::uint32_t rgb);
// ".htm" or ".html".
std::string WebExtension(const WebOptions& o);
// "vfl" + the family number as five digits + the extension.
std::string FamilyPageName(int marriage, const WebOptions& o);

// The options as last stored. An empty folder becomes `documents_folder` +
// "My Family Web Pages"; a stored web site without "http://" gets it in front.
// The style is Modern unless Classic was chosen, or pages were made before
// the choice existed (a folder is stored but no style): those keep the look
// their published site has.
WebOptions LoadWebOptions(const Session& s, const std::string& documents_folder);
// Stores the folder, the preparer details, colours, IncludeBirthdays,
// HTMLMode and the style, in one write; false when the settings file could not
// be written (s.disk says why).
[[nodiscard]] bool StoreWebOptions(Session& s, const WebOptions& o);

// ---- the site itself, without questions

// Receives each finished page: its file name (no folder) and its bytes.
// Returning false stops the run.
using WebPageSink = std::function<bool(const std::string& name, const std::string& html)>;

struct WebSiteCounts {
  long family_pages = 0;  // families with both partners
  long people = 0;        // persons in the list of people
  // Page names in the folder that were links (or pipes, devices, another
  // user's files) and now are pages; of them, those that were no links.
  long replaced = 0, replaced_special = 0;
};
// "3 links in the folder were replaced by pages." (empty when none were).
std::string ReplacedLinksText(const WebSiteCounts& counts);

// Families that get a page: a live Husband and a live Wife (the marriage table
// must be loaded).
long CountWebFamilies(const Session& s);
// The disk space the site of style o.style takes in o.folder, in KB: each of
// its files made (and not kept) and rounded up to whole blocks of the folder's
// file system.
long EstimateWebSiteKB(const Session& s, const WebOptions& o);

// Builds every page in order (family pages by Marriage number, then "listname"
// with its letter pages and index of names, then "famnames", and for Modern "index.html" and the
// stylesheet) and hands each to `sink`. Progress reports "Page No. " + n
// for family pages, then "Generating List of Names", "Sorting",
// "Writing LISTNAME", "Generating List of Family Names" and "Writing FAMNAMES".
// Returns false when the sink or the progress callback asked to stop.
bool GenerateWebPages(const Session& s, const WebOptions& o, const WebPageSink& sink, const Progress& progress,
                      WebSiteCounts* counts = nullptr);

enum class WebStatus { Done, Cancelled, Failed };

struct WebResult {
  WebStatus status = WebStatus::Failed;
  std::string message;  // why it failed (CP1252), for Failed; for Cancelled, what is already new
  WebSiteCounts counts;
  std::string index_file;  // full path of "index.html" (Classic: "famnames") once written
};

// Writes the whole site into o.folder, which must exist. No page is written
// until every page is made, so a cancelled run, or one that would not fit on
// the disk, leaves the folder as it was; pages that did not change are left
// alone. An "index.html" in the folder that this program did not make is
// never replaced: the run fails before writing anything.
//
// `replace_old`: the user chose to delete the pages of an earlier run. They
// are not deleted beforehand but rewritten (a page that is deleted and
// written again costs a new file; ten thousand of them cost seconds), and
// whatever of them this run does not hold afterwards is deleted, whether it
// is done, cancelled or failed.
WebResult WriteWebSite(Session& s, const WebOptions& o, const Progress& progress, bool replace_old = false);

// The family pages of an earlier run in `folder` ("vfl" + five digits, with
// either extension): what the question about them counts.
long CountExistingWebPages(const std::string& folder);
// Deletes every page of the earlier run (family pages, the lists and their
// letter pages and index of names, the stylesheet and an index.html this
// program made); returns the number deleted. Pages named in `keep` stay.
long DeleteWebPages(const std::string& folder, const std::set<std::string>& keep = {});

// ---- the dialog's questions

// The OK button: checks the folder (offering to create it), confirms the dates
// of living persons, offers to delete an earlier run, asks about the page
// count, writes the site (Cancel in the progress asks first), stores the
// options and offers to view the pages. `open_index` in the result tells the
// front end to open result.index_file in the browser.
struct WebBuildResult : WebResult {
  bool open_index = false;
};
WebBuildResult BuildWebPages(Session& s, const WebOptions& o, const Progress& progress);

// The privacy reminder shown when the dialog opens, unless suppressed; "No"
// suppresses it from then on. Returns whether it was shown.
bool ShowPrivacyReminder(Session& s);

// Asked when a preparer box is checked; true when the user answers Yes.
enum class PreparerDetail { Name, Email, WebSite };
bool AskIncludePreparer(Session& s, PreparerDetail which);
// "http://" (or "https://") must start the address; otherwise the user is told
// "The web address is incomplete." and false is returned.
bool CheckWebAddress(Session& s, const std::string& address);

// The colour dialog: setting colour `which` to `value` when it equals another
// colour it must differ from asks OK/Cancel. Returns true (and stores the
// value in `colours`) when the colour is kept.
enum class WebColour { Back, NormText, Link, Visited };
// The warning for that change, empty when there is no conflict.
std::string ColourConflictText(const WebColours& colours, WebColour which, std::uint32_t value);
bool SetWebColour(Session& s, WebColours& colours, WebColour which, std::uint32_t value);

}  // namespace vft
