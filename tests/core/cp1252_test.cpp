#include <gtest/gtest.h>

#include "common/cp1252.h"

using namespace vft;

TEST(Cp1252, UpperCasesAccentedLettersByTable) {
  EXPECT_EQ(cp1252::upper("m\xFCller"), "M\xDCLLER");
  EXPECT_EQ(cp1252::upper("\x9A\x9C\x9E\xFF\xF7\xDF\xE0"), "\x8A\x8C\x8E\x9F\xF7\xDF\xC0");
  EXPECT_EQ(cp1252::lower("\xC0\xDE\xD7\xDF"), "\xE0\xFE\xD7\xDF");
}
