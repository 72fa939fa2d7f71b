// End-to-end runs of `vft chart` on the sample tree: an SVG that an XML
// parser reads, a PNG of the size the layout and the resolution give, a PDF,
// and the refusals with their exit codes.
#include <gtest/gtest.h>

#include <cmath>

#include "charts/chart_layout.h"
#include "run_tool.h"

using namespace vft;

namespace {

class ChartCli : public test::ToolTest {};

// Width and height from a PNG file's IHDR chunk.
std::pair<long, long> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {-1, -1};
  auto be = [&](std::size_t at) {
    long v = 0;
    for (std::size_t k = 0; k < 4; ++k) v = v * 256 + static_cast<unsigned char>(bytes[at + k]);
    return v;
  };
  return {be(16), be(20)};
}

TEST_F(ChartCli, WritesPicturesAndRefusesBadArguments) {
  const std::string sample = VFT_SOURCE_DIR "/examples/sample.vfl";
  const std::string f = "chart " + test::shell_quote(sample) + " ";
  ASSERT_EQ(OpenFamilyFile(s, sample, OpenAccess::Inspect), -1);

  ASSERT_EQ(vft(f + "--kind fan --person 1 --generations 4 " + test::shell_quote(dir + "fan.svg")).code, 0);
  // Parsed by an XML parser: an svg root with texts in it.
  const test::ToolRun xml = test::run_tool(
      "python3 -c 'import sys,xml.etree.ElementTree as E; r=E.parse(sys.argv[1]).getroot(); "
      "print(r.tag, len(r.findall(\".//{http://www.w3.org/2000/svg}text\")) > 0)' " +
          test::shell_quote(dir + "fan.svg"),
      dir + "py.txt");
  EXPECT_EQ(xml.out, "{http://www.w3.org/2000/svg}svg True\n") << xml.err;

  ASSERT_EQ(vft(f + "--kind ancestors --person 1 --dpi 300 " + test::shell_quote(dir + "a.png")).code, 0);
  const chart::Layout l = chart::LayOut(s, 1, {chart::Kind::Ancestors, 4});
  EXPECT_EQ(PngSize(test::file_text(dir + "a.png")), std::make_pair(static_cast<long>(std::ceil(l.width * 300 / 96)),
                                                                    static_cast<long>(std::ceil(l.height * 300 / 96))));
  ASSERT_EQ(vft(f + "--kind descendants --person 1 " + test::shell_quote(dir + "d.pdf")).code, 0);
  EXPECT_EQ(test::file_text(dir + "d.pdf").substr(0, 5), "%PDF-");

  const struct {
    std::string args;
    int code;
    std::string err;
  } refusals[] = {
      {"--kind tree --person 1 x.svg", 2, "vft: --kind must be"},
      {"--kind fan --person 1 --generations 12 x.svg", 2, "vft: --generations 12 is out of range"},
      {"--kind fan --person 1 x.gif", 2, "vft: the picture file must end in"},
      {"--kind fan x.svg", 2, "vft: --person N is needed"},
      {"--kind fan --person 30000 x.svg", 1, "vft: there is no person 30000"},
      {"--kind descendants --person 1 --dpi 2400 x.png", 1, "vft: At 2400 dpi the picture would be"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.args);
    const test::ToolRun run = vft(f + r.args);
    EXPECT_EQ(run.code, r.code);
    EXPECT_EQ(run.err.substr(0, r.err.size()), r.err);
  }
  EXPECT_FALSE(fileio::exists("x.svg"));
}

}  // namespace
