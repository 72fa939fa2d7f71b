// Every printout of generated trees of many depths, on several papers in
// both orientations: nothing is written past a margin, running texts keep a
// printer's distance from the paper's edge, no text is smaller than 7
// points, and no page begins inside a block that belongs together.
#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <sstream>

#include "print/chart_text.h"
#include "print/pedigree_chart.h"
#include "relations/person_io.h"

#include "print/print_request.h"
#include "print/sheet_text.h"
#include "relations/lookups.h"
#include "sheets_fixture.h"
#include "tree_gen.h"

using namespace vft;
using namespace vft::print;

namespace {

constexpr int kPapers[] = {8, kPaperA4, kPaperA5, kPaperLetter, 5};  // A3, A4, A5, Letter, Legal

class PrintoutProperties : public test::SheetTest {
 protected:
  // Persons worth printing: the founder of the most rows, the deepest
  // person, and someone with a partner.
  std::int16_t founder = 0, deepest = 0, partnered = 0, partner = 0;

  void pick_persons() {
    int most = -1, depth = -1;
    for (std::int16_t p = 1; p <= s.Config.NumPersons(); ++p) {
      const PartnerList partners = ListPartners(s, p);
      if (partners.count > 0 && partners.rows[0].Partner > 0 && !partnered) {
        partnered = p;
        partner = partners.rows[0].Partner;
      }
      int up = 0;
      for (std::int16_t q = p; HasParents(s, q) && up < 20; q = FatherOf(s, q) ? FatherOf(s, q) : MotherOf(s, q)) ++up;
      if (up > depth) depth = up, deepest = p;
      if (!HasParents(s, p) && partners.count > most) most = partners.count, founder = p;
    }
  }

  PrintRequest request_for(int request) const {
    const auto person = request == request::Descendants ? founder : request == request::Pedigree ? deepest : partnered;
    PrintRequest r = every_item(request, person, partner);
    r.chart.generations = 12;
    return r;
  }

  void expect_inside(const std::string& what) {
    for (int p = 1; p <= doc.page_count(); ++p) {
      const Page& page = doc.page(p);
      const double right = page.width - doc.margin_right(), bottom = page.height - doc.margin_bottom();
      for (const Item& i : doc.page_items(p)) {
        const std::string at = what + "page " + std::to_string(p) + ": " + std::string(doc.item_text(i));
        EXPECT_TRUE(i.kind != Item::Kind::Text || doc.item_font(i).size >= kSmallestTextSize) << at;
        const double x1 = std::min(i.x1, i.x2), x2 = std::max(i.x1, i.x2);
        const double y1 = std::min(i.y1, i.y2), y2 = std::max(i.y1, i.y2);
        // Running texts sit in a margin, a printer's distance from the edge.
        if (i.running) {
          EXPECT_TRUE(y1 >= kRunningTextEdge && y2 <= page.height - kRunningTextEdge) << at;
          EXPECT_TRUE(y2 <= doc.margin_top() + 1e-6 || y1 >= bottom - 1e-6) << at;
          continue;
        }
        EXPECT_TRUE(x1 >= doc.margin_left() - 1e-6 && x2 <= right + 1e-6) << at;
        EXPECT_TRUE(y1 >= doc.margin_top() - 1e-6 && y2 <= bottom + 1e-6) << at;
      }
    }
  }

  // No two texts of a page overlap.
  void expect_apart(const std::string& what) {
    const auto texts = test::texts_of(doc);
    for (std::size_t i = 0; i < texts.size(); ++i)
      for (std::size_t j = i + 1; j < texts.size() && texts[j].page == texts[i].page; ++j) {
        const test::TextAt &a = texts[i], &b = texts[j];
        const bool apart = a.right <= b.x + 1e-6 || b.right <= a.x + 1e-6 || a.y + a.size * 24 <= b.y + 1e-6 ||
                           b.y + b.size * 24 <= a.y + 1e-6;
        EXPECT_TRUE(apart) << what << a.text << " overlaps " << b.text;
      }
  }

