#pragma once

// The reduction of the measured sides to the projection plane, as the
// surveyor names it in one dialog, 边长归算: 不归算 (the sides are horizontal
// distances on the grid already), or 归算到投影面 with the mean height of the
// measured lines and the height of the projection plane, and optionally the
// Gauss correction with the Y constant. Each value is read like a typed
// entry value and refused with a sentence that says which value is wrong
// and why (reduction_words.h).

#include "reduction_words.h"

#include "distance_reduction.h"

#include <optional>

class QWidget;

namespace korvane {

class MessageSink;

class ReductionDialog {
public:
    virtual ~ReductionDialog() = default;
    // Shows `offered`; the choices and texts accepted, or nothing when the
    // operator cancels.
    virtual std::optional<ReductionTexts> ask(const ReductionTexts& offered) = 0;
};

// A modal dialog titled 边长归算 with Chinese buttons; the values of a choice
// not taken are greyed.
class QtReductionDialog final : public ReductionDialog {
public:
    explicit QtReductionDialog(QWidget* parent) : parent_(parent) {}
    std::optional<ReductionTexts> ask(const ReductionTexts& offered) override;

private:
    QWidget* parent_;
};

// Asks until the texts give a usable reduction, telling each refusal and
// offering the refused texts again to be mended; nothing when the operator
// cancels.
std::optional<DistanceReduction> askReduction(ReductionDialog& dialog, MessageSink& messages,
                                              const DistanceReduction& current);

} // namespace korvane
