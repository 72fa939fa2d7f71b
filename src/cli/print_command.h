// vft print: a chart, data sheet or list of a Family file written as a PDF
// file, with the same pages the print preview would print; the family-names
// list can also be written as a text file.
#pragma once

namespace vft::cli {

inline constexpr const char* kPrintUsage =
    "  vft print FILE.vfl --chart descendants|pedigree --person N OUT.pdf\n"
    "  vft print FILE.vfl --sheet person|family --person N OUT.pdf\n"
    "  vft print FILE.vfl --sheet blank-family OUT.pdf\n"
    "  vft print FILE.vfl --list all|timeline|names OUT.pdf\n"
    "  vft print FILE.vfl --list family-name NAME OUT.pdf\n"
    "  vft print FILE.vfl --list names --text OUT.txt\n"
    "                                 a printout as the print window makes it, with\n"
    "                                 the page settings and items saved there unless\n"
    "                                 the options change them\n";

// The arguments after "print". Returns the exit code: 0 written, 1 the file,
// person or PDF failed, 2 the arguments were wrong.
int cmd_print(int argc, char** argv);

}  // namespace vft::cli
