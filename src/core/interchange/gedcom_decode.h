// Turns the bytes of a GEDCOM file, in whatever character set its writer used,
// into CP1252 text for the rest of the importer.
//
// Real files carry UTF-8 (with or without byte-order mark; GEDCOM 7 files have
// no CHAR line at all), UTF-16 in either byte order (with or without mark,
// declared as "CHAR UNICODE"), ANSEL with its combining diacritics written
// before the letter, plain ASCII and ANSI (CP1252). The CHAR line is only a
// hint: many writers declare ANSI and write UTF-8, or declare UTF-8 and write
// CP1252, so the bytes have the last word. Letters with a diacritic that CP1252
// has precomposed (e, acute -> e-acute) are composed; any character CP1252
// cannot hold becomes "?". Decoding never fails: undecodable bytes become "?"
// too, and line breaks are passed through unchanged for the lexer. Where a
// "?" stands for something else is recorded, so the import can say so.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vft::gedcom {

enum class Charset { Cp1252, Utf8, Utf16LE, Utf16BE, Ansel, IbmPc, MacRoman };

// "ANSI", "UTF-8", "UTF-16LE", "UTF-16BE", "ANSEL", "IBMPC" or "MACINTOSH",
// for logs and the header frame.
const char* CharsetName(Charset c);

struct Decoded {
  std::string text;  // CP1252, byte-order mark removed
  Charset charset = Charset::Cp1252;
  std::string declared;               // the value of the header's CHAR line, as written ("" when none)
  std::vector<std::size_t> replaced;  // offsets in `text` of each "?" put for a character CP1252 lacks
};

// Picks the character set (byte-order mark, then the zero-byte pattern of
// UTF-16, then the CHAR line checked against the bytes) and decodes.
Decoded DecodeGedcom(std::string_view bytes);

// The single steps, for callers that already know the character set.
// `replaced`, when given, receives the offsets of the "?"s put in.
std::string DecodeAs(std::string_view bytes, Charset c, std::vector<std::size_t>* replaced = nullptr);

// Unicode for a byte of the IBMPC (code page 437) or MACINTOSH (Mac Roman) set,
// and a whole text in one of them.
char32_t CodePageChar(Charset c, unsigned char b);
std::string DecodeCodePage(std::string_view bytes, Charset c, std::vector<std::size_t>* replaced);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
// `multibyte` receives whether any character above U+007F occurs.
bool IsValidUtf8(std::string_view bytes, bool* multibyte = nullptr);

// The CP1252 letter for a base letter carrying one combining mark (U+0300..),
// or -1 when CP1252 has no such letter. A mark on a blank gives the spacing
// form of the mark where CP1252 has one (acute -> 0xB4).
int ComposeCp1252(char32_t base, char32_t mark);

}  // namespace vft::gedcom
