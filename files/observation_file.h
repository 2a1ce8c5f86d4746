#pragma once

// The observation file: the nine values of one or more figures, one figure a
// line under a header, in a CSV that a surveyor can also write in a
// spreadsheet. The window and the batch command read the same format.
//
//   名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6
//   一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709
//
// Reading:
//  - The header is required and names these ten columns in this order, the
//    first also as "name", any of them in any letter case.
//  - After S6, in any order, the columns Korvane knows by their names:
//    A点名, B点名, C点名, D点名 (the points' names, point_names.h) and 平均高程
//    (the figure's own mean height, metres), in any letter case as the
//    others. An empty cell, or no such column, leaves the point its letter and
//    the figure without a height. Other columns are the file's own and are
//    ignored.
//  - Blank lines, lines of empty cells and lines starting with '#' are
//    skipped, before the header too.
//  - Cells are separated by commas, or by tabs or semicolons when the header
//    has no comma and uses them; a cell in double quotes may hold separators
//    ("" is a quote).
//  - UTF-8, with or without a byte-order mark; a file that is not UTF-8
//    throughout is read as GB18030 (GBK, GB2312).
//  - Numbers are read as the entry reads them (number_reading.h): full-width
//    digits are numbers, a decimal comma is not; the locale plays no part.
//  - A line longer than longestLine (64 KiB) is no figure: a fault of that
//    line, passed over in constant memory.
//  - The names, of figures and points, lose the ' that guards them against
//    being taken for a formula (csv_text.h), so a saved figure opens whole.
//
// Writing: one figure, UTF-8 with a byte-order mark, CRLF; each value with its
// field's decimals (3 for coordinates and heights, 4 for sides) where that
// text reads back as the very same double, else the shortest plain text that
// does.

#include "file_lines.h"
#include "point_names.h"
#include "records.h"
#include "text_encoding.h"

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvane::files {

// the columns every figure has: 1 the name, 2 to 10 the nine values
inline constexpr int figureColumns = 10;

// "名称", "Xa" ... "S6"
const char* columnName(int column);

struct Figure {
    std::string name; // UTF-8
    long line = 0;    // in the file, from 1
    Observations values;
    PointNames points = letterNames;
    std::optional<double> meanHeight; // 平均高程, metres

    // the figure as its compute knows it: its name, its line, its points' names
    FigureIdentity identity() const { return {name, line, points}; }
};

// the header's names of the optional columns
inline constexpr std::array<const char*, 4> pointNameColumns{"A点名", "B点名", "C点名", "D点名"};
inline constexpr const char* meanHeightColumn = "平均高程";

// What is wrong, and where: the line from 1 (0: the file as a whole), the
// column from 1 (0: the whole line).
struct FileFault {
    enum class Kind {
        CannotRead,     // open or read failed (systemError)
        NotAFile,       // a folder, a pipe, a device
        Utf16,          // UTF-16 ("Unicode text"), which is not read
        NotDecodable,   // neither UTF-8 nor GB18030 at that cell
        NoHeader,       // an empty file, or only blank and comment lines
        WrongHeader,    // a header cell that is not the expected name (text: what is there)
        UnclosedQuote,  // a quoted cell without its closing quote
        MissingValue,   // a value cell that is empty or not there
        ExtraValue,     // a value beyond the header's columns
        NotANumber,     // a value cell that does not read as a number (text: the cell)
        NotAPointName,  // a point's name that isPointName refuses (text: the cell)
        LongLine,       // a line of a figure longer than longestLine
        LongHeader,     // a line before or at the header longer than longestLine
        RepeatedColumn, // a header name of a known column a second time (text: the name)
    };
    Kind kind;
    long line = 0;
    int column = 0;
    std::string text;    // UTF-8
    int systemError = 0; // CannotRead
    std::string name;    // of the figure on a line whose name cell could be read
    std::string heading; // the header's name of a column found by name, beyond S6
};

class ObservationFileError : public std::runtime_error {
public:
    explicit ObservationFileError(FileFault fault);
    const FileFault& fault() const { return fault_; }

private:
    FileFault fault_;
};

using FigureLine = std::variant<Figure, FileFault>;

// Reads a file figure by figure in constant memory.
class ObservationReader {
public:
    // Opens `path` (file system encoding), chooses its encoding and reads its
    // header. Throws ObservationFileError: the file cannot be read, is
    // UTF-16, or has no header or a wrong one.
    explicit ObservationReader(const std::string& path);
    ~ObservationReader();
    ObservationReader(const ObservationReader&) = delete;
    ObservationReader& operator=(const ObservationReader&) = delete;

    // The next figure, or the fault of its line; nothing at the end of the
    // file. Throws ObservationFileError when the file cannot be read further.
    std::optional<FigureLine> next();

    TextEncoding encoding() const { return encoding_; }
    char separator() const { return separator_; }
    // the part of the file read, 0 to 1
    double progress() const;

private:
    // the next line, counted in lineNumber_
    FileLines::Next nextLine(std::string_view& line);
    // splits `line` into cells_; the column of an unclosed quote, if any
    std::optional<int> split(std::string_view line);
    // cell `column` (from 1) in UTF-8; nothing when it cannot be decoded
    std::optional<std::string_view> decoded(int column);
    void readHeader();
    void findNamedColumns();
    // the cells beyond S6 that Korvane reads into `figure`, or the first fault
    std::optional<FileFault> readNamedCells(Figure& figure);

    std::unique_ptr<FileLines> lines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::unique_ptr<Gb18030Decoder> decoder_;
    char separator_ = ',';
    int headerColumns_ = figureColumns;
    std::array<int, 4> pointNameColumns_{}; // from 1; 0 where the file has none
    int meanHeightColumn_ = 0;
    long lineNumber_ = 0;
    std::vector<std::string> cells_;
    std::size_t cellCount_ = 0;
    std::string text_; // the cell being looked at, decoded from GB18030
};

// Every figure of the file: throws ObservationFileError at the first fault
// of the file or of any line.
std::vector<Figure> readAllFigures(const std::string& path);

// Every line of the file that holds a figure or a fault of its own, in
// order, for the window's list: throws ObservationFileError only for a fault
// of the file as a whole (it cannot be read, its encoding, its header).
std::vector<FigureLine> readFigureLines(const std::string& path);

// The bytes of a one-figure observation file. The names' columns are written
// only for a figure whose points are not all called by their letters, the
// mean height only where there is one: a typed figure's file keeps the ten
// columns above.
std::string observationFileText(std::string_view name, const Observations& values,
                                const PointNames& points = letterNames,
                                std::optional<double> meanHeight = std::nullopt);

} // namespace korvane::files
