#include "layout.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace korvane::layout {

namespace {

constexpr QRgb buttonYellow = qRgb(255, 255, 128);
constexpr QRgb buttonPink = qRgb(255, 192, 192);
constexpr QRgb hiddenBlue = qRgb(192, 192, 255);
constexpr int buttonWidth = 975;
constexpr int buttonHeight = 495;

constexpr Control label(const char* name, const char* caption, int left, int top, int width,
                        ControlFont font = windowFont, int height = labelHeight)
{
    return Control{.kind = Kind::Label, .name = name, .caption = caption,
                   .a = left, .b = top, .c = width, .d = height, .font = font};
}

constexpr Control field(const char* name, int left, int top, int width, int tabIndex,
                        const char* captionLabel, const char* pointPrefix = "")
{
    return Control{.kind = Kind::Field, .name = name, .a = left, .b = top, .c = width, .d = fieldHeight,
                   .font = song9Bold, .tabIndex = tabIndex, .captionLabel = captionLabel,
                   .pointPrefix = pointPrefix};
}

constexpr Control line(const char* name, int x1, int y1, int x2, int y2, QRgb colour = defaultLineColour,
                       int width = 1)
{
    return Control{.kind = Kind::Line, .name = name, .a = x1, .b = y1, .c = x2, .d = y2,
                   .colour = colour, .lineWidth = width};
}

constexpr Control button(const char* name, const char* caption, int left, int top, QRgb colour, int tabIndex)
{
    return Control{.kind = Kind::Button, .name = name, .caption = caption, .a = left, .b = top,
                   .c = buttonWidth, .d = buttonHeight, .font = song9Bold, .colour = colour,
                   .tabIndex = tabIndex};
}

// The tab indices are the layout's own: the fields 1 to 21 first, then the
// compute and end buttons, then Text22 to Text28, and the print button last.
constexpr auto table = std::to_array<Control>({
    // sketch of the braced rhombus
    label("Label63", "A", 5880, 1080, 255, sans12Bold),
    label("Label64", "B", 7560, 240, 255, sans12Bold),
    label("Label65", "C", 9240, 1080, 255, sans12Bold),
    label("Label66", "D", 7560, 1920, 255, sans12Bold),
    label("Label71", "S1", 6840, 720, 255),
    label("Label72", "S2", 8280, 720, 255),
    label("Label73", "S3", 7200, 1080, 255),
    label("Label74", "S4", 8400, 1440, 255),
    label("Label75", "S5", 6840, 1440, 255),
    label("Label76", "S6", 7560, 720, 255),
    label("Label67", "[ Xa,Ya ]", 5520, 1320, 855),
    label("Label68", "[ Xpb.Ypb ]", 7800, 240, 975),
    label("Label69", "[ Xc,Yc ]", 9000, 1320, 855),
    label("Label70", "[ Xpd,Ypd ]", 7800, 1920, 975),
    line("Line1", 6120, 1200, 9240, 1200, red, 3), // A-C, the known side S3
    line("Line2", 7680, 480, 7680, 1920),          // B-D
    line("Line3", 7680, 480, 6120, 1200),          // B-A
    line("Line4", 7680, 480, 9240, 1200),          // B-C
    line("Line5", 6120, 1200, 7680, 1920),         // A-D
    line("Line6", 9240, 1200, 7680, 1920),         // C-D
    label("Label1", "Korvane", 6240, 2400, 3015, song15Bold, 375),

    // the control points A and C
    label("Label4", "已知点A纵座标", 3480, 2400, 1335, song9Bold),
    label("Label33", " Xa", 3120, 2640, 375),
    field("Text1", 3480, 2640, 1335, 1, "Label4"),
    label("Label6", "已知点A横座标", 3480, 3000, 1335, song9Bold),
    label("Label34", " Ya", 3120, 3240, 375),
    field("Text2", 3480, 3240, 1335, 2, "Label6"),
    label("Label5", "已知点C纵座标", 3480, 3600, 1335, song9Bold),
    label("Label35", " Xc", 3120, 3840, 375),
    field("Text3", 3480, 3840, 1335, 3, "Label5"),
    label("Label7", "已知点C横座标", 3480, 4200, 1335, song9Bold),
    label("Label36", " Yc", 3120, 4440, 375),
    field("Text4", 3480, 4440, 1335, 4, "Label7"),

    // the measured sides and the known side
    label("Label27", "( 观 测 边 长 )", 10440, 2280, 2055, song12Bold, 375),
    label("Label8", "A--B 观测边长 ", 10800, 2760, 1335, song9Bold),
    label("Label37", " S1", 10440, 3000, 375),
    field("Text5", 10800, 3000, 1335, 5, "Label8"),
    label("Label9", "B--C 观测边长", 10800, 3360, 1335, song9Bold),
    label("Label38", " S2", 10440, 3600, 375),
    field("Text6", 10800, 3600, 1335, 6, "Label9"),
    label("Label10", "A--C 已知边长 ", 10800, 3960, 1335, song9Bold),
    label("Label39", " S3", 10440, 4200, 375),
    field("Text7", 10800, 4200, 1335, 7, "Label10"),
    label("Label11", "C--D 观测边长 ", 10800, 4560, 1335, song9Bold),
    label("Label40", " S4", 10440, 4800, 375),
    field("Text8", 10800, 4800, 1335, 8, "Label11"),
    label("Label12", "D--A 观测边长 ", 10800, 5160, 1335, song9Bold),
    label("Label41", " S5", 10440, 5400, 375),
    field("Text9", 10800, 5400, 1335, 9, "Label12"),
    label("Label13", "B--D 观测边长", 10800, 5760, 1335, song9Bold),
    label("Label42", " S6", 10440, 6000, 375),
    field("Text10", 10800, 6000, 1335, 10, "Label13"),

    // results heading, misclosure and unit-weight error
    label("Label2", "（平差结果及精度评定 ）", 6000, 4200, 3495, song14Bold),
    label("Label3", "图形闭合差", 6360, 4560, 1095, song9Bold),
    label("Label46", " wb", 6000, 4800, 375),
    field("Text17", 6360, 4800, 975, 17, "Label3"),
    label("Label21", "单位权测边中误差 ", 7680, 4560, 1575, song9Bold),
    label("Label47", " ms", 7560, 4800, 375),
    field("Text18", 7920, 4800, 1095, 18, "Label21"),

    // results frame, split into the blocks of B (above) and D (below)
    line("Line7", 4680, 5160, 10320, 5160, red, 3),
    line("Line8", 4680, 5160, 4680, 9120, red, 3),
    line("Line9", 4680, 9120, 10320, 9120, red, 3),
    line("Line10", 10320, 5160, 10320, 9120, red, 3),
    line("Line11", 4680, 7080, 10320, 7080, red, 3),

    // block of B
    label("Label14", "待定点点名", 5400, 5280, 1095, song9Bold),
    label("Label43", "B点", 5040, 5520, 375, song9Bold),
    field("Text11", 5400, 5520, 975, 11, "Label14", "B "),
    label("Label15", "待定点纵座标", 6960, 5280, 1215, song9Bold),
    label("Label44", "Xb", 6600, 5520, 255),
    field("Text12", 6840, 5520, 1335, 12, "Label15", "B "),
    label("Label16", "待定点横座标", 8760, 5280, 1215, song9Bold),
    label("Label45", "Yb", 8400, 5520, 255),
    field("Text13", 8640, 5520, 1335, 13, "Label16", "B "),
    label("Label22", "纵座标权倒数 ", 5160, 5880, 1215, song9Bold),
    label("Label50", "Px", 4920, 6120, 255),
    field("Text19", 5160, 6120, 1215, 19, "Label22", "B "),
    label("Label23", "横座标权倒数 ", 5160, 6480, 1215, song9Bold),
    label("Label51", "Py", 4920, 6720, 255),
    field("Text20", 5160, 6720, 1215, 20, "Label23", "B "),
    label("Label24", "纵座标单位权中误差 ", 6600, 5880, 1815, song9Bold),
    label("Label52", " mx", 6600, 6120, 375),
    field("Text21", 6960, 6120, 1095, 21, "Label24", "B "),
    label("Label25", "横座标单位权中误差 ", 6600, 6480, 1815, song9Bold),
    label("Label53", " my", 6600, 6720, 375),
    field("Text22", 6960, 6720, 1095, 46, "Label25", "B "),
    label("Label26", "单位权点位中误差 ", 8520, 6120, 1575, song9Bold),
    label("Label54", " md", 8400, 6360, 375),
    field("Text23", 8760, 6360, 1095, 47, "Label26", "B "),

    // block of D
    label("Label17", "待定点点名", 5400, 7200, 1095, song9Bold),
    label("Label55", "D点", 4920, 7440, 375, song9Bold),
    field("Text14", 5280, 7440, 1095, 14, "Label17", "D "),
    label("Label18", "待定点纵座标", 6960, 7200, 1215, song9Bold),
    label("Label56", " Xd", 6480, 7440, 375),
    field("Text15", 6840, 7440, 1335, 15, "Label18", "D "),
    label("Label19", "待定点横座标", 8760, 7200, 1215, song9Bold),
    label("Label57", " Yd", 8280, 7440, 375),
    field("Text16", 8640, 7440, 1335, 16, "Label19", "D "),
    label("Label28", "纵座标权倒数 ", 5160, 7800, 1215, song9Bold),
    label("Label58", "Px", 4920, 8040, 255),
    field("Text24", 5160, 8040, 1215, 51, "Label28", "D "),
    label("Label31", "横座标权倒数 ", 5160, 8400, 1215, song9Bold),
    label("Label59", "Py", 4920, 8640, 255),
    field("Text27", 5160, 8640, 1215, 57, "Label31", "D "),
    label("Label29", "纵座标单位权中误差 ", 6600, 7800, 1815, song9Bold),
    label("Label60", " mx", 6600, 8040, 375),
    field("Text25", 6960, 8040, 1095, 52, "Label29", "D "),
    label("Label32", "横座标单位权中误差 ", 6600, 8400, 1815, song9Bold),
    label("Label61", " my", 6600, 8640, 375),
    field("Text28", 6960, 8640, 1095, 58, "Label32", "D "),
    label("Label30", "单位权点位中误差 ", 8520, 8040, 1575, song9Bold),
    label("Label62", " md", 8400, 8280, 375),
    field("Text26", 8760, 8280, 1095, 53, "Label30", "D "),

    // commands
    button("Command1", "平差计算", 6000, 9360, buttonYellow, 23),
    button("Command2", "结束计算", 7200, 9360, buttonYellow, 24),
    button("Command3", "打 印", 8400, 9360, buttonPink, 104),

    // a label that lies left of the window and is never seen
    Control{.kind = Kind::Label, .name = hiddenLabel, .caption = "图形闭合差         W", .a = -1080, .b = 240,
            .c = 975, .d = 375, .font = sansRegular, .colour = hiddenBlue},
});

} // namespace

std::span<const Control> controls()
{
    return table;
}

const Control* find(const char* name)
{
    for (const Control& control : table)
        if (std::strcmp(control.name, name) == 0)
            return &control;
    return nullptr;
}

QSize clientPixels()
{
    int right = 0;
    int bottom = 0;
    for (const Control& control : table) {
        if (control.kind == Kind::Line || std::strcmp(control.name, hiddenLabel) == 0)
            continue;
        right = std::max(right, pixels(control.a) + pixels(control.c));
        bottom = std::max(bottom, pixels(control.b) + pixels(control.d));
    }
    return QSize(right + pixels(marginTwips), bottom + pixels(marginTwips));
}

} // namespace korvane::layout
