#include "print/pedigree_chart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/cp1252.h"
#include "print/chart_text.h"
#include "relations/fit_name.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft::print {
namespace {

// Gap between a band's line and the first text below it (twips).
constexpr double kBelowGap = 30;
// Between a heading and what follows it, and above the note at the foot.
constexpr double kHeadingGap = 60;
// Line heights between a name's last line and the band's line below it, and
// kept clear at either end of a band so neighbours do not touch; a crowded
// chart closes up to the tight spacing before anything gets smaller.
struct Spacing {
  double rise, pad;
};
constexpr Spacing kUsualSpacing{0.7, 0.2};
constexpr Spacing kTightSpacing{0.1, 0.02};
constexpr double kSizeStep = 0.5;
constexpr int kLeaves = 1 << (kPedigreeGenerations - 1);
// Marks a person some of whose lines are left out; glued to the name.
constexpr const char* kLeftOutMark = "\xA0*";

// How far names are shortened: not at all, the middle given names to
// initials, or as the family view shortens them to one line.
enum class NameForm { Full, Initials, Shortest };

template <typename T>
using PerSlot = std::array<std::array<T, kLeaves>, kPedigreeGenerations>;

// What one person puts on the chart: the name above the band's line, the
// birth, death and marriage lines below it, wrapped to the column.
struct Slot {
  bool used = false;
  Font font;
  double h = 0;  // line height
  Spacing spacing = kUsualSpacing;
  std::vector<ChartLine> above, below;
  double to_line() const { return (spacing.pad + spacing.rise + static_cast<double>(above.size())) * h; }
  double from_line() const { return kBelowGap + (static_cast<double>(below.size()) + spacing.pad) * h; }
  double need() const { return used ? to_line() + from_line() : 0; }
};

// A person on the chart as read, and the texts that do not depend on room.
struct Entry {
  std::int16_t number = 0;
  PersonRecord record;
  std::string suffix;              // "  #12" after the name, when ticked
  std::vector<std::string> lines;  // below the band's line
  bool marked = false;             // some line of this person is left out
};

struct Geometry {
  double left = 0, top = 0;  // of the bands
  double width = 0, height = 0;
  double x(int g) const { return left + width / 8.5 + g * width / 5; }
  double right() const { return left + width; }
  double text_x(int g) const { return x(g) - width / 9; }
  // The column's text width, never past the right margin.
  double fit_width(int g) const { return std::min(width / 5 - 50, right() - text_x(g)); }
  double line_end(int g) const { return std::min(x(g) + width / 12, right()); }
};

class PedigreeWriter {
 public:
  PedigreeWriter(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o)
      : s_(s), doc_(doc), measure_(measure), o_(o), records_(s) {}

  PedigreeResult run(std::int16_t person, const Progress& progress);

 private:
  void heading(const PersonRecord& p);
  void gather(int g, int pos, const PersonRecord& p);
  std::string name_text(const Entry& e, NameForm form, const Font& font, double width) const;
  void lay_out(const std::array<double, kPedigreeGenerations>& sizes, Spacing spacing, NameForm form);
  // Returns the shortest name form it came to.
  NameForm fit(double height);
  double required(int g, int pos);
  void assign(int g, int pos, double top, double height);
  void relax(NameForm form);
  // Writes the person's texts, or with `dry` only counts those left out.
  int draw(const AncestorTable& table, int g, int pos, bool dry);
  std::string note_text(bool numbers_only) const;

  Session& s_;
  PageDocument& doc_;
  const TextMeasure& measure_;
  const ChartOptions& o_;
  ChartRecords records_;
  Font body_;
  Geometry geo_;
  PerSlot<Entry> entries_{};
  PerSlot<Slot> slots_{};
  PerSlot<double> need_{}, band_top_{}, band_height_{}, line_y_{};
  std::array<bool, kPedigreeGenerations> present_{};
};

void PedigreeWriter::heading(const PersonRecord& p) {
  Font title = body_;
  title.bold = true;
  title.size = body_.size * 1.3;
  const std::string date = o_.ticked(item3::TodaysDate) ? PrintedDate(s_.now()) : std::string();
  // The heading takes its room from the bands: nothing goes into the margin.
  doc_.set_current_y(doc_.margin_top());
  WriteChartHeading(doc_, "Pedigree of " + DisplayName(s_, p), title, date);
  const double used = doc_.current_y() - doc_.margin_top() + kHeadingGap;
  geo_.top += used;
  geo_.height -= used;
}

void PedigreeWriter::gather(int g, int pos, const PersonRecord& p) {
  present_[static_cast<std::size_t>(g)] = true;
  Entry& e = entries_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)];
  e.number = p.PerNum;
  e.record = p;
  if (o_.ticked(item3::Name) && o_.ticked(item3::PersonNumber)) e.suffix = "  #" + std::to_string(p.PerNum);
  e.lines = {BirthLine(p, o_.ticked(item3::DateOfBirth), o_.ticked(item3::PlaceOfBirth)),
             DeathLine(p, o_.ticked(item3::DateOfDeath), o_.ticked(item3::PlaceOfDeath))};
  if (g <= 2) e.lines.push_back(ParentsMarriageLine(s_, p.PerNum));
  std::erase_if(e.lines, [](const std::string& t) { return t.empty(); });
}

