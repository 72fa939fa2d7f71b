// The persons the find and list dialogs offer: which persons match the search
// texts, in which order the list shows them, where typing in the list's search
// box jumps to, and the details shown for the chosen row.
//
// Persons are read from vorlan.Per in one pass (a tree of 15,000 persons must
// list without a pause); deleted persons are never offered.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/session.h"

namespace vft {

// One living person as the list shows it.
struct PersonRow {
  std::int16_t number = 0;
  std::string famname;        // trimmed; in capitals when UCaseFamname is on
  std::string given;          // trimmed
  std::string born;           // BirthDate, trimmed
  char sex = 0;               // 'M', 'F' or 0
  std::int32_t born_key = 0;  // DateSortKey of `born`
};

// What a person must match to be offered.
struct PersonFilter {
  std::string given;  // search texts; an empty text matches every name
  std::string famname;
  bool precise = false;      // whole trimmed names equal the texts
  std::int16_t exclude = 0;  // never offered (the person being connected to)
  char only_sex = 0;         // 'M' or 'F': only persons of that sex
};

// The filter for the session's stored search texts and precise flag. While
// connecting, the selected person is left out and a partner must be of the
// other sex ("F" for a man, "M" for anyone else).
PersonFilter StoredSearchFilter(const Session& s);
// The same rules for texts not yet stored (the find dialog's boxes).
PersonFilter SearchFilter(const Session& s, const std::string& given, const std::string& famname);

// The name rule alone. Without `precise` both names must begin with the texts,
// whatever the case; a text that ends in a blank must end a word there
// ("John " finds "John Henry" but not "Johnny"). With `precise` the trimmed
// family name equals the text exactly, and so do the given names when a
// given-names text was entered.
bool NameMatches(const PersonFilter& f, std::string_view famname, std::string_view given);

// Every living person 1..NumPersons matching `f`, in Person number order.
// Records beyond the end of a short or damaged file are not offered.
std::vector<PersonRow> ListPersons(const Session& s, const PersonFilter& f);

// The list's columns, by header index.
enum class ListColumn { FamName = 0, GivenNames = 1, Born = 2, Number = 3 };

// Sorts on one column; names ignore case. Ties keep Person number order.
void SortRows(std::vector<PersonRow>& rows, ListColumn column);

// What typing in the search box searches: the column last sorted on, except
// that the birth-date column has no search of its own (the search stays).
ListColumn SearchColumnAfter(ListColumn clicked, ListColumn current);
// The search box's label: "Search Family Name", "Search Given Names" or
// "Search VFT Number:".
std::string SearchLabel(ListColumn search);

// Where typing in the search box moves the list: the first row (in the list's
// order) whose family name begins with the text (FamName), whose given names
// begin with the trimmed text and a blank (GivenNames), or whose number is
// the typed number (Number). -1 when none.
int FindRow(const std::vector<PersonRow>& rows, ListColumn search, std::string_view typed);

// The details area for person n: father, mother, each partner, birth and
// death, one line each.
std::vector<std::string> RowDetails(const Session& s, std::int16_t n);

}  // namespace vft
