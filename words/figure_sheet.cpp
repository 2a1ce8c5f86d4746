#include "figure_sheet.h"

#include "adjustment_words.h"
#include "check_words.h"
#include "figure_title.h"
#include "number_text.h"
#include "strength_words.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// The larger ellipse, magnified, reaches at most this share of the figure's
// extent, and at least 2.5 times less once the factor is rounded down to 1, 2
// or 5: clearly seen on a plan of any shape, a long thin one too, whose
// ellipses are long across it.
constexpr double largestEllipseShare = 0.12;

constexpr double millimetresPerMetre = 1000.0;

std::string azimuthText(double degrees)
{
    // the axis of 179.96 degrees is the axis of 0 degrees
    const std::string text = fixedText(degrees, 1, 1);
    return text == "180.0" ? "0.0" : text;
}

std::string sideLabel(const char* name, double length, double correction)
{
    return std::string(name) + " " + fixedText(length, 4, 4) + " (v "
           + signedMillimetres(correction * millimetresPerMetre) + ")";
}

} // namespace

std::string noFinishedComputeText()
{
    return "尚无完成的平差计算";
}

FigureOrNotice figureOf(const FigureCompute& compute)
{
    if (!compute.finished())
        return noFinishedComputeText();
    std::optional<SheetReduction> reduction;
    if (compute.reducedSides() && compute.entered())
        reduction = SheetReduction{*compute.entered(), *compute.reducedSides()};
    try {
        return figureSheet(compute.observations(), compute.result(), compute.terms(), compute.accuracy(),
                           compute.identity(), reduction);
    } catch (const AdjustmentError& error) {
        return faultMessage(error);
    }
}

std::string figureHeading(const FigureIdentity& figure)
{
    const std::string title = figureTitle(figure);
    return title.empty() ? "网图与检核" : "网图与检核 — " + title;
}

