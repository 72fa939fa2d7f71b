#include "print/chart_text.h"

#include <algorithm>
#include <array>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "store/date_words.h"
#include "store/records.h"

namespace vft::print {
namespace {

std::string life_line(const char* word, const std::string& date_field, const std::string& place_field,
                      bool with_date, bool with_place) {
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

std::string PrintedDate(const LocalTime& t) {
  return DayMonthYear(t.year, t.month, t.day);
}

std::string BirthLine(const PersonRecord& p, bool with_date, bool with_place) {
  return life_line("Born", p.BirthDate, p.BirthPlace, with_date, with_place);
}

std::string DeathLine(const PersonRecord& p, bool with_date, bool with_place) {
  return life_line("Died", p.DeathDate, p.DeathPlace, with_date, with_place);
}

void WriteChartHeading(PageDocument& doc, std::string_view title, const Font& title_font,
                       const std::string& date) {
  const Font body = doc.font();
  const double top = doc.current_y();
  double height = 0;
  if (!title.empty()) {
    doc.set_font(title_font);
    doc.set_current_x(doc.margin_left());
    doc.set_current_y(top);
    doc.write_text(title);
    height = doc.text_height(title);
    doc.set_font(body);
  }
  if (!date.empty()) {
    std::string text = "Printed: " + date;
    doc.set_current_x(doc.page_width() - doc.margin_right() - doc.text_width(text));
    // Sits on the title's baseline rather than at its top.
    doc.set_current_y(top + std::max(0.0, height - doc.text_height(text)));
    doc.write_text(text);
    height = std::max(height, doc.text_height(text));
  }
  doc.set_current_x(doc.margin_left());
  doc.set_current_y(top + height);
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
    const MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(m)];
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
