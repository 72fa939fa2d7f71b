// vft chart: an ancestors, descendants or fan chart of a Family file as an
// SVG, PNG or PDF picture, laid out as the chart window lays it out.
#pragma once

namespace vft::cli {

inline constexpr const char* kChartUsage =
    "  vft chart FILE.vfl --kind ancestors|descendants|fan --person N OUT.svg|OUT.png|OUT.pdf\n"
    "                                 the chart window's picture of a person's family\n";

// The arguments after "chart". Returns the exit code: 0 written, 1 the file
// could not be read, the person is not on record or the picture could not be
// written, 2 the arguments were wrong.
int cmd_chart(int argc, char** argv);

}  // namespace vft::cli
