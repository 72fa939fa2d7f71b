// The small family diagram at the top of a modern family page, drawn as the
// family view draws a family: the partners' parents in a row above, the
// couple joined by their marriage, the children below; boxes coloured by sex,
// each relative a link to the family page that shows them as a partner or
// child. The page is plain text, so names are fitted to their boxes by the
// widths of a common sans-serif face, with room to spare.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "common/cp1252.h"
#include "common/text_measure.h"
#include "interchange/web_pages_modern.h"
#include "relations/fit_name.h"
#include "store/dates.h"

namespace vft::web {
namespace {

// Narrow enough that a phone shows the names at a readable size.
constexpr double kWidth = 400, kGap = 8, kSmallW = (kWidth - 3 * kGap) / 4, kSmallH = 48;
constexpr double kBigW = 150, kBigH = 54, kRise = 30, kPillH = 20, kBus = 11, kChildW = 136;

// Advance widths of a sans-serif face, in thousandths of the font size, for
// the printable ASCII characters; other letters count as wide ones.
constexpr std::array<short, 95> kAdvance = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};

// Estimated width of a bold text: wider faces (and bold) run up to a fifth
// wider than the table, so the estimate errs on the wide side.
double text_width(std::string_view t, double size) {
  double w = 0;
  for (char c : t) {
    const auto u = static_cast<unsigned char>(c);
    w += (u >= 0x20 && u < 0x7F) ? kAdvance[u - 0x20] : 667;
  }
  return w * size * 1.22 / 1000;
}

// The year of a stored date ("3 Apr 1846" gives "1846"); empty when unknown.
std::string year_of(const std::string& date) {
  const std::size_t at = date.find_last_of(' ');
  std::string y = at == std::string::npos ? date : date.substr(at + 1);
  if (y.size() > 4 || !cp1252::all_digits(y)) return {};
  return y;
}

std::string years(const ShownPerson& p) {
  const std::string b = p.born == UnknownDate ? std::string() : year_of(p.born), d = year_of(p.died);
  if (!b.empty() && !d.empty()) return b + " \x96 " + d;  // en dash
  if (!b.empty()) return p.living ? "born " + b : b + " \x96 ?";
  return d.empty() ? std::string() : "died " + d;
}

constexpr double kSqueeze = 1.15;

// The diagram's widths as the name-fitting rule asks for them.
class DiagramMeasure : public print::TextMeasure {
 public:
  double width(std::string_view text, const print::Font& font) const override { return text_width(text, font.size); }
  double line_height(const print::Font& font) const override { return font.size * 1.2; }
};

// The name as the family view fits it into a box. Where that leaves no given
// name, and with many siblings of one family name that would be every box
// alike, the family name is shortened instead: the first given name with the
// family name's last word as an initial ("Zoë de S.", "Charles M."), then the
// first given name alone. What does not fit is squeezed, a shortened name
// by up to kSqueeze (the widths err on the wide side by more than that).
std::string fitted(const ShownPerson& p, double room, double size) {
  const DiagramMeasure measure;
  print::Font font;
  font.size = size;
  font.bold = true;
  const std::string fit = cp1252::trim(FitName(measure, font, room + kNameMargin, p.given, p.fam));
  const std::string first = p.given.substr(0, p.given.find(' '));
  if (first.empty() || fit != p.fam) return fit;
  if (p.fam.empty()) return first;
  const std::size_t last = p.fam.find_last_of(' ') + 1;  // 0 when the name is one word
  const std::string initial = p.fam.substr(0, last) + p.fam[last] + ".";
  for (const std::string& t : {first + " " + initial, first + " " + initial.substr(last)})
    if (text_width(t, size) <= room * kSqueeze) return t;
  return first;
}

// A coordinate to a tenth of a unit, without a trailing ".0".
void put(std::string& out, double v) {
  long tenths = std::lround(v * 10);
  if (tenths < 0) {
    out += '-';
    tenths = -tenths;
  }
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, tenths / 10).ptr);
  if (tenths % 10) {
    out += '.';
    out += static_cast<char>('0' + tenths % 10);
  }
}

