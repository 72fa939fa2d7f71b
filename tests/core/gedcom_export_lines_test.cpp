// The line writer and the 5.5.1 and 7.0 date forms: the rules every exported line obeys.
// Doubled at-signs beside bare pointers and empty CONT lines are in the whole
// 5.5.1 file kept beside the export test.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "interchange/gedcom_export_date.h"
#include "interchange/gedcom_export_writer.h"
#include "interchange/gedcom_tables.h"

using namespace vft;

namespace {

std::string write(GedcomFlavour f, const std::function<void(GedcomWriter&)>& body) {
  std::string out;
  GedcomWriter w(f, out);
  body(w);
  return out;
}

}  // namespace

TEST(GedcomLineWriter, LineBreaksAndZeroBytesNeverReachTheFile) {
  for (GedcomFlavour f : {GedcomFlavour::Standard, GedcomFlavour::Gedcom551}) {
    std::string out = write(f, [](GedcomWriter& w) { w.text(1, "OCCU", std::string("a\r\nb\nc\0d", 8)); });
    EXPECT_EQ(out, "1 OCCU a  b cd\r\n");
  }
}

TEST(GedcomLineWriter, Gedcom551WritesUtf8) {
  std::string out =
      write(GedcomFlavour::Gedcom551, [](GedcomWriter& w) { w.text(1, "NAME", "\xC9lodie /M\xFCller/ \x80\x9A"); });
  EXPECT_EQ(out, "1 NAME \xC3\x89lodie /M\xC3\xBCller/ \xE2\x82\xAC\xC5\xA1\r\n");
}

TEST(GedcomLineWriter, Gedcom551SplitsLongValuesIntoConcLines) {
  const std::size_t max = GedcomWriter::kMaxValue;
  // Exactly the limit: one line. One more: the last character goes on.
  EXPECT_EQ(write(GedcomFlavour::Gedcom551, [](GedcomWriter& w) { w.text(1, "NOTE", std::string(248, 'x')); }),
            "1 NOTE " + std::string(max, 'x') + "\r\n");
  EXPECT_EQ(write(GedcomFlavour::Gedcom551, [](GedcomWriter& w) { w.text(1, "NOTE", std::string(249, 'x')); }),
            "1 NOTE " + std::string(max, 'x') + "\r\n2 CONC x\r\n");
  // 600 characters: 248 + 248 + 104; a CONT line's continuation stays at its level.
  EXPECT_EQ(write(GedcomFlavour::Gedcom551, [](GedcomWriter& w) { w.text(2, "CONT", std::string(600, 'y')); }),
            "2 CONT " + std::string(248, 'y') + "\r\n2 CONC " + std::string(248, 'y') + "\r\n2 CONC " +
                std::string(104, 'y') + "\r\n");
}

TEST(GedcomLineWriter, ConcSplitKeepsAtPairsAndBlanksInsideAPiece) {
  // 247 x then "@": the doubled "@" does not fit beside them and moves on whole.
  std::string out =
      write(GedcomFlavour::Gedcom551, [](GedcomWriter& w) { w.text(1, "NOTE", std::string(247, 'x') + "@z"); });
  EXPECT_EQ(out, "1 NOTE " + std::string(247, 'x') + "\r\n2 CONC @@z\r\n");
  // A cut that would fall next to a blank moves back to between two letters.
  std::string words = std::string(245, 'a') + " bc def";
  out = write(GedcomFlavour::Gedcom551, [&](GedcomWriter& w) { w.text(1, "NOTE", words); });
  EXPECT_EQ(out, "1 NOTE " + std::string(245, 'a') + " b\r\n2 CONC c def\r\n");
  // Joined back, the pieces give the original text.
  std::string text(1000, ' ');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = "ab @ "[i % 5];
  out = write(GedcomFlavour::Gedcom551, [&](GedcomWriter& w) { w.text(1, "NOTE", text); });
  std::string joined;
  for (std::size_t pos = 0; pos < out.size();) {
    std::size_t end = out.find("\r\n", pos);
    std::string line = out.substr(pos, end - pos);
    EXPECT_LE(line.size(), 7 + GedcomWriter::kMaxValue);
    pos = end + 2;
    if (pos < out.size()) {
      EXPECT_NE(line.back(), ' ');  // only the text's own end may be a blank
    }
    if (!joined.empty()) { EXPECT_NE(line[7], ' '); }
    joined += line.substr(7);
  }
  std::string unescaped;
  for (std::size_t i = 0; i < joined.size(); ++i) {
    unescaped += joined[i];
    if (joined[i] == '@') ++i;
  }
  EXPECT_EQ(unescaped, text);
}

TEST(GedcomDate551, StoredFormsBecomeGedcomDates) {
  struct Case {
    const char* stored;
    const char* gedcom;
  };
  const Case cases[] = {
      {"5 Jan 1901", "5 JAN 1901"},
      {"29 Feb 2000", "29 FEB 2000"},
      {"? Mar 1903", "MAR 1903"},
      {"? ??? 1950", "1950"},
      {"? ??? ????", ""},
      {"   ", ""},
      {"1831", "1831"},
      {"44 BC", "44 B.C."},
      {"ABT 1900", "ABT 1900"},
      {"ABT 0850", "ABT 0850"},
      {"BEF Jan 1901", "BEF JAN 1901"},
      {"FROM 1900", "FROM 1900"},
      {"TO Mar 1900", "TO MAR 1900"},
      {"0 Jan 1900", "JAN 1900"},
      {"1715-1723", "BET 1715 AND 1723"},
      {"100 BC-50 BC", "BET 100 B.C. AND 50 B.C."},
      // anything else is kept as a phrase
      {"? Mar ????", "(? Mar ?\?\?\?)"},
      {"12 ??? 1950", "(12 ??? 1950)"},
      {"Jan", "(Jan)"},
      {"29 Feb 1900", "(29 Feb 1900)"},
      {"Easter 1900", "(Easter 1900)"},
      {"1721/22", "(1721/22)"},
      {"5 Jan 0", "(5 Jan 0)"},
      {"BET 1715", "(BET 1715)"},
      {"1900 1901", "(1900 1901)"},
      {"12345", "(12345)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GedcomDate551(c.stored), c.gedcom) << '"' << c.stored << '"';
    // 7.0 writes the same dates, its epoch as "BCE"; a phrase has no parentheses and no date.
    std::string g = c.gedcom;
    const bool phrase = !g.empty() && g.front() == '(';
    for (std::size_t bc; (bc = g.find("B.C.")) != std::string::npos;) g.replace(bc, 4, "BCE");
    const GedcomDate d = GedcomDate70(c.stored);
    EXPECT_EQ(d.value, phrase ? "" : g) << '"' << c.stored << '"';
    EXPECT_EQ(d.phrase, phrase ? g.substr(1, g.size() - 2) : "") << '"' << c.stored << '"';
  }
}

TEST(GedcomTables, MonthNumbersInAnyCase) {
  for (auto [name, n] : {std::pair{"Jan", 1}, {"dec", 12}, {"SEP", 9}, {"Sept", 0}, {"???", 0}, {"", 0}})
    EXPECT_EQ(gedcom::MonthNumber(name), n) << name;
}
