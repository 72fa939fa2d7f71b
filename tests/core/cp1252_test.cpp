#include <gtest/gtest.h>

#include <cstring>

#include "common/cp1252.h"

using namespace vft;

TEST(Cp1252, UpperCasesAccentedLettersByTable) {
  EXPECT_EQ(cp1252::upper("m\xFCller"), "M\xDCLLER");
  EXPECT_EQ(cp1252::upper("\x9A\x9C\x9E\xFF\xF7\xDF\xE0"), "\x8A\x8C\x8E\x9F\xF7\xDF\xC0");
  EXPECT_EQ(cp1252::lower("\xC0\xDE\xD7\xDF"), "\xE0\xFE\xD7\xDF");
}

// The one UTF-8 encoder and decoder: every CP1252 byte there and back, a code
// point beyond 16 bits, and each kind of malformed sequence as one '?' a byte.
TEST(Cp1252, Utf8BothWaysAndMalformedSequences) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(cp1252::from_utf8(cp1252::to_utf8(one)), one) << b;
  }
  EXPECT_EQ(cp1252::to_utf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
  std::string wide;
  cp1252::append_code_point(wide, U'\U0001F600');
  EXPECT_EQ(wide, "\xF0\x9F\x98\x80");
  std::size_t i = 0;
  EXPECT_EQ(cp1252::next_code_point(wide, i), U'\U0001F600');
  EXPECT_EQ(i, 4u);
  for (const char* bad : {"\xF5\x80\x80", "\xC0\x80", "\xED\xA0\x80", "\xE2\x82", "\x80"})
    EXPECT_EQ(cp1252::from_utf8(bad), std::string(std::strlen(bad), '?')) << bad;
}
