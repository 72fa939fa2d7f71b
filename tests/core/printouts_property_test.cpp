// Every printout of generated trees of many depths, on several papers in
// both orientations: nothing is written past a margin, running texts keep a
// printer's distance from the paper's edge, no text is smaller than 7
// points, and no page begins inside a block that belongs together.
#include <cctype>

#include "print/print_request.h"
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
          for (const test::TextAt& first : page_starts())
            EXPECT_TRUE(starts_block(request, first)) << what << "page " << first.page << " starts with " << first.text;
        }
  }
}

}  // namespace
