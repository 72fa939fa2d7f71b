#include "print/family_sheet.h"

#include <algorithm>
#include <cmath>

#include "common/cp1252.h"
#include "print/chart_text.h"
#include "print/page_setup_model.h"
#include "print/pedigree_chart.h"
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
  const std::string birth = cp1252::trim(p.BirthDate), death = cp1252::trim(p.DeathDate);
  std::string dates = birth;
  if (!death.empty()) dates += (dates.empty() ? "" : " - ") + death;
  return FullName(s, p) + (dates.empty() ? std::string() : "  " + dates);
}

class FormWriter {
 public:
  FormWriter(Session& s, PageDocument& doc, const TextMeasure& measure, const SheetOptions& o, const AllPersons& all,
             bool blank, double width)
      : s_(s), doc_(doc), measure_(measure), o_(o), all_(all), blank_(blank), width_(width) {}

  void couple(const char* label, const PersonRecord* p, std::int16_t family);
  void married(std::int16_t family);
  // Returns false on cancel.
  bool children(const std::vector<std::int16_t>& kids, const std::string& more_heading);

 private:
  double x0() const { return doc_.margin_left(); }
  double y() const { return doc_.current_y(); }
  void field(std::string_view label, const std::string& value, double x, double w, double label_w, bool bold = false);
  void next_row() { doc_.set_current_y(y() + row_h()); }
  double row_h() const { return measure_.line_height(doc_.font()) * 1.3; }
  std::string child_cells(const PersonRecord& c);
  void table_header();
  void child_row(const std::string& cells);

  Session& s_;
  PageDocument& doc_;
  const TextMeasure& measure_;
  const SheetOptions& o_;
  const AllPersons& all_;
  bool blank_;
  double width_;
};

void FormWriter::field(std::string_view label, const std::string& value, double x, double w, double label_w,
                       bool bold) {
  const Font body = doc_.font();
  const double top = y();
  if (bold) {
    Font b = body;
    b.bold = true;
    doc_.set_font(b);
  }
  doc_.set_current_x(x + kCellPadding);
  doc_.set_current_y(top);
  doc_.write_text(label);
  doc_.set_font(body);
  const double line_y = top + row_h() - kCellPadding / 2;
  doc_.draw_line(x + label_w, line_y, x + w - kCellPadding, line_y);
  if (!blank_ && !value.empty()) {
    doc_.set_current_x(x + label_w + kCellPadding);
    doc_.set_current_y(top);
    doc_.write_text(FitChartText(value, w - label_w - 2 * kCellPadding, body, measure_));
  }
  doc_.set_current_y(top);
}