double roundNumberAtMost(double limit)
{
    const double power = std::pow(10.0, std::floor(std::log10(limit)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * power <= limit)
            return step * power;
    // log10 rounded up across a power of ten
    return power / 2.0;
}

std::string roundNumberText(double value)
{
    // a round number has few digits: write enough decimals, then drop the
    // zeros behind the last one
    std::string text = fixedText(value, noRounding, 15);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string metresBarText(double metres)
{
    return roundNumberText(metres) + " 米";
}

FigureSheet figureSheet(const Observations& o, const AdjustmentResult& r, const AdjustmentTerms& terms,
                        DistanceAccuracy accuracy, const FigureIdentity& figure,
                        const std::optional<SheetReduction>& reduction)
{
    const FigureCheck check = checkFigure(o, r, terms, accuracy);
    const FigureStrength strength = assessStrength(o, r, terms, accuracy);
    const std::optional<double> scale = misclosureScalePpm(terms, r.w);
    const auto& v = terms.corrections; // S1, S2, S4, S5, S6
    const PointNames& names = figure.points;

    FigureSheet sheet;
    sheet.heading = figureHeading(figure);
    sheet.points = {{
        {names[0], o.Xa, o.Ya, true},
        {names[1], r.xp1, r.yp1, false},
        {names[2], o.Xc, o.Yc, true},
        {names[3], r.xp2, r.yp2, false},
    }};
    sheet.sides = {{
        {"S1", pointA, pointB, false, sideLabel("S1", o.S1, v[0])},
        {"S2", pointB, pointC, false, sideLabel("S2", o.S2, v[1])},
        {"S3", pointA, pointC, true, "S3 " + fixedText(r.S3, 4, 4) + " (已知边)"},
        {"S4", pointC, pointD, false, sideLabel("S4", o.S4, v[2])},
        {"S5", pointD, pointA, false, sideLabel("S5", o.S5, v[3])},
        {"S6", pointB, pointD, false, sideLabel("S6", o.S6, v[4])},
    }};
    sheet.ellipses = {{{pointB, strength.B.ellipse}, {pointD, strength.D.ellipse}}};

    const auto [south, north] = std::minmax({o.Xa, r.xp1, o.Xc, r.xp2});
    const auto [west, east] = std::minmax({o.Ya, r.yp1, o.Yc, r.yp2});
    const double extent = std::max(north - south, east - west);
    const double largest = std::max(strength.B.ellipse.semiMajor, strength.D.ellipse.semiMajor);
    const double widest = largestEllipseShare * extent * millimetresPerMetre / largest;
    if (largest > 0.0 && std::isfinite(widest) && widest > 0.0) {
        sheet.magnification = roundNumberAtMost(widest);
        sheet.magnificationText = "误差椭圆放大 " + roundNumberText(sheet.magnification) + " 倍";
        sheet.millimetreBar = roundNumberAtMost(largest);
        sheet.millimetreBarText = roundNumberText(sheet.millimetreBar) + " 毫米";
    } else {
        sheet.magnificationText = "误差椭圆为零";
    }

    FigureNotes notes;
    notes.points = names;
    if (strength.angles.weak)
        notes.weakest = strength.angles.smallest;
    notes.scalePpm = scale;
    if (reduction)
        notes.reducedPpm = reduction->reduced.meanPpm;
    sheet.checkLine = figureCheckLine(check.misclosure, accuracy, notes);
    sheet.withinLimit = check.misclosure.withinLimit;
    sheet.verdict = strength.verdict;
    if (scale)
        sheet.scaleLine = misclosureScaleLine(*scale);

    sheet.aPrioriTable.header = {"验前精度", "mx（毫米）", "my（毫米）", "md（毫米）", "E（毫米）", "F（毫米）", "φ（度）"};
    for (const auto& [name, point] : {std::pair{names[1], strength.B}, std::pair{names[3], strength.D}})
        sheet.aPrioriTable.rows.push_back({name, fixedText(point.mx, 2, 2), fixedText(point.my, 2, 2),
                                           fixedText(point.md, 2, 2), fixedText(point.ellipse.semiMajor, 2, 2),
                                           fixedText(point.ellipse.semiMinor, 2, 2),
                                           azimuthText(point.ellipse.azimuth)});

    sheet.ellipseTable.header = {"验后误差椭圆", "E（毫米）", "F（毫米）", "φ（度）"};
    for (const auto& [name, ellipse] : {std::pair{names[1], check.B}, std::pair{names[3], check.D}})
        sheet.ellipseTable.rows.push_back({name, fixedText(ellipse.semiMajor, 2, 2),
                                           fixedText(ellipse.semiMinor, 2, 2), azimuthText(ellipse.azimuth)});

    // m_i, the a-priori error of each side from the instrument, under the
    // name a surveyor's form gives it: the Song face has no subscript i
    sheet.sideTable.header = {"观测边", "观测值（米）", "v（毫米）", "测距中误差（毫米）"};
    const char* const measuredNames[] = {"S1", "S2", "S4", "S5", "S6"};
    for (std::size_t i = 0; i < terms.measured.size(); ++i)
        sheet.sideTable.rows.push_back({measuredNames[i], fixedText(terms.measured[i], 4, 4),
                                        signedMillimetres(v[i] * millimetresPerMetre),
                                        fixedText(check.misclosure.aPriori[i], 1, 1)});

    if (reduction) {
        const Observations& typed = reduction->entered;
        const double typedSides[] = {typed.S1, typed.S2, typed.S4, typed.S5, typed.S6};
        sheet.reductionTable.header = {"观测边", "输入值（米）", "归算（毫米）", "归算后（米）"};
        for (std::size_t i = 0; i < terms.measured.size(); ++i)
            sheet.reductionTable.rows.push_back({measuredNames[i], fixedText(typedSides[i], noRounding, 4),
                                                 signedMillimetres(reduction->reduced.changesMm[i]),
                                                 fixedText(terms.measured[i], 4, 4)});
    }

    const bool beyond = strength.verdict == FigureVerdict::BeyondLimit;
    sheet.reliabilityTable.header = {"观测边", "r（%）", "∇（毫米）", names[1] + " 移动（毫米）",
                                     names[3] + " 移动（毫米）"};
    if (beyond)
        sheet.reliabilityTable.header.push_back("Δ（毫米）");
    for (std::size_t i = 0; i < strength.sides.size(); ++i) {
        const SideReliability& side = strength.sides[i];
        std::vector<std::string> row{measuredNames[i], fixedText(side.redundancy * 100.0, 1, 1),
                                     millimetresOrDash(side.detectableMm), millimetresOrDash(side.effectOnBMm),
                                     millimetresOrDash(side.effectOnDMm)};
        if (beyond)
            row.push_back(side.explainingMm ? signedMillimetres(*side.explainingMm) : "—");
        sheet.reliabilityTable.rows.push_back(std::move(row));
    }
    sheet.reliabilitySentence = reliabilitySentence(strength, names);
    if (beyond)
        sheet.blunderAdvice = blunderAdvice();

    sheet.sidesSentence = sidesText(check.sideOfB, check.sideOfD, names);
    return sheet;
}

} // namespace korvane
