// Whole documents compared with the files kept in golden/ beside the tests.
// Each file is a reviewed truth: its test says which rule it pins. Rewriting
// one is a deliberate step (tests/README.md): VFT_UPDATE_GOLDEN names the
// files to rewrite (part of a name, or "all"), and every rewrite prints the
// whole change as a unified diff, for the review before the commit.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "print/page_document.h"
#include "store/file_io.h"
#include "temp_session.h"

namespace vft::test {

// The first line where two texts part, and that line in each.
inline std::string first_difference(const std::string& want, const std::string& got) {
  std::size_t i = 0, line = 1;
  for (; i < want.size() && i < got.size() && want[i] == got[i]; ++i) line += want[i] == '\n';
  auto around = [&](const std::string& t) { return t.substr(t.rfind('\n', i == 0 ? 0 : i - 1) + 1, 160); };
  return "line " + std::to_string(line) + "\nwant: " + around(want) + "\ngot:  " + around(got);
}

inline void expect_golden(const std::string& name, const std::string& got, const std::string& dir = VFT_GOLDEN_DIR) {
  const std::string path = dir + "/" + name;
  auto b = fileio::read_all(path);
  const std::string want = b ? std::string(b->begin(), b->end()) : std::string();
  if (const char* which = std::getenv("VFT_UPDATE_GOLDEN");
      which && *which && (std::string(which) == "all" || name.find(which) != std::string::npos)) {
    if (want == got) return;
    const std::string before = (std::filesystem::temp_directory_path() / ("golden-before-" + name)).string();
    ASSERT_TRUE(put_file(before, Bytes(want.begin(), want.end())));
    ASSERT_TRUE(put_file(path, Bytes(got.begin(), got.end())));
    std::printf("golden file %s rewritten; it differs at %s\n", name.c_str(), first_difference(want, got).c_str());
    std::fflush(stdout);
    const int shown = std::system(
        ("diff -u --label 'before/" + name + "' --label 'after/" + name + "' '" + before + "' '" + path + "'").c_str());
    (void)shown;  // diff says 1 when the files differ, as they do
    std::filesystem::remove(before);
    return;
  }
  ASSERT_TRUE(b) << path;
  if (want != got) ADD_FAILURE() << name << " differs at " << first_difference(want, got);
}

// A finished page document as text, one item a line: its page, kind and
// corners, then pen, colours and font where they matter.
inline std::string page_text(const print::PageDocument& doc) {
  std::string out;
  char buf[160];
  for (int p = 1; p <= doc.page_count(); ++p) {
    for (const print::Item& i : doc.page_items(p)) {
      const char* kind = i.kind == print::Item::Kind::Text   ? "text"
                         : i.kind == print::Item::Kind::Line ? "line"
                                                             : "rect";
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
