#include "check_line.h"
#include "checked_networks.h"
#include "form1.h"
#include "form_window.h"
#include "layout.h"
#include "layout_qt.h"
#include "line_control.h"

#include "adjustment.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace korvane {
namespace {

using testing::CheckedNetwork;
using testing::checkedNetworks;

const QRegularExpression controlName(QStringLiteral("^(Text|Label|Line|Command)(\\d+)$"));

QList<QWidget*> controls(const Form1& form)
{
    QList<QWidget*> found;
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (controlName.match(child->objectName()).hasMatch())
            found << child;
    return found;
}

TEST(Layout, EveryControlIsThereOnceUnderItsName)
{
    Form1 form;
    std::map<QString, int> perKind;
    QSet<QString> names;
    for (const QWidget* control : controls(form)) {
        EXPECT_FALSE(names.contains(control->objectName())) << control->objectName().toStdString();
        names.insert(control->objectName());
        ++perKind[controlName.match(control->objectName()).captured(1)];
    }
    EXPECT_EQ(perKind["Text"], 28);
    EXPECT_EQ(perKind["Label"], 74); // Label1 to Label76 but for 48 and 49
    EXPECT_EQ(perKind["Line"], 11);
    EXPECT_EQ(perKind["Command"], 3);
    for (int i = 1; i <= 28; ++i)
        EXPECT_NE(form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i)), nullptr) << i;
    for (int i = 1; i <= 11; ++i)
        EXPECT_NE(form.findChild<LineControl*>(QStringLiteral("Line%1").arg(i)), nullptr) << i;
}

TEST(Layout, EveryControlLiesInsideTheWindowButTheHiddenLabel)
{
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Korvane"));
    const QRect client = form.rect();
    for (const QWidget* control : controls(form)) {
        if (control->objectName() == QStringLiteral("Label20")) {
            EXPECT_LT(control->geometry().right(), 0) << "whatever the window's size";
            continue;
        }
        EXPECT_TRUE(client.contains(control->geometry())) << control->objectName().toStdString();
    }
    // twips to pixels at 15 to one
    EXPECT_EQ(form.findChild<QLineEdit*>("Text1")->geometry(), QRect(232, 176, 89, 18));
}

// The window opens as large as the form where the screen holds it, and can
// be made no smaller; on a smaller screen it fits the screen and scrolls to
// every field and button, each in its place in the unsqueezed form.
TEST(Layout, TheWindowFitsTheScreenAndScrollsToEveryControl)
{
    const struct {
        const char* name;
        QRect available;
        bool scrolls;
        bool sideways; // the screen is narrower than the form and a scroll bar
    } screens[] = {
        {"1920 x 1080 less a 40-pixel panel", QRect(0, 0, 1920, 1040), false, false},
        {"the same at a screen scale of 2", QRect(0, 0, 960, 520), true, false},
        {"800 x 600 with a panel at the top", QRect(0, 40, 800, 560), true, true},
    };
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.name);
        FormWindow window;
        auto* form = new Form1;
        window.setForm(form);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.fitInto(screen.available);
        QApplication::processEvents(); // the window system's word on the new size

        const QSize whole = form->minimumSize();
        EXPECT_EQ(whole, layout::clientPixels()) << "the size the window opens at before the form is built";
        const QSize framed = window.frameGeometry().size();
        EXPECT_TRUE(framed.width() <= screen.available.width() && framed.height() <= screen.available.height())
            << framed.width() << " x " << framed.height();
        EXPECT_EQ(window.size() != whole, screen.scrolls);
        EXPECT_EQ(window.minimumSize(), window.size());
        window.resize(100, 100);
        QApplication::processEvents();
        EXPECT_EQ(window.size(), window.minimumSize()) << "made no smaller";
        EXPECT_EQ(form->size(), whole) << "the form is never squeezed";
        EXPECT_EQ(window.verticalScrollBar()->isVisible(), screen.scrolls);
        EXPECT_EQ(window.horizontalScrollBar()->isVisible(), screen.sideways);

        for (QWidget* control : form->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QPushButton*>(control))
                continue;
            SCOPED_TRACE(control->objectName().toStdString());
            const QPoint centre = control->geometry().center();
            window.ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1, control->height() / 2 + 1);
            const QRect inView(control->mapTo(window.viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(window.viewport()->rect().contains(inView));
        }
        EXPECT_EQ(form->findChild<QLineEdit*>("Text1")->geometry(), QRect(232, 176, 89, 18));
        EXPECT_EQ(form->findChild<QPushButton*>("Command3")->geometry(), QRect(560, 624, 65, 33));
    }
}

