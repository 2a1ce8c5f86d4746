#include "beside_placement.h"
#include "dialog_placement.h"
#include "form1.h"
#include "form_window.h"
#include "guided_entry.h"
#include "layout.h"
#include "results_display.h"

#include <QInputDialog>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

namespace korvane {
namespace {

// the frame a window manager draws around a dialog, openbox's: a title bar
// above, thin borders elsewhere
const QMargins windowManagerFrame(1, 20, 1, 5);

// Every prompt and confirmation of the entry, as big as the real dialog
// draws it, placed for the real field and caption of the real window, which
// opens at the top-left corner of the screen and scrolls the field into
// view: the dialog covers neither, and stays on the screen.
TEST(DialogPlacement, NoEntryDialogCoversItsFieldOrCaptionAtTwoScreenSizes)
{
    const struct {
        const char* name;
        QRect available;
    } screens[] = {
        {"1920 x 1080 less a 40-pixel panel", QRect(0, 0, 1920, 1040)},
        {"the same at a screen scale of 2", QRect(0, 0, 960, 520)},
    };
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.name);
        FormWindow window;
        window.setForm(new Form1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.fitInto(screen.available);
        const QPoint client = screen.available.topLeft() + QPoint(windowManagerFrame.left(), windowManagerFrame.top());

        for (const entry::Row& row : entry::rows()) {
            SCOPED_TRACE(row.field);
            QWidget* field = window.widget()->findChild<QWidget*>(QString::fromLatin1(row.field));
            QWidget* caption =
                window.widget()->findChild<QWidget*>(QString::fromLatin1(layout::find(row.field)->captionLabel));
            const QRect both = field->geometry().united(caption->geometry());
            window.ensureVisible(both.center().x(), both.center().y(), both.width() / 2 + 1, both.height() / 2 + 1);
            const auto onScreen = [&](const QWidget* widget) {
                return QRect(client + widget->mapTo(&window, QPoint(0, 0)), widget->size());
            };
            const QRect fieldRect = onScreen(field);
            const QRect captionRect = onScreen(caption);
            const QRect inView(client + window.viewport()->pos(), window.viewport()->size());
            ASSERT_TRUE(inView.contains(fieldRect) && inView.contains(captionRect)) << "the field is in view";

            for (const char* text : {row.prompt, row.firstConfirmation, row.reentryPrompt,
                                     entry::standardConfirmation}) {
                SCOPED_TRACE(text);
                QInputDialog dialog;
                dialog.setLabelText(QString::fromUtf8(text));
                dialog.setOkButtonText(QStringLiteral("确定"));
                dialog.setCancelButtonText(QStringLiteral("取消"));
                dialog.adjustSize();
                const QSize frame = dialog.size().grownBy(windowManagerFrame);
                const QRect placed(dialogPosition(frame, fieldRect, captionRect, screen.available), frame);
                EXPECT_FALSE(placed.intersects(fieldRect));
                EXPECT_FALSE(placed.intersects(captionRect));
                EXPECT_TRUE(screen.available.contains(placed));
            }
        }
    }
}

std::int64_t covered(const QRect& placed, const QRect& covered)
{
    const QRect common = placed.intersected(covered);
    return common.isEmpty() ? 0 : std::int64_t(common.width()) * common.height();
}

// Where no place beside the field is left, the dialog covers as little of
// the field, then of its caption, as any place on the screen would: checked
// against every place, one pixel apart.
TEST(DialogPlacement, OnAScreenTooSmallTheDialogCoversAsLittleOfTheFieldAsAnyPlace)
{
    const struct {
        const char* name;
        QSize frame;
        QRect field, caption, available;
    } cases[] = {
        {"too tall to pass a tall field above or below", QSize(600, 300), QRect(100, 150, 400, 180), QRect(),
         QRect(0, 0, 640, 480)},
        {"too tall and too wide", QSize(600, 420), QRect(20, 200, 300, 100), QRect(20, 180, 300, 20),
         QRect(0, 0, 640, 480)},
        {"a panel at the top", QSize(620, 400), QRect(300, 250, 89, 18), QRect(300, 234, 89, 16),
         QRect(0, 40, 640, 440)},
        {"larger than the screen", QSize(700, 500), QRect(300, 250, 89, 18), QRect(300, 234, 89, 16),
         QRect(0, 0, 640, 480)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed(dialogPosition(c.frame, c.field, c.caption, c.available), c.frame);
        EXPECT_GE(placed.left(), c.available.left()) << "the title bar on the screen";
        EXPECT_GE(placed.top(), c.available.top()) << "the title bar on the screen";

        const auto cover = [&](const QRect& at) { return std::make_tuple(covered(at, c.field), covered(at, c.caption)); };
        auto least = cover(placed);
        const int lastX = std::max(c.available.left(), c.available.right() + 1 - c.frame.width());
        const int lastY = std::max(c.available.top(), c.available.bottom() + 1 - c.frame.height());
        for (int x = c.available.left(); x <= lastX; ++x)
            for (int y = c.available.top(); y <= lastY; ++y)
                least = std::min(least, cover(QRect(QPoint(x, y), c.frame)));
        EXPECT_EQ(cover(placed), least);
        if (c.frame.width() <= c.available.width() && c.frame.height() <= c.available.height()) {
            EXPECT_TRUE(c.available.contains(placed));
        }
    }
}

// The frame covers as few results, then as little of them, as the frame of
// its size at any place across the screen: checked one pixel apart.
void expectFewestCovered(const QRect& placed, const std::vector<QRect>& results, const QRect& available)
{
    const auto cover = [&](const QRect& at) {
        int count = 0;
        std::int64_t area = 0;
        for (const QRect& result : results)
            if (const std::int64_t common = covered(at, result); common > 0)
                ++count, area += common;
        return std::make_tuple(count, area);
    };
    auto fewest = cover(placed);
    for (int x = available.left(); x + placed.width() <= available.right() + 1; ++x)
        fewest = std::min(fewest, cover(QRect(x, available.top(), placed.width(), available.height())));
    EXPECT_EQ(cover(placed), fewest);
}

// The window of the figure beside the real main window, framed and placed
// where openbox really opens it on each screen (centred where it fits, else
// at the top-left corner), its results where they then lie: to the right of
// it where the figure fits, else to its left, else over as few results, and
// as little of them, as any place on the screen; always whole on the screen.
TEST(FigureWindowPlacement, BesideTheMainWindowOrOverTheFewestResults)
{
    // frame widths: the window's 1060 and its least 480 pixels, and openbox's
    // borders
    const int wanted = 1062;
    const int least = 482;
    const struct {
        const char* name;
        QRect available;
        QRect main;      // its frame
        bool scrolledDown; // to the buttons, as the entry leaves a small screen
        std::optional<QRect> expected; // nothing: over the main window
    } cases[] = {
        {"1920 x 1080: right of it, as wide as the room", QRect(0, 0, 1920, 1080), QRect(534, 191, 851, 698), false,
         QRect(1385, 0, 535, 1080)},
        {"1920 x 1080, room on the right for the least width alone", QRect(0, 0, 1920, 1080),
         QRect(587, 191, 851, 698), false, QRect(1438, 0, 482, 1080)},
        {"1920 x 1080, the main window moved right: left of it", QRect(0, 0, 1920, 1080),
         QRect(1069, 191, 851, 698), false, QRect(7, 0, 1062, 1080)},
        {"1366 x 768", QRect(0, 0, 1366, 768), QRect(257, 35, 851, 698), false, std::nullopt},
        {"1024 x 600 at start-up", QRect(0, 0, 1024, 600), QRect(0, 0, 865, 600), false, std::nullopt},
        {"1024 x 600 after an entry", QRect(0, 0, 1024, 600), QRect(0, 0, 865, 600), true, std::nullopt},
        {"narrower than the window at a screen scale of 2", QRect(0, 0, 400, 520), QRect(0, 0, 400, 520), false,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormWindow window;
        window.setForm(new Form1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.fitInto(c.main.marginsRemoved(windowManagerFrame));
        if (c.scrolledDown)
            window.verticalScrollBar()->setValue(window.verticalScrollBar()->maximum());
        const QPoint client = c.main.topLeft() + QPoint(windowManagerFrame.left(), windowManagerFrame.top());
        const QRect inView(client + window.viewport()->pos(), window.viewport()->size());
        std::vector<QRect> results;
        const auto onScreen = [&](const char* name) {
            const QWidget* widget = window.widget()->findChild<QWidget*>(QString::fromLatin1(name));
            results.push_back(QRect(client + widget->mapTo(&window, QPoint(0, 0)), widget->size()) & inView);
        };
        onScreen("CheckLine");
        for (const display::Row& row : display::rows())
            onScreen(row.field);

        const QRect placed = besideFrame(wanted, least, c.main, results, c.available);
        EXPECT_TRUE(c.available.contains(placed)) << "title bar and close button on the screen";
        EXPECT_EQ(placed.width(), c.expected ? c.expected->width() : std::min(least, c.available.width()));
        if (c.expected) {
            EXPECT_EQ(placed, *c.expected);
            EXPECT_FALSE(placed.intersects(c.main));
            continue;
        }
        expectFewestCovered(placed, results, c.available);
    }
}

// Results placed so that the fewest, and the least of them, lie away from
// both ends of the screen: a tall block and a short one with a gap between
// them narrower than the window; three columns with two gaps.
TEST(FigureWindowPlacement, OverTheMainWindowItCoversAsLittleAsAnyPlace)
{
    const struct {
        const char* name;
        std::vector<QRect> results;
    } cases[] = {
        {"least over the short block, just clear of the tall one",
         {QRect(0, 100, 610, 200), QRect(700, 100, 500, 100)}},
        {"in the wider of two gaps",
         {QRect(0, 0, 300, 50), QRect(700, 0, 20, 50), QRect(1190, 0, 10, 50)}},
        {"three columns, each row a result",
         {QRect(10, 100, 200, 20), QRect(10, 130, 200, 20), QRect(500, 100, 200, 20), QRect(900, 100, 250, 20),
          QRect(900, 130, 250, 20)}},
    };
    const QRect available(0, 0, 1200, 600);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = besideFrame(1062, 482, available, c.results, available);
        EXPECT_TRUE(available.contains(placed));
        EXPECT_EQ(placed.width(), 482);
        expectFewestCovered(placed, c.results, available);
    }
}

} // namespace
} // namespace korvane
