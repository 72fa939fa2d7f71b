// Text in core is CP1252 bytes held in std::string, exactly as the record files
// store it. Widths, trimming and upper-casing are byte operations; conversion to
// UTF-8 happens only at the edges (windows, command line, web pages).
#pragma once
#include <string>
#include <string_view>

namespace vft::cp1252 {

// Removes leading and trailing blanks (spaces only, as the record readers do).
std::string trim(std::string_view s);
// Cuts to `width` bytes or pads with spaces up to it.
std::string fit(std::string_view s, std::size_t width);
// Upper case by the CP1252 table: a-z, and the accented letters that have a
// capital in the code page (e.g. u-umlaut, ae, o-slash, s-caron, z-caron, y-diaeresis).
std::string upper(std::string_view s);
char upper(char c);
std::string lower(std::string_view s);
char lower(char c);
// Case-insensitive equality by the same tables.
bool iequals(std::string_view a, std::string_view b);

// The ASCII digits 0-9 only: a CP1252 byte above 0x7F is never a digit, and
// the answer does not hang on the locale or on char being signed.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
// A text of one or more digits and nothing else.
constexpr bool all_digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!is_digit(c)) return false;
  return true;
}

// Edge conversions. Characters CP1252 cannot hold become '?'; malformed UTF-8
// bytes become '?' too. Undefined CP1252 bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control of the same value so nothing is lost on a round trip.
std::string to_utf8(std::string_view cp);
// The same, added to the end of `out`.
void append_utf8(std::string& out, std::string_view cp);
std::string from_utf8(std::string_view utf8);
// The UTF-8 bit layout lives here and nowhere else. append_code_point adds
// code point u as UTF-8; next_code_point decodes the sequence at s[i]
// (i < s.size()) and moves i past it. A malformed sequence (a lead byte
// F5..FF, an overlong form, a surrogate) gives U+FFFD and consumes one byte,
// so decoding picks up again at the next byte.
void append_code_point(std::string& out, char32_t u);
char32_t next_code_point(std::string_view s, std::size_t& i);
// A file-system path (UTF-8 bytes on this platform) as text for a message or
// a title: what CP1252 cannot show becomes '?', so a path is never shown as
// mangled bytes.
inline std::string path_text(std::string_view native) { return from_utf8(native); }
// True when every character of the UTF-8 text has a CP1252 byte.
bool fits_cp1252(std::string_view utf8);
// CP1252 byte for a Unicode code point, or -1 when it has none.
int from_unicode(char32_t cp);
char32_t to_unicode(unsigned char b);

}  // namespace vft::cp1252
