// Character-set detection and decoding of GEDCOM files, and the line lexer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/gedcom_decode.h"
#include "interchange/gedcom_lex.h"

using namespace vft::gedcom;

namespace {

std::string utf16(const std::u16string& s, bool le, bool bom) {
  std::string out;
  auto put = [&](char16_t u) {
    char a = static_cast<char>(u & 0xFF), b = static_cast<char>(u >> 8);
    out += le ? std::string{a, b} : std::string{b, a};
  };
  if (bom) put(0xFEFF);
  for (char16_t u : s) put(u);
  return out;
}

// A line kept beyond the lexer's next call (an unescaped value lives in the
// lexer's own buffer only until then).
struct Line {
  int level;
  std::string xref, tag, value;
  bool pointer;
  std::uint32_t number;
};

std::vector<Line> lex_all(std::string_view text, bool gedcom7 = false) {
  GedcomLexer lex(text, gedcom7);
  std::vector<Line> out;
  GedLine l;
  while (lex.next(l))
    out.push_back({l.level, std::string(l.xref), std::string(l.tag), std::string(l.value), l.pointer, l.number});
  return out;
}

}  // namespace

// ---- detection

TEST(GedcomDecode, Utf8WithByteOrderMarkIsDecodedAndTheMarkDropped) {
  Decoded d = DecodeGedcom(
      "\xEF\xBB\xBF"
      "0 HEAD\n1 CHAR UTF-8\n1 NAME Andr\xC3\xA9\n");
  EXPECT_EQ(d.charset, Charset::Utf8);
  EXPECT_EQ(d.text, "0 HEAD\n1 CHAR UTF-8\n1 NAME Andr\xE9\n");
}

TEST(GedcomDecode, TheBytesOutweighTheCharLine) {
  // Declared ANSI, written as UTF-8.
  EXPECT_EQ(DecodeGedcom("0 HEAD\n1 CHAR ANSI\n1 NAME Jos\xC3\xA9\n").text, "0 HEAD\n1 CHAR ANSI\n1 NAME Jos\xE9\n");
  // Declared UTF-8, written as ANSI: every accent CP1252 has survives.
  Decoded d = DecodeGedcom("0 HEAD\n1 CHAR UTF-8\n1 NAME Jos\xE9 M\xFCller\n");
  EXPECT_EQ(d.charset, Charset::Cp1252);
  EXPECT_EQ(d.text, "0 HEAD\n1 CHAR UTF-8\n1 NAME Jos\xE9 M\xFCller\n");
  // Plain ASCII declared as UTF-8 is reported as UTF-8.
  EXPECT_EQ(DecodeGedcom("0 HEAD\n1 CHAR UTF-8\n").charset, Charset::Utf8);
}

TEST(GedcomDecode, DosAndMacintoshCodePagesAndWhatTheyLack) {
  struct Case {
    const char* declared;
    Charset charset;
    const char* bytes;  // Jürgen Köln Üß, then a character CP1252 lacks
    const char* text;
  };
  const Case cases[] = {
      {"IBMPC", Charset::IbmPc, "J\x81rgen K\x94ln \x9A\xE1\xB3", "J\xFCrgen K\xF6ln \xDC\xDF?"},
      {"MACINTOSH", Charset::MacRoman, "J\x9Frgen K\x9Aln \x86\xA7\xF0", "J\xFCrgen K\xF6ln \xDC\xDF?"},
  };
  for (const Case& c : cases) {
    const std::string head = "0 HEAD\r\n1 CHAR " + std::string(c.declared) + "\r\n1 NAME ";
    Decoded d = DecodeGedcom(head + c.bytes + "\r\n");
    EXPECT_EQ(d.charset, c.charset) << c.declared;
    EXPECT_EQ(d.text, head + c.text + "\r\n") << c.declared;
    // The character CP1252 lacks is the last before the line end.
    EXPECT_EQ(d.replaced, std::vector<std::size_t>{d.text.size() - 3}) << c.declared;
  }
}

TEST(GedcomDecode, Utf16InBothByteOrdersWithAndWithoutMark) {
  const std::u16string src = u"0 HEAD\r\n1 CHAR UNICODE\r\n1 NAME Z\u00F6e \u0141ukasz \U000100E9\r\n";
  const std::string want =
      "0 HEAD\r\n1 CHAR UNICODE\r\n1 NAME Z\xF6"
      "e ?ukasz ?\r\n";
  for (bool le : {true, false}) {
    for (bool bom : {true, false}) {
      Decoded d = DecodeGedcom(utf16(src, le, bom));
      EXPECT_EQ(d.charset, le ? Charset::Utf16LE : Charset::Utf16BE) << le << bom;
      EXPECT_EQ(d.text, want) << le << bom;
      EXPECT_EQ(d.declared, "UNICODE");
    }
  }
  // A lone surrogate and an odd byte at the end become "?".
  std::string odd = utf16(
                        u"0 A\xD800"
                        u"B",
                        true, true) +
                    "x";
  EXPECT_EQ(DecodeGedcom(odd).text, "0 A?B?");
}

