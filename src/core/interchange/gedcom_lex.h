// Splits decoded GEDCOM text into lines: level, cross-reference, tag, value.
//
// Lines end at LF, CR or CR LF, mixed as they come. Leading blanks and tabs
// (indented files), blank lines and lines of any length are accepted. The value
// is everything after the single blank that follows the tag, kept as written
// (a CONC value may start or end with a blank that matters); "@@" in it stands
// for one "@" (in GEDCOM 7 files only at the start of the value). A line that cannot be read (no level, no tag) comes
// back with level -1 so the caller can log it and go on.
//
// The lexer never copies the text: views point into it, except for a value
// that held "@@", which points into the lexer's own buffer and is valid until
// the next call to next().
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vft::gedcom {

struct GedLine {
  int level = -1;            // 0..999; -1 for a line that could not be read
  std::string_view xref;     // "@I1@" with its at-signs, or empty
  std::string_view tag;      // as written (callers compare without regard to case)
  std::string_view value;    // "@@" already turned into "@"
  bool pointer = false;      // the value is a cross-reference such as "@F12@"
  std::uint32_t number = 0;  // line number in the file, from 1
  std::size_t offset = 0;    // where the line starts in the text
};

class GedcomLexer {
 public:
  explicit GedcomLexer(std::string_view text, bool gedcom7 = false) : text_(text), gedcom7_(gedcom7) {}

  // The next non-blank line; false at the end of the text.
  bool next(GedLine& out);
  // Continues at a line start found earlier (GedLine::offset and ::number).
  void seek(std::size_t offset, std::uint32_t number) {
    pos_ = offset < text_.size() ? offset : text_.size();
    line_ = number > 0 ? number - 1 : 0;
  }
  std::size_t offset() const { return pos_; }

 private:
  std::string_view text_;
  bool gedcom7_;
  std::size_t pos_ = 0;
  std::uint32_t line_ = 0;
  std::string unescaped_;
};

// ASCII case-insensitive comparison of a tag with an upper-case name.
bool TagIs(std::string_view tag, std::string_view name);

// Blanks and tabs removed from both ends.
std::string_view TrimView(std::string_view s);

}  // namespace vft::gedcom
