#pragma once

// The batch command's own lines on standard error: a row that failed or
// exceeded its limit, and the summary of the run.

#include <string>

namespace korvane {

// "第 4 行 二号锁：超限，w = -10.84秒，限差 ±4.19秒": the row by its line in
// the file and its name (a row without a name by its line alone), then what
// happened to it
std::string rowLine(long line, const std::string& name, const std::string& what);

struct BatchCounts {
    long passed = 0;
    long weak = 0; // within the limit, of weak geometry
    long exceeded = 0;
    long failed = 0;
    long all() const { return passed + weak + exceeded + failed; }
};

// "共 3 个图形：合格 1，超限 1，错误 1"; a run with weak figures counts them on
// their own: "共 4 个图形：合格 1，图形较弱 1，超限 1，错误 1"
std::string summaryLine(const BatchCounts& counts);

// a PDF was asked for and no figure could be put in it
std::string noReportsLine();

} // namespace korvane
