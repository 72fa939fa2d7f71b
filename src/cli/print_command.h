// vft print: a chart of a Family file written as a PDF file, with the same
// pages the print preview would print.
#pragma once

namespace vft::cli {

inline constexpr const char* kPrintUsage =
    "  vft print FILE.vfl --chart descendants|pedigree --person N OUT.pdf\n"
    "      [--generations G]          descendants chart: 1 to 12 generations\n"
    "                                 (default: the saved number, else 4)\n"
    "      [--landscape] [--paper A4|Letter]\n";

// The arguments after "print". Returns the exit code: 0 written, 1 the file,
// person or PDF failed, 2 the arguments were wrong.
int cmd_print(int argc, char** argv);

}  // namespace vft::cli
