#include "print/chart_text.h"

#include <algorithm>
#include <array>

#include "common/cp1252.h"
#include "print/chart_options.h"
#include "relations/lookups.h"
#include "store/date_words.h"
#include "store/records.h"

namespace vft::print {
namespace {

std::string life_line(const char* word, const std::string& date_field, const std::string& place_field, bool with_date,
                      bool with_place) {
  std::string date = with_date ? cp1252::trim(date_field) : std::string();
  std::string place = with_place ? cp1252::trim(place_field) : std::string();
  if (date.empty() && place.empty()) return {};
  std::string line = std::string(word) + " ";
  // A date is one piece of text: it is never split over two lines.
  if (!date.empty()) line += NoBreak(date);
  if (!date.empty() && !place.empty()) line += " ";
  if (!place.empty()) line += "at " + place;
  return line;
}

long whole_records(std::ifstream& f, std::size_t len) {
  if (!f) return 0;
  f.seekg(0, std::ios::end);
  std::streamoff size = f.tellg();
  f.seekg(0);
  return size > 0 ? static_cast<long>(size / static_cast<std::streamoff>(len)) : 0;
}

bool read_at(std::ifstream& f, long n, std::size_t len, std::uint8_t* out) {
  f.clear();
  f.seekg(static_cast<std::streamoff>(n - 1) * static_cast<std::streamoff>(len));
  f.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(len));
  return static_cast<std::size_t>(f.gcount()) == len;
}

}  // namespace

std::string PrintedDate(const LocalTime& t) { return DayMonthYear(t.year, t.month, t.day); }

std::string BirthLine(const PersonRecord& p, bool with_date, bool with_place) {
  return life_line("Born", p.BirthDate, p.BirthPlace, with_date, with_place);
}

std::string DeathLine(const PersonRecord& p, bool with_date, bool with_place) {
  return life_line("Died", p.DeathDate, p.DeathPlace, with_date, with_place);
}

void WrapChartText(std::string_view text, double width, const Font& font, const TextMeasure& measure,
                   std::vector<ChartLine>& out) {
  if (measure.width(text, font) <= width) {
    out.push_back({std::string(text), font.size});
    return;
  }
  // The pieces a line may end after: words without their blanks, and the
  // parts of a word up to and with each comma or inner hyphen.
  struct Piece {
    std::size_t begin, end;
  };
  std::vector<Piece> pieces;
  auto blank = [&](std::size_t i) { return text[i] == ' ' || text[i] == kNoBreakSpace; };
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) break;
    const std::size_t begin = i;
    while (i < text.size() && text[i] != ' ') {
      const char c = text[i++];
      const bool inner_hyphen = c == '-' && i >= 2 && !blank(i - 2) && i < text.size() && !blank(i);
      if (c == ',' || inner_hyphen) break;
    }
    pieces.push_back({begin, i});
  }
  Font smaller = font;
  for (std::size_t first = 0; first < pieces.size();) {
    std::size_t last = first;
    auto line_of = [&](std::size_t to) {
      return text.substr(pieces[first].begin, pieces[to].end - pieces[first].begin);
    };
    while (last + 1 < pieces.size() && measure.width(line_of(last + 1), font) <= width) ++last;
    const std::string_view line = line_of(last);
    double size = font.size;
    if (last == first) {
      // One piece alone too wide is written smaller, never split.
      smaller.size = size;
      while (smaller.size > kSmallestTextSize && measure.width(line, smaller) > width)
        smaller.size = std::max(kSmallestTextSize, smaller.size - 0.5);
      size = measure.width(line, smaller) <= width ? smaller.size : 0;
    }
    out.push_back({std::string(line), size});
    first = last + 1;
  }
}

