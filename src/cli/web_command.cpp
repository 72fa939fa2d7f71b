#include "web_command.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli_session.h"
#include "common/cp1252.h"
#include "interchange/web_pages.h"
#include "options.h"
#include "store/familyfile.h"
#include "store/file_io.h"

namespace vft::cli {
namespace {

// "#RRGGBB" or "RRGGBB".
bool parse_colour(std::string text, std::uint32_t& out) {
  if (!text.empty() && text.front() == '#') text.erase(0, 1);
  if (text.size() != 6) return false;
  std::uint32_t v = 0;
  for (char c : text) {
    int d = (c >= '0' && c <= '9')   ? c - '0'
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                     : -1;
    if (d < 0) return false;
    v = v * 16 + static_cast<std::uint32_t>(d);
  }
  out = v;
  return true;
}

bool parse_colours(const std::string& list, WebColours& c) {
  std::vector<std::string> parts(1);
  for (char ch : list) {
    if (ch == ',') parts.emplace_back();
    else parts.back() += ch;
  }
  return parts.size() == 4 && parse_colour(parts[0], c.BackColour) && parse_colour(parts[1], c.NormTextColour) &&
         parse_colour(parts[2], c.LinkColour) && parse_colour(parts[3], c.VisitedColour);
}

}  // namespace

int cmd_web(int argc, char** argv) {
  WebOptions o;
  const CommandLine line{
      "web",
      kWebUsage,
      {{"--style", "modern|classic",
        "page style (default modern: for phones\nand desktops, with a front page index.html)",
        OneOf(o.style, {{"modern", WebStyle::Modern}, {"classic", WebStyle::Classic}}, "style")},
       {"--html", "", "name the pages .html instead of .htm", Put(o.HTMLMode, true)},
       {"--include-living-dates", "", "show birth and marriage dates of the living", Put(o.IncludeBirthdays, true)},
       {"--colours", "BG,TEXT,LINK,VISITED", "page colours as six hex digits each",
        [&](OptionArg& v) {
          return parse_colours(v.value, o.colours)
                     ? std::string()
                     : "colours must be four colours of six hex digits, BG,TEXT,LINK,VISITED: " + v.value;
        }}},
      2,
      2,
      "web needs a Family file and an output folder"};
  std::vector<std::string> files;
  if (auto done = ParseCommandLine(line, argc, argv, files)) return *done;

  CliSession cs;
  if (!cs.open(files[0])) return 1;

  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path out = fs::absolute(files[1], ec);
  if (!ec && !fs::is_directory(out)) fs::create_directories(out, ec);
  if (ec || !fs::is_directory(out)) {
    std::fprintf(stderr, "vft: cannot use the folder %s%s%s\n", files[1].c_str(), ec ? ": " : "",
                 ec ? ec.message().c_str() : "");
    return 1;
  }
  o.folder = out.string();
  WebResult r = WriteWebSite(cs.session(), o, {});
  if (r.status != WebStatus::Done) {
    std::fprintf(stderr, "vft: %s\n", cp1252::to_utf8(r.message).c_str());
    return 1;
  }
  std::printf("%ld family pages, %ld people: %s\n", r.counts.family_pages, r.counts.people, r.index_file.c_str());
  if (const std::string links = ReplacedLinksText(r.counts); !links.empty()) std::printf("%s\n", links.c_str());
  return 0;
}

}  // namespace vft::cli
