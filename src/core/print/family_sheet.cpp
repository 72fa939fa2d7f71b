#include "print/family_sheet.h"

#include <algorithm>
#include <cmath>

#include "common/cp1252.h"
#include "print/chart_text.h"
#include "print/page_setup_model.h"
#include "print/sheet_text.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft::print {
namespace {

// Label widths inside a couple block, and the date column of a row that
// also holds a place.
constexpr double kLabel = 1200;
constexpr double kWideLabel = 1500;
constexpr double kOtherPartnersLabel = 2000;
constexpr double kDateColumn = 2200;
// The form needs little room above and below; the running text sits above it.
constexpr double kFormMargin = 720;
constexpr double kGap = 120;
constexpr double kChildTableSize = 8;

std::string with_dates(const Session& s, const PersonRecord& p) {
  const std::string birth = NoBreak(cp1252::trim(p.BirthDate)), death = NoBreak(cp1252::trim(p.DeathDate));
  std::string dates = birth;
  if (!death.empty()) dates += (dates.empty() ? "" : " - ") + death;
  return FullName(s, p) + (dates.empty() ? std::string() : "  " + dates);
}

// One labelled field of a couple block: the label, the value after it and
// a ruled line under the value.
struct Field {
  std::string_view label;
  std::string value;
  double x = 0, w = 0, label_w = 0;
  bool bold = false;
};

class FormWriter {
 public:
  FormWriter(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o, const AllPersons& all,
             bool blank, double width)
      : s_(s), doc_(doc), measure_(measure), o_(o), all_(all), blank_(blank), width_(width) {}

  void couple(const char* label, const PersonRecord* p, std::int16_t family);
  void married(std::int16_t family);
  // Returns false on cancel.
  bool children(const std::vector<std::int16_t>& kids, const std::string& more_heading);

 private:
  double x0() const { return doc_.margin_left(); }
  double y() const { return doc_.current_y(); }
  void fields(const std::vector<Field>& row);
  double row_h() const { return measure_.line_height(doc_.font()) * 1.3; }
  std::string child_cells(const PersonRecord& c);
  void table_header();
  void child_row(const std::string& cells);

  Session& s_;
  PageDocument& doc_;
  const TextMeasure& measure_;
  const ChartOptions& o_;
  const AllPersons& all_;
  bool blank_;
  double width_;
  std::vector<LineSpan> wrap_;
};

// A row of fields; a value longer than its field goes on over further lines
// of the row rather than being cut.
void FormWriter::fields(const std::vector<Field>& row) {
  const Font body = doc_.font();
  const double top = y();
  std::vector<std::vector<std::string>> values;
  std::size_t lines = 1;
  for (const Field& f : row) {
    std::vector<std::string>& out = values.emplace_back();
    if (blank_ || f.value.empty()) continue;
    wrap_.clear();
    wrap_text(f.value, f.w - f.label_w - 2 * kCellPadding, body, measure_, wrap_);
    for (const LineSpan& l : wrap_) out.push_back(f.value.substr(l.offset, l.length));
    lines = std::max(lines, out.size());
  }
  for (std::size_t i = 0; i < row.size(); ++i) {
    const Field& f = row[i];
    if (f.bold) {
      Font b = body;
      b.bold = true;
      doc_.set_font(b);
    }
    doc_.set_current_x(f.x + kCellPadding);
    doc_.set_current_y(top);
    doc_.write_text(f.label);
    doc_.set_font(body);
    const double line_y = top + static_cast<double>(lines) * row_h() - kCellPadding / 2;
    doc_.draw_line(f.x + f.label_w, line_y, f.x + f.w - kCellPadding, line_y);
    for (std::size_t k = 0; k < values[i].size(); ++k) {
      doc_.set_current_x(f.x + f.label_w + kCellPadding);
      doc_.set_current_y(top + static_cast<double>(k) * row_h());
      doc_.write_text(values[i][k]);
    }
  }
  doc_.set_current_x(x0());
  doc_.set_current_y(top + static_cast<double>(lines) * row_h());
}

void FormWriter::couple(const char* label, const PersonRecord* p, std::int16_t family) {
  const PersonRecord none = blank_person();
  const PersonRecord& r = p && !blank_ ? *p : none;
  const double top = y();
  const double x = x0(), w = width_;
  std::string name = p && !blank_ ? FullName(s_, *p) : std::string();
  if (p && !blank_ && o_.ticked(item3::PersonNumber)) name += "  (#" + std::to_string(p->PerNum) + ")";
  fields({{label, name, x, w, kWideLabel, true}});
  fields({{" Occupation", cp1252::trim(r.Occupation), x, w, kWideLabel}});
  const double split = kLabel + kDateColumn;
  auto dated = [&](const char* what, const std::string& date, const std::string& place) {
    fields({{what, NoBreak(cp1252::trim(date)), x, split, kLabel},
            {" Place ", cp1252::trim(place), x + split, w - split, kLabel}});
  };
  dated("Born ", r.BirthDate, r.BirthPlace);
  dated("Died ", r.DeathDate, r.DeathPlace);
  dated("Interred ", r.InterDate, r.InteredPlace);

  std::string father, mother, others;
  if (p && !blank_) {
    if (const PersonRecord* f = all_.find(FatherOf(s_, p->PerNum))) father = with_dates(s_, *f);
    if (const PersonRecord* m = all_.find(MotherOf(s_, p->PerNum))) mother = with_dates(s_, *m);
    for (std::int16_t m : all_.partnerships(p->PerNum)) {
      if (m == family) continue;
      const PersonRecord* o = all_.find(all_.partner_in(m, p->PerNum));
      if (!o) continue;
      others += (others.empty() ? "" : ", ") + FullName(s_, *o);
    }
  }
  fields({{"Father ", father, x, w / 2, kLabel}, {" Mother ", mother, x + w / 2, w / 2, kLabel}});
  fields({{"Other Partners ", others, x, w, kOtherPartnersLabel}});
  doc_.draw_rectangle(x, top, x + w, y());
  doc_.set_current_y(y() + kGap);
}

void FormWriter::married(std::int16_t family) {
  const CeremonyRecord c = family > 0 && !blank_ ? all_.ceremony(family) : blank_ceremony();
  const double split = kLabel + kDateColumn;
  fields({{"MARRIED", NoBreak(cp1252::trim(c.MarriedDate)), x0(), split, kLabel, true},
          {" Place ", cp1252::trim(c.MarriedAt), x0() + split, width_ - split, kLabel}});
  doc_.set_current_y(y() + kGap);
}

std::string FormWriter::child_cells(const PersonRecord& c) {
  std::string married, married_to;
  const auto& families = all_.partnerships(c.PerNum);
  if (!families.empty()) {
    married = cp1252::trim(all_.ceremony(families.front()).MarriedDate);
    if (const PersonRecord* o = all_.find(all_.partner_in(families.front(), c.PerNum))) married_to = FullName(s_, *o);
  }
  const char sex = SexOf(c);
  const std::string values[8] = {sex ? std::string(1, sex) : std::string(),
                                 FullName(s_, c),
                                 NoBreak(cp1252::trim(c.BirthDate)),
                                 cp1252::trim(c.BirthPlace),
                                 NoBreak(married),
                                 married_to,
                                 NoBreak(cp1252::trim(c.DeathDate)),
                                 cp1252::trim(c.DeathPlace)};
  std::string cells;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i) cells += '|';
    cells += CellText(values[i]);
  }
  return cells;
}