void WriteChartHeading(PageDocument& doc, std::string_view title, const Font& title_font, const std::string& date) {
  const Font body = doc.font();
  const double top = doc.current_y(), left = doc.margin_left(), right = doc.page_width() - doc.margin_right();
  const std::string printed = date.empty() ? std::string() : "Printed: " + date;
  // On narrow paper in a large size even the date alone is written smaller.
  Font date_font = body;
  while (date_font.size > kSmallestTextSize && doc.measure().width(printed, date_font) > right - left)
    date_font.size = std::max(kSmallestTextSize, date_font.size - 1);
  const double date_width = doc.measure().width(printed, date_font);
  const double gap = doc.text_width("    ");
  // The title keeps at least half the line beside the date; else the date
  // goes below it.
  double title_width = right - left;
  const bool beside = date_width == 0 || right - left - date_width - gap >= (right - left) / 2 ||
                      doc.text_width(title) + gap + date_width <= right - left;
  if (beside && date_width > 0) title_width -= date_width + gap;
  // A title that needs more than two lines is written smaller: a heading
  // should not crowd out the page it heads.
  std::vector<ChartLine> lines;
  Font font = title_font;
  while (!title.empty()) {
    lines.clear();
    WrapChartText(title, title_width, font, doc.measure(), lines);
    if (lines.size() <= 2 || font.size <= kSmallestTextSize) break;
    font.size = std::max(kSmallestTextSize, font.size - 1);
  }
  double y = top, first_height = 0;
  for (const ChartLine& line : lines) {
    font.size = std::max(line.size, kSmallestTextSize);
    doc.set_font(font);
    doc.set_current_x(left);
    doc.set_current_y(y);
    doc.write_text(line.text);
    const double h = doc.text_height(line.text);
    if (first_height == 0) first_height = h;
    y += h;
  }
  doc.set_font(date_font);
  if (!printed.empty()) {
    const double h = doc.text_height(printed);
    // Beside the title it sits on the first line's baseline; below, under it.
    const double at = beside ? top + std::max(0.0, first_height - h) : y;
    doc.set_current_x(right - date_width);
    doc.set_current_y(at);
    doc.write_text(printed);
    y = std::max(y, at + h);
  }
  doc.set_font(body);
  doc.set_current_x(left);
  doc.set_current_y(y);
}

ChartRecords::ChartRecords(const Session& s)
    : s_(s),
      persons_(s.work(recfile::Person), std::ios::binary),
      ceremonies_(s.work(recfile::Ceremony), std::ios::binary) {
  person_count_ = whole_records(persons_, kPersonLen);
  ceremony_count_ = whole_records(ceremonies_, kCeremonyLen);
  partnerships_.resize(static_cast<std::size_t>(std::max(person_count_, 0L)) + 1);
  const int families = FamilyCount(s_);
  for (int m = 1; m <= families; ++m) {
    const MarriageRecord& f = s_.family(m);
    for (std::int16_t p : {f.Husband, f.Wife}) {
      if (p < 1 || p > person_count_) continue;
      auto& list = partnerships_[static_cast<std::size_t>(p)];
      if (list.size() >= static_cast<std::size_t>(kMaxPartnerRows)) continue;
      if (!list.empty() && list.back() == m) continue;  // both slots the same person
      list.push_back(static_cast<std::int16_t>(m));
    }
  }
}

bool ChartRecords::person(std::int16_t n, PersonRecord& out) {
  if (n < 1 || n > person_count_) return false;
  std::uint8_t buf[kPersonLen];
  if (!read_at(persons_, n, kPersonLen, buf)) return false;
  out = decode_person(buf);
  return true;
}

CeremonyRecord ChartRecords::ceremony(std::int16_t m) {
  std::uint8_t buf[kCeremonyLen];
  if (m < 1 || m > ceremony_count_ || !read_at(ceremonies_, m, kCeremonyLen, buf)) return blank_ceremony();
  return decode_ceremony(buf);
}

const std::vector<std::int16_t>& ChartRecords::partnerships(std::int16_t p) const {
  static const std::vector<std::int16_t> kNone;
  if (p < 1 || static_cast<std::size_t>(p) >= partnerships_.size()) return kNone;
  return partnerships_[static_cast<std::size_t>(p)];
}

std::string CellText(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), '|', '\xA6');
  return out;
}

}  // namespace vft::print
