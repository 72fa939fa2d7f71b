#include "print/pedigree_chart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/cp1252.h"
#include "mainwin/family_view_text.h"
#include "print/chart_text.h"
#include "relations/lookups.h"
#include "relations/person_io.h"

namespace vft::print {
namespace {

// Gap between a band's line and the first text below it (twips).
constexpr double kBelowGap = 30;
// Between a heading and what follows it.
constexpr double kHeadingGap = 60;
// Texts are made smaller where a band is too low for them, but no smaller.
constexpr double kMinTextSize = 4;
constexpr double kSizeStep = 0.5;

struct Geometry {
  double left = 0, top = 0;  // of the bands
  double width = 0, height = 0;
  double x(int g) const { return left + width / 8.5 + g * width / 5; }
  double band(int g) const { return height / std::pow(2.0, g); }
  double middle(int g, int p) const { return top + (p + 1) * band(g) - band(g) / 2; }
  double fit_width() const { return width / 5 - 50; }
};

class PedigreeWriter {
 public:
  PedigreeWriter(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o)
      : s_(s), doc_(doc), measure_(measure), o_(o), records_(s) {}

  PedigreeResult run(std::int16_t person, const Progress& progress);

 private:
  Font generation_font(int g, int lines_below) const;
  void heading(const PersonRecord& p);
  void person(const AncestorTable& table, int g, int pos, const PersonRecord& p);

  Session& s_;
  PageDocument& doc_;
  const TextMeasure& measure_;
  const ChartOptions& o_;
  ChartRecords records_;
  Font body_;
  Geometry geo_;
};

// The document font, or smaller where the name above the line or the texts
// below it would leave their band.
Font PedigreeWriter::generation_font(int g, int lines_below) const {
  Font f = body_;
  const double half = geo_.band(g) / 2;
  while (f.size > kMinTextSize) {
    const double h = measure_.line_height(f);
    if (1.7 * h <= half && kBelowGap + lines_below * h <= half) break;
    f.size = std::max(kMinTextSize, f.size - kSizeStep);
  }
  return f;
}

void PedigreeWriter::heading(const PersonRecord& p) {
  Font title = body_;
  title.bold = true;
  title.size = body_.size * 1.3;
  const double h = measure_.line_height(title);
  const std::string date = o_.ticked(item3::TodaysDate) ? PrintedDate(s_.now()) : std::string();
  // The bands fill the page between the margins, so the heading goes into
  // the top margin when there is room for it there.
  if (doc_.margin_top() >= h + kHeadingGap) {
    doc_.set_current_y(doc_.margin_top() - h - kHeadingGap);
  } else {
    doc_.set_current_y(doc_.margin_top());
    geo_.top += h + kHeadingGap;
    geo_.height -= h + kHeadingGap;
  }
  WriteChartHeading(doc_, "Pedigree of " + DisplayName(s_, p), title, date);
}

void PedigreeWriter::person(const AncestorTable& table, int g, int pos, const PersonRecord& p) {
  const double w = geo_.width;
  const double b = geo_.band(g);
  const double m = geo_.middle(g, pos);
  const double x = geo_.x(g);

  doc_.set_pen_width(kPedigreePen);
  doc_.set_pen_colour(kBlack);
  doc_.draw_line(x - w / 8.5, m, x + w / 12, m);
  // The line up to a parent's band only where that parent is recorded.
  if (g + 1 < kPedigreeGenerations) {
    const auto& parents = table[static_cast<std::size_t>(g + 1)];
    if (parents[static_cast<std::size_t>(2 * pos)]) doc_.draw_line(x + w / 12, m - b / 4, x + w / 12, m);
    if (parents[static_cast<std::size_t>(2 * pos + 1)]) doc_.draw_line(x + w / 12, m, x + w / 12, m + b / 4);
  }
  doc_.set_pen_width(0);

  std::string suffix;
  if (o_.ticked(item3::Name) && o_.ticked(item3::PersonNumber)) suffix = "  #" + std::to_string(p.PerNum);
  std::vector<std::string> below;
  below.push_back(BirthLine(p, o_.ticked(item3::DateOfBirth), o_.ticked(item3::PlaceOfBirth)));
  below.push_back(DeathLine(p, o_.ticked(item3::DateOfDeath), o_.ticked(item3::PlaceOfDeath)));
  if (g <= 2) below.push_back(ParentsMarriageLine(s_, p.PerNum));
  std::erase_if(below, [](const std::string& t) { return t.empty(); });

  const int possible = (o_.ticked(item3::DateOfBirth) || o_.ticked(item3::PlaceOfBirth) ? 1 : 0) +
                       (o_.ticked(item3::DateOfDeath) || o_.ticked(item3::PlaceOfDeath) ? 1 : 0) + (g <= 2 ? 1 : 0);
  const Font font = generation_font(g, possible);
  doc_.set_font(font);
  const double h = measure_.line_height(font);
  const double fit = geo_.fit_width();

  const std::string name = DisplayName(s_, p);
  const double suffix_width = suffix.empty() ? 0 : measure_.width(suffix, font);
  doc_.set_current_x(x - w / 9);
  doc_.set_current_y(m - 1.7 * h);
  doc_.write_text(FitChartText(name, fit - suffix_width, font, measure_) + suffix);
  double y = m + kBelowGap;
  for (const std::string& text : below) {
    doc_.set_current_x(x - w / 9);
    doc_.set_current_y(y);
    doc_.write_text(FitChartText(text, fit, font, measure_));
    y += h;
  }
  doc_.set_font(body_);
}

PedigreeResult PedigreeWriter::run(std::int16_t person, const Progress& progress) {
  PedigreeResult r;
  PersonRecord root;
  if (!records_.person(person, root)) return r;
  r.title = "Pedigree Chart for  " + DisplayName(s_, root);
  if (progress) progress("Preparing Pedigree Chart", 0);

  body_ = o_.font;
  if (body_.name.empty()) body_.name = "Arial";
  if (!(body_.size >= 1 && body_.size <= 1000)) body_.size = 8;
  body_.bold = false;
  body_.italic = false;
  body_.underline = false;
  doc_.set_font(body_);
  doc_.set_text_colour(kBlack);
  doc_.set_header("");
  doc_.set_footer(o_.ticked(item3::PageNumbers) ? "|Page %d|" : "");
  doc_.set_page_start_handler(nullptr);
  doc_.start_doc();

  geo_.left = doc_.margin_left();
  geo_.top = doc_.margin_top();
  geo_.width = doc_.page_width() - doc_.margin_left() - doc_.margin_right();
  geo_.height = doc_.page_height() - doc_.margin_top() - doc_.margin_bottom();
  if (o_.heading_on(1)) heading(root);

  const AncestorTable table = FillAncestors(s_, person);
  bool cancelled = false;
  for (int g = 0; g < kPedigreeGenerations && !cancelled; ++g) {
    if (s_.CancelFlag || (progress && !progress("Preparing Pedigree Chart", g + 1))) {
      cancelled = true;
      break;
    }
    if (geo_.width <= 0 || geo_.height <= 0) continue;
    const int positions = 1 << g;
    for (int pos = 0; pos < positions; ++pos) {
      PersonRecord p;
      const std::int16_t n = table[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)];
      if (!n || !records_.person(n, p)) continue;
      this->person(table, g, pos, p);
      ++r.persons;
    }
  }
  if (cancelled) {
    doc_.kill_doc();
  } else {
    doc_.end_doc();
  }
  doc_.set_footer("");
  r.completed = !cancelled;
  return r;
}

}  // namespace