// Appends literal pieces and coordinates in turn.
template <typename... Parts>
void emit(std::string& out, const Parts&... parts) {
  auto one = [&out](const auto& p) {
    using T = std::decay_t<decltype(p)>;
    if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, char>) put(out, p);
    else out += p;
  };
  (one(parts), ...);
}

class Diagram {
 public:
  Diagram(const SiteData& d, std::string& out) : d_(d), w_(out, Dialect::Modern), out_(out) {}

  // A box at (x, y); person 0 draws an empty slot with its caption only.
  void box(double x, double y, double bw, bool big, Markup caption, int person, int link_to) {
    const double h = big ? kBigH : kSmallH;
    if (link_to) {
      out_ += "<a href=";
      w_.attr(d_.page(link_to)) << ">";
    }
    const char sex = person ? d_.person(person).sex : 0;
    emit(out_, "<g class=\"",
         !person      ? "e"
         : sex == 'M' ? "m"
         : sex == 'F' ? "f"
                      : "o",
         big ? " big\"" : "\"", " transform=\"translate(", x, " ", y, ")\">");
    const double size = big ? 13.5 : 11.5, room = bw - 18;
    const std::string name = person ? fitted(d_.person(person), room, size) : std::string();
    if (person && name != d_.name(person)) {  // the whole name, shown on pointing
      w_ << "<title>";
      w_.text(d_.name(person)) << "</title>";
    }
    emit(out_, "<rect width=\"", bw, "\" height=\"", h, "\" rx=\"7\"/>");
    if (person) emit(out_, "<rect class=\"s\" x=\"3\" y=\"7\" width=\"3.5\" height=\"", h - 14, "\" rx=\"1.75\"/>");
    emit(out_, "<text class=\"c\" x=\"12\" y=\"", big ? 15 : 14, "\">");
    w_ << caption << "</text>";
    if (person) {
      emit(out_, "<text class=\"n\" x=\"12\" y=\"", big ? 33 : 30, "\"");
      if (text_width(name, size) > room) emit(out_, " textLength=\"", room, "\" lengthAdjust=\"spacingAndGlyphs\"");
      out_ += ">";
      w_.text(name) << "</text>";
      if (const std::string y = years(d_.person(person)); !y.empty()) {
        emit(out_, "<text class=\"y\" x=\"12\" y=\"", big ? 47 : 42, "\">");
        w_.text(y) << "</text>";
      }
    }
    out_ += "</g>";
    if (link_to) out_ += "</a>";
    out_ += '\n';
  }

  void line(std::initializer_list<std::pair<double, double>> points) {
    out_ += "<path d=\"";
    char op = 'M';
    for (auto [x, y] : points) {
      emit(out_, op, x, " ", y);
      op = 'L';
    }
    out_ += "\"/>\n";
  }

  void pill(double cx, double y, const std::string& text) {
    const double pw = std::min(kWidth, text_width(text, 10) * 0.92 + 20);
    emit(out_, "<g class=\"pill\"><rect x=\"", cx - pw / 2, "\" y=\"", y, "\" width=\"", pw, "\" height=\"", kPillH,
         "\" rx=\"10\"/><text x=\"", cx, "\" y=\"", y + 13.5, "\">");
    w_.text(text) << "</text></g>\n";
  }

 private:
  const SiteData& d_;
  HtmlWriter w_;
  std::string& out_;
};

// The marriage as the family view's partnership line words it.
std::string marriage_words(const SiteData& d, int m) {
  const MarriageRecord& f = d.family(m);
  const std::string married = cp1252::trim(d.session.Messages[msg::Married]);
  const std::string date = ShownDate(d.marriage_date(m));
  const std::string when = date.empty() ? married : married + " " + date;
  if (f.Divorced) return when + " " + cp1252::trim(d.session.Messages[msg::Divorced]);
  if (f.NotMarried) return cp1252::trim(d.session.Messages[msg::NotMarried]);
  return when;
}

}  // namespace

