#include "dialog_placement.h"
#include "form1.h"
#include "form_window.h"
#include "guided_entry.h"
#include "layout.h"

#include <QInputDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

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

} // namespace
} // namespace korvane
