// Whole documents compared with the files kept in golden/ beside the tests.
// VFT_UPDATE_GOLDEN=1 rewrites the files instead of comparing.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "print/page_document.h"
#include "store/file_io.h"
#include "temp_session.h"

namespace vft::test {

inline void expect_golden(const std::string& name, const std::string& got, const std::string& dir = VFT_GOLDEN_DIR) {
  const std::string path = dir + "/" + name;
  if (std::getenv("VFT_UPDATE_GOLDEN")) {
    ASSERT_TRUE(put_file(path, Bytes(got.begin(), got.end())));
    return;
  }
  auto b = fileio::read_all(path);
  ASSERT_TRUE(b) << path;
  const std::string want(b->begin(), b->end());
  if (want == got) return;
  std::size_t i = 0, line = 1;
  for (; i < want.size() && i < got.size() && want[i] == got[i]; ++i) line += want[i] == '\n';
  auto around = [&](const std::string& t) { return t.substr(t.rfind('\n', i == 0 ? 0 : i - 1) + 1, 160); };
  ADD_FAILURE() << name << " differs at line " << line << "\nwant: " << around(want) << "\ngot:  " << around(got);
}

// A finished page document as text, one item a line: its page, kind and
// corners, then pen, colours and font where they matter.
inline std::string page_text(const print::PageDocument& doc) {
  std::string out;
  char buf[160];
  for (int p = 1; p <= doc.page_count(); ++p) {
    for (const print::Item& i : doc.page_items(p)) {
      const char* kind = i.kind == print::Item::Kind::Text ? "text" : i.kind == print::Item::Kind::Line ? "line" : "rect";
      std::snprintf(buf, sizeof buf, "%d %s %g %g %g %g", p, kind, i.x1, i.y1, i.x2, i.y2);
      out += buf;
      if (i.colour != print::kBlack) out += " colour=" + std::to_string(i.colour);
      if (i.kind == print::Item::Kind::Text) {
        const print::Font& f = doc.item_font(i);
        std::snprintf(buf, sizeof buf, " %s %g%s%s%s%s \"", f.name.c_str(), f.size, f.bold ? " bold" : "",
                      f.italic ? " italic" : "", f.underline ? " underline" : "", i.running ? " running" : "");
        out += buf + std::string(doc.item_text(i)) + "\"";
      } else {
        std::snprintf(buf, sizeof buf, " pen=%g", i.pen_width);
        out += buf;
        if (i.kind == print::Item::Kind::Rectangle && i.filled) out += " fill=" + std::to_string(i.fill);
      }
      out += "\n";
    }
  }
  return out;
}

}  // namespace vft::test
