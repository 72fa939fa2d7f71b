// Format texts, wrapping, running-header parts and paper sizes: the rules the
// page document builds on, checked with the fixed measure (10 points: 100
// twips a character, 110 in bold, lines 240 high).
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "print/page_document_layout.h"
#include "print/page_document_paper.h"

using namespace vft::print;

namespace {

const FixedMeasure kMeasure;
const Font kPlain;  // Arial 10

std::vector<std::string> wrapped(std::string_view text, double width, const Font& font = kPlain) {
  std::vector<LineSpan> spans;
  wrap_text(text, width, font, kMeasure, spans);
  std::vector<std::string> lines;
  for (const LineSpan& s : spans) {
    lines.emplace_back(text.substr(s.offset, s.length));
    EXPECT_DOUBLE_EQ(s.width, kMeasure.width(lines.back(), font)) << lines.back();
  }
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TableFormat, ReadsWidthsAndAlignment) {
  TableFormatResult wide = parse_table_format("100000|500|500|500|500|500|500|500|500|500|500|500|~");
  ASSERT_TRUE(wide.ok()) << wide.error;
  ASSERT_EQ(wide.format.columns.size(), 12u);
  EXPECT_EQ(wide.format.total_width(), 105500);

  TableFormatResult marks = parse_table_format(" <100 | > 200 |^0 | ~");
  ASSERT_TRUE(marks.ok()) << marks.error;
  ASSERT_EQ(marks.format.columns.size(), 3u);
  EXPECT_EQ(marks.format.columns[0].align, Align::Left);
  EXPECT_EQ(marks.format.columns[1].align, Align::Right);
  EXPECT_EQ(marks.format.columns[1].width, 200);
  EXPECT_EQ(marks.format.columns[2].width, 0);

  std::string most;
  for (std::size_t i = 0; i < kMaxTableColumns; ++i) most += "10|";
  EXPECT_TRUE(parse_table_format(most + "~").ok());
}

TEST(TableFormat, RefusesBadTextsWithTheirReason) {
  struct Case {
    std::string text, error;
  };
  std::string too_many;
  for (std::size_t i = 0; i <= kMaxTableColumns; ++i) too_many += "1|";
  too_many += "~";
  const std::vector<Case> cases = {
      {"", "The table format is empty."},
      {"500|300", "The table format \"500|300\" does not end with \"~\"."},
      {"500|~John", "The table format \"500|~John\" has text after its closing \"~\"."},
      {"~", "The table format \"~\" has no columns."},
      {"500||300|~", "Column 2 of the table format \"500||300|~\" has no width."},
      {"500|5a0|~", "Column 2 of the table format \"500|5a0|~\" has a width that is not a whole number of twips."},
      {"100001|~", "Column 1 of the table format \"100001|~\" is wider than 100000 twips."},
      {too_many, "The table format \"" + too_many.substr(0, 80) + "...\" has more than 64 columns."},
  };
  for (const Case& c : cases) {
    TableFormatResult r = parse_table_format(c.text);
    EXPECT_FALSE(r.ok()) << c.text;
    EXPECT_EQ(r.error, c.error) << c.text;
    EXPECT_TRUE(r.format.columns.empty()) << c.text;
  }
}

TEST(WrapText, BreaksAtBlanksThenInsideWords) {
  EXPECT_EQ(wrapped("aaa bbb ccc", 1100), (Lines{"aaa bbb ccc"}));
  EXPECT_EQ(wrapped("aaa bbb ccc", 700), (Lines{"aaa bbb", "ccc"}));
  EXPECT_EQ(wrapped("aaa  bbb   ccc", 300), (Lines{"aaa", "bbb", "ccc"}));  // blanks at a wrap go
  EXPECT_EQ(wrapped("ab abcdefghij c", 450), (Lines{"ab", "abcd", "efgh", "ij c"}));
  EXPECT_EQ(wrapped("  indented text", 1000), (Lines{"  indented", "text"}));
  // Bold is wider: 7 characters of 110 do not fit in 700.
  Font bold = kPlain;
  bold.bold = true;
  EXPECT_EQ(wrapped("abc def", 700, bold), (Lines{"abc", "def"}));
}

TEST(WrapText, HardBreaksAndEmptyLines) {
  EXPECT_EQ(wrapped("one\r\ntwo\nthree\rfour", 5000), (Lines{"one", "two", "three", "four"}));
  EXPECT_EQ(wrapped("a\n\nb", 5000), (Lines{"a", "", "b"}));
  EXPECT_EQ(wrapped("a\r\n", 5000), (Lines{"a"}));
  EXPECT_EQ(wrapped("", 5000), (Lines{""}));
  EXPECT_EQ(count_text_lines("a\n\nb"), 3u);
  EXPECT_EQ(count_text_lines("a\r\nb\r\n"), 2u);
  EXPECT_EQ(count_text_lines(""), 1u);
}

TEST(WrapText, NarrowOrNonsenseWidthsLoseNothing) {
  for (double width : {0.0, -500.0, 50.0, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(wrapped("ab c", width), (Lines{"a", "b", "c"})) << width;
  }
}

TEST(RunningText, ThreePartsAndPageNumbers) {
  using Parts = std::array<std::string_view, 3>;
  EXPECT_EQ(split_three_parts("only left"), (Parts{"only left", "", ""}));
  EXPECT_EQ(split_three_parts("|mid"), (Parts{"", "mid", ""}));
  EXPECT_EQ(split_three_parts("a|b|c|d"), (Parts{"a", "b", "c|d"}));

  EXPECT_EQ(substitute_page_number("%d/%d 50% %", 12), "12/12 50% %");
  EXPECT_EQ(substitute_page_number("no number", 3), "no number");
}

TEST(PaperSizes, CodesNamesAndTwips) {
  // Sheets named wide side first still stand portrait.
  PaperSize ledger = paper_size(4);
  EXPECT_EQ(ledger.name, "Ledger, 17 x 11 in.");
  EXPECT_EQ(ledger.width, 15840);
  EXPECT_EQ(ledger.height, 24480);

  PaperSize user = paper_size(kPaperUserDefined);
  EXPECT_EQ(user.name, "User-defined");
  EXPECT_EQ(user.width, 0);
  for (int code : {0, 42, 255, 257, -1}) {
    EXPECT_TRUE(paper_size(code).name.empty()) << code;
    EXPECT_FALSE(paper_has_size(code)) << code;
  }
  EXPECT_TRUE(paper_has_size(41));
}

}  // namespace
