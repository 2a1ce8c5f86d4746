#pragma once

// The report on screen, page by page as it would print (see report_page.h);
// printing from the preview prints the same report.

#include "figure_sheet.h"
#include "figure_title.h"
#include "records.h"

class QWidget;

namespace korvane {

// Shows the modal preview titled "打印预览", with the page of the figure after
// the report's when `figurePage` is given, each page under `header` when it
// is given. Throws PrintError when printing from it fails; the records are
// only read.
void showReportPreview(QWidget* parent, const Observations& observations, const AdjustmentResult& result,
                       const FigureOrNotice* figurePage = nullptr, const RunningHeader* header = nullptr);

} // namespace korvane
