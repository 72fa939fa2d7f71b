// vft web: the family web pages of a Family file, written without questions.
#pragma once

namespace vft::cli {

inline constexpr const char* kWebUsage = "  vft web FILE.vfl OUTDIR        write the family web pages into OUTDIR\n";

// The arguments after "web". Returns the exit code: 0 written, 1 the file could
// not be read or the pages not written, 2 the arguments were wrong.
int cmd_web(int argc, char** argv);

}  // namespace vft::cli
