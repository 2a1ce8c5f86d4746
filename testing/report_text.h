#pragma once

// What the tests read back from paper: the text of each printed line.

#include "report.h"

#include <QString>

#include <vector>

namespace korvane::testing {

struct PrintedLine {
    int number;   // 1 ... 57
    int fontSize;
    int column;
    QString text; // texts and spaces of the line, runs of blanks as one
};

// The lines of the report that carry text, in order; blank lines are left
// out, as a text extractor leaves them out.
inline std::vector<PrintedLine> printedLines(const Observations& o, const AdjustmentResult& r)
{
    std::vector<PrintedLine> lines;
    int number = 0;
    int size = titleFontSize;
    for (const ReportStep& step : reportSteps(o, r)) {
        if (const auto* change = std::get_if<FontSize>(&step)) {
            size = change->points;
            continue;
        }
        ++number;
        const Line& line = std::get<Line>(step);
        if (line.empty())
            continue;
        QString text;
        for (const LineItem& item : line) {
            if (const auto* t = std::get_if<Text>(&item))
                text += QString::fromStdString(*t);
            else if (const auto* spaces = std::get_if<Spaces>(&item))
                text += QString(spaces->count, ' ');
        }
        lines.push_back({number, size, std::get<Column>(line.front()).number, text.simplified()});
    }
    return lines;
}

} // namespace korvane::testing
