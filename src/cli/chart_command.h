// vft chart: an ancestors, descendants or fan chart of a Family file as an
// SVG, PNG or PDF picture, laid out as the chart window lays it out.
#pragma once

namespace vft::cli {

inline constexpr const char* kChartUsage =
    "  vft chart FILE.vfl --kind ancestors|descendants|fan --person N OUT.svg|OUT.png|OUT.pdf\n"
    "      [--generations G]          ancestors 2 to 10 (default 4), fan 3 to 9 (default 5),\n"
    "                                 descendants 0 for every generation (the default)\n"
    "      [--full-circle]            the fan as a full circle instead of a half\n"
    "      [--dpi D]                  PNG resolution, 96 (the default) is 100 %\n";

// The arguments after "chart". Returns the exit code: 0 written, 1 the file
// could not be read, the person is not on record or the picture could not be
// written, 2 the arguments were wrong.
int cmd_chart(int argc, char** argv);

}  // namespace vft::cli