TEST(GedcomDecode, AnselMarksAreComposedWithTheFollowingLetter) {
  const std::string head = "0 HEAD\r\n1 CHAR ANSEL\r\n";
  auto ansel = [&](const std::string& body) {
    Decoded d = DecodeGedcom(head + body);
    EXPECT_EQ(d.charset, Charset::Ansel);
    return d.text.substr(head.size());
  };
  // acute, diaeresis, cedilla, caron, grave, ring, tilde, circumflex; capitals too.
  EXPECT_EQ(ansel("\xE2"
                  "e\xE8"
                  "u\xF0"
                  "c\xE9"
                  "s\xE1"
                  "a\xEA"
                  "a\xE4"
                  "n\xE3"
                  "o\xE2"
                  "E\xE9Z"),
            "\xE9\xFC\xE7\x9A\xE0\xE5\xF1\xF4\xC9\x8E");
  // Letters CP1252 lacks become "?", one per letter, however many marks.
  EXPECT_EQ(ansel("T\xE5"
                  "aro \xE2\xE8"
                  "a|"),
            "T?ro ?|");
  // Spacing letters and signs.
  EXPECT_EQ(ansel("\xA5\xB5\xA2\xB2\xB9\xCF\xC3\xA1\xB1\xA0"), "\xC6\xE6\xD8\xF8\xA3\xDF\xA9??\xA0");
  // A mark on a blank is the spacing accent; one at a line end keeps the break.
  EXPECT_EQ(ansel("a\xE2 b\xE2\r\nc"),
            "a\xB4"
            "b?\r\nc");
  // Non-sorting markers vanish; a mark at the very end stands on nothing.
  EXPECT_EQ(ansel("\x88The\x89 End\xE2"), "The End?");
}

TEST(GedcomDecode, DecomposedUnicodeIsComposedToo) {
  EXPECT_EQ(DecodeAs("Jose\xCC\x81 A\xCC\x8A"
                     "a\xCC\x84",
                     Charset::Utf8),
            "Jos\xE9 \xC5?");
  EXPECT_EQ(DecodeAs("\xCC\x81x", Charset::Utf8), "?x");  // a mark at the start
  // Malformed UTF-8 where UTF-8 was settled by a byte-order mark.
  EXPECT_EQ(DecodeGedcom("\xEF\xBB\xBF"
                         "a\xC3(b\xE0\x80\x80")
                .text,
            "a?(b???");
  bool multi = true;
  EXPECT_TRUE(IsValidUtf8("abc", &multi));
  EXPECT_FALSE(multi);
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // an encoded surrogate
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // an overlong form
  EXPECT_FALSE(IsValidUtf8("\xE0\x9F\xBF"));  // and one in three bytes
}

// ---- lexer

TEST(GedcomLex, MixedLineEndsBlankLinesAndIndentation) {
  auto lines = lex_all("0 HEAD\r\n1 SOUR x\n\n   2 VERS 1.0\r1 CHAR ANSI\r\n\r\n\t 0 TRLR");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2].level, 2);
  EXPECT_EQ(lines[2].value, "1.0");
  std::vector<std::uint32_t> numbers;
  for (const Line& l : lines) numbers.push_back(l.number);
  EXPECT_EQ(numbers, (std::vector<std::uint32_t>{1, 2, 4, 5, 7}));
}

TEST(GedcomLex, FieldsOfALine) {
  auto all = lex_all("0 @I12@ INDI\n1\tNAME  John /Smith/ \n1 FAMS @F1@\n1 BIRT\n12 X y");
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0].xref, "@I12@");
  EXPECT_EQ(all[0].tag, "INDI");
  EXPECT_EQ(all[0].value, "");
  // One blank separates tag and value; the rest is the value as written.
  EXPECT_EQ(all[1].value, " John /Smith/ ");
  EXPECT_TRUE(all[2].pointer);
  EXPECT_EQ(all[2].value, "@F1@");
  EXPECT_FALSE(all[3].pointer);
  EXPECT_EQ(all[4].level, 12);
  EXPECT_TRUE(TagIs("indi", "INDI"));
  EXPECT_FALSE(TagIs("INDIV", "INDI"));
}

TEST(GedcomLex, AtSignsAndPointers) {
  auto all = lex_all("1 NOTE @@home\n1 EMAIL a@@b.com\n1 NOTE @N1@ extra\n1 DATE @#DJULIAN@ 1700\n1 X @@@@");
  ASSERT_EQ(all.size(), 5u);
  EXPECT_FALSE(all[0].pointer);
  EXPECT_EQ(all[0].value, "@home");
  EXPECT_EQ(all[1].value, "a@b.com");
  EXPECT_FALSE(all[2].pointer);
  EXPECT_EQ(all[3].value, "@#DJULIAN@ 1700");
  EXPECT_EQ(all[4].value, "@@");
  // GEDCOM 7 escapes only a leading at-sign.
  all = lex_all("1 X @@@@ and a@@b", true);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].value, "@@@ and a@@b");
}

TEST(GedcomLex, UnreadableLinesComeBackWithoutALevel) {
  auto all = lex_all("garbage\n1\n1 \nX NAME\n1234 NAME\n0 @I1 INDI\n1NAME x\n1 NAME ok");
  ASSERT_EQ(all.size(), 8u);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(all[i].level, -1) << i;
  EXPECT_EQ(all[7].level, 1);
  EXPECT_EQ(all[7].value, "ok");
  EXPECT_EQ(all[7].number, 8u);
}
