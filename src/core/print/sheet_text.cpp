#include "print/sheet_text.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/cp1252.h"
#include "print/chart_text.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/dates.h"
#include "store/file_io.h"
#include "store/records.h"
#include "store/relation_state.h"

namespace vft::print {
namespace {

// No tree holds more than 32767 persons, 65535 notes pieces or 15000
// ceremonies; files beyond that are not read at all.
constexpr std::size_t kMaxPersonsFile = 32767 * kPersonLen;
constexpr std::size_t kMaxNotesFile = 65536 * kNotesLen;
constexpr std::size_t kMaxCeremonyFile = (kMaxMarriages + 1) * kCeremonyLen;

void add_part(std::string& out, const std::string& part) {
  if (part.empty()) return;
  if (!out.empty()) out += ",  ";
  out += part;
}

struct Widths {
  std::array<int, 3> w{};
  std::size_t count = 0;
};

Widths layout_widths(RowLayout layout, bool wide) {
  switch (layout) {
    case RowLayout::LabelValue: return {{8000, 3000, 0}, 2};
    case RowLayout::Indented: return wide ? Widths{{700, 5000, 5000}, 3} : Widths{{400, 4000, 5000}, 3};
    case RowLayout::NarrowIndent: return wide ? Widths{{400, 5000, 5000}, 3} : Widths{{150, 4000, 5000}, 3};
    case RowLayout::ListEntry: return wide ? Widths{{700, 8000, 2000}, 3} : Widths{{400, 6000, 3000}, 3};
  }
  return {{8000, 3000, 0}, 2};
}

std::string format_of(const Widths& widths) {
  std::string out;
  for (std::size_t i = 0; i < widths.count; ++i) out += std::to_string(widths.w[i]) + "|";
  return out + "~";
}

}  // namespace

std::string SheetRowFormat(RowLayout layout, bool wide) { return format_of(layout_widths(layout, wide)); }

std::string SheetRowFormat(RowLayout layout, bool wide, double printable) {
  return SheetRowFormat(layout, wide, printable, 3, 0);
}

std::string SheetRowFormat(RowLayout layout, bool wide, double printable, std::size_t filled, double needs) {
  Widths widths = layout_widths(layout, wide);
  int total = 0;
  for (std::size_t i = 0; i < widths.count; ++i) total += widths.w[i];
  // A page with (almost) no room between its margins still gets columns of
  // at least one twip each, so the row stays readable by the format parser.
  if (std::isfinite(printable) && printable < total) {
    const double scale = std::max(printable, static_cast<double>(widths.count)) / total;
    for (std::size_t i = 0; i < widths.count; ++i)
      widths.w[i] = std::max(1, static_cast<int>(std::floor(widths.w[i] * scale)));
  }
  // Columns after the last cell with text lend it their room (keeping the
  // one twip a column needs): a child's entry on a narrow page spans the
  // row instead of wrapping in half of it.
  const std::size_t last = std::clamp<std::size_t>(filled, 1, widths.count) - 1;
  for (std::size_t i = last + 1; i < widths.count; ++i) {
    widths.w[last] += widths.w[i] - 1;
    widths.w[i] = 1;
  }
  // A last cell that needs more takes it from the cell before, down to one twip.
  if (last > 0 && std::isfinite(needs) && needs > widths.w[last]) {
    const int more = std::min(static_cast<int>(std::ceil(needs)) - widths.w[last], widths.w[last - 1] - 1);
    widths.w[last] += more;
    widths.w[last - 1] -= more;
  }
  return format_of(widths);
}

namespace {

std::string sheet_cells(RowLayout layout, std::string_view a, std::string_view b, std::string_view c) {
  std::string cells = CellText(a);
  cells += '|';
  cells += CellText(b);
  if (layout != RowLayout::LabelValue) {
    cells += '|';
    cells += CellText(c);
  }
  return cells;
}

// The row's columns on the page: the value of a label-and-value row (a
// date, a sex) is kept on one line when the row has room for it.
std::string sheet_format(const PageDocument& doc, RowLayout layout, std::string_view b, std::string_view c) {
  const bool wide = doc.page_width() >= kWideSheetPage;
  const double printable = doc.page_width() - doc.margin_left() - doc.margin_right();
  const bool label_value = layout == RowLayout::LabelValue;
  const std::size_t filled = !c.empty() && !label_value ? 3 : !b.empty() ? 2 : 1;
  const double needs = label_value && !b.empty() ? doc.text_width(CellText(b)) + 2 * kCellPadding : 0;
  return SheetRowFormat(layout, wide, printable, filled, needs);
}

}  // namespace

RowResult WriteSheetRow(PageDocument& doc, RowLayout layout, std::string_view a, std::string_view b,
                        std::string_view c) {
  return doc.add_table_row(sheet_format(doc, layout, b, c), sheet_cells(layout, a, b, c));
}

double SheetRowHeight(PageDocument& doc, RowLayout layout, std::string_view a, std::string_view b, std::string_view c) {
  return doc.row_height(sheet_format(doc, layout, b, c), sheet_cells(layout, a, b, c));
}

std::string SexText(const PersonRecord& p) {
  switch (SexOf(p)) {
    case 'M': return "Male";
    case 'F': return "Female";
    default: return "Not Set";
  }
}

std::string ListName(const Session& s, const PersonRecord& p) {
  return cp1252::trim(display_famname(s, p)) + ", " + cp1252::trim(p.GivenNames);
}

std::string FullName(const Session& s, const PersonRecord& p) {
  return cp1252::trim(p.GivenNames) + " " + cp1252::trim(display_famname(s, p));
}

std::string LifeDates(const Session& s, const PersonRecord& p, bool born, bool died, bool age) {
  std::string out;
  const std::string birth = cp1252::trim(p.BirthDate), death = cp1252::trim(p.DeathDate);
  if (born && !birth.empty()) add_part(out, "Born " + NoBreak(birth));
  if (died && !death.empty()) add_part(out, "Died " + NoBreak(death));
  if (age) {
    std::string a = ChartAgeText(s, p.BirthDate, p.DeathDate);
    if (!a.empty()) add_part(out, "Age " + NoBreak(a));
  }
  return out;
}

bool IsBaptised(const PersonRecord& p) {
  const std::string flag = cp1252::trim(p.Baptised);
  return flag == "Yes" || flag == "Y";
}

bool LooksLikeFullDate(std::string_view date) {
  auto blank = [](char c) { return c == ' ' || c == kNoBreakSpace; };
  return date.size() == 10 && blank(date[1]) && blank(date[5]);
}

std::string BaptismText(const std::string& term, const PersonRecord& p, bool pattern_only) {
  const std::string date = cp1252::trim(p.DOBap), place = cp1252::trim(p.Baptisplace);
  if (date.empty() && place.empty()) return {};
  std::string out = term;
  if (!date.empty()) out += (!pattern_only || LooksLikeFullDate(date) ? " on " : " ") + NoBreak(date);
  if (!place.empty()) out += " at " + place;
  return out;
}

std::string IntermentText(const PersonRecord& p) {
  const std::string date = NoBreak(cp1252::trim(p.InterDate)), place = cp1252::trim(p.InteredPlace);
  if (date.empty() && place.empty()) return {};
  if (date.empty()) return "Interred at " + place;
  if (LooksLikeFullDate(date)) return place.empty() ? "Interred on " + date : "Interred at " + place + " on " + date;
  return "Interred on " + date + (place.empty() ? std::string() : " at " + place);
}

std::string RelativeEntry(const Session& s, const PersonRecord& p) {
  const std::string birth = NoBreak(cp1252::trim(p.BirthDate)), death = NoBreak(cp1252::trim(p.DeathDate));
  std::string dates = birth;
  if (!death.empty()) dates += (dates.empty() ? "" : " - ") + death;
  return FullName(s, p) + (dates.empty() ? std::string() : "  " + dates) + ".";
}

AllPersons::AllPersons(const Session& s) : s_(s) {
  if (auto data = fileio::read_all(s.work(recfile::Person), kMaxPersonsFile)) {
    const std::size_t count = data->size() / kPersonLen;
    persons_.reserve(count);
    index_.assign(count + 1, -1);
    for (std::size_t i = 0; i < count; ++i) {
      PersonRecord p = decode_person(person_bytes(*data, i + 1));
      if (p.Deleted) continue;
      // The record's place in the file is its number, whatever it says.
      p.PerNum = static_cast<std::int16_t>(i + 1);
      index_[i + 1] = static_cast<std::int32_t>(persons_.size());
      persons_.push_back(std::move(p));
    }
  }
  if (auto data = fileio::read_all(s.work(recfile::Notes), kMaxNotesFile)) notes_ = std::move(*data);
  if (auto data = fileio::read_all(s.work(recfile::Ceremony), kMaxCeremonyFile)) ceremonies_ = std::move(*data);

  partnerships_.resize(index_.size());
  const int families = FamilyCount(s_);
  for (int m = 1; m <= families; ++m) {
    const MarriageRecord& f = s_.family(m);
    for (std::int16_t p : {f.Husband, f.Wife}) {
      if (p < 1 || static_cast<std::size_t>(p) >= partnerships_.size()) continue;
      auto& list = partnerships_[static_cast<std::size_t>(p)];
      if (list.size() >= static_cast<std::size_t>(kMaxPartnerRows)) continue;
      if (!list.empty() && list.back() == m) continue;  // both slots the same person
      list.push_back(static_cast<std::int16_t>(m));
    }
  }
}

const PersonRecord* AllPersons::find(std::int16_t n) const {
  if (n < 1 || static_cast<std::size_t>(n) >= index_.size() || index_[static_cast<std::size_t>(n)] < 0) return nullptr;
  return &persons_[static_cast<std::size_t>(index_[static_cast<std::size_t>(n)])];
}

std::string AllPersons::notes(const PersonRecord& p) const {
  if (!has_chain(p.NotesRec)) return {};
  return ReadNotesFrom(p.NotesRec, notes_);
}

CeremonyRecord AllPersons::ceremony(std::int16_t m) const {
  if (m < 1 || static_cast<std::size_t>(m) * kCeremonyLen > ceremonies_.size()) return blank_ceremony();
  return decode_ceremony(ceremonies_.data() + static_cast<std::size_t>(m - 1) * kCeremonyLen);
}

const std::vector<std::int16_t>& AllPersons::partnerships(std::int16_t p) const {
  static const std::vector<std::int16_t> kNone;
  if (p < 1 || static_cast<std::size_t>(p) >= partnerships_.size()) return kNone;
  return partnerships_[static_cast<std::size_t>(p)];
}

std::int16_t AllPersons::partner_in(std::int16_t m, std::int16_t p) const {
  if (m < 1 || m > FamilyCount(s_)) return 0;
  const MarriageRecord& f = s_.family(m);
  return f.Husband == p ? f.Wife : f.Husband;
}

std::vector<std::int16_t> AllPersons::children(std::int16_t p) const {
  std::vector<std::int16_t> out;
  for (std::int16_t m : partnerships(p)) {
    const MarriageRecord& f = s_.family(m);
    const int kids = KidCount(f);
    for (int k = 0; k < kids && out.size() < static_cast<std::size_t>(kMaxKids); ++k)
      if (f.Kids[static_cast<std::size_t>(k)] > 0) out.push_back(f.Kids[static_cast<std::size_t>(k)]);
  }
  return out;
}

}  // namespace vft::print