// The name in the given form where the full name needs more than a line;
// the family name is always there whole.
std::string PedigreeWriter::name_text(const Entry& e, NameForm form, const Font& font, double width) const {
  const std::string tail = e.suffix + (e.marked ? kLeftOutMark : "");
  std::string name = DisplayName(s_, e.record);
  if (form == NameForm::Full || measure_.width(name + tail, font) <= width) return name + tail;
  name = MiddleInitials(s_, e.record);
  if (form == NameForm::Initials || measure_.width(name + tail, font) <= width) return name + tail;
  const double room = width - measure_.width(tail, font) + kNameMargin;
  return cp1252::trim(FitName(s_, measure_, font, room, e.record)) + tail;
}

void PedigreeWriter::lay_out(const std::array<double, kPedigreeGenerations>& sizes, Spacing spacing, NameForm form) {
  for (int g = 0; g < kPedigreeGenerations; ++g) {
    Font font = body_;
    font.size = sizes[static_cast<std::size_t>(g)];
    const double width = geo_.fit_width(g);
    for (int pos = 0; pos < (1 << g); ++pos) {
      const Entry& e = entries_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)];
      Slot& slot = slots_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)];
      slot = Slot{};
      if (!e.number) continue;
      slot.used = true;
      slot.spacing = spacing;
      slot.font = font;
      slot.h = measure_.line_height(font);
      WrapChartText(name_text(e, form, font, width), width, font, measure_, slot.above);
      for (const std::string& line : e.lines) WrapChartText(line, width, font, measure_, slot.below);
    }
  }
}

// Bands grow where their texts need room and give it up where nobody is
// recorded. Only when that is not enough are long names cut to initials,
// then the outer generations get a smaller size (never below the smallest),
// then the spacing closes up, and last the names take the family view's
// shortest form. What still has no room is left out by draw().
NameForm PedigreeWriter::fit(double height) {
  std::array<double, kPedigreeGenerations> sizes;
  sizes.fill(body_.size);
  Spacing spacing = kUsualSpacing;
  NameForm form = NameForm::Full;
  while (true) {
    lay_out(sizes, spacing, form);
    if (required(0, 0) <= height) return form;
    if (form == NameForm::Full) {
      form = NameForm::Initials;
      continue;
    }
    int g = kPedigreeGenerations - 1;
    while (g >= 0 &&
           (sizes[static_cast<std::size_t>(g)] <= kSmallestTextSize || !present_[static_cast<std::size_t>(g)]))
      --g;
    if (g >= 0)
      sizes[static_cast<std::size_t>(g)] = std::max(kSmallestTextSize, sizes[static_cast<std::size_t>(g)] - kSizeStep);
    else if (spacing.rise != kTightSpacing.rise) spacing = kTightSpacing;
    else if (form != NameForm::Shortest) form = NameForm::Shortest;
    else return form;
  }
}

// The least height the band of (g, pos) needs for its person and the bands
// of the ancestors it holds.
double PedigreeWriter::required(int g, int pos) {
  double need = slots_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)].need();
  if (g + 1 < kPedigreeGenerations) need = std::max(need, required(g + 1, 2 * pos) + required(g + 1, 2 * pos + 1));
  need_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)] = need;
  return need;
}

// Each band splits into its parents' bands: halves where both fit, else
// each side what it needs and the rest to the other.
void PedigreeWriter::assign(int g, int pos, double top, double height) {
  const auto gi = static_cast<std::size_t>(g), pi = static_cast<std::size_t>(pos);
  band_top_[gi][pi] = top;
  band_height_[gi][pi] = height;
  const Slot& slot = slots_[gi][pi];
  const double lo = top + slot.to_line(), hi = top + height - slot.from_line();
  line_y_[gi][pi] = lo > hi ? lo : std::clamp(top + height / 2, lo, hi);
  if (g + 1 >= kPedigreeGenerations) return;
  const double a = need_[gi + 1][2 * pi], b = need_[gi + 1][2 * pi + 1];
  double first = height / 2;
  if (a + b <= height) first = std::clamp(first, a, height - b);
  else if (a + b > 0) first = height * a / (a + b);
  assign(g + 1, 2 * pos, top, first);
  assign(g + 1, 2 * pos + 1, top + first, height - first);
}

