// vft duplicates and vft merge: persons recorded twice, found and joined.
#pragma once

namespace vft::cli {

inline constexpr const char* kDuplicatesUsage =
    "  vft duplicates FILE.vfl        pairs of persons who may be recorded twice, best first\n";
inline constexpr const char* kMergeUsage =
    "  vft merge FILE.vfl KEEP DROP   join person DROP into person KEEP and save the file\n";

// The arguments after the command word. Exit codes: 0 done, 1 the file could
// not be read (or, for merge, the merge was refused or not saved), 2 wrong
// arguments.
int cmd_duplicates(int argc, char** argv);
int cmd_merge(int argc, char** argv);

}  // namespace vft::cli
