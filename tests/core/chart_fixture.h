// A session with a small tree and a page document measured with FixedMeasure
// (a 10-point character is 100 twips wide, 110 in bold; a line 240 high), and
// the charts' pages read back as a plain list of texts.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/chart_options.h"
#include "print/page_document.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

struct TextAt {
  int page = 0;
  std::string text;
  double x = 0, y = 0, right = 0;
  bool bold = false;
  double size = 0;
};

inline std::vector<TextAt> texts_of(const print::PageDocument& doc) {
  std::vector<TextAt> out;
  for (int p = 1; p <= doc.page_count(); ++p)
    for (const print::Item& i : doc.page_items(p))
      if (i.kind == print::Item::Kind::Text)
        out.push_back(
            {p, std::string(doc.item_text(i)), i.x1, i.y1, i.x2, doc.item_font(i).bold, doc.item_font(i).size});
  return out;
}

inline bool has_text(const std::vector<TextAt>& texts, const std::string& text) {
  for (const TextAt& t : texts)
    if (t.text == text) return true;
  return false;
}
// The nth text reading `text`; a missing one fails the test and gives a text
// at no position, never a null to read through.
inline const TextAt* find_text(const std::vector<TextAt>& texts, const std::string& text, int nth = 0) {
  for (const TextAt& t : texts)
    if (t.text == text && nth-- == 0) return &t;
  ADD_FAILURE() << "no text \"" << text << "\" on the pages";
  static const TextAt none{0, "<missing>", -1e9, -1e9, -1e9};
  return &none;
}

class ChartTest : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  TreeBuilder tree{s};
  print::FixedMeasure measure;
  print::PageDocument doc{measure};

  // Person p with the given birth and death fields (the builder's persons
  // are born on 1 Jan 1900).
  void set_life(std::int16_t p, const std::string& born, const std::string& born_at, const std::string& died = "",
                const std::string& died_at = "") {
    PersonRecord r = tree.read(p);
    r.BirthDate = born;
    r.BirthPlace = born_at;
    r.DeathDate = died;
    r.DeathPlace = died_at;
    tree.write(r);
  }
  void set_flags(std::int16_t m, bool divorced, bool not_married) {
    s.Marriages[static_cast<std::size_t>(m)].Divorced = divorced ? -1 : 0;
    s.Marriages[static_cast<std::size_t>(m)].NotMarried = not_married ? -1 : 0;
    tree.write_family(m);
  }
  static print::ChartOptions names_only(int request) {
    print::ChartOptions o;
    o.request = request;
    o.items[print::item3::Name] = true;
    o.heading = print::HeadingPages::None;
    return o;
  }
};

}  // namespace vft::test
