// The walk down the tree and the rows, lines and page breaks of the
// descendants chart.
#include "print/descendants_chart.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/cp1252.h"
#include "print/chart_text.h"
#include "relations/fit_name.h"
#include "relations/lookups.h"
#include "relations/person_io.h"

namespace vft::print {
namespace {

// A damaged tree can list the same children in many families; this many
// person rows (several times the largest tree) ends such a chart.
constexpr int kMaxPersonRows = 100000;
// Connectors sit this far above the bottom of a name row's first line.
constexpr double kConnectorRise = 20;

// One child list being printed; the root alone forms the list of depth 0.
struct Level {
  std::vector<std::int16_t> kids;
  std::size_t index = 0;  // the child being printed
  bool started = false;   // its name row is on the page
  std::vector<std::int16_t> partnerships;
  std::size_t next_partnership = 0;
};

// The vertical line joining a child list to its parent's column.
struct ListLine {
  bool open = false;  // the list's first child is printed
  bool done = false;  // already drawn down to its last child
  double start = 0;   // where it starts on the current page
  double last = 0;    // the connector height of the latest child printed
};

class DescendantsWriter {
 public:
  DescendantsWriter(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                    const Progress& progress)
      : s_(s), doc_(doc), measure_(measure), o_(o), progress_(progress), records_(s) {}

  DescendantsResult run(std::int16_t root);

 private:
  void set_up(const PersonRecord& root);
  void page_start(int page);
  bool walk();
  void person_rows(const PersonRecord& p, int d);
  void partner_rows(std::int16_t person, std::int16_t family, int d);
  void close_list(int d);
  RowResult row(int d, const std::string& text, bool bold);
  double rows_height(int d, const std::vector<std::string>& lines, bool first_bold);
  bool on_line_of_descent(std::int16_t person) const;
  void page_break();
  void vertical_line(int depth, double y1, double y2);
  std::string name_text(const PersonRecord& p, const Font& font);
  std::vector<std::int16_t> children(std::int16_t family);
  bool cancel_requested(const std::string& name);

  Session& s_;
  PageDocument& doc_;
  const TextMeasure& measure_;
  const ChartOptions& o_;
  const Progress& progress_;
  ChartRecords records_;

  int generations_ = 1;
  DescendantColumns columns_;
  Font body_, name_font_, heading_font_;
  std::string heading_;
  std::string date_;
  double content_top_ = 0;

