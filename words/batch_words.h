#pragma once

// The batch command's own lines on standard error: a row that failed or
// exceeded its limit, and the summary of the run.

#include <string>

namespace korvane {

// "第 4 行 二号锁：超限，w = -10.84秒，限差 ±4.19秒": the row by its line in
// the file and its name (a row without a name by its line alone; the name
// quoted as quotedCell() quotes a cell), then what happened to it
std::string rowLine(long line, const std::string& name, const std::string& what);

// "点名 K12 在第 2 行与第 5 行的坐标不同": a point's name that the figure on
// `line` brings with other coordinates than the figure on `firstLine`
std::string pointClashText(const std::string& point, long firstLine, long line);

// The files of a batch run: its input and its outputs.
enum class BatchFile { Observations, Results, Reports, Points };

// An output of the batch that names the observation file or another output:
// "结果文件（--output）“./测区.csv”与观测文件“测区.csv”是同一个文件，……",
// each named by what it is and its path as given.
std::string sameFileLine(BatchFile file, const std::string& path, BatchFile other, const std::string& otherPath);

struct BatchCounts {
    long passed = 0;
    long exceeded = 0;
    long failed = 0;
    long all() const { return passed + exceeded + failed; }
};

// "共 3 个图形：合格 1，超限 1，错误 1"
std::string summaryLine(const BatchCounts& counts);

// a PDF was asked for and no figure could be put in it
std::string noReportsLine();

} // namespace korvane