  // The first text under each page's heading, from page 2 on.
  std::vector<test::TextAt> page_starts() const {
    std::vector<test::TextAt> out;
    int page = 1;
    for (const test::TextAt& t : test::texts_of(doc)) {
      if (t.page == page || t.text.find_first_not_of("0123456789") == std::string::npos) continue;
      if (t.text == " <- Gens." || t.text.rfind("Printed: ", 0) == 0 || t.text.rfind("List of ", 0) == 0 ||
          t.text.rfind("Descendants of ", 0) == 0 || t.text == "Time Line" || t.text.rfind("Page ", 0) == 0)
        continue;
      page = t.page;
      out.push_back(t);
    }
    return out;
  }
  static bool starts_block(int request, const test::TextAt& first) {
    const std::string& text = first.text;
    auto starts = [&](const char* prefix) { return text.rfind(prefix, 0) == 0; };
    switch (request) {
      case request::Descendants: return first.bold || starts("Married") || starts("Not Married");
      case request::ListAll:
      case request::FamilyList:
      case request::DataSheet: {
        // What follows a name or a partner, never at the top of a page.
        for (const char* rest : {"Born at ", "Died at ", "Interred ", "Occupation: ", "Current Address is ", "Phone ",
                                 "Married on ", "Marriage:", "Baptised ", "Age "})
          if (starts(rest)) return false;
        const bool dated = text.size() > 5 && (std::isdigit(static_cast<unsigned char>(text[5])) || text[5] == '?');
        return !((starts("Born ") || starts("Died ")) && dated);
      }
      case request::TimeLine: return text == "Date";
      default: return true;
    }
  }
};

TEST_F(PrintoutProperties, EveryPageKeepsToItsMarginsAndEveryBlockStaysWhole) {
  for (int depth : {3, 7, 12}) {
    test::TreeOptions g;
    g.seed = static_cast<std::uint64_t>(depth);
    g.persons = 30 + 12 * depth;
    g.marriages = g.persons * 3 / 4;
    g.generations = depth;
    test::generate_tree(s, g);
    founder = deepest = partnered = partner = 0;
    pick_persons();
    for (int paper : kPapers)
      for (Orientation o : {Orientation::Portrait, Orientation::Landscape})
        for (int request = 1; request <= 8; ++request) {
          const std::string what = "depth " + std::to_string(depth) + ", paper " + std::to_string(paper) + ", " +
                                   (o == Orientation::Portrait ? "portrait" : "landscape") + ", request " +
                                   std::to_string(request) + ": ";
          ASSERT_TRUE(doc.set_paper_code(paper));
          PrintRequest r = request_for(request);
          r.chart.orientation = o;
          PrintResult result = RunPrintRequest(s, doc, measure, r);
          // The family form refuses paper narrower than A4 in landscape.
          if (request == request::FamilyData && paper == kPaperA5) {
            EXPECT_FALSE(result.completed) << what;
            continue;
          }
          ASSERT_TRUE(result.completed) << what;
          expect_inside(what);
          // Headings' dates and the sheet's children are never wrapped, on any paper.
          if (request == request::DataSheet || request == request::FamilyData) {
            EXPECT_TRUE(has((request == request::DataSheet ? "Date: " : "Date ") + PrintedDate(s.now()))) << what;
          }
          if (request == request::DataSheet) {
            const AllPersons all(s);
            for (std::int16_t child : all.children(partnered)) {
              std::string entry = RelativeEntry(s, *all.find(child));
              std::replace(entry.begin(), entry.end(), kNoBreakSpace, ' ');
              EXPECT_TRUE(has(entry)) << what << entry;
            }
          }
          for (const test::TextAt& first : page_starts())
            EXPECT_TRUE(starts_block(request, first)) << what << "page " << first.page << " starts with " << first.text;
        }
  }
}

// A full five-generation pedigree of maximum-length names, places and dates
// over the settings space: every line the tree gives appears on the page or
// its person is named in the note at the foot; no text crosses a margin or
// overlaps another; words break only at a blank, a comma or a hyphen.
TEST_F(PrintoutProperties, ThePedigreeKeepsEveryLineOrSaysWhereToFindItAtEverySetting) {
  const std::string given = "Alexander Maximilian Wilhelmin";  // 30 characters, the most a record holds
  const std::string place = "Montgomery-Smythe Upon Tweed, Montgomeryshireeeee";  // 50
  std::vector<std::int16_t> generation, next;                                     // great-great-grandparents first
  for (int g = 4; g >= 0; --g, generation.swap(next), next.clear())
    for (int pos = 0; pos < (1 << g); ++pos) {
      const std::string fam = "Achterberg-Lindqvi" + std::string(1, static_cast<char>('a' + pos)) + "s";
      const char* sex = pos % 2 ? "F" : "M";
      const auto m =
          g < 4 ? tree.family(generation[2 * pos], generation[2 * pos + 1], "? ??? 16" + std::to_string(10 + pos)) : 0;
      if (m) set_flags(m, true, false);
      const std::int16_t p = m ? tree.child(m, given, fam, sex) : tree.person(given, fam, sex);
      set_life(p, "26 Aug 1" + std::to_string(618 + p), place, "ABT 1" + std::to_string(680 + p), place);
      next.push_back(p);
    }
  const std::int16_t root = generation[0];
  // What each person must show: the family name with the number, and the
  // born, died and parents' marriage lines, compared without their blanks.
  auto squeeze = [](std::string t) {
    std::erase_if(t, [](char c) { return c == ' ' || c == kNoBreakSpace; });
    return t;
  };
  std::set<std::string> words = {"Married", "Pedigree", "Printed", "details", "sheet"};
  const AncestorTable table = FillAncestors(s, root);
  for (const auto& g : table)
    for (std::int16_t n : g) {
      std::istringstream in(DisplayNameOf(s, n) + " " + place);
      for (std::string w; in >> w;) {
        if (w.back() == ',') w.pop_back();
        words.insert(w);
        for (std::size_t h = w.find('-'); h != std::string::npos; h = w.find('-', h + 1))
          words.insert(w.substr(0, h + 1)), words.insert(w.substr(h + 1));
      }
    }
  int sample = 0;
  for (int paper : kPapers)
    for (Orientation o : {Orientation::Portrait, Orientation::Landscape})
      for (double margin : {360.0, 576.0, 1440.0, 2880.0})
        for (double size : {7.0, 10.0, 14.0, 20.0}) {
          // Every fifth setting keeps the sanitizer run short; the loops'
          // orders still reach every paper, margin and size. The tightest,
          // A5 with 2 in margins, are all taken.
          if (++sample % 5 && !(paper == kPaperA5 && margin == 2880)) continue;
          const std::string what = std::to_string(paper) + (o == Orientation::Portrait ? " portrait " : " landscape ") +
                                   std::to_string(margin) + " " + std::to_string(size) + " pt: ";
          auto request_of = [&](int request, std::int16_t person) {
            PrintRequest r = every_item(request, person, 0);
            r.chart.orientation = o;
            r.chart.margin_left = r.chart.margin_right = r.chart.margin_top = r.chart.margin_bottom = margin;
            r.chart.font.size = size;
            r.chart.generations = 12;
            return r;
          };
          ASSERT_TRUE(doc.set_paper_code(paper));
          const PrintResult result = RunPrintRequest(s, doc, measure, request_of(request::Pedigree, root));
          ASSERT_TRUE(result.completed) << what;
          expect_inside(what);
          expect_apart(what);
          std::string all;
          for (const test::TextAt& t : test::texts_of(doc)) {
            all += squeeze(t.text);
            std::istringstream in(t.text);
            for (std::string w; in >> w;) {
              while (!w.empty() && (w.back() == ',' || w.back() == '.' || w.back() == '*')) w.pop_back();
              const bool word = std::all_of(
                  w.begin(), w.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '-'; });
              EXPECT_TRUE(w.size() <= 4 || !word || words.count(w)) << what << "split word " << w;
            }
          }
          EXPECT_EQ(result.summary.empty(), all.find("Somedetailsdidnotfit") == std::string::npos) << what;
          for (std::size_t g = 0; g < table.size(); ++g)
            for (std::int16_t n : table[g]) {
              const std::string number = "#" + std::to_string(n);
              if (!n || std::regex_search(result.summary, std::regex(number + "\\b"))) continue;  // named in the note
              PersonRecord p = tree.read(n);
              for (const std::string& line : {display_famname(s, p) + number, BirthLine(p, true, true),
                                              DeathLine(p, true, true), g <= 2 ? ParentsMarriageLine(s, n) : ""})
                EXPECT_NE(all.find(squeeze(line)), std::string::npos) << what << line;
            }
          // The descendants chart of the oldest father: its heading, key and rows.
          ASSERT_TRUE(RunPrintRequest(s, doc, measure, request_of(request::Descendants, table[4][0])).completed)
              << what;
          expect_inside(what + "descendants ");
          expect_apart(what + "descendants ");
        }
}

}  // namespace