void FormWriter::table_header() {
  const Font body = doc_.font();
  Font b = body;
  b.bold = true;
  doc_.set_font(b);
  RowResult r = doc_.add_table_row(ChildHeaderFormat(width_),
                                   std::string("Sex") + CrLf + "M/F|CHILDREN|Born|Place|Married|Married To|Died|Place");
  doc_.set_font(body);
  if (r.ok) doc_.draw_line(x0(), r.top + r.height, x0() + width_, r.top + r.height);
}

void FormWriter::child_row(const std::string& cells) {
  RowResult r = doc_.add_table_row(ChildRowFormat(width_), cells);
  if (r.ok) doc_.draw_line(x0(), r.top + r.height, x0() + width_, r.top + r.height);
}

bool FormWriter::children(const std::vector<std::int16_t>& kids, const std::string& more_heading) {
  // Dates and places share columns of 1150 and 2000-odd twips, so the table
  // keeps to a small type whatever the document font is; a text longer than
  // its column goes on over a further line of its row.
  const Font body = doc_.font();
  Font table = body;
  table.size = std::max(kSmallestTextSize, std::min(body.size, kChildTableSize));
  doc_.set_font(table);
  const double top = y();
  table_header();
  const std::string format = ChildRowFormat(width_);
  const std::string empty_row = "|||||||";
  const double bottom = doc_.page_height() - doc_.margin_bottom();
  const double line = doc_.row_height(format, empty_row);
  std::size_t on_form = 0;
  bool ok = true;
  if (!blank_) {
    for (; on_form < kids.size() && ok; ++on_form) {
      if (s_.CancelFlag) {
        ok = false;
        break;
      }
      const PersonRecord* c = all_.find(kids[on_form]);
      const std::string cells = c ? child_cells(*c) : empty_row;
      // The last row left is kept for the count of the children after it.
      const double reserve = on_form + 1 < kids.size() ? line : 0;
      if (y() + doc_.row_height(format, cells) + reserve > bottom) break;
      child_row(cells);
    }
  }
  const bool overflow = ok && on_form < kids.size();
  if (overflow) child_row("|" + std::to_string(kids.size() - on_form) + " More)");
  // The rest of the form stays ruled for writing in by hand.
  while (ok && y() + line <= bottom) child_row(empty_row);
  doc_.draw_rectangle(x0(), top, x0() + width_, y());
  if (ok && overflow) {
    doc_.new_page();
    Font b = body;
    b.bold = true;
    doc_.set_font(b);
    doc_.write_text(more_heading);
    doc_.set_font(table);
    doc_.set_current_x(x0());
    doc_.set_current_y(y() + row_h());
    table_header();
    for (std::size_t i = on_form; i < kids.size() && !doc_.truncated() && ok; ++i) {
      if (s_.CancelFlag) ok = false;
      else if (const PersonRecord* c = all_.find(kids[i])) child_row(child_cells(*c));
    }
  }
  doc_.set_font(body);
  return ok;
}

}  // namespace