// The shortening is decided for the chart as a whole, but a person whose
// band has room for a fuller name gets it back.
void PedigreeWriter::relax(NameForm form) {
  for (int g = 0; g < kPedigreeGenerations; ++g)
    for (int pos = 0; pos < (1 << g); ++pos) {
      const auto gi = static_cast<std::size_t>(g), pi = static_cast<std::size_t>(pos);
      Slot& slot = slots_[gi][pi];
      if (!slot.used) continue;
      for (NameForm fuller : {NameForm::Full, NameForm::Initials}) {
        if (fuller >= form) break;
        std::vector<ChartLine> above;
        WrapChartText(name_text(entries_[gi][pi], fuller, slot.font, geo_.fit_width(g)), geo_.fit_width(g), slot.font,
                      measure_, above);
        if (std::any_of(above.begin(), above.end(), [](const ChartLine& l) { return l.size <= 0; })) continue;
        const double top = band_top_[gi][pi], height = band_height_[gi][pi];
        const double lo = top + (slot.spacing.pad + slot.spacing.rise + static_cast<double>(above.size())) * slot.h;
        const double hi = top + height - slot.from_line();
        if (lo > hi) continue;
        slot.above = std::move(above);
        line_y_[gi][pi] = std::clamp(top + height / 2, lo, hi);
        break;
      }
    }
}

int PedigreeWriter::draw(const AncestorTable& table, int g, int pos, bool dry) {
  const auto gi = static_cast<std::size_t>(g), pi = static_cast<std::size_t>(pos);
  const Slot& slot = slots_[gi][pi];
  const double m = line_y_[gi][pi];
  if (!dry) {
    const double end = geo_.line_end(g);
    doc_.set_pen_width(kPedigreePen);
    doc_.set_pen_colour(kBlack);
    doc_.draw_line(geo_.x(g) - geo_.width / 8.5, m, end, m);
    // The line up to a parent's band only where that parent is recorded.
    if (g + 1 < kPedigreeGenerations) {
      const auto& parents = table[gi + 1];
      if (parents[2 * pi] && slots_[gi + 1][2 * pi].used) doc_.draw_line(end, line_y_[gi + 1][2 * pi], end, m);
      if (parents[2 * pi + 1] && slots_[gi + 1][2 * pi + 1].used)
        doc_.draw_line(end, m, end, line_y_[gi + 1][2 * pi + 1]);
    }
    doc_.set_pen_width(0);
  }

  // Only what lies inside the band is written, so even the last resort
  // never writes outside the chart or over a neighbour.
  const double top = band_top_[gi][pi], bottom = top + band_height_[gi][pi];
  int left_out = 0;
  Font font = slot.font;
  auto put = [&](const ChartLine& line, double y) {
    if (line.size <= 0 || y < top - 1e-6 || y + slot.h > bottom + 1e-6) {
      ++left_out;
      return;
    }
    if (dry) return;
    font.size = line.size;
    doc_.set_font(font);
    // A line written smaller sits on the same baseline as the others.
    doc_.set_current_x(geo_.text_x(g));
    doc_.set_current_y(y + slot.h - measure_.line_height(font));
    doc_.write_text(line.text);
  };
  double y = m - (slot.spacing.rise + static_cast<double>(slot.above.size())) * slot.h;
  for (const ChartLine& line : slot.above) {
    put(line, y);
    y += slot.h;
  }
  y = m + kBelowGap;
  for (const ChartLine& line : slot.below) {
    put(line, y);
    y += slot.h;
  }
  if (!dry) doc_.set_font(body_);
  return left_out;
}

