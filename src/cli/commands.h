// vft dump, convert and check: a Family file as JSON, in another form, checked.
#pragma once

namespace vft::cli {

inline constexpr const char* kDumpUsage = "  vft dump FILE.vfl              print the whole tree as one JSON object\n";
inline constexpr const char* kConvertUsage =
    "  vft convert IN.vfl OUT.vfl     open a Family file and save it again (repack)\n"
    "  vft convert IN.vfl OUT.ged     export the tree as a GEDCOM file\n"
    "  vft convert IN.ged OUT.vfl     import a GEDCOM file into a new tree and save it\n";
inline constexpr const char* kCheckUsage =
    "  vft check FILE.vfl             check that a Family file is well formed and its tree\n"
    "                                 keeps its links; exit 0 when clean\n";

// The arguments after the command word. Each returns the process exit code:
// 0 done, 1 refused or problems found, 2 the arguments were wrong.
int cmd_dump(int argc, char** argv);
int cmd_convert(int argc, char** argv);
int cmd_check(int argc, char** argv);

}  // namespace vft::cli
