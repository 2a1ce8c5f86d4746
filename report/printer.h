#pragma once

// The printer as the report sees it: one page addressed in twips (1440 to the
// inch) with a current print position, a current font, and lines of items.
//
// A line places its items one after another from the current position and
// then moves down by one line of the current font, back to the left edge of
// the printable area. A column is as wide as the average character of the
// current font, so all lines of one font size share one column grid even when
// the face is proportional.

#include <string>
#include <variant>
#include <vector>

namespace korvane {

// Move to column n, which lies n - 1 column widths right of the left edge of
// the printable area.
struct Column {
    int number;
    bool operator==(const Column&) const = default;
};

// n blanks of the current font
struct Spaces {
    int count;
    bool operator==(const Spaces&) const = default;
};

using Text = std::string; // UTF-8

using LineItem = std::variant<Text, Column, Spaces>;

// A line without items is a blank line: it only moves the position down.
using Line = std::vector<LineItem>;

class Printer {
public:
    virtual ~Printer() = default;

    virtual void setPosition(int xTwips, int yTwips) = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void printLine(const Line& items) = 0;
    // Sends the document to the printer; nothing is printed before this.
    virtual void endDocument() = 0;
};

} // namespace korvane
