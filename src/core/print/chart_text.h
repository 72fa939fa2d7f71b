// What the descendants and pedigree charts share: the birth and death lines,
// the heading line with the date it was printed, and a reader that keeps the
// persons and ceremony files open while a chart walks the tree.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "print/page_document.h"
#include "store/session.h"

namespace vft::print {

// "5 Dec 2026": the date the headings say a chart was printed.
std::string PrintedDate(const LocalTime& t);

// "Born " + date, "Born " + date + " at " + place, or "Born at " + place, as
// far as the ticked boxes and the recorded fields go; empty when there is
// nothing to say. The date's blanks are no-break blanks.
std::string BirthLine(const PersonRecord& p, bool with_date, bool with_place);
// The same with "Died ", " at " and "Died at ".
std::string DeathLine(const PersonRecord& p, bool with_date, bool with_place);

// One line of a chart text and the size it is written in; a size of 0 marks
// a line that fits the column at no size the charts allow.
struct ChartLine {
  std::string text;
  double size = 0;
};

// Appends the lines of `text` wrapped to `width` twips in `font`. A line
// breaks only at a blank, after a comma or after a hyphen inside a word, so
// no word, date (whose blanks are no-break blanks) or number is ever split; a
// piece wider than the whole width is written smaller, down to the smallest
// size, rather than cut.
void WrapChartText(std::string_view text, double width, const Font& font, const TextMeasure& measure,
                   std::vector<ChartLine>& out);

// Writes a heading at the current y: `title` from the left margin in
// `title_font`, and when `date` is not empty "Printed: " + date ending at the
// right margin in the document font. A title too long to share its line
// with the date wraps beside it, or, where that leaves it too little room,
// the date goes on a line of its own below. The document font is kept; x
// goes back to the left margin and y below the heading.
void WriteChartHeading(PageDocument& doc, std::string_view title, const Font& title_font, const std::string& date);

// Records read one at a time from files held open for the length of a chart.
// Damaged numbers never read outside the files: they are simply not there.
class ChartRecords {
 public:
  explicit ChartRecords(const Session& s);
  // Person n as stored; false when n is not a record of the persons file.
  bool person(std::int16_t n, PersonRecord& out);
  // Whether n is a record of the persons file.
  bool has_person(std::int16_t n) const { return n >= 1 && n <= person_count_; }
  long person_count() const { return person_count_; }
  // Ceremony record m (marriage date and notes); blank when it cannot be read.
  CeremonyRecord ceremony(std::int16_t m);
  // The families in which p is Husband or Wife, in Marriage number order, at
  // most as many as a partner list holds: the person's partners in their
  // recorded order. Built once, so a chart of thousands of rows does not scan
  // the whole marriage table for every person.
  const std::vector<std::int16_t>& partnerships(std::int16_t p) const;

 private:
  const Session& s_;
  std::ifstream persons_, ceremonies_;
  long person_count_ = 0, ceremony_count_ = 0;  // whole records in each file
  std::vector<std::vector<std::int16_t>> partnerships_;
};

// '|' separates table cells, so a text going into a cell shows it as a
// broken bar instead of splitting the row.
std::string CellText(std::string_view text);

}  // namespace vft::print
