#pragma once

// The program's command line: one parser for all its options, read before
// the window's application exists, so that what the command line answers by
// itself (--help, --version) needs no display. A command of its own joins
// with its option in addOptions() and its answer in answerCommandLine().

#include <optional>

namespace korvane {

// Until QApplication has taken its own options (-platform, -style …) out of
// argv, an option unknown here may be one of them.
enum class QtOptions { NotYetTaken, Taken };

// Answers a command line that asks for something other than the window: the
// help or the version on standard output, in Chinese, or a mistake on
// standard error. Returns the exit code to end with, or nothing when the
// window is to open.
std::optional<int> answerCommandLine(int& argc, char** argv, QtOptions qtOptions);

} // namespace korvane
