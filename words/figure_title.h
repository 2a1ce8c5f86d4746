#pragma once

// What a figure from a file is called wherever its results are shown: the
// window's title, the running header above each of its pages, the heading
// of a page for a line that could not be computed. A typed figure has no
// name, and none of these says anything of it: its window is titled
// "Korvane" and its pages are the report as it always was.

#include "figure_compute.h"
#include "figure_identity.h"

#include <chrono>
#include <optional>
#include <string>

namespace korvane {

// "一号锁 · 第 2 行"; "第 2 行" for a line without a name; the name quoted as
// a message quotes a cell (shown_text.h)
std::string figureTitle(const FigureIdentity& figure);

// "Korvane — 一号锁" while the results of a figure from a file are shown (a
// figure without a name by its line), "Korvane" otherwise: for a typed
// figure, before any compute, and after a compute that stopped, whose fields
// are no figure's results.
std::string windowTitle(const FigureCompute& compute);

// The line above a page's own lines: whose page it is on the left, the date
// of the compute on the right, so that a page torn out still says both.
struct RunningHeader {
    std::string left;
    std::string right;
};

// the header of the pages of `figure`, computed at `computed`; nothing for a
// typed figure, whose pages stay as they are
std::optional<RunningHeader> runningHeader(const FigureIdentity& figure,
                                           std::chrono::system_clock::time_point computed);

// the same for the last compute of `compute`
std::optional<RunningHeader> runningHeader(const FigureCompute& compute);

// the local date of `time` as a surveyor dates a form: "2024-05-01"
std::string dateText(std::chrono::system_clock::time_point time);

} // namespace korvane
