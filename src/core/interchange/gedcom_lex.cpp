#include "interchange/gedcom_lex.h"

namespace vft::gedcom {
namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// "@X1@": at-signs around a name without blanks or further at-signs. "@@..."
// is an escaped text and "@#D...@" a calendar escape, not pointers.
bool is_pointer(std::string_view v) {
  v = TrimView(v);
  if (v.size() < 3 || v.front() != '@' || v.back() != '@' || v[1] == '@' || v[1] == '#') return false;
  for (std::size_t i = 1; i + 1 < v.size(); ++i)
    if (v[i] == '@' || blank(v[i])) return false;
  return true;
}

// Fills `out` from a line without its leading blanks; leaves level -1 when
// the line has no level or no tag.
void parse_line(std::string_view line, GedLine& out) {
  std::size_t i = 0;
  int level = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    if (i == 3) return;  // no GEDCOM nests a thousand levels deep
    level = level * 10 + (line[i] - '0');
    ++i;
  }
  if (i == 0 || i == line.size() || !blank(line[i])) return;
  while (i < line.size() && blank(line[i])) ++i;
  if (i < line.size() && line[i] == '@') {
    std::size_t close = line.find('@', i + 1);
    if (close == std::string_view::npos) return;
    out.xref = line.substr(i, close + 1 - i);
    i = close + 1;
    while (i < line.size() && blank(line[i])) ++i;
  }
  std::size_t t = i;
  while (i < line.size() && !blank(line[i])) ++i;
  if (i == t) return;
  out.tag = line.substr(t, i - t);
  if (i < line.size()) out.value = line.substr(i + 1);  // one blank separates tag and value
  out.level = level;
}

}  // namespace

std::string_view TrimView(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool TagIs(std::string_view tag, std::string_view name) {
  if (tag.size() != name.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i) {
    char c = tag[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c != name[i]) return false;
  }
  return true;
}

bool GedcomLexer::next(GedLine& out) {
  const std::size_t size = text_.size();
  while (pos_ < size) {
    const std::size_t start = pos_;
    std::size_t end = text_.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = size;
    pos_ = end;
    if (pos_ < size) pos_ += (text_[pos_] == '\r' && pos_ + 1 < size && text_[pos_ + 1] == '\n') ? 2 : 1;
    ++line_;

    std::string_view line = text_.substr(start, end - start);
    std::size_t b = 0;
    while (b < line.size() && blank(line[b])) ++b;
    if (b == line.size()) continue;

    out = GedLine{};
    out.number = line_;
    out.offset = start;
    parse_line(line.substr(b), out);
    if (out.level >= 0) {
      out.pointer = is_pointer(out.value);
      if (gedcom7_) {
        if (out.value.substr(0, 2) == "@@") out.value.remove_prefix(1);
      } else if (!out.pointer && out.value.find("@@") != std::string_view::npos) {
        unescaped_.clear();
        for (std::size_t i = 0; i < out.value.size(); ++i) {
          unescaped_.push_back(out.value[i]);
          if (out.value[i] == '@' && i + 1 < out.value.size() && out.value[i + 1] == '@') ++i;
        }
        out.value = unescaped_;
      }
    }
    return true;
  }
  return false;
}

}  // namespace vft::gedcom
