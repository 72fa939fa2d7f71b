// vft relate: how two persons of a Family file are related, in plain English.
#pragma once

namespace vft::cli {

inline constexpr const char* kRelateUsage =
    "  vft relate FILE.vfl A B        how persons A and B (Person numbers) are related\n";

// The arguments after "relate". Returns the exit code: 0 answered (related or
// not), 1 the file could not be read or a person is not on record, 2 the
// arguments were wrong.
int cmd_relate(int argc, char** argv);

}  // namespace vft::cli
