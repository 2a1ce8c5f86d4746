#include "report_preview.h"

#include "font_mapping.h"
#include "print_error.h"
#include "report_document.h"
#include "report_page.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <exception>

namespace korvane {

void showReportPreview(QWidget* parent, const Observations& observations, const AdjustmentResult& result,
                       const FigureOrNotice* figurePage, const RunningHeader* header)
{
    mapLayoutFonts();
    std::unique_ptr<QPrinter> printer = reportPrinter();
    QPrintPreviewDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    // tall enough to read the lines of a whole page without zooming, and
    // wide enough for the whole toolbar with its print button
    if (const QScreen* screen = dialog.screen()) {
        const QRect space = screen->availableGeometry();
        const int width = std::max(dialog.sizeHint().width(), space.height() * 3 / 4);
        dialog.resize(std::min(space.width(), width), space.height() * 9 / 10);
    }

    // the preview draws the pages, and its print button prints them, through
    // this one call; a fault must not pass through Qt's signal
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        try {
            printReportDocument(*target, observations, result, figurePage, header);
        } catch (const PrintError&) {
            if (!failure)
                failure = std::current_exception();
        }
    });
    dialog.exec();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace korvane
