#pragma once

// Korvane as a command-line program: --batch, and --help and --version as
// command-line programs have them. Runs without a display (over ssh, with no
// X server): no window is made, and the PDF of the batch is drawn on Qt's
// offscreen platform.

#include <optional>

namespace korvane {

// The exit status when the arguments ask for the command line (any of its
// options), or nothing when they do not and the window is to start.
std::optional<int> runCommandLine(int argc, char* argv[]);

// Once the window's application has taken Qt's own options out of argv, any
// argument left is a mistake (a mistyped option, a file named without
// --batch): its exit status, the mistake said on standard error; nothing
// when argv holds the program's name alone.
std::optional<int> refuseLeftoverArguments(int argc, char* argv[]);

} // namespace korvane