AncestorTable FillAncestors(const Session& s, std::int16_t person) {
  AncestorTable t{};
  t[0][0] = person;
  for (std::size_t g = 1; g < kPedigreeGenerations; ++g) {
    for (std::size_t q = 0; q < (std::size_t{1} << (g - 1)); ++q) {
      const std::int16_t child = t[g - 1][q];
      if (!child) continue;
      t[g][2 * q] = FatherOf(s, child);
      t[g][2 * q + 1] = MotherOf(s, child);
    }
  }
  return t;
}

std::string FitChartText(std::string_view text, double width, const Font& font, const TextMeasure& measure) {
  if (measure.width(text, font) <= width) return std::string(text);
  for (std::size_t n = std::min(text.size(), kFittedTextChars);; --n) {
    std::string cut = std::string(text.substr(0, n)) + "..";
    if (n == 0 || measure.width(cut, font) <= width) return cut;
  }
}

std::string ParentsMarriageLine(const Session& s, std::int16_t p) {
  if (FatherOf(s, p) < 1) return {};
  const std::int16_t m = ParentFamilyOf(s, p);
  if (m < 1) return {};
  const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
  if (f.NotMarried) return "Not Married";
  const std::string date = MarriageDateOf(s, m);
  // Without a date the line says only that they married.
  if (date.empty()) return f.Divorced ? "Married - Div." : "Married.";
  return "Married on " + date + (f.Divorced ? " - Div." : ".");
}

PedigreeResult PrintPedigree(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                             std::int16_t person, const Progress& progress) {
  PedigreeWriter writer(s, doc, measure, o);
  return writer.run(person, progress);
}

}  // namespace vft::print
