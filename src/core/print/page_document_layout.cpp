#include "print/page_document_layout.h"

#include <algorithm>

namespace vft::print {
namespace {

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Messages quote the format, cut short so a runaway text cannot flood them.
std::string quoted(std::string_view text) {
  constexpr std::size_t kShown = 80;
  std::string q = "\"";
  q += text.substr(0, kShown);
  if (text.size() > kShown) q += "...";
  q += "\"";
  return q;
}

TableFormatResult failed(std::string message) {
  TableFormatResult r;
  r.error = std::move(message);
  return r;
}

std::string column_prefix(std::size_t index, std::string_view text) {
  return "Column " + std::to_string(index + 1) + " of the table format " + quoted(text);
}

bool is_break(char c) { return c == '\r' || c == '\n'; }

// Wraps one text line (no breaks inside) starting at `start` of `text`.
void wrap_line(std::string_view text, std::size_t start, std::size_t end, double max_width, const Font& font,
               const TextMeasure& measure, std::vector<LineSpan>& out) {
  std::string_view whole = text.substr(start, end - start);
  double whole_width = measure.width(whole, font);
  if (whole_width <= max_width) {
    out.push_back({start, end - start, whole_width});
    return;
  }
  std::size_t pos = start;
  while (pos < end) {
    std::size_t line_end = pos;
    double line_width = 0;
    std::size_t scan = pos;
    std::size_t first_word_end = end;
    while (scan < end) {
      std::size_t j = scan;
      while (j < end && text[j] == ' ') ++j;
      while (j < end && text[j] != ' ') ++j;
      if (line_end == pos) first_word_end = j;
      double w = measure.width(text.substr(pos, j - pos), font);
      if (!(w <= max_width)) break;  // also stops on a width that is not a number
      line_end = j;
      line_width = w;
      scan = j;
    }
    if (line_end == pos) {
      // Not even the first word fits: take the longest run of characters
      // that does, but always at least one so the loop moves on.
      std::size_t lo = pos + 1, hi = first_word_end;
      line_width = measure.width(text.substr(pos, 1), font);
      while (lo < hi) {
        std::size_t mid = lo + (hi - lo + 1) / 2;
        double w = measure.width(text.substr(pos, mid - pos), font);
        if (w <= max_width) {
          lo = mid;
          line_width = w;
        } else {
          hi = mid - 1;
        }
      }
      line_end = lo;
    }
    out.push_back({pos, line_end - pos, line_width});
    pos = line_end;
    while (pos < end && text[pos] == ' ') ++pos;
  }
}

}  // namespace

std::string NoBreak(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), ' ', kNoBreakSpace);
  return out;
}

double TableFormat::total_width() const {
  double total = 0;
  for (const TableColumn& c : columns) total += c.width;
  return total;
}

TableFormatResult parse_table_format(std::string_view text) {
  if (trim_blanks(text).empty()) return failed("The table format is empty.");
  std::size_t tilde = text.find('~');
  if (tilde == std::string_view::npos) return failed("The table format " + quoted(text) + " does not end with \"~\".");
  if (tilde + 1 != text.size())
    return failed("The table format " + quoted(text) + " has text after its closing \"~\".");
  std::string_view body = trim_blanks(text.substr(0, tilde));
  if (!body.empty() && body.back() == '|') body = trim_blanks(body.substr(0, body.size() - 1));
  if (body.empty()) return failed("The table format " + quoted(text) + " has no columns.");

  TableFormatResult result;
  std::size_t pos = 0;
  while (true) {
    std::size_t bar = body.find('|', pos);
    std::string_view piece = trim_blanks(body.substr(pos, bar == std::string_view::npos ? body.npos : bar - pos));
    std::size_t index = result.format.columns.size();
    if (index == kMaxTableColumns)
      return failed("The table format " + quoted(text) + " has more than " + std::to_string(kMaxTableColumns) +
                    " columns.");
    TableColumn column;
    if (!piece.empty() && (piece.front() == '<' || piece.front() == '^' || piece.front() == '>')) {
      column.align = piece.front() == '^' ? Align::Centre : piece.front() == '>' ? Align::Right : Align::Left;
      piece = trim_blanks(piece.substr(1));
    }
    if (piece.empty()) return failed(column_prefix(index, text) + " has no width.");
    double width = 0;
    for (char c : piece) {
      if (c < '0' || c > '9')
        return failed(column_prefix(index, text) + " has a width that is not a whole number of twips.");
      width = width * 10 + (c - '0');
      if (width > kMaxColumnWidth)
        return failed(column_prefix(index, text) + " is wider than " +
                      std::to_string(static_cast<int>(kMaxColumnWidth)) + " twips.");
    }
    column.width = width;
    result.format.columns.push_back(column);
    if (bar == std::string_view::npos) break;
    pos = bar + 1;
  }
  return result;
}

void wrap_text(std::string_view text, double max_width, const Font& font, const TextMeasure& measure,
               std::vector<LineSpan>& out) {
  std::size_t pos = 0;
  while (true) {
    std::size_t end = pos;
    while (end < text.size() && !is_break(text[end])) ++end;
    if (end == pos) out.push_back({pos, 0, 0});
    else wrap_line(text, pos, end, max_width, font, measure, out);
    if (end == text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    if (pos == text.size()) break;  // a final break ends the last line, it adds none
  }
}

std::size_t count_text_lines(std::string_view text) {
  std::size_t lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_break(text[i])) continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (i + 1 < text.size()) ++lines;
  }
  return lines;
}

std::array<std::string_view, 3> split_three_parts(std::string_view text) {
  std::array<std::string_view, 3> parts{};
  std::size_t first = text.find('|');
  if (first == std::string_view::npos) {
    parts[0] = text;
    return parts;
  }
  parts[0] = text.substr(0, first);
  std::size_t second = text.find('|', first + 1);
  if (second == std::string_view::npos) {
    parts[1] = text.substr(first + 1);
    return parts;
  }
  parts[1] = text.substr(first + 1, second - first - 1);
  parts[2] = text.substr(second + 1);
  return parts;
}

std::string substitute_page_number(std::string_view text, int number) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'd') {
      out += std::to_string(number);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace vft::print
