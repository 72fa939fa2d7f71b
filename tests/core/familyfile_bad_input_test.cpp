// Damaged, truncated and hostile Family files: each is refused with the
// program's message, or opened where the format tolerates the damage, and a
// refusal leaves the open tree's working files exactly as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "familyfile_fixture.h"
#include "store/familyfile.h"
#include "tree_gen.h"
#include "tree_gen_data.h"

using namespace vft;
using namespace vft::test;

namespace {

enum class Expect { Opens, NotVfl, ReadError, MultiDisk, Refused };

class BadInput : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  test::RecordFiles before;
  Bytes good;
  std::vector<std::size_t> mar, per;  // 0-based offsets of the records of `good`
  std::size_t autocap = 0;            // 0-based offset of "AutoCap"
  std::string name;

  void SetUp() override {
    // The tree that is open while the bad files are tried.
    TreeOptions o;
    o.persons = 20;
    o.marriages = 16;
    generate_tree(s, o);
    before = snapshot(s);
    name = t.dir.path() + "bad.vfl";

    // The small valid file that the cases damage.
    TempSession src;
    add_person(src.s, {"Smith", "John", "M", "", "Some notes", 1});
    add_person(src.s, {"Brown", "Mary", "F", "", "", 1});
    add_person(src.s, {"Smith", "Baby", " "});
    add_marriage(src.s, 0, 0, {1});
    add_marriage(src.s, 0, 0, {2});
    add_marriage(src.s, 1, 2, {3}, "2 Jun 1904", "Leeds");
    src.s.Config.setLastPerson(1);
    ASSERT_EQ(SaveFamilyFile(src.s, src.s.WorkFolder, src.dir.path() + "good.vfl"), -1);
    good = read_file(src.dir.path() + "good.vfl");
    for (std::size_t at = 1999, i = 0; i < 3; ++i, at += static_cast<std::size_t>(at32(good, at + 1)) + 1)
      mar.push_back(at);
    std::size_t at = static_cast<std::size_t>(at32(good, 1808)) - 1;
    for (int i = 0; i < 3; ++i, at += static_cast<std::size_t>(at32(good, at + 1)) + 1) per.push_back(at);
    autocap = at;
  }

  // Opens `file` as "bad.vfl" and checks the outcome; a refusal must show
  // exactly one box with the expected text and leave the work files alone.
  void check(const Bytes& file, Expect want, const std::string& what) {
    SCOPED_TRACE(what);
    write_file(name, file);
    t.prompter.shown.clear();
    std::int16_t rc = OpenFamilyFile(s, name);
    if (rc == -1) {
      EXPECT_EQ(want, Expect::Opens);
      EXPECT_TRUE(t.prompter.shown.empty());
      restore();
      return;
    }
    ASSERT_EQ(rc, 0);
    ASSERT_NE(want, Expect::Opens);
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    const Message& m = t.prompter.shown[0];
    Expect got = m.title == "Open a Family File"                     ? Expect::ReadError
                 : m.title == "Open Vorlan Family Tree File - Error" ? Expect::NotVfl
                 : m.title == "Load Family File"                     ? Expect::MultiDisk
                                                                     : Expect::Opens;
    if (want == Expect::Refused) EXPECT_TRUE(got == Expect::ReadError || got == Expect::MultiDisk) << m.title;
    else EXPECT_EQ(got, want) << m.title;
    if (got == Expect::ReadError) {
      EXPECT_EQ(m.icon, Icon::Information);
    } else if (got == Expect::NotVfl) {
      EXPECT_EQ(m.text, "The file " + name + "\r\nis not a Vorlan Family Tree File");
      EXPECT_EQ(m.icon, Icon::Critical);
    } else if (got == Expect::MultiDisk) {
      EXPECT_EQ(m.icon, Icon::Exclamation);
      EXPECT_NE(m.text.find(name), std::string::npos);
    }
    EXPECT_EQ(snapshot(s), before);
  }

  void restore() {
    for (const auto& [file, bytes] : before) write_file(s.work(file), bytes);
    ReadConfig(s);
  }

  // Offset of person 1's notes item (the last item before its end byte).
  std::size_t notes_item() const { return per[0] + static_cast<std::size_t>(at32(good, per[0] + 1)) - 16; }
};

}  // namespace

