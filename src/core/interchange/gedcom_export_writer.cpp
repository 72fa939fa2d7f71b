#include "interchange/gedcom_export_writer.h"

#include "common/cp1252.h"
#include "interchange/gedcom_export_flavour.h"
#include "interchange/gedcom_tables.h"

namespace vft {
namespace {

// Room a character takes on the line once escaped.
std::size_t escaped_width(char c, bool double_at) { return (double_at && c == '@') ? 2 : 1; }

// Where to end a CONC piece that starts at `from`: as many characters as fit in
// `limit`, moved back a little when the cut would fall next to a blank, because
// some readers drop blanks at the edges of CONC values.
std::size_t piece_end(std::string_view v, std::size_t from, std::size_t limit, bool double_at) {
  std::size_t end = from, width = 0;
  while (end < v.size() && width + escaped_width(v[end], double_at) <= limit)
    width += escaped_width(v[end++], double_at);
  if (end >= v.size()) return v.size();
  constexpr std::size_t kSearchBack = 40;
  for (std::size_t cut = end; cut > from + 1 && end - cut < kSearchBack; --cut)
    if (v[cut - 1] != ' ' && v[cut] != ' ') return cut;
  return end;
}

}  // namespace

void GedcomWriter::trailer() { put(0, {}, gedcom::tag::TRLR, {}, Value::None, RulesOf(flavour_).trailer_extra_cr); }

void GedcomWriter::put(int level, std::string_view xref, std::string_view tag, std::string_view value, Value kind,
                       bool extra_cr) {
  if (kind != Value::Text) {
    append_line(level, xref, tag, value, kind, extra_cr);
    return;
  }
  // A line break or a zero byte inside a value would break the line structure of
  // the file; callers split real paragraphs themselves, anything left is a blank.
  std::string clean;
  clean.reserve(value.size());
  for (char c : value) {
    if (c == '\0') continue;
    clean.push_back((c == '\r' || c == '\n') ? ' ' : c);
  }
  const FlavourRules& r = RulesOf(flavour_);
  if (r.conc_width == 0) {
    append_line(level, xref, tag, clean, kind, extra_cr);
    return;
  }
  // A continuation of a CONT or CONC line belongs to the same parent, so it keeps its level.
  const int conc_level = (tag == gedcom::tag::CONT || tag == gedcom::tag::CONC) ? level : level + 1;
  std::string_view v = clean;
  std::size_t end = piece_end(v, 0, r.conc_width, r.double_at);
  append_line(level, xref, tag, v.substr(0, end), kind, false);
  while (end < v.size()) {
    std::size_t next = piece_end(v, end, r.conc_width, r.double_at);
    append_line(conc_level, {}, gedcom::tag::CONC, v.substr(end, next - end), kind, false);
    end = next;
  }
}

void GedcomWriter::append_line(int level, std::string_view xref, std::string_view tag, std::string_view value,
                               Value kind, bool extra_cr) {
  out_ += std::to_string(level);
  out_ += ' ';
  if (!xref.empty()) {
    out_ += xref;
    out_ += ' ';
  }
  out_ += tag;
  const FlavourRules& r = RulesOf(flavour_);
  // 5.5.1 readers take "n TAG " as a value of one blank; an empty value has no delimiter there.
  const bool omitted = kind == Value::Text && value.empty() && r.omit_empty_value;
  if (kind != Value::None && !omitted) {
    out_ += ' ';
    if (kind == Value::Text && r.leading_at_only && !value.empty() && value[0] == '@') {
      out_ += '@';  // GEDCOM 7.0 reads a value starting with "@" as a pointer unless it is doubled
      append_text(value);
    } else if (kind == Value::Text && r.double_at) {
      for (std::size_t i = 0; i < value.size();) {
        std::size_t at = value.find('@', i);
        append_text(value.substr(i, at == std::string_view::npos ? std::string_view::npos : at - i));
        if (at == std::string_view::npos) break;
        out_ += "@@";
        i = at + 1;
      }
    } else {
      append_text(value);
    }
  }
  if (extra_cr) out_ += '\r';
  out_ += "\r\n";
}

// Values are CP1252; the 5.5.1 and 7.0 flavours are written as UTF-8.
void GedcomWriter::append_text(std::string_view s) {
  if (RulesOf(flavour_).utf8) cp1252::append_utf8(out_, s);
  else out_ += s;
}

}  // namespace vft
