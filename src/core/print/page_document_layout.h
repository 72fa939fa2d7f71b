// The text rules of the page document that need no document: reading table
// format texts, wrapping text to a width, splitting the three-part running
// header and footer. Kept apart so they can be tested and fuzzed on their own.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_measure.h"

namespace vft::print {

enum class Align : std::uint8_t { Left = 0, Centre = 1, Right = 2 };

// A blank that does not end a line when text is wrapped (CP1252 0xA0).
inline constexpr char kNoBreakSpace = '\xA0';
// `text` with its blanks made no-break blanks: it stays on one line.
std::string NoBreak(std::string_view text);

struct TableColumn {
  double width = 0;  // twips
  Align align = Align::Left;
};

struct TableFormat {
  std::vector<TableColumn> columns;
  double total_width() const;
};

// A format text read into columns, or the reason it could not be read.
struct TableFormatResult {
  TableFormat format;
  std::string error;  // empty when the text was read
  bool ok() const { return error.empty(); }
};

inline constexpr std::size_t kMaxTableColumns = 64;
inline constexpr double kMaxColumnWidth = 100000;  // twips, wider than any paper

// Reads a table format: column widths in whole twips separated by "|", the
// last followed by "~" (a "|" right before the "~" is allowed, so both
// "7000|500|~" and "^500|3200~" are whole formats). A width may carry one
// alignment mark in front: "<" left (the default), "^" centred, ">" right.
// Blanks around a width are ignored. Nothing may follow the "~".
// Refused, each with its own message: an empty text, no "~", text after it,
// no columns, a column without a width, a width that is not a whole number,
// a width above kMaxColumnWidth, more than kMaxTableColumns columns.
TableFormatResult parse_table_format(std::string_view text);

// One line of wrapped text: a piece of the source text and its width.
struct LineSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  double width = 0;
};

// Appends the lines of `text` wrapped to `max_width` twips in `font`:
// CR LF, LF and CR end a line; a line that is too wide is broken at blanks,
// and a word wider than a whole line is broken between characters (at least
// one character goes on each line, so nothing is lost however narrow the
// width). Blanks at a wrap are dropped; blanks leading a text line are kept.
// An empty text, or an empty text line, gives an empty line.
void wrap_text(std::string_view text, double max_width, const Font& font, const TextMeasure& measure,
               std::vector<LineSpan>& out);

// Number of lines `text` has by its line breaks alone (at least 1).
std::size_t count_text_lines(std::string_view text);

// "left|centre|right": the first two "|" separate the parts, so the right
// part may itself hold "|"; missing parts are empty ("Family of X||Date"
// has an empty centre).
std::array<std::string_view, 3> split_three_parts(std::string_view text);

// Replaces every "%d" by `number`; other "%" signs stay as they are.
std::string substitute_page_number(std::string_view text, int number);

}  // namespace vft::print