TEST_F(BadInput, EachDamageGetsItsMessage) {
  struct Case {
    const char* what;
    std::function<void(Bytes&)> change;
    Expect want;
  };
  const std::size_t date_item = mar[2] + 18, place_item = date_item + 2 + 10;
  const Case cases[] = {
      {"magic in lower case", [](Bytes& b) { b[32] = 'v'; }, Expect::NotVfl},
      {"NumPersons 0", [](Bytes& b) { set16(b, 100, 0); }, Expect::ReadError},
      {"NumMarriages 0", [](Bytes& b) { set16(b, 104, 0); }, Expect::ReadError},
      {"LastPerson 0", [](Bytes& b) { set16(b, 108, 0); }, Expect::ReadError},
      {"NumMarriages above the limit", [](Bytes& b) { set16(b, 104, 15001); }, Expect::ReadError},
      {"NumMarriages beyond the file", [](Bytes& b) { set16(b, 104, 15000); }, Expect::ReadError},
      {"marriages placed past the end", [](Bytes& b) { set32(b, 1799, 1 << 30); }, Expect::ReadError},
      {"huge marriage length", [&](Bytes& b) { set32(b, mar[0], 0x7FFFFFFF); }, Expect::ReadError},
      {"marriage length below its minimum", [&](Bytes& b) { set32(b, mar[0], 10); }, Expect::ReadError},
      {"first marriage of length 0", [&](Bytes& b) { set32(b, mar[0], 0); }, Expect::ReadError},
      {"NumKids 42", [&](Bytes& b) { set16(b, mar[0] + 10, 42); }, Expect::ReadError},
      {"NumKids negative, no child slot",
       [&](Bytes& b) {
         set16(b, mar[0] + 10, -1), b.erase(b.begin() + mar[0] + 12, b.begin() + mar[0] + 14);
         set32(b, mar[0], at32(b, mar[0] + 1) - 2), set32(b, 1807, at32(b, 1808) - 2);
       },
       Expect::ReadError},
      {"more children than the record holds", [&](Bytes& b) { set16(b, mar[0] + 10, 5); }, Expect::ReadError},
      {"unknown marriage item", [&](Bytes& b) { b[date_item] = 3; }, Expect::ReadError},
      {"date longer than its record", [&](Bytes& b) { b[date_item + 1] = 200; }, Expect::ReadError},
      {"huge place length", [&](Bytes& b) { set32(b, place_item + 1, 0x7FFFFFFF); }, Expect::ReadError},
      {"marriage end byte missing", [&](Bytes& b) { b[mar[0] + 18] = 7; }, Expect::ReadError},
      {"continued on another disk", [&](Bytes& b) { set32(b, mar[1], 0); }, Expect::MultiDisk},
      {"person length below its minimum", [&](Bytes& b) { set32(b, per[0], 3); }, Expect::ReadError},
      {"PerNum 0", [&](Bytes& b) { set16(b, per[0] + 4, 0); }, Expect::ReadError},
      {"PerNum beyond NumPersons", [&](Bytes& b) { set16(b, per[0] + 4, 4); }, Expect::ReadError},
      {"PerNum twice", [&](Bytes& b) { set16(b, per[1] + 4, 1); }, Expect::ReadError},
      {"unknown person tag", [&](Bytes& b) { b[per[0] + 7] = 19; }, Expect::ReadError},
      {"negative text length", [&](Bytes& b) { set16(b, per[0] + 8, -1); }, Expect::ReadError},
      {"text overrunning its record", [&](Bytes& b) { set16(b, per[0] + 8, 500); }, Expect::ReadError},
      {"notes item of another kind", [&](Bytes& b) { b[notes_item() + 1] = 2; }, Expect::ReadError},
      {"notes longer than their record", [&](Bytes& b) { set32(b, notes_item() + 2, 1000); }, Expect::ReadError},
      {"negative notes length", [&](Bytes& b) { set32(b, notes_item() + 2, -1); }, Expect::ReadError},
      {"last end byte past the end", [&](Bytes& b) { b.resize(autocap), set32(b, per[2], at32(b, per[2] + 1) + 1); },
       Expect::ReadError},
      {"more spaces at the end", [](Bytes& b) { b.insert(b.end(), 500, ' '); }, Expect::Opens},
  };
  for (const Case& c : cases) {
    Bytes b = good;
    c.change(b);
    check(b, c.want, c.what);
  }
}