TEST(Layout, TabRunsThroughFieldsAndButtonsInTheLayoutsOrder)
{
    Form1 form;
    QStringList expected;
    for (int i = 1; i <= 21; ++i)
        expected << QStringLiteral("Text%1").arg(i);
    expected << "Command1" << "Command2" << "Text22" << "Text23" << "Text24" << "Text25" << "Text26"
             << "Text27" << "Text28" << "Command3";

    QStringList visited;
    QWidget* start = form.findChild<QWidget*>("Text1");
    QWidget* widget = start;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            visited << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start && visited.size() < 100);
    EXPECT_EQ(visited, expected);
}

TEST(Layout, FocusStartsInText1)
{
    for (const bool framed : {false, true}) {
        SCOPED_TRACE(framed ? "in the program's scroll frame" : "the form alone");
        FormWindow frame;
        std::unique_ptr<Form1> alone;
        QWidget* window = &frame;
        if (framed) {
            frame.setForm(new Form1);
        } else {
            alone = std::make_unique<Form1>();
            window = alone.get();
        }
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
    }
}

TEST(Layout, FieldsAreNamedForScreenReadersByTheirCaptions)
{
    Form1 form;
    const std::map<QString, QString> samples{
        {"Text1", "已知点A纵座标"}, {"Text5", "A--B 观测边长"},   {"Text7", "A--C 已知边长"},
        {"Text17", "图形闭合差"},   {"Text18", "单位权测边中误差"}, {"Text11", "B 待定点点名"},
        {"Text12", "B 待定点纵座标"}, {"Text15", "D 待定点纵座标"}, {"Text26", "D 单位权点位中误差"},
    };
    QSet<QString> names;
    for (const QLineEdit* field : form.findChildren<QLineEdit*>()) {
        EXPECT_FALSE(names.contains(field->accessibleName())) << field->objectName().toStdString();
        names.insert(field->accessibleName());
        EXPECT_TRUE(field->text().isEmpty());
    }
    EXPECT_EQ(names.size(), 28);
    for (const auto& [field, name] : samples)
        EXPECT_EQ(form.findChild<QLineEdit*>(field)->accessibleName(), name) << field.toStdString();
}

// The check line lives in the empty band between the title and the heading
// of the results: it covers no control, so none moves, and it lies within
// what the controls span, so the window grows by nothing. The longest line
// it can say, about an absurd blunder and an odd instrument, wraps within it.
TEST(Layout, CheckLineFillsTheEmptyBandUnderTheTitle)
{
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* line = form.findChild<QLabel*>("CheckLine");
    ASSERT_NE(line, nullptr);
    const QRect band = line->geometry();
    EXPECT_GT(band.top(), form.findChild<QWidget*>("Label1")->geometry().bottom());
    EXPECT_LT(band.bottom(), form.findChild<QWidget*>("Label2")->geometry().top());
    QRect spanned;
    for (const QWidget* control : controls(form)) {
        if (control->objectName() == QStringLiteral("Label20"))
            continue;
        spanned |= control->geometry();
        EXPECT_FALSE(band.intersects(control->geometry())) << control->objectName().toStdString();
    }
    EXPECT_TRUE(spanned.contains(band));
    EXPECT_GE(band.width(), 300) << "room for a line of the check";

    const CheckedNetwork& worked = checkedNetworks()[0];
    Observations o = worked.measured;
    AdjustmentResult r;
    AdjustmentTerms terms;
    adjust(o, r, {}, &terms);
    // and the question whether the sides were reduced, of a scale as absurd
    line->setText(QString::fromStdString(
        checkLineText(ComputeEnd::StoppedAfterMisclosure, terms, -99999.99f, {12.345, 99.999}, {{}, 123456.78, {}})
            .text));
    EXPECT_TRUE(line->text().contains("-99999.99秒")) << line->text().toStdString();
    EXPECT_TRUE(line->text().contains("+123456.78 ppm：边长是否已归算到投影面？")) << line->text().toStdString();
    EXPECT_LE(line->heightForWidth(band.width()), band.height()) << line->text().toStdString();
}

