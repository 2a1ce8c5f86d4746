#pragma once

// The choice of one figure from a file of several: each shown by its name
// and its line in the file, as the surveyor finds it in a spreadsheet. A
// line that holds no figure stands in its place in the list with its fault,
// greyed and never chosen, so that one typo leaves every other figure of the
// file to be computed.

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class QWidget;

namespace korvane {

struct FigureChoice {
    QString name;  // as shown: quoted as a message quotes a cell
    long line;
    QString fault; // what is wrong with the line; empty for a figure
};

class FigureChooser {
public:
    virtual ~FigureChooser() = default;
    // The index of the figure chosen from `figures` of `file`, never a line
    // with a fault, or nothing when the operator cancels.
    virtual std::optional<std::size_t> choose(const QString& file, const std::vector<FigureChoice>& figures) = 0;
};

// A modal list, the first figure selected, the lines with a fault greyed;
// Enter or a double click takes one.
class QtFigureChooser final : public FigureChooser {
public:
    explicit QtFigureChooser(QWidget* parent) : parent_(parent) {}
    std::optional<std::size_t> choose(const QString& file, const std::vector<FigureChoice>& figures) override;

private:
    QWidget* parent_;
};

// "第 12 行  一号锁", as the list shows a figure; a line with a fault shows it
// after its name: "第 13 行  二号锁：第 13 行第 7 列（S2）的“abc”不是数字"
QString figureChoiceText(const FigureChoice& figure);

} // namespace korvane
