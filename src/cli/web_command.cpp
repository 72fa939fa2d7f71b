#include "web_command.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli_session.h"
#include "common/cp1252.h"
#include "interchange/web_pages.h"
#include "store/familyfile.h"
#include "store/file_io.h"

namespace vft::cli {
namespace {

int usage(const std::string& what) {
  std::fprintf(stderr, "vft: %s\n\nUsage:\n%s", what.c_str(), kWebUsage);
  return 2;
}

// "#RRGGBB" or "RRGGBB".
bool parse_colour(std::string text, std::uint32_t& out) {
  if (!text.empty() && text.front() == '#') text.erase(0, 1);
  if (text.size() != 6) return false;
  std::uint32_t v = 0;
  for (char c : text) {
    int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
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
  std::vector<std::string> files;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--html") {
      o.HTMLMode = true;
    } else if (a == "--style") {
      const std::string v = i + 1 < argc ? argv[++i] : "";
      if (v != "classic" && v != "modern") return usage("option --style needs classic or modern");
      o.style = v == "classic" ? WebStyle::Classic : WebStyle::Modern;
    } else if (a == "--include-living-dates") {
      o.IncludeBirthdays = true;
    } else if (a == "--colours") {
      if (i + 1 >= argc) return usage("option --colours needs a value");
      if (!parse_colours(argv[++i], o.colours))
        return usage(std::string("colours must be four colours of six hex digits, BG,TEXT,LINK,VISITED: ") + argv[i]);
    } else if (a.rfind("--", 0) == 0) {
      return usage("unknown option: " + a);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return usage("web needs a Family file and an output folder");

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
  std::printf("%ld family pages, %ld people: %s\n", r.counts.family_pages, r.counts.people,
              r.index_file.c_str());
  if (const std::string links = ReplacedLinksText(r.counts); !links.empty()) std::printf("%s\n", links.c_str());
  return 0;
}

}  // namespace vft::cli
