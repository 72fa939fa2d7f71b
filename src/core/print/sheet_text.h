// What the data sheets, the person lists and the time line share: the texts
// of their entry lines, the row layouts of the sheets, and one pass over the
// whole persons file with the notes file held in memory.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/page_document.h"
#include "store/session.h"

namespace vft::print {

// The sheets' row layouts; each has a wide form (pages of at least 10001
// twips) and a narrow one.
enum class RowLayout : std::uint8_t { LabelValue = 1, Indented = 2, NarrowIndent = 3, ListEntry = 4 };
inline constexpr double kWideSheetPage = 10001;
// "8000|3000|~" and the like.
std::string SheetRowFormat(RowLayout layout, bool wide);
// The same columns narrowed in proportion when together they are wider than
// `printable` twips (the label-and-value layout alone is 11000 twips, more
// than a portrait A4 or Letter page holds between one-inch margins), so no
// text runs past the right margin and the columns keep their shares.
std::string SheetRowFormat(RowLayout layout, bool wide, double printable);
// The same for a row whose cells from `filled` on are empty: the last cell
// with text takes their room, and then, needing `needs` twips, as much of
// the cell before it as that needs.
std::string SheetRowFormat(RowLayout layout, bool wide, double printable, std::size_t filled, double needs);
// Writes one row of up to three cells in the layout fitted to the page's
// printable width; '|' inside a cell is shown, not taken as a cell break.
RowResult WriteSheetRow(PageDocument& doc, RowLayout layout, std::string_view a, std::string_view b = {},
                        std::string_view c = {});
// The height WriteSheetRow() would give the row, without writing it.
double SheetRowHeight(PageDocument& doc, RowLayout layout, std::string_view a, std::string_view b = {},
                      std::string_view c = {});

// "Male", "Female", or "Not Set" for anything else.
std::string SexText(const PersonRecord& p);
// Family name (upper case when the option is on) + ", " + given names.
std::string ListName(const Session& s, const PersonRecord& p);
// Given names + " " + family name.
std::string FullName(const Session& s, const PersonRecord& p);
// "Born " + date, "Died " + date and "Age " + age as far as asked for and
// recorded, separated by ",  "; empty when nothing is left. Dates (here and
// in the texts below) have no-break blanks, so a wrap never splits one.
std::string LifeDates(const Session& s, const PersonRecord& p, bool born, bool died, bool age);
// Whether the baptism flag says baptised: trimmed "Yes" or "Y".
bool IsBaptised(const PersonRecord& p);
// A date text of the form "? ??? ????", each "?" any one character.
bool LooksLikeFullDate(std::string_view date);
// term + " on " + date + " at " + place, leaving out what is not recorded;
// empty with neither. With `pattern_only`, a date not of the full form is
// written after the term without " on ".
std::string BaptismText(const std::string& term, const PersonRecord& p, bool pattern_only);
// "Interred at " + place with the burial date: a full date after " on ",
// other date texts as "Interred on " + date; empty when nothing is recorded.
std::string IntermentText(const PersonRecord& p);
// A child or partner entry: given names and family name, the two dates
// joined by " - ", closed by ".".
std::string RelativeEntry(const Session& s, const PersonRecord& p);

// Every person of the persons file, in Person-number order, deleted records
// left out, with the notes and ceremony files at hand and each person's
// partnerships indexed, so a list of thousands of persons reads every file
// once and never scans the marriage table per person.
class AllPersons {
 public:
  explicit AllPersons(const Session& s);
  const std::vector<PersonRecord>& persons() const { return persons_; }
  // Person n, or nullptr when it is not in the file (or deleted).
  const PersonRecord* find(std::int16_t n) const;
  std::string notes(const PersonRecord& p) const;
  // Ceremony record m (date and notes); blank when it is not there.
  CeremonyRecord ceremony(std::int16_t m) const;
  // The families in which p is Husband or Wife, in Marriage number order, at
  // most as many as a partner list holds: p's partners in recorded order.
  const std::vector<std::int16_t>& partnerships(std::int16_t p) const;
  // The other slot of family m; 0 when empty.
  std::int16_t partner_in(std::int16_t m, std::int16_t p) const;
  // The children of all p's partnerships, family by family, at most 41.
  std::vector<std::int16_t> children(std::int16_t p) const;

 private:
  const Session& s_;
  std::vector<PersonRecord> persons_;
  std::vector<std::int32_t> index_;  // person number -> position in persons_, -1 when none
  std::vector<std::vector<std::int16_t>> partnerships_;
  Bytes notes_, ceremonies_;
};

}  // namespace vft::print
