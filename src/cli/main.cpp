// vft: batch work on Family files for users and scripts.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "chart_command.h"
#include "commands.h"
#include "duplicates_command.h"
#include "print_command.h"
#include "relate_command.h"
#include "web_command.h"

namespace {

const char* kUsage =
    "Usage:\n"
    "  vft dump FILE.vfl              print the whole tree as one JSON object\n"
    "  vft convert IN.vfl OUT.vfl     open a Family file and save it again (repack)\n"
    "  vft convert IN.vfl OUT.ged     export the tree as a GEDCOM file\n"
    "      [--flavour 5.5.1|7]        UTF-8 GEDCOM 5.5.1 or 7.0 for other programs\n"
    "      [--submitter-name TEXT] [--submitter-address1 TEXT] [--submitter-address2 TEXT]\n"
    "      [--submitter-address3 TEXT] [--submitter-phone TEXT] [--submitter-email TEXT]\n"
    "  vft convert IN.ged OUT.vfl     import a GEDCOM file into a new tree and save it\n"
    "  vft check FILE.vfl             check that a Family file is well formed and its tree\n"
    "                                 keeps its links; exit 0 when clean\n"
    "  vft print FILE.vfl --chart descendants|pedigree --person N OUT.pdf\n"
    "      [--generations G]          descendants chart: 1 to 12 generations\n"
    "                                 (default: the saved number, else 4)\n"
    "  vft print FILE.vfl --sheet person|family|blank-family [--person N] OUT.pdf\n"
    "  vft print FILE.vfl --list all|family-name NAME|names|timeline OUT.pdf\n"
    "      [--text OUT.txt]           family names as a text file instead\n"
    "      [--paper A3|A4|A5|Letter|Legal] [--landscape|--portrait] [--margins M]\n"
    "      [--font NAME:SIZE] [--items LIST | --all-items]   (see vft print --help)\n"
    "  vft web FILE.vfl OUTDIR        write the family web pages into OUTDIR\n"
    "      [--style modern|classic] [--html] [--include-living-dates]\n"
    "      [--colours BG,TEXT,LINK,VISITED]\n"
    "  vft relate FILE.vfl A B        how persons A and B (Person numbers) are related\n"
    "  vft chart FILE.vfl --kind ancestors|descendants|fan --person N OUT.svg|OUT.png|OUT.pdf\n"
    "      [--generations G] [--full-circle] [--dpi D]   (see vft chart --help)\n"
    "  vft duplicates FILE.vfl        pairs of persons who may be recorded twice, best first\n"
    "      [--min-score N] [--limit N] [--json]\n"
    "  vft merge FILE.vfl KEEP DROP   join person DROP into person KEEP and save the file\n"
    "  vft help                       show this text\n";

int usage_error(const std::string& what) {
  std::fprintf(stderr, "vft: %s\n\n%s", what.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string cmd = argv[1];
  if (cmd == "help" || cmd == "--help" || cmd == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (cmd == "dump" && argc == 3) return vft::cli::cmd_dump(argv[2]);
  if (cmd == "check" && argc == 3) return vft::cli::cmd_check(argv[2]);
  if (cmd == "print") return vft::cli::cmd_print(argc - 2, argv + 2);
  if (cmd == "web") return vft::cli::cmd_web(argc - 2, argv + 2);
  if (cmd == "relate") return vft::cli::cmd_relate(argc - 2, argv + 2);
  if (cmd == "chart") return vft::cli::cmd_chart(argc - 2, argv + 2);
  if (cmd == "duplicates") return vft::cli::cmd_duplicates(argc - 2, argv + 2);
  if (cmd == "merge") return vft::cli::cmd_merge(argc - 2, argv + 2);
  if (cmd == "convert") {
    vft::cli::ConvertOptions o;
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
      std::string a = argv[i];
      auto value = [&](std::string& field, bool& set) {
        if (i + 1 >= argc) return false;
        field = argv[++i];
        set = true;
        return true;
      };
      bool ok = true;
      bool dummy = false;
      if (a == "--flavour") {
        ok = value(o.flavour, dummy);
        if (ok && o.flavour == "7.0") o.flavour = "7";
        if (ok && o.flavour != "5.5.1" && o.flavour != "7") return usage_error("unknown flavour: " + o.flavour);
      } else if (a == "--submitter-name") ok = value(o.name, o.name_set);
      else if (a == "--submitter-address1") ok = value(o.address1, o.address1_set);
      else if (a == "--submitter-address2") ok = value(o.address2, o.address2_set);
      else if (a == "--submitter-address3") ok = value(o.address3, o.address3_set);
      else if (a == "--submitter-phone") ok = value(o.phone, o.phone_set);
      else if (a == "--submitter-email") ok = value(o.email, o.email_set);
      else if (a.rfind("--", 0) == 0) return usage_error("unknown option: " + a);
      else files.push_back(a);
      if (!ok) return usage_error("option " + a + " needs a value");
    }
    if (files.size() != 2) return usage_error("convert needs an input and an output file");
    return vft::cli::cmd_convert(files[0], files[1], o);
  }
  return usage_error("unknown command or wrong number of arguments: " + cmd);
}