double FamilyFormWidth(double page_width) {
  if (page_width > 16000) return 14000;
  if (FamilyFormFits(page_width)) return 13000;
  return 0;
}

std::string NoPartnersText(const Session& s, const PersonRecord& p) {
  const char sex = SexOf(p);
  const char* whose = sex == 'M' ? "his" : sex == 'F' ? "her" : "his/her";
  return FullName(s, p) + " has no partners or children." + CrLf +
         "To print a family data sheet for this family please " + CrLf + "select one of " + whose + " parents.";
}

std::string ChildHeaderFormat(double form_width) {
  return form_width >= 14000 ? "^500|^3200|^1150|^2270|^1150|^2270|^1150|^2300~"
                             : "^500|^3000|^1150|^2020|^1150|^2020|^1150|^2020~";
}

std::string ChildRowFormat(double form_width) {
  return form_width >= 14000 ? "^500|3200|^1150|2270|^1150|2270|^1150|2300~"
                             : "^500|3000|^1150|2020|^1150|2020|^1150|2020~";
}

PrintResult PrintFamilySheet(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                             std::int16_t person, std::int16_t partner, bool blank, const Progress& progress) {
  PrintResult r;
  r.title = "Print Family Data Sheet";
  doc.set_orientation(Orientation::Landscape);
  const double width = FamilyFormWidth(doc.page_width());
  if (width == 0) {
    const Message m = FamilyFormPaperMessage();
    s.ask(m.title, m.text, m.buttons, m.icon);
    return r;
  }
  const AllPersons all(s);
  const PersonRecord* p = all.find(person);
  const PersonRecord* q = all.find(partner);
  if (!blank && !p) return r;
  if (progress && !progress("Preparing Pages", 0)) return r;

  // The form is centred on the sheet whatever the side margins say.
  const double left = std::floor((doc.page_width() - width) / 2);
  doc.set_margin_left(left);
  doc.set_margin_right(doc.page_width() - left - width);
  doc.set_margin_top(std::min(doc.margin_top(), kFormMargin));
  doc.set_margin_bottom(std::min(doc.margin_bottom(), kFormMargin));

  std::string header;
  if (!blank)
    header = "Family of " + (q ? FullName(s, *q) : std::string()) + " and " + cp1252::trim(p->GivenNames) + " " +
             cp1252::trim(display_famname(s, *p));
  if (o.ticked(item3::TodaysDate)) header += "||Date " + NoBreak(PrintedDate(s.now()));
  doc.set_header(header);
  doc.set_footer(o.ticked(item3::PageNumbers) ? "|Page %d|" : "");
  doc.set_page_start_handler(nullptr);
  doc.start_doc();

  std::int16_t family = 0;
  const PersonRecord* husband = nullptr;
  const PersonRecord* wife = nullptr;
  if (!blank) {
    family = partner ? FamilyBetween(s, person, partner) : FamilyWithUnknownPartner(s, person);
    if (family > 0) {
      const MarriageRecord& f = s.family(family);
      husband = all.find(f.Husband);
      wife = all.find(f.Wife);
    } else {
      (SexOf(*p) == 'F' ? wife : husband) = p;
    }
  }
  FormWriter form(s, doc, measure, o, all, blank, width);
  form.couple("HUSBAND ", husband, family);
  form.married(family);
  form.couple("WIFE ", wife, family);

  std::vector<std::int16_t> kids;
  if (family > 0) {
    const MarriageRecord& f = s.family(family);
    for (int k = 0; k < KidCount(f); ++k)
      if (f.Kids[static_cast<std::size_t>(k)] > 0) kids.push_back(f.Kids[static_cast<std::size_t>(k)]);
  }
  const std::string more = "More Children of " + (husband ? FullName(s, *husband) : std::string()) + " and " +
                           (wife ? FullName(s, *wife) : std::string());
  if (!form.children(kids, more) || s.CancelFlag) {
    doc.kill_doc();
    doc.set_header("");
    doc.set_footer("");
    return r;
  }
  r.truncated = doc.truncated();
  doc.end_doc();
  doc.set_header("");
  doc.set_footer("");
  r.completed = true;
  return r;
}

}  // namespace vft::print
