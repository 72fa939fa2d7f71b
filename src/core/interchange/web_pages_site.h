// What every page of a site is made from: the records read once, each
// person's shown texts worked out once, the families that get a page, and the
// list of people in name order. Both page styles render from it.
#pragma once
#include <string>
#include <vector>

#include "interchange/gedcom_export_source.h"
#include "interchange/web_pages.h"
#include "store/session.h"

namespace vft::web {

// A person as the pages show them; every text trimmed, zero bytes blank.
struct ShownPerson {
  std::string name;  // given names + " " + family name
  std::string fam, given;
  std::string born;  // birth date, or UnknownDate when unknown or withheld
  std::string born_at, died, died_at;
  char sex = 0;         // 'M', 'F' or anything else
  bool living = false;  // no death date
};

// One line of the list of people.
struct ListRow {
  std::string fam_upper;           // the family name upper-cased: one group each
  std::string fam_key, given_key;  // the sort keys
  int person = 0;
};

// The family-name groups of the sorted list: rows [first, end) share a name.
struct NameGroup {
  std::size_t first = 0, end = 0;
  std::string anchor;  // letters and digits of the name, unique in the list
};

class SiteData {
 public:
  SiteData(const Session& s, const WebOptions& o);

  const Session& session;
  const WebOptions& options;
  std::string ext, famnames, listname, today;

  int persons() const { return src_.persons(); }
  int marriages() const { return src_.marriages(); }
  bool live(int n) const { return src_.live(n); }
  const ShownPerson& person(int n) const { return shown_[static_cast<std::size_t>(n)]; }
  const std::string& name(int n) const { return person(n).name; }
  const MarriageRecord& family(int m) const { return session.family(m); }
  CeremonyRecord ceremony(int m) const { return src_.ceremony(m); }
  // A family with a page: a live husband and a live wife.
  bool paged(int m) const { return paged_[static_cast<std::size_t>(m)] != 0; }
  long page_count() const { return page_count_; }
  std::string page(int m) const { return FamilyPageName(m, options); }
  // n's families as a partner, ascending; the first family listing n as a
  // child (0 if none); the first of n's families that has a page (0 if none).
  const std::vector<int>& families_of(int n) const { return families_[static_cast<std::size_t>(n)]; }
  int parent_family(int n) const { return parent_family_[static_cast<std::size_t>(n)]; }
  int own_family(int n) const;
  // The children of family m that are on record, in order.
  std::vector<int> children(int m) const;
  // The marriage date as shown (UnknownDate when unknown or a partner is
  // living and their dates are withheld) and its place.
  std::string marriage_date(int m) const;
  std::string marriage_place(int m) const;

  // The list of people sorted by family name, then given names, then number;
  // Modern sorts accented letters with their plain ones.
  void sort_list(bool fold_accents);
  const std::vector<ListRow>& rows() const { return rows_; }
  const std::vector<NameGroup>& groups() const { return groups_; }

 private:
  gedcom_export::RecordSource src_;
  std::vector<ShownPerson> shown_;
  std::vector<char> paged_;
  long page_count_ = 0;
  std::vector<int> parent_family_;
  std::vector<std::vector<int>> families_;
  std::vector<ListRow> rows_;
  std::vector<NameGroup> groups_;
};

// The page renderers; each appends one whole page to `out`.
void ClassicFamilyPage(const SiteData& d, int m, std::string& out);
void ClassicListPage(const SiteData& d, std::string& out);
void ClassicNamesPage(const SiteData& d, std::string& out);

// Modern: beyond this many people the list is split into a page per letter,
// and no page of it holds more.
inline constexpr std::size_t kListRowsPerPage = 2000;
void ModernFamilyPage(const SiteData& d, int m, std::string& out);
// "listname" alone, or for a longer list "listname" with the family names, a
// page per first letter (or several) and the index of names the search box
// of those pages loads; each file goes to `sink`.
bool ModernListPages(const SiteData& d, const WebPageSink& sink);
// "famnames", or with `front` the site's front page: the tree's title, the
// numbers of persons and families and the date above the family names.
void ModernNamesPage(const SiteData& d, bool front, std::string& out);

}  // namespace vft::web