// The note at the foot of a chart that left lines out: whose data sheet to
// read for them, by name and number, or by number alone where the names
// would crowd out the chart.
std::string PedigreeWriter::note_text(bool numbers_only) const {
  std::vector<std::string> who;
  for (const auto& generation : entries_)
    for (const Entry& e : generation)
      if (e.number && e.marked)
        who.push_back(numbers_only ? "#" + std::to_string(e.number)
                                   : DisplayName(s_, e.record) + " (#" + std::to_string(e.number) + ")");
  if (who.empty()) return {};
  std::string text = "Some details did not fit; see the data sheet of ";
  for (std::size_t i = 0; i < who.size(); ++i) {
    if (i > 0) text += i + 1 == who.size() ? " and " : ", ";
    text += who[i];
  }
  return text + ".";
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
  body_.size = std::max(body_.size, kSmallestTextSize);
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
    for (int pos = 0; pos < (1 << g); ++pos) {
      PersonRecord p;
      const std::int16_t n = table[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)];
      if (!n || !records_.person(n, p)) continue;
      gather(g, pos, p);
      ++r.persons;
    }
  }
  if (!cancelled && geo_.width > 0 && geo_.height > 0) {
    // A line left out is never left out silently: the person gets a mark and
    // the foot of the page a note, whose room the bands give up. Marks and
    // the note take room themselves, so this settles over a few rounds (at
    // most one for each person, as marks are only ever added).
    Font note_font = body_;
    note_font.size = std::min(body_.size, 8.0);
    const double note_h = measure_.line_height(note_font);
    std::vector<ChartLine> note;
    double chart_height = geo_.height;
    while (true) {
      const NameForm form = fit(chart_height);
      assign(0, 0, geo_.top, chart_height);
      relax(form);
      bool more = false;
      for (int g = 0; g < kPedigreeGenerations; ++g)
        for (int pos = 0; pos < (1 << g); ++pos) {
          Entry& e = entries_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)];
          if (slots_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)].used && !e.marked &&
              draw(table, g, pos, true) > 0)
            e.marked = more = true;
        }
      if (!more) break;
      note.clear();
      WrapChartText(note_text(false), geo_.width, note_font, measure_, note);
      if (static_cast<double>(note.size()) * note_h > geo_.height / 8) {
        note.clear();
        WrapChartText(note_text(true), geo_.width, note_font, measure_, note);
      }
      chart_height = geo_.height - static_cast<double>(note.size()) * note_h - kHeadingGap;
    }
    for (int g = 0; g < kPedigreeGenerations; ++g)
      for (int pos = 0; pos < (1 << g); ++pos)
        if (slots_[static_cast<std::size_t>(g)][static_cast<std::size_t>(pos)].used) draw(table, g, pos, false);
    double y = geo_.top + geo_.height - static_cast<double>(note.size()) * note_h;
    for (const ChartLine& line : note) {
      note_font.size = std::max(line.size, kSmallestTextSize);
      doc_.set_font(note_font);
      doc_.set_current_x(geo_.left);
      doc_.set_current_y(y);
      doc_.write_text(line.text);
      y += note_h;
    }
    doc_.set_font(body_);
    r.summary = note_text(false);
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
  // A parent who is already on the line down to the root (a damaged tree
  // can make a person his own ancestor) is left out: the chart stays true.
  auto on_line = [&](std::size_t g, std::size_t q, std::int16_t n) {
    for (std::size_t k = 0; k <= g; ++k)
      if (t[g - k][q >> k] == n) return true;
    return false;
  };
  for (std::size_t g = 1; g < kPedigreeGenerations; ++g) {
    for (std::size_t q = 0; q < (std::size_t{1} << (g - 1)); ++q) {
      const std::int16_t child = t[g - 1][q];
      if (!child) continue;
      const std::int16_t father = FatherOf(s, child), mother = MotherOf(s, child);
      if (father && !on_line(g - 1, q, father)) t[g][2 * q] = father;
      if (mother && !on_line(g - 1, q, mother) && mother != t[g][2 * q]) t[g][2 * q + 1] = mother;
    }
  }
  return t;
}

std::string MiddleInitials(const Session& s, const PersonRecord& p) {
  const std::string given = cp1252::trim(p.GivenNames);
  std::string out;
  bool first = true;
  for (std::size_t i = 0; i < given.size();) {
    const std::size_t end = std::min(given.find(' ', i), given.size());
    if (end > i) {
      if (!out.empty()) out += ' ';
      out += first ? given.substr(i, end - i) : given.substr(i, 1) + ".";
      first = false;
    }
    i = end + 1;
  }
  return out.empty() ? display_famname(s, p) : out + " " + display_famname(s, p);
}

std::string ParentsMarriageLine(const Session& s, std::int16_t p) {
  if (FatherOf(s, p) < 1) return {};
  const std::int16_t m = ParentFamilyOf(s, p);
  if (m < 1) return {};
  const MarriageRecord& f = s.family(m);
  if (f.NotMarried) return "Not Married";
  const std::string date = MarriageDateOf(s, m);
  // Without a date the line says only that they married.
  if (date.empty()) return f.Divorced ? "Married - Div." : "Married.";
  return "Married on " + NoBreak(date + (f.Divorced ? " - Div." : "."));
}

PedigreeResult PrintPedigree(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                             std::int16_t person, const Progress& progress) {
  PedigreeWriter writer(s, doc, measure, o);
  return writer.run(person, progress);
}

}  // namespace vft::print
