#include "figure_title.h"

#include "integer_text.h"
#include "shown_text.h"

#include <ctime>

namespace korvane {

namespace {

std::string lineText(long line)
{
    return "第 " + integerText(line) + " 行";
}

std::string twoDigits(int value)
{
    return (value < 10 ? "0" : "") + integerText(value);
}

} // namespace

std::string figureTitle(const FigureIdentity& figure)
{
    std::string title = quotedCell(figure.name);
    if (figure.fromFile())
        title += (title.empty() ? "" : " · ") + lineText(figure.line);
    return title;
}

std::string windowTitle(const FigureCompute& compute)
{
    const FigureIdentity& figure = compute.identity();
    if (!compute.finished() || !figure.fromFile())
        return "Korvane";
    return "Korvane — " + (figure.name.empty() ? lineText(figure.line) : quotedCell(figure.name));
}

std::optional<RunningHeader> runningHeader(const FigureIdentity& figure, std::chrono::system_clock::time_point computed)
{
    if (!figure.fromFile() && figure.name.empty())
        return std::nullopt;
    return RunningHeader{figureTitle(figure), dateText(computed)};
}

std::optional<RunningHeader> runningHeader(const FigureCompute& compute)
{
    return runningHeader(compute.identity(), compute.finishedAt());
}

std::string dateText(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    if (!::localtime_r(&seconds, &local))
        return {};
    return integerText(local.tm_year + 1900) + "-" + twoDigits(local.tm_mon + 1) + "-" + twoDigits(local.tm_mday);
}

} // namespace korvane
