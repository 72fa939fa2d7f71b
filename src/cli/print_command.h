// vft print: a chart, data sheet or list of a Family file written as a PDF
// file, with the same pages the print preview would print; the family-names
// list can also be written as a text file.
#pragma once

namespace vft::cli {

inline constexpr const char* kPrintUsage =
    "  vft print FILE.vfl --chart descendants|pedigree --person N OUT.pdf\n"
    "      [--generations G]          descendants chart: 1 to 12 generations\n"
    "                                 (default: the saved number, else 4)\n"
    "  vft print FILE.vfl --sheet person --person N OUT.pdf\n"
    "  vft print FILE.vfl --sheet family --person N [--partner M] OUT.pdf\n"
    "                                 (default partner: the first recorded)\n"
    "  vft print FILE.vfl --sheet blank-family OUT.pdf\n"
    "  vft print FILE.vfl --list all|timeline OUT.pdf\n"
    "  vft print FILE.vfl --list family-name NAME OUT.pdf\n"
    "      [--sort number|name]       person lists (default: the saved order)\n"
    "  vft print FILE.vfl --list names OUT.pdf | --text OUT.txt\n"
    "      [--format comma|4|3]       family names (default: the saved format)\n"
    "  every printout takes the page settings and items saved for it in the\n"
    "  print window, and these to change them:\n"
    "      [--paper A3|A4|A5|Letter|Legal] [--landscape | --portrait]\n"
    "      [--margins M | L,R,T,B]     each with its unit: 1in, 2.5cm, 20mm\n"
    "      [--font NAME:SIZE]          e.g. Arial:10, Times New Roman:12, :9\n"
    "      [--items LIST | --all-items]\n"
    "                                 LIST: names separated by commas, exactly\n"
    "                                 the items to print; the names are:\n";

// The arguments after "print". Returns the exit code: 0 written, 1 the file,
// person or PDF failed, 2 the arguments were wrong.
int cmd_print(int argc, char** argv);

}  // namespace vft::cli
