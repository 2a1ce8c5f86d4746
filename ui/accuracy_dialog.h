#pragma once

// The distance meter's accuracy a + b ppm, as the surveyor names it in one
// dialog: the fixed part a in millimetres and the part b in ppm, each read
// like a typed entry value (full-width digits too, never through the
// locale) and refused with a sentence that says which value is wrong and why.

#include "figure_check.h"

#include <QString>

#include <optional>

class QWidget;

namespace korvane {

class MessageSink;

// what stands in the dialog's two fields
struct AccuracyTexts {
    QString constantMm; // a
    QString ppm;        // b
    bool operator==(const AccuracyTexts&) const = default;
};

class AccuracyDialog {
public:
    virtual ~AccuracyDialog() = default;
    // Shows `offered` in the two fields; the texts accepted, or nothing when
    // the operator cancels.
    virtual std::optional<AccuracyTexts> ask(const AccuracyTexts& offered) = 0;
};

// A modal dialog titled 测距精度 with Chinese buttons.
class QtAccuracyDialog final : public AccuracyDialog {
public:
    explicit QtAccuracyDialog(QWidget* parent) : parent_(parent) {}
    std::optional<AccuracyTexts> ask(const AccuracyTexts& offered) override;

private:
    QWidget* parent_;
};

QString constantPartLabel();    // 固定误差 a（毫米）
QString scalePartLabel();       // 比例误差 b（ppm）

struct AccuracyReading {
    std::optional<DistanceAccuracy> accuracy;
    QString refusal; // when there is no accuracy
};

AccuracyReading readAccuracy(const AccuracyTexts& texts);

// Asks until the texts give a usable accuracy, telling each refusal and
// offering the refused texts again to be mended; nothing when the operator
// cancels.
std::optional<DistanceAccuracy> askAccuracy(AccuracyDialog& dialog, MessageSink& messages,
                                            DistanceAccuracy current);

} // namespace korvane
