#include "common/cp1252.h"

#include <array>

namespace vft::cp1252 {
namespace {

// 0x80..0x9F of CP1252; 0 marks the five undefined bytes.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string fit(std::string_view s, std::size_t width) {
  std::string out(s.substr(0, width));
  out.resize(width, ' ');
  return out;
}

char upper(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
  if (c == 0x9A) return static_cast<char>(0x8A);  // s caron
  if (c == 0x9C) return static_cast<char>(0x8C);  // oe
  if (c == 0x9E) return static_cast<char>(0x8E);  // z caron
  if (c == 0xFF) return static_cast<char>(0x9F);  // y diaeresis
  if (c >= 0xE0 && c != 0xF7) return static_cast<char>(c - 32);
  return ch;
}

char lower(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
  if (c == 0x8A) return static_cast<char>(0x9A);
  if (c == 0x8C) return static_cast<char>(0x9C);
  if (c == 0x8E) return static_cast<char>(0x9E);
  if (c == 0x9F) return static_cast<char>(0xFF);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
  return ch;
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = upper(c);
  return out;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lower(c);
  return out;
}

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

char32_t to_unicode(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) {
    char16_t u = kHigh[b - 0x80];
    return u ? u : b;
  }
  return b;
}

int from_unicode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  // The undefined bytes travel as their C1 controls.
  if (cp == 0x81 || cp == 0x8D || cp == 0x8F || cp == 0x90 || cp == 0x9D) return static_cast<int>(cp);
  return -1;
}

void append_utf8(std::string& out, std::string_view cp) {
  for (std::size_t i = 0; i < cp.size();) {
    // Runs of ASCII go across as they are: most text is ASCII, and whole
    // GEDCOM files go through here.
    std::size_t run = i;
    while (run < cp.size() && static_cast<unsigned char>(cp[run]) < 0x80) ++run;
    out.append(cp.substr(i, run - i));
    if (run == cp.size()) break;
    i = run + 1;
    append_code_point(out, to_unicode(static_cast<unsigned char>(cp[run])));
  }
}

void append_code_point(std::string& out, char32_t u) {
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else if (u < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (u >> 18)));
    out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

std::string to_utf8(std::string_view cp) {
  std::string out;
  out.reserve(cp.size() + cp.size() / 8);
  append_utf8(out, cp);
  return out;
}

char32_t next_code_point(std::string_view s, std::size_t& i) {
  auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int len = (b0 >= 0xF0 && b0 <= 0xF4) ? 4 : (b0 >= 0xE0 && b0 <= 0xEF) ? 3 : (b0 >= 0xC2 && b0 < 0xE0) ? 2 : 0;
  if (len == 0 || s.size() - i < static_cast<std::size_t>(len)) {
    ++i;
    return 0xFFFD;
  }
  char32_t cp = b0 & (0xFF >> (len + 1));
  for (int k = 1; k < len; ++k) {
    auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += static_cast<std::size_t>(len);
  return cp;
}

std::string from_utf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    int b = from_unicode(next_code_point(utf8, i));
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

bool fits_cp1252(std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size())
    if (from_unicode(next_code_point(utf8, i)) < 0) return false;
  return true;
}

}  // namespace vft::cp1252