  std::vector<Level> levels_;
  std::array<ListLine, kMaxGenerations + 1> lines_{};
  int counter_ = -1;  // person rows printed after the root's
  std::vector<bool> printed_;
  int descendants_ = 0;
  int deepest_ = 0;
  bool cancelled_ = false;
  bool stopped_ = false;  // the size limit was reached
};

bool DescendantsWriter::cancel_requested(const std::string& name) {
  if (s_.CancelFlag) return true;
  return progress_ && !progress_(name, counter_ + 1);
}

void DescendantsWriter::set_up(const PersonRecord& root) {
  generations_ = ClampGenerations(o_.generations);
  columns_ =
      DescendantLayout(doc_.page_width(), doc_.page_width() - doc_.margin_left() - doc_.margin_right(), generations_);
  body_ = o_.font;
  if (body_.name.empty()) body_.name = "Arial";
  if (!(body_.size >= 1 && body_.size <= 1000)) body_.size = 10;
  body_.size = std::max(body_.size, kSmallestTextSize);
  body_.italic = false;
  body_.underline = false;
  name_font_ = body_;
  name_font_.bold = true;
  heading_font_ = name_font_;
  heading_font_.size = body_.size * (doc_.page_width() < 10000 ? 1.1 : 1.3);
  heading_ = "Descendants of " + DisplayName(s_, root);
  if (o_.ticked(item3::TodaysDate)) date_ = PrintedDate(s_.now());
  doc_.set_font(body_);
  doc_.set_text_colour(kBlack);
  doc_.set_pen_width(0);
  doc_.set_pen_colour(kBlack);
  doc_.set_header("");
  doc_.set_footer(o_.ticked(item3::PageNumbers) ? "|Page %d|" : "");
}

// Between the generations' key and the first row under it (twips).
constexpr double kKeyGap = 60;

void DescendantsWriter::page_start(int page) {
  if (progress_) progress_("Page " + std::to_string(page), page);
  const double left = doc_.margin_left();
  doc_.set_current_x(left);
  doc_.set_current_y(doc_.margin_top() + (doc_.page_width() < 9990 ? 30 : 0));
  if (o_.heading_on(page)) WriteChartHeading(doc_, heading_, heading_font_, date_);
  const bool colour = o_.ticked(item3::BreakLine);
  // The key's numbers keep a blank between them at any size: a large font
  // is written smaller here, and where even the smallest would run two
  // numbers together only every other one is written.
  Font key = body_;
  const std::string widest = std::to_string(generations_) + " ";
  while (key.size > kSmallestTextSize && measure_.width(widest, key) > columns_.step)
    key.size = std::max(kSmallestTextSize, key.size - 1);
  const int every = measure_.width(widest, key) > columns_.step ? 2 : 1;
  doc_.set_font(key);
  const double top = doc_.current_y();
  for (int g = 1; g <= generations_; g += every) {
    doc_.set_text_colour(colour ? GenerationColour(g) : kBlack);
    doc_.set_current_x(left + (g - 1) * columns_.step);
    doc_.set_current_y(top);
    doc_.write_text(std::to_string(g));
  }
  doc_.set_text_colour(kBlack);
  doc_.set_current_y(top);
  doc_.write_text(" <- Gens.");
  doc_.set_font(body_);
  // The first row keeps clear of the key however small the top margin, and
  // the key's customary spacing (its position times 1.4) gives way where a
  // deep top margin and a large heading would push the first row down to
  // where a person may no longer start (see person_rows).
  const double clear = top + measure_.line_height(key) + kKeyGap;
  const double last_start = doc_.page_height() - doc_.margin_bottom() - 6 * doc_.text_height("X");
  doc_.set_current_y(std::max(clear, std::min(top * 1.4, last_start)));
  doc_.set_current_x(left);
  content_top_ = doc_.current_y();
}

std::string DescendantsWriter::name_text(const PersonRecord& p, const Font& font) {
  const bool number = o_.ticked(item3::PersonNumber);
  std::string name = FitName(s_, measure_, font, number ? 3500 : 3700, p);
  if (number) name += " (" + std::to_string(p.PerNum) + ")";
  return name;
}

// Writes one row of the chart; a row that would cross the bottom margin goes
// to a new page through page_break(), so that the open lines reach the
// bottom of the page they leave.
RowResult DescendantsWriter::row(int d, const std::string& text, bool bold) {
  const Font& font = bold ? name_font_ : body_;
  doc_.set_font(font);
  const std::string cell = CellText(text);
  const std::string format = DescendantRowFormat(d, columns_);
  const std::string cells = DescendantRowCells(d, cell);
  if (!doc_.fits_on_page(doc_.row_height(format, cells))) page_break();
  // Where even the top of a page has too little room under the heading for
  // the row, it is written smaller, down to the smallest size, rather than
  // past the bottom margin.
  const double bottom = doc_.page_height() - doc_.margin_bottom();
  for (Font smaller = font;
       smaller.size > kSmallestTextSize && doc_.current_y() + doc_.row_height(format, cells) > bottom;) {
    smaller.size = std::max(kSmallestTextSize, smaller.size - 1);
    doc_.set_font(smaller);
  }
  RowResult r;
  if (!stopped_) r = doc_.add_table_row(format, cells);
  doc_.set_font(body_);
  if (!r.ok) stopped_ = true;
  return r;
}

// How high the rows of `lines` will be, the first in bold when asked.
double DescendantsWriter::rows_height(int d, const std::vector<std::string>& lines, bool first_bold) {
  const std::string format = DescendantRowFormat(d, columns_);
  double height = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    doc_.set_font(i == 0 && first_bold ? name_font_ : body_);
    height += doc_.row_height(format, DescendantRowCells(d, CellText(lines[i])));
  }
  doc_.set_font(body_);
  return height;
}

void DescendantsWriter::vertical_line(int depth, double y1, double y2) {
  if (!columns_.wide || y2 <= y1) return;
  const double x = doc_.margin_left() + (depth - 1) * columns_.step;
  doc_.set_pen_width(kConnectorPen);
  doc_.set_pen_colour(o_.ticked(item3::BreakLine) ? GenerationColour(depth) : kBlack);
  doc_.draw_line(x, y1, x, y2);
  doc_.set_pen_width(0);
  doc_.set_pen_colour(kBlack);
}

// The lines of the lists still open run down to the bottom margin and go on
// from the top of the next page; a list whose last child is already printed
// ends at that child instead.
void DescendantsWriter::page_break() {
  const double bottom = doc_.page_height() - doc_.margin_bottom();
  for (std::size_t k = 1; k < levels_.size(); ++k) {
    ListLine& line = lines_[k];
    if (!line.open || line.done) continue;
    const Level& level = levels_[k];
    const bool more = !level.started || level.index + 1 < level.kids.size();
    if (more) {
      vertical_line(static_cast<int>(k), line.start, bottom);
    } else {
      vertical_line(static_cast<int>(k), line.start, line.last);
      line.done = true;
    }
  }
  if (!doc_.new_page()) {
    stopped_ = true;
    return;
  }
  for (ListLine& line : lines_)
    if (line.open && !line.done) line.start = doc_.current_y();
}

void DescendantsWriter::person_rows(const PersonRecord& p, int d) {
  std::vector<std::string> lines = {name_text(p, name_font_)};
  for (std::string line : {BirthLine(p, o_.ticked(item3::DateOfBirth), o_.ticked(item3::PlaceOfBirth)),
                           DeathLine(p, o_.ticked(item3::DateOfDeath), o_.ticked(item3::PlaceOfDeath))})
    if (!line.empty()) lines.push_back(std::move(line));
  doc_.set_font(body_);
  // A person starts a page's foot only with room for a few rows under the
  // name, and never apart from his or her own dates.
  // At the top of a page a new page gains nothing.
  const double u = 2 * doc_.text_height("X");
  if (doc_.current_y() > content_top_ && (doc_.current_y() > doc_.page_height() - doc_.margin_bottom() - 3 * u ||
                                          !doc_.fits_on_page(rows_height(d, lines, true))))
    page_break();
  if (stopped_) return;

  RowResult r = row(d, lines[0], true);
  if (!r.ok) return;
  ++counter_;
  if (d > 0 && p.PerNum >= 1 && static_cast<std::size_t>(p.PerNum) < printed_.size() &&
      !printed_[static_cast<std::size_t>(p.PerNum)]) {
    printed_[static_cast<std::size_t>(p.PerNum)] = true;
    ++descendants_;
  }
  levels_[static_cast<std::size_t>(d)].started = true;
  const double connector = r.top + measure_.line_height(name_font_) - kConnectorRise;
  if (columns_.wide && d >= 2) {
    const double x = doc_.margin_left() + (d - 1) * columns_.step;
    doc_.set_pen_width(kConnectorPen);
    doc_.set_pen_colour(o_.ticked(item3::BreakLine) ? GenerationColour(d) : kBlack);
    doc_.draw_line(x + columns_.step + 50, connector, x, connector);
    doc_.set_pen_width(0);
    doc_.set_pen_colour(kBlack);
  }
  if (d > 0) {
    ListLine& line = lines_[static_cast<std::size_t>(d)];
    if (!line.open) {
      line.open = true;
      line.start = connector;
    }
    line.last = connector;
  }
  for (std::size_t i = 1; i < lines.size() && !stopped_; ++i) row(d, lines[i], false);
}

void DescendantsWriter::partner_rows(std::int16_t person, std::int16_t family, int d) {
  if (!o_.ticked(item3::Partners)) return;
  const MarriageRecord& f = s_.family(family);
  const bool details = o_.ticked(item3::MarriageDetails);
  CeremonyRecord c = details ? records_.ceremony(family) : CeremonyRecord{};
  std::vector<std::string> lines;
  if (details) {
    if (f.NotMarried) lines.push_back("Not Married");
    else {
      // Without a date the line says only that they married.
      const std::string date = cp1252::trim(c.MarriedDate);
      lines.push_back((date.empty() ? std::string("Married") : "Married on " + NoBreak(date)) +
                      (f.Divorced ? " (divorced) " : ""));
    }
  }
  const std::int16_t partner = f.Husband == person ? f.Wife : f.Husband;
  PersonRecord p;
  if (partner > 0 && records_.person(partner, p)) {
    lines.push_back(name_text(p, body_));
    lines.push_back(BirthLine(p, o_.ticked(item3::DateOfBirth), o_.ticked(item3::PlaceOfBirth)));
    lines.push_back(DeathLine(p, o_.ticked(item3::DateOfDeath), o_.ticked(item3::PlaceOfDeath)));
  }
  const std::string notes = cp1252::trim(c.MarriedAt);
  if (details && !notes.empty()) lines.push_back("Marriage notes: " + notes);
  std::erase_if(lines, [](const std::string& line) { return cp1252::trim(line).empty(); });
  // The partner, the dates and the marriage go over the leaf together.
  if (!doc_.fits_on_page(rows_height(d, lines, false))) page_break();
  for (const std::string& line : lines) {
    if (stopped_) return;
    row(d, line, false);
  }
}

bool DescendantsWriter::on_line_of_descent(std::int16_t person) const {
  for (const Level& level : levels_)
    if (level.index < level.kids.size() && level.kids[level.index] == person) return true;
  return false;
}

// A child who is already on the line being printed would start the same
// lines over again: a cycle that only a damaged tree has.
std::vector<std::int16_t> DescendantsWriter::children(std::int16_t family) {
  const MarriageRecord& f = s_.family(family);
  std::vector<std::int16_t> kids;
  const int n = KidCount(f);
  for (int i = 0; i < n; ++i) {
    std::int16_t k = f.Kids[static_cast<std::size_t>(i)];
    if (records_.has_person(k) && !on_line_of_descent(k)) kids.push_back(k);
  }
  return kids;
}

void DescendantsWriter::close_list(int d) {
  if (d <= 0) return;
  ListLine& line = lines_[static_cast<std::size_t>(d)];
  if (line.open && !line.done) vertical_line(d, line.start, line.last);
  line = ListLine{};
}

// Depth first: each person, then for each partnership the partner's rows and
// the couple's children (while the depth allows), then the next sibling.
bool DescendantsWriter::walk() {
  while (!levels_.empty() && !stopped_) {
    const int d = static_cast<int>(levels_.size()) - 1;
    Level& level = levels_.back();
    if (level.index >= level.kids.size()) {
      close_list(d);
      levels_.pop_back();
      continue;
    }
    const std::int16_t person = level.kids[level.index];
    if (!level.started) {
      PersonRecord p;
      if (!records_.person(person, p)) {
        ++level.index;
        continue;
      }
      if (cancel_requested(DisplayName(s_, p))) return false;
      person_rows(p, d);
      if (stopped_) break;
      level.started = true;
      level.partnerships = records_.partnerships(person);
      level.next_partnership = 0;
      if (counter_ + 1 >= kMaxPersonRows) stopped_ = true;
    }
    bool descended = false;
    while (!stopped_ && level.next_partnership < level.partnerships.size()) {
      const std::int16_t family = level.partnerships[level.next_partnership++];
      partner_rows(person, family, d);
      if (d >= generations_ - 1) continue;
      std::vector<std::int16_t> kids = children(family);
      if (kids.empty()) continue;
      deepest_ = std::max(deepest_, d + 1);
      Level next;
      next.kids = std::move(kids);
      levels_.push_back(std::move(next));  // `level` is not used after this
      descended = true;
      break;
    }
    if (descended || stopped_) continue;
    ++level.index;
    level.started = false;
  }
  return true;
}

DescendantsResult DescendantsWriter::run(std::int16_t root) {
  DescendantsResult r;
  PersonRecord p;
  if (!records_.person(root, p)) return r;
  set_up(p);
  r.title = "Print Descendants of  " + DisplayName(s_, p);
  if (progress_) progress_("Preparing Descendant Chart", 0);

  doc_.set_page_start_handler([this](int page) { page_start(page); });
  doc_.start_doc();
  levels_.reserve(kMaxGenerations + 1);
  printed_.assign(static_cast<std::size_t>(records_.person_count()) + 1, false);
  Level top;
  top.kids = {root};
  levels_.push_back(std::move(top));
  const bool finished = walk();
  doc_.set_page_start_handler(nullptr);
  if (!finished) {
    doc_.kill_doc();
    cancelled_ = true;
  } else {
    doc_.end_doc();
  }
  doc_.set_header("");
  doc_.set_footer("");

  r.completed = finished;
  r.truncated = stopped_ || doc_.truncated();
  r.descendants = descendants_;
  r.deepest = deepest_;
  r.summary = cp1252::trim(p.GivenNames) + " " + cp1252::trim(p.FamName) + " has " + std::to_string(r.descendants) +
              " recorded descendants in " + std::to_string(r.deepest + 1) + " generations";
  return r;
}

}  // namespace

DescendantsResult PrintDescendants(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                                   std::int16_t root, const Progress& progress) {
  DescendantsWriter writer(s, doc, measure, o, progress);
  return writer.run(root);
}

}  // namespace vft::print
