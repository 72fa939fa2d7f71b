#include "interchange/gedcom_decode.h"

#include <array>
#include <cstdint>

#include "common/cp1252.h"

namespace vft::gedcom {
namespace {

// ---- composing base letters and combining marks into CP1252

struct Composition {
  char base;
  char32_t mark;
  unsigned char letter;
};

// Every precomposed letter CP1252 has, as base letter + combining mark.
constexpr Composition kCompositions[] = {
    // grave U+0300
    {'A', 0x300, 0xC0},
    {'E', 0x300, 0xC8},
    {'I', 0x300, 0xCC},
    {'O', 0x300, 0xD2},
    {'U', 0x300, 0xD9},
    {'a', 0x300, 0xE0},
    {'e', 0x300, 0xE8},
    {'i', 0x300, 0xEC},
    {'o', 0x300, 0xF2},
    {'u', 0x300, 0xF9},
    // acute U+0301
    {'A', 0x301, 0xC1},
    {'E', 0x301, 0xC9},
    {'I', 0x301, 0xCD},
    {'O', 0x301, 0xD3},
    {'U', 0x301, 0xDA},
    {'Y', 0x301, 0xDD},
    {'a', 0x301, 0xE1},
    {'e', 0x301, 0xE9},
    {'i', 0x301, 0xED},
    {'o', 0x301, 0xF3},
    {'u', 0x301, 0xFA},
    {'y', 0x301, 0xFD},
    // circumflex U+0302
    {'A', 0x302, 0xC2},
    {'E', 0x302, 0xCA},
    {'I', 0x302, 0xCE},
    {'O', 0x302, 0xD4},
    {'U', 0x302, 0xDB},
    {'a', 0x302, 0xE2},
    {'e', 0x302, 0xEA},
    {'i', 0x302, 0xEE},
    {'o', 0x302, 0xF4},
    {'u', 0x302, 0xFB},
    // tilde U+0303
    {'A', 0x303, 0xC3},
    {'N', 0x303, 0xD1},
    {'O', 0x303, 0xD5},
    {'a', 0x303, 0xE3},
    {'n', 0x303, 0xF1},
    {'o', 0x303, 0xF5},
    // diaeresis U+0308
    {'A', 0x308, 0xC4},
    {'E', 0x308, 0xCB},
    {'I', 0x308, 0xCF},
    {'O', 0x308, 0xD6},
    {'U', 0x308, 0xDC},
    {'Y', 0x308, 0x9F},
    {'a', 0x308, 0xE4},
    {'e', 0x308, 0xEB},
    {'i', 0x308, 0xEF},
    {'o', 0x308, 0xF6},
    {'u', 0x308, 0xFC},
    {'y', 0x308, 0xFF},
    // ring above U+030A
    {'A', 0x30A, 0xC5},
    {'a', 0x30A, 0xE5},
    // caron U+030C
    {'S', 0x30C, 0x8A},
    {'Z', 0x30C, 0x8E},
    {'s', 0x30C, 0x9A},
    {'z', 0x30C, 0x9E},
    // cedilla U+0327
    {'C', 0x327, 0xC7},
    {'c', 0x327, 0xE7},
};

// A mark standing on a blank: the spacing accent.
int spacing_form(char32_t mark) {
  switch (mark) {
    case 0x300: return '`';
    case 0x301: return 0xB4;
    case 0x302: return '^';
    case 0x303: return '~';
    case 0x304: return 0xAF;
    case 0x308: return 0xA8;
    case 0x327: return 0xB8;
    default: return -1;
  }
}

bool is_combining(char32_t c) {
  return (c >= 0x300 && c <= 0x36F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

// Collects code points in logical order (base letter, then its marks) and
// writes CP1252. A base is held back until the next base shows that no more
// marks follow.
class Composer {
 public:
  Composer(std::string& out, std::vector<std::size_t>* replaced) : out_(out), replaced_(replaced) {}
  ~Composer() { flush(); }
  void add(char32_t cp) {
    if (is_combining(cp)) {
      mark(cp);
      return;
    }
    flush();
    base_ = cp;
    has_base_ = true;
  }
  void mark(char32_t m) {
    if (!has_base_) {
      replacement();  // a mark with nothing to stand on
      return;
    }
    if (marks_ == 0) mark_ = m;
    if (marks_ < 2) ++marks_;  // one mark composes; two or more never do
  }
  void flush() {
    if (!has_base_) return;
    has_base_ = false;
    int b = -1;
    if (marks_ == 0) b = cp1252::from_unicode(base_);
    else if (marks_ == 1) b = ComposeCp1252(base_, mark_);
    if (marks_ > 0 && b < 0 && base_ < 0x20) {
      // A mark at the end of a line: the line break must survive.
      replacement();
      out_.push_back(static_cast<char>(base_));
    } else if (b < 0) {
      replacement();
    } else {
      out_.push_back(static_cast<char>(b));
    }
    marks_ = 0;
  }

 private:
  void replacement() {
    if (replaced_) replaced_->push_back(out_.size());
    out_.push_back('?');
  }

  std::string& out_;
  std::vector<std::size_t>* replaced_;
  char32_t base_ = 0, mark_ = 0;
  bool has_base_ = false;
  int marks_ = 0;
};

// ---- UTF-8

std::string decode_utf8(std::string_view s, std::vector<std::size_t>* replaced) {
  std::string out;
  out.reserve(s.size());
  {
    Composer c(out, replaced);
    std::size_t i = 0;
    while (i < s.size()) c.add(cp1252::next_code_point(s, i));
  }
  return out;
}

// ---- UTF-16

std::string decode_utf16(std::string_view s, bool little_endian, std::vector<std::size_t>* replaced) {
  std::string out;
  out.reserve(s.size() / 2);
  auto unit = [&](std::size_t i) -> char32_t {
    auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
    return little_endian ? static_cast<char32_t>(a | (b << 8)) : static_cast<char32_t>((a << 8) | b);
  };
  {
    Composer c(out, replaced);
    std::size_t i = 0;
    for (; i + 1 < s.size(); i += 2) {
      char32_t u = unit(i);
      if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
        char32_t lo = unit(i + 2);
        if (lo >= 0xDC00 && lo <= 0xDFFF) {
          c.add(0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
          i += 2;
          continue;
        }
      }
      c.add((u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
    }
    if (i < s.size()) c.add(0xFFFD);  // an odd byte at the end
  }
  return out;
}

// ---- ANSEL

// Code points of ANSEL 0xA0..0xFF; 0 = not assigned. 0xE0 and up are the
// combining marks, written before the letter they belong to.
constexpr std::array<char32_t, 96> kAnsel = {
    // A0
    0x00A0,
    0x0141,
    0x00D8,
    0x0110,
    0x00DE,
    0x00C6,
    0x0152,
    0x02B9,
    0x00B7,
    0x266D,
    0x00AE,
    0x00B1,
    0x01A0,
    0x01AF,
    0x02BE,
    0,
    // B0
    0x02BB,
    0x0142,
    0x00F8,
    0x0111,
    0x00FE,
    0x00E6,
    0x0153,
    0x02BA,
    0x0131,
    0x00A3,
    0x00F0,
    0,
    0x01A1,
    0x01B0,
    0x25A1,
    0x25A0,
    // C0 (0xC7 and 0xCF are both used for sharp s by different writers)
    0x00B0,
    0x2113,
    0x2117,
    0x00A9,
    0x266F,
    0x00BF,
    0x00A1,
    0x00DF,
    0x20AC,
    0,
    0,
    0,
    0,
    0x0065,
    0x006F,
    0x00DF,
    // D0
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    // E0
    0x0309,
    0x0300,
    0x0301,
    0x0302,
    0x0303,
    0x0304,
    0x0306,
    0x0307,
    0x0308,
    0x030C,
    0x030A,
    0xFE20,
    0xFE21,
    0x0315,
    0x030B,
    0x0310,
    // F0
    0x0327,
    0x0328,
    0x0323,
    0x0324,
    0x0325,
    0x0333,
    0x0332,
    0x0326,
    0x031C,
    0x032E,
    0xFE22,
    0xFE23,
    0,
    0,
    0x0313,
    0,
};

std::string decode_ansel(std::string_view s, std::vector<std::size_t>* replaced) {
  std::string out;
  out.reserve(s.size());
  {
    Composer c(out, replaced);
    // Marks precede their letter in ANSEL; hold them until the letter comes.
    std::array<char32_t, 4> held{};
    std::size_t nheld = 0, extra = 0;
    for (unsigned char b : s) {
      char32_t cp;
      if (b < 0x80) {
        cp = b;
      } else if (b >= 0xA0) {
        cp = kAnsel[b - 0xA0];
        if (cp == 0) cp = 0xFFFD;
      } else if (b == 0x88 || b == 0x89 || b == 0x8D || b == 0x8E) {
        continue;  // non-sorting markers and joiners: no visible character
      } else {
        cp = 0xFFFD;
      }
      if (is_combining(cp)) {
        if (nheld < held.size()) held[nheld++] = cp;
        else ++extra;
        continue;
      }
      c.add(cp);
      for (std::size_t k = 0; k < nheld; ++k) c.mark(held[k]);
      if (extra > 0) c.mark(0x300);
      nheld = extra = 0;
    }
    // Marks left at the very end stand on nothing.
    c.flush();
    for (std::size_t k = 0; k < nheld + (extra > 0 ? 1 : 0); ++k) c.mark(0x300);
  }
  return out;
}

// ---- detection

bool starts_with(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

std::string upper_ascii(std::string_view s) {
  std::string out(s);
  for (char& ch : out)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
  return out;
}

// The value of "1 CHAR ..." inside the header record, looked for in the raw
// bytes (every character set but UTF-16 keeps ASCII as it is).
std::string find_char_line(std::string_view s) {
  std::size_t pos = 0;
  bool first = true;
  while (pos < s.size()) {
    std::size_t end = s.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = s.size();
    std::string_view line = s.substr(pos, end - pos);
    pos = end + 1;
    std::size_t b = line.find_first_not_of(" \t");
    if (b == std::string_view::npos) continue;
    line = line.substr(b);
    if (line[0] == '0') {
      if (!first) break;  // the header record has ended
      first = false;
      continue;
    }
    if (starts_with(line, "1 CHAR") && (line.size() == 6 || line[6] == ' ' || line[6] == '\t')) {
      std::string_view v = line.substr(6);
      std::size_t vb = v.find_first_not_of(" \t");
      if (vb == std::string_view::npos) return {};
      v = v.substr(vb);
      std::size_t ve = v.find_last_not_of(" \t");
      return std::string(v.substr(0, ve + 1));
    }
  }
  return {};
}

}  // namespace

int ComposeCp1252(char32_t base, char32_t mark) {
  if (base == ' ') return spacing_form(mark);
  for (const auto& c : kCompositions)
    if (static_cast<char32_t>(static_cast<unsigned char>(c.base)) == base && c.mark == mark) return c.letter;
  return -1;
}

const char* CharsetName(Charset c) {
  switch (c) {
    case Charset::Utf8: return "UTF-8";
    case Charset::Utf16LE: return "UTF-16LE";
    case Charset::Utf16BE: return "UTF-16BE";
    case Charset::Ansel: return "ANSEL";
    case Charset::IbmPc: return "IBMPC";
    case Charset::MacRoman: return "MACINTOSH";
    case Charset::Cp1252: break;
  }
  return "ANSI";
}

bool IsValidUtf8(std::string_view s, bool* multibyte) {
  bool multi = false;
  std::size_t i = 0;
  while (i < s.size()) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    if (cp1252::next_code_point(s, i) == 0xFFFD) {
      if (multibyte) *multibyte = multi;
      return false;
    }
    multi = true;
  }
  if (multibyte) *multibyte = multi;
  return true;
}

std::string DecodeAs(std::string_view bytes, Charset c, std::vector<std::size_t>* replaced) {
  switch (c) {
    case Charset::Utf8: return decode_utf8(bytes, replaced);
    case Charset::Utf16LE: return decode_utf16(bytes, true, replaced);
    case Charset::Utf16BE: return decode_utf16(bytes, false, replaced);
    case Charset::Ansel: return decode_ansel(bytes, replaced);
    case Charset::IbmPc:
    case Charset::MacRoman: return DecodeCodePage(bytes, c, replaced);
    case Charset::Cp1252: break;
  }
  return std::string(bytes);
}

Decoded DecodeGedcom(std::string_view bytes) {
  Decoded d;
  // Byte-order marks settle it.
  if (starts_with(bytes, "\xEF\xBB\xBF")) {
    d.charset = Charset::Utf8;
    bytes.remove_prefix(3);
  } else if (starts_with(bytes, "\xFF\xFE")) {
    d.charset = Charset::Utf16LE;
    bytes.remove_prefix(2);
  } else if (starts_with(bytes, "\xFE\xFF")) {
    d.charset = Charset::Utf16BE;
    bytes.remove_prefix(2);
  } else if (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0) {
    d.charset = Charset::Utf16LE;  // "0" followed by a zero byte: UTF-16 without a mark
  } else if (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0) {
    d.charset = Charset::Utf16BE;
  } else {
    d.declared = find_char_line(bytes);
    std::string decl = upper_ascii(d.declared);
    bool multibyte = false;
    bool utf8 = IsValidUtf8(bytes, &multibyte);
    if (utf8 && multibyte) {
      // Well-formed multi-byte sequences do not happen by chance in ANSEL or
      // ANSI text, whatever the CHAR line says.
      d.charset = Charset::Utf8;
    } else if (decl == "ANSEL") {
      d.charset = Charset::Ansel;
    } else if (decl == "IBMPC" || decl == "IBM PC" || decl == "IBM-PC" || decl == "IBM DOS") {
      d.charset = Charset::IbmPc;
    } else if (decl == "MACINTOSH" || decl == "MACROMAN" || decl == "MAC") {
      d.charset = Charset::MacRoman;
    } else if (utf8 && (decl.empty() || decl == "UTF-8" || decl == "UTF8" || decl == "UNICODE")) {
      d.charset = Charset::Utf8;  // plain ASCII, read the same either way
    } else {
      // UTF-8 declared (or GEDCOM 7's default) but not well-formed: the bytes
      // are read as ANSI, which keeps every accented letter CP1252 has.
      d.charset = Charset::Cp1252;
    }
    d.text = DecodeAs(bytes, d.charset, &d.replaced);
    return d;
  }
  d.text = DecodeAs(bytes, d.charset, &d.replaced);
  d.declared = find_char_line(d.text);
  return d;
}

}  // namespace vft::gedcom