int inkPixels(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += image.pixel(x, y) != background;
    return inked;
}

// The stand-in faces must hold every caption whole: the Chinese characters
// in the face itself, not as boxes, and no glyph cut by the edge of its box.
TEST(Layout, CaptionsAreDrawnWholeInTheFacesFound)
{
    Form1 form;
    for (QWidget* control : controls(form)) {
        auto* label = qobject_cast<QLabel*>(control);
        if (!label || label->objectName() == QStringLiteral("Label20"))
            continue;
        SCOPED_TRACE(label->objectName().toStdString());
        // the same caption in a box with room to spare shows the whole ink
        const int shown = inkPixels(label);
        EXPECT_GT(shown, 0);
        const QSize size = label->size();
        label->resize(size.width() + 100, size.height() * 3);
        EXPECT_EQ(shown, inkPixels(label)) << "pixels of ink cut off";
        label->resize(size);

        const QRawFont face = QRawFont::fromFont(label->font());
        for (const QChar c : label->text()) {
            if (c.script() == QChar::Script_Han) {
                EXPECT_TRUE(face.supportsCharacter(c)) << QString(c).toStdString();
            }
        }
    }
}

// Each face of the layout is asked for by the installed stand-in's name, to
// spare Qt its search for a family it lacks: the face must be the one Qt
// itself finds for the layout's own name ("宋体", "MS Sans Serif").
TEST(Layout, EachFaceIsTheOneQtFindsForTheLayoutsName)
{
    std::vector<layout::ControlFont> faces{layout::windowFont};
    for (const layout::Control& control : layout::controls())
        faces.push_back(control.font);
    for (const layout::ControlFont& face : faces) {
        SCOPED_TRACE(std::string(face.family) + " " + std::to_string(face.points));
        const QFont asked = layout::qtFont(face);
        QFont byName(QString::fromUtf8(face.family));
        byName.setPointSizeF(face.points);
        byName.setBold(face.bold);
        byName.setHintingPreference(asked.hintingPreference());
        const QFontInfo found(asked), foundByName(byName);
        EXPECT_EQ(found.family(), foundByName.family());
        EXPECT_EQ(found.styleName(), foundByName.styleName());
        EXPECT_EQ(found.pixelSize(), foundByName.pixelSize());
        EXPECT_EQ(QFontMetrics(asked).horizontalAdvance(QStringLiteral("已知点A纵座标 Xa")),
                  QFontMetrics(byName).horizontalAdvance(QStringLiteral("已知点A纵座标 Xa")));
    }
}

TEST(Layout, ColoursShowOnTheScreen)
{
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage image = form.grab().toImage();
    const auto at = [&](int x, int y) { return image.pixelColor(x, y).rgb() & 0xffffff; };
    const auto centre = [&](const char* name) { return form.findChild<QWidget*>(name)->geometry().center(); };

    EXPECT_EQ(at(5, 5), 0xffffc0u) << "window background";
    const QPoint compute = centre("Command1");
    EXPECT_EQ(at(compute.x(), compute.y() - 10), 0xffff80u) << "compute button";
    const QPoint print = centre("Command3");
    EXPECT_EQ(at(print.x(), print.y() - 10), 0xffc0c0u) << "print button";
    EXPECT_EQ(at(450, 80), 0xff0000u) << "known side A-C, away from the S3 label";
    EXPECT_EQ(at(500, 344), 0xff0000u) << "top of the results frame";
    EXPECT_EQ(at(312, 550), 0xff0000u) << "left of the results frame";
}

} // namespace
} // namespace korvane