void FormWriter::couple(const char* label, const PersonRecord* p, std::int16_t family) {
  const PersonRecord none = blank_person();
  const PersonRecord& r = p && !blank_ ? *p : none;
  const double top = y();
  const double x = x0(), w = width_;
  std::string name = p && !blank_ ? FullName(s_, *p) : std::string();
  if (p && !blank_ && o_.ticked(item1::PersonNumber)) name += "  (#" + std::to_string(p->PerNum) + ")";
  field(label, name, x, w, kWideLabel, true);
  next_row();
  field(" Occupation", cp1252::trim(r.Occupation), x, w, kWideLabel);
  next_row();
  const double split = kLabel + kDateColumn;
  auto dated = [&](const char* what, const std::string& date, const std::string& place) {
    field(what, cp1252::trim(date), x, split, kLabel);
    field(" Place ", cp1252::trim(place), x + split, w - split, kLabel);
    next_row();
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
  field("Father ", father, x, w / 2, kLabel);
  field(" Mother ", mother, x + w / 2, w / 2, kLabel);
  next_row();
  field("Other Partners ", others, x, w, kOtherPartnersLabel);
  next_row();
  doc_.draw_rectangle(x, top, x + w, y());
  doc_.set_current_y(y() + kGap);
}

void FormWriter::married(std::int16_t family) {
  const CeremonyRecord c = family > 0 && !blank_ ? all_.ceremony(family) : blank_ceremony();
  const double split = kLabel + kDateColumn;
  field("MARRIED", cp1252::trim(c.MarriedDate), x0(), split, kLabel, true);
  field(" Place ", cp1252::trim(c.MarriedAt), x0() + split, width_ - split, kLabel);
  next_row();
  doc_.set_current_y(y() + kGap);
}

std::string FormWriter::child_cells(const PersonRecord& c) {
  const TableFormat format = parse_table_format(ChildRowFormat(width_)).format;
  std::string married, married_to;
  const auto& families = all_.partnerships(c.PerNum);
  if (!families.empty()) {
    married = cp1252::trim(all_.ceremony(families.front()).MarriedDate);
    if (const PersonRecord* o = all_.find(all_.partner_in(families.front(), c.PerNum))) married_to = FullName(s_, *o);
  }
  const char sex = SexOf(c);
  const std::string values[8] = {sex ? std::string(1, sex) : std::string(), FullName(s_, c),
                                 cp1252::trim(c.BirthDate),                 cp1252::trim(c.BirthPlace),
                                 married,                                   married_to,
                                 cp1252::trim(c.DeathDate),                 cp1252::trim(c.DeathPlace)};
  std::string cells;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i) cells += '|';
    const double room = format.columns[i].width - 2 * kCellPadding;
    cells += CellText(FitChartText(values[i], room, doc_.font(), measure_));
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
  // Dates and places must fit columns of 1150 and 2000-odd twips, so the
  // table keeps to a small type whatever the document font is.
  const Font body = doc_.font();
  Font table = body;
  table.size = std::min(body.size, kChildTableSize);
  doc_.set_font(table);
  const double top = y();
  table_header();
  const double line = measure_.line_height(table);
  const double room = doc_.page_height() - doc_.margin_bottom() - y();
  const std::size_t rows = static_cast<std::size_t>(std::max(1.0, std::floor(room / line)));
  const std::string empty_row = "|||||||";
  const bool overflow = !blank_ && kids.size() > rows;
  const std::size_t on_form = blank_ ? 0 : overflow ? rows - 1 : kids.size();
  bool ok = true;
  for (std::size_t i = 0; i < on_form && ok; ++i) {
    if (s_.CancelFlag) ok = false;
    else if (const PersonRecord* c = all_.find(kids[i])) child_row(child_cells(*c));
    else child_row(empty_row);
  }
  if (overflow) child_row("|" + std::to_string(kids.size() - on_form) + " More)");
  // The rest of the form stays ruled for writing in by hand.
  for (std::size_t i = on_form + (overflow ? 1 : 0); i < rows && ok; ++i) child_row(empty_row);
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

PrintResult PrintFamilySheet(Session& s, PageDocument& doc, const TextMeasure& measure, const SheetOptions& sheet,
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
  if (sheet.ticked(item1::TodaysDate)) header += "||Date " + PrintedDate(s.now());
  doc.set_header(header);
  doc.set_footer("");
  doc.set_page_start_handler(nullptr);
  doc.start_doc();

  std::int16_t family = 0;
  const PersonRecord* husband = nullptr;
  const PersonRecord* wife = nullptr;
  if (!blank) {
    family = partner ? FamilyBetween(s, person, partner) : FamilyWithUnknownPartner(s, person);
    if (family > 0) {
      const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(family)];
      husband = all.find(f.Husband);
      wife = all.find(f.Wife);
    } else {
      (SexOf(*p) == 'F' ? wife : husband) = p;
    }
  }
  FormWriter form(s, doc, measure, sheet, all, blank, width);
  form.couple("HUSBAND ", husband, family);
  form.married(family);
  form.couple("WIFE ", wife, family);

  std::vector<std::int16_t> kids;
  if (family > 0) {
    const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(family)];
    for (int k = 0; k < KidCount(f); ++k)
      if (f.Kids[static_cast<std::size_t>(k)] > 0) kids.push_back(f.Kids[static_cast<std::size_t>(k)]);
  }
  const std::string more = "More Children of " + (husband ? FullName(s, *husband) : std::string()) + " and " +
                           (wife ? FullName(s, *wife) : std::string());
  if (!form.children(kids, more) || s.CancelFlag) {
    doc.kill_doc();
    doc.set_header("");
    return r;
  }
  r.truncated = doc.truncated();
  doc.end_doc();
  doc.set_header("");
  r.completed = true;
  return r;
}

}  // namespace vft::print
