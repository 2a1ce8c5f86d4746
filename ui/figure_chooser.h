#pragma once

// The choice of one figure from a file of several: each shown by its name
// and its line in the file, as the surveyor finds it in a spreadsheet.

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class QWidget;

namespace korvane {

struct FigureChoice {
    QString name;
    long line;
};

class FigureChooser {
public:
    virtual ~FigureChooser() = default;
    // The index of the figure chosen from `figures` of `file`, or nothing
    // when the operator cancels.
    virtual std::optional<std::size_t> choose(const QString& file, const std::vector<FigureChoice>& figures) = 0;
};

// A modal list, the first figure selected; Enter or a double click takes one.
class QtFigureChooser final : public FigureChooser {
public:
    explicit QtFigureChooser(QWidget* parent) : parent_(parent) {}
    std::optional<std::size_t> choose(const QString& file, const std::vector<FigureChoice>& figures) override;

private:
    QWidget* parent_;
};

// "第 12 行  一号锁", as the list shows a figure
QString figureChoiceText(const FigureChoice& figure);

} // namespace korvane
