// The one place where GEDCOM lines are put together. Every line of an export,
// header to trailer, goes through GedcomWriter::put, so the rules for line ends,
// encoding, "@" doubling and long-line splitting cannot be missed by a caller.
#pragma once
#include <string>
#include <string_view>

namespace vft {

// Standard: the classic form other copies of this program and older readers
// expect (GEDCOM 4, ANSI, values verbatim). Gedcom551: for other programs
// (UTF-8, "@@", CONC for long values, no extra carriage return at the end).
// Gedcom70: for programs that read GEDCOM 7.0 (UTF-8, lines of any length,
// "@@" only at the start of a value).
enum class GedcomFlavour { Standard, Gedcom551, Gedcom70 };

class GedcomWriter {
 public:
  // Longest value written on one line of the 5.5.1 flavour; the rest goes on CONC lines.
  static constexpr std::size_t kMaxValue = 248;

  GedcomWriter(GedcomFlavour flavour, std::string& out) : flavour_(flavour), out_(out) {}

  GedcomFlavour flavour() const { return flavour_; }

  // "n TAG"
  void tag(int level, std::string_view tag) { put(level, {}, tag, {}, Value::None); }
  // "n TAG value" (the standard flavour writes the blank even when the value is empty)
  void text(int level, std::string_view tag, std::string_view value) { put(level, {}, tag, value, Value::Text); }
  // "n TAG @X1@": a cross-reference (or "@VOID@"), never escaped or split.
  void pointer(int level, std::string_view tag, std::string_view xref) { put(level, {}, tag, xref, Value::Pointer); }
  // "0 @X1@ TAG"
  void record(std::string_view xref, std::string_view tag) { put(0, xref, tag, {}, Value::None); }
  // "0 @N1@ SNOTE text": a record with a value of its own.
  void record_text(std::string_view xref, std::string_view tag, std::string_view value) {
    put(0, xref, tag, value, Value::Text);
  }
  // U+FEFF, which the GEDCOM 7.0 standard recommends as a UTF-8 file's first character.
  void byte_order_mark() { out_ += "\xEF\xBB\xBF"; }
  // "0 TRLR", in the standard flavour with one more carriage return before the line end.
  void trailer();

 private:
  enum class Value { None, Text, Pointer };
  void put(int level, std::string_view xref, std::string_view tag, std::string_view value, Value kind,
           bool extra_cr = false);
  void append_line(int level, std::string_view xref, std::string_view tag, std::string_view value, Value kind,
                   bool extra_cr);
  void append_text(std::string_view s);

  GedcomFlavour flavour_;
  std::string& out_;
};

}  // namespace vft