TEST_F(BadInput, FailureWhileReplacingTheWorkFilesChangesNothing) {
  write_file(name, good);
  // Every write step of the replacement in turn: the open is refused with
  // the reason, and nothing of it is left in the work folder.
  for (long step = 1;; ++step) {
    SCOPED_TRACE(step);
    t.prompter.shown.clear();
    s.disk.fail_at(step, EIO);
    if (OpenFamilyFile(s, name) == -1) break;
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_EQ(t.prompter.shown[0].text.substr(t.prompter.shown[0].text.size() - 18), "Input/output error");
    EXPECT_EQ(snapshot(s), before);
    std::set<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(s.WorkFolder)) left.insert(e.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{"vorlan.Per", "vorlan.cfg", "vorlan.mar", "vorlan.mce", "vorlan.not"}));
  }
  s.disk.clear_faults();
}

TEST_F(BadInput, EveryTruncationPoint) {
  auto expected = [&](std::size_t n) {
    return n < 50                ? FamilyFileError::NotAFamilyFile
           : n < autocap         ? FamilyFileError::ReadError
           : n < autocap + 7     ? FamilyFileError::None  // the section is optional
           : n < autocap + 7 + 3 ? FamilyFileError::ReadError
                                 : FamilyFileError::None;  // only the trailing spaces are gone
  };
  for (std::size_t n = 0; n < good.size(); ++n) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));  // no byte past n to read
    FamilyParse p = ParseFamilyFile(cut.data(), cut.size());
    ASSERT_EQ(p.error, expected(n)) << "cut at " << n;
  }
  // How a refused file is reported and that it changes nothing is checked
  // through the file by the damage table, the byte flips and the noise.
}

TEST_F(BadInput, EverySingleByteFlip) {
  const FamilyParse base = ParseFamilyFile(good.data(), good.size());
  ASSERT_TRUE(base.ok());
  auto in = [](std::size_t o, std::size_t from, std::size_t to) { return o >= from && o <= to; };
  for (std::size_t o = 0; o < good.size(); ++o) {
    for (std::uint8_t mask : {std::uint8_t{0xFF}, std::uint8_t{0x01}}) {
      Bytes b = good;
      b[o] ^= mask;
      std::string what = "offset " + std::to_string(o) + " xor " + std::to_string(mask);
      FamilyParse p = ParseFamilyFile(b.data(), b.size());
      if (o >= 1999) {
        // The records: refused or opened, never anything else; a spread of
        // them also through the file.
        EXPECT_NE(p.error, FamilyFileError::NotAFamilyFile) << what;
        if (o % 5 == 0) check(b, p.ok() ? Expect::Opens : Expect::Refused, what);
        continue;
      }
      SCOPED_TRACE(what);
      if (in(o, 32, 49)) {
        EXPECT_EQ(p.error, FamilyFileError::NotAFamilyFile);
      } else if (in(o, 108, 109)) {
        EXPECT_EQ(p.error, at16(b, 109) == 0 ? FamilyFileError::ReadError : FamilyFileError::None);
      } else if (in(o, 100, 101) || in(o, 104, 105) || in(o, 1799, 1802) || in(o, 1807, 1810)) {
        // Counts and section positions. One less person or marriage still
        // reads (the AutoCap section is then not found, which is allowed).
        if (mask == 0xFF) { EXPECT_EQ(p.error, FamilyFileError::ReadError); }
      } else {
        // Time stamp, disk number, versions, unused bytes, function keys: the tree reads the same.
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(p.image.Persons, base.image.Persons);
        EXPECT_EQ(p.image.Marriages, base.image.Marriages);
        if (!in(o, 256, 1215)) { EXPECT_EQ(p.image.FunctionKeys, base.image.FunctionKeys); }
      }
    }
  }
  EXPECT_EQ(snapshot(s), before);
}

TEST_F(BadInput, RandomBytes) {
  gen::Rng r(7);
  for (int i = 0; i < 300; ++i) {
    // A good header followed by noise.
    Bytes h(good.begin(), good.begin() + 1999);
    for (int n = r.range(0, 700); n > 0; --n) h.push_back(static_cast<std::uint8_t>(r.below(256)));
    FamilyParse p = ParseFamilyFile(h.data(), h.size());
    EXPECT_NE(p.error, FamilyFileError::NotAFamilyFile);
    if (i < 40) check(h, p.ok() ? Expect::Opens : Expect::Refused, "noise " + std::to_string(i));
  }
}