void FamilyDiagram(const SiteData& d, int m, std::string& out) {
  const MarriageRecord& f = d.family(m);
  const std::vector<int> kids = d.children(m);
  // The partners' parents: father and mother of the husband, then of the wife.
  std::array<int, 4> parents{};
  std::array<int, 2> parent_page{};
  for (int side = 0; side < 2; ++side) {
    const int pf = d.parent_family(side == 0 ? f.Husband : f.Wife);
    if (!pf) continue;
    const MarriageRecord& p = d.family(pf);
    parents[side * 2] = d.live(p.Husband) ? p.Husband : 0;
    parents[side * 2 + 1] = d.live(p.Wife) ? p.Wife : 0;
    parent_page[side] = d.paged(pf) ? pf : 0;
  }
  const bool top = std::any_of(parents.begin(), parents.end(), [](int p) { return p != 0; });

  const double y1 = top ? kSmallH + kRise : 0;  // the couple
  const double pill_y = y1 + kBigH + 12;
  const std::size_t per_row = kids.size() <= 3 ? 3 : 4;
  const std::size_t rows = (kids.size() + per_row - 1) / per_row;
  const double y2 = pill_y + kPillH + 2 * kBus;  // the first row of children
  const double height = rows ? y2 + rows * (kSmallH + 2 * kBus) - 2 * kBus : pill_y + kPillH;

  emit(out, "<figure class=\"tree\"><svg viewBox=\"-1 -1 ", kWidth + 2, " ", height + 2,
       "\" role=\"group\" aria-label=\"Family diagram\">\n");
  Diagram g(d, out);
  const double half = kSmallW + kGap / 2;  // the middle of each pair of parents
  if (top) {
    for (int i = 0; i < 4; ++i) {
      const double x = i * (kSmallW + kGap);
      g.box(x, 0, kSmallW, false, i % 2 ? Markup("Mother") : Markup("Father"), parents[static_cast<std::size_t>(i)],
            parents[static_cast<std::size_t>(i)] ? parent_page[static_cast<std::size_t>(i / 2)] : 0);
    }
    for (int side = 0; side < 2; ++side) {
      if (!parents[static_cast<std::size_t>(side * 2)] && !parents[static_cast<std::size_t>(side * 2 + 1)]) continue;
      const double cx = side ? kWidth - half : half;
      g.line({{cx - kGap / 2, kSmallH / 2}, {cx + kGap / 2, kSmallH / 2}});
      g.line({{cx, kSmallH / 2}, {cx, y1}});
    }
  }
  const double hx = half - kBigW / 2, wx = kWidth - half - kBigW / 2;
  g.box(hx, y1, kBigW, true, "Husband", f.Husband, 0);
  g.box(wx, y1, kBigW, true, "Wife", f.Wife, 0);
  const double mid = kWidth / 2;
  g.line({{hx + kBigW, y1 + kBigH / 2}, {wx, y1 + kBigH / 2}});
  const double bottom = rows ? y2 + (rows - 1) * (kSmallH + 2 * kBus) - kBus : pill_y;
  g.line({{mid, y1 + kBigH / 2}, {mid, bottom}});
  g.pill(mid, pill_y, marriage_words(d, m));

  for (std::size_t r = 0; r < rows; ++r) {
    const std::size_t first = r * per_row, n = std::min(per_row, kids.size() - first);
    const double bw = per_row == 3 ? std::min(kChildW, (kWidth - 2 * kGap) / 3) : kSmallW;
    const double span = n * bw + (n - 1) * kGap, x0 = mid - span / 2;
    const double y = y2 + r * (kSmallH + 2 * kBus);
    g.line({{std::min(mid, x0 + bw / 2), y - kBus}, {std::max(mid, x0 + span - bw / 2), y - kBus}});
    for (std::size_t k = 0; k < n; ++k) {
      const int kid = kids[first + k];
      const double x = x0 + k * (bw + kGap);
      g.line({{x + bw / 2, y - kBus}, {x + bw / 2, y}});
      g.box(x, y, bw, false, ChildCaption(d.person(kid).sex), kid, d.own_family(kid));
    }
  }
  out += "</svg></figure>\n";
}

}  // namespace vft::web
