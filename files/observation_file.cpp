#include "observation_file.h"

#include "csv_text.h"
#include "file_lines.h"

#include "exact_text.h"
#include "number_reading.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <utility>

namespace korvane::files {

namespace {

struct Column {
    const char* name;
    double Observations::*value; // nullptr for the name
    int decimals;                // of the value's field in the window
};

constexpr std::array<Column, figureColumns> columns{{
    {"名称", nullptr, 0},
    {"Xa", &Observations::Xa, 3},
    {"Ya", &Observations::Ya, 3},
    {"Xc", &Observations::Xc, 3},
    {"Yc", &Observations::Yc, 3},
    {"S1", &Observations::S1, 4},
    {"S2", &Observations::S2, 4},
    {"S4", &Observations::S4, 4},
    {"S5", &Observations::S5, 4},
    {"S6", &Observations::S6, 4},
}};

// a height to the millimetre, as the coordinates
constexpr int meanHeightDecimals = 3;

// the name column's other spelling
constexpr std::string_view nameInEnglish = "name";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

bool isHeaderName(int column, std::string_view text)
{
    const std::string_view expected = columns[column - 1].name;
    return text == expected || sameLetters(text, expected) || (column == 1 && sameLetters(text, nameInEnglish));
}

// a comment, or nothing at all
bool isSkipped(std::string_view line)
{
    line = trimmed(line);
    return line.empty() || line.front() == '#';
}

// Only a header that has none of the others' separators says which one the
// file uses.
char separatorOf(std::string_view header)
{
    if (header.find(',') != std::string_view::npos)
        return ',';
    if (header.find('\t') != std::string_view::npos)
        return '\t';
    if (header.find(';') != std::string_view::npos)
        return ';';
    return ',';
}

FileFault fileFault(FileFault::Kind kind, long line, int column, std::string text, int systemError = 0)
{
    return FileFault{kind, line, column, std::move(text), systemError, {}, {}};
}

// The value with `decimals` decimals where that text reads back as the very
// same double, as a surveyor typed it (2188.650, not 2188.65); else the
// shortest plain text that does.
std::string savedText(double value, int decimals)
{
    // no wider than typedText's plain digits
    std::array<char, 24> digits{};
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, decimals);
    if (error == std::errc()) {
        const std::string_view text(digits.data(), static_cast<std::size_t>(end - digits.data()));
        const std::optional<double> back = readNumber(text);
        if (back && std::bit_cast<std::uint64_t>(*back) == std::bit_cast<std::uint64_t>(value))
            return std::string(text);
    }
    return typedText(value);
}

} // namespace

const char* columnName(int column)
{
    return columns[column - 1].name;
}

ObservationFileError::ObservationFileError(FileFault fault)
    : std::runtime_error("observation file fault"), fault_(std::move(fault))
{
}

ObservationReader::ObservationReader(const std::string& path)
{
    try {
        lines_ = std::make_unique<FileLines>(path);
    } catch (const ReadFault& fault) {
        const FileFault::Kind kind = fault.notAFile ? FileFault::Kind::NotAFile : FileFault::Kind::CannotRead;
        throw ObservationFileError(fileFault(kind, 0, 0, "", fault.systemError));
    }

    // The encoding is the file's, not a line's: one pass to see whether all
    // of it is UTF-8, before the first figure is read. A line too long to be
    // a figure is never decoded, so its bytes do not count.
    std::string_view line;
    bool first = true;
    try {
        while (lines_->next(line) != FileLines::Next::End) {
            if (first && (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF")))
                throw ObservationFileError(fileFault(FileFault::Kind::Utf16, 1, 0, ""));
            first = false;
            if (firstInvalidUtf8(line)) {
                encoding_ = TextEncoding::Gb18030;
                decoder_ = std::make_unique<Gb18030Decoder>();
                break;
            }
        }
        lines_->rewind();
    } catch (const ReadFault& fault) {
        throw ObservationFileError(fileFault(FileFault::Kind::CannotRead, 0, 0, "", fault.systemError));
    }
    readHeader();
}

ObservationReader::~ObservationReader() = default;

double ObservationReader::progress() const
{
    if (lines_->size() == 0)
        return 1.0;
    // a file that grows while it is read has more than its size at the start
    return std::min(1.0, static_cast<double>(lines_->bytesRead()) / static_cast<double>(lines_->size()));
}

FileLines::Next ObservationReader::nextLine(std::string_view& line)
{
    FileLines::Next next;
    try {
        next = lines_->next(line);
    } catch (const ReadFault& fault) {
        throw ObservationFileError(fileFault(FileFault::Kind::CannotRead, lineNumber_ + 1, 0, "", fault.systemError));
    }
    if (next != FileLines::Next::End)
        ++lineNumber_;
    return next;
}

std::optional<int> ObservationReader::split(std::string_view line)
{
    cellCount_ = 0;
    std::size_t i = 0;
    for (;;) {
        if (cellCount_ == cells_.size())
            cells_.emplace_back();
        std::string& cell = cells_[cellCount_++];
        cell.clear();
        std::size_t start = i;
        while (start < line.size() && isBlank(line[start]) && line[start] != separator_)
            ++start;
        if (start < line.size() && line[start] == '"') {
            // a quoted cell; what follows the closing quote up to the separator stays with it
            i = start + 1;
            for (;;) {
                if (i >= line.size())
                    return static_cast<int>(cellCount_);
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
            const std::size_t separator = line.find(separator_, i);
            const std::size_t end = separator == std::string_view::npos ? line.size() : separator;
            cell += trimmed(line.substr(i, end - i));
            i = end;
        } else {
            const std::size_t separator = line.find(separator_, i);
            const std::size_t end = separator == std::string_view::npos ? line.size() : separator;
            cell.assign(line.substr(i, end - i));
            i = end;
        }
        if (i >= line.size())
            return std::nullopt;
        ++i; // the separator
    }
}

std::optional<std::string_view> ObservationReader::decoded(int column)
{
    const std::string& cell = cells_[column - 1];
    // a file read as UTF-8 was found to be UTF-8 throughout before its
    // first line was read, and cells split at ASCII bytes stay so
    if (encoding_ == TextEncoding::Utf8)
        return cell;
    std::size_t bad = 0;
    if (!decoder_->decode(cell, text_, bad))
        return std::nullopt;
    return text_;
}

void ObservationReader::readHeader()
{
    std::string_view line;
    for (;;) {
        const FileLines::Next next = nextLine(line);
        if (next == FileLines::Next::End)
            throw ObservationFileError(fileFault(FileFault::Kind::NoHeader, 0, 0, ""));
        if (next == FileLines::Next::LongLine)
            throw ObservationFileError(fileFault(FileFault::Kind::LongHeader, lineNumber_, 0, ""));
        if (lineNumber_ == 1 && line.starts_with(utf8ByteOrderMark))
            line.remove_prefix(utf8ByteOrderMark.size());
        if (!isSkipped(line))
            break;
    }

    separator_ = separatorOf(line);
    if (const std::optional<int> column = split(line))
        throw ObservationFileError(fileFault(FileFault::Kind::UnclosedQuote, lineNumber_, *column, ""));
    for (int column = 1; column <= figureColumns; ++column) {
        if (column > static_cast<int>(cellCount_))
            throw ObservationFileError(fileFault(FileFault::Kind::WrongHeader, lineNumber_, column, ""));
        const std::optional<std::string_view> text = decoded(column);
        if (!text)
            throw ObservationFileError(fileFault(FileFault::Kind::NotDecodable, lineNumber_, column, ""));
        const std::string_view name = trimmed(*text);
        if (!isHeaderName(column, name))
            throw ObservationFileError(fileFault(FileFault::Kind::WrongHeader, lineNumber_, column, std::string(name)));
    }
    headerColumns_ = static_cast<int>(cellCount_);
    findNamedColumns();
}

// The columns after S6 that Korvane reads, by their names in any letter case
// as the ten before them; a known name twice leaves no way to tell which
// holds the figure's value.
void ObservationReader::findNamedColumns()
{
    for (int column = figureColumns + 1; column <= headerColumns_; ++column) {
        const std::optional<std::string_view> text = decoded(column);
        if (!text)
            continue; // none of Korvane's names: the file's own
        const std::string_view heading = trimmed(*text);
        int* found = sameLetters(heading, meanHeightColumn) ? &meanHeightColumn_ : nullptr;
        for (std::size_t point = 0; point < pointNameColumns.size(); ++point)
            if (sameLetters(heading, pointNameColumns[point]))
                found = &pointNameColumns_[point];
        if (!found)
            continue;
        if (*found != 0)
            throw ObservationFileError(fileFault(FileFault::Kind::RepeatedColumn, lineNumber_, column, std::string(heading)));
        *found = column;
    }
}

std::optional<FileFault> ObservationReader::readNamedCells(Figure& figure)
{
    for (int column = figureColumns + 1; column <= static_cast<int>(cellCount_); ++column) {
        const auto found = std::find(pointNameColumns_.begin(), pointNameColumns_.end(), column);
        const bool isName = found != pointNameColumns_.end();
        const auto point = static_cast<std::size_t>(found - pointNameColumns_.begin());
        if (!isName && column != meanHeightColumn_) {
            if (column > headerColumns_ && !trimmed(cells_[column - 1]).empty())
                return FileFault{FileFault::Kind::ExtraValue, figure.line, column, {}, 0, figure.name, {}};
            continue;
        }
        const char* heading = isName ? pointNameColumns[point] : meanHeightColumn;
        const auto fault = [&](FileFault::Kind kind, std::string text = {}) {
            return FileFault{kind, figure.line, column, std::move(text), 0, figure.name, heading};
        };
        const std::optional<std::string_view> cell = decoded(column);
        if (!cell)
            return fault(FileFault::Kind::NotDecodable);
        const std::string_view text = trimmed(*cell);
        if (text.empty())
            continue;
        if (isName) {
            const std::string_view name = formulaUnguarded(text);
            if (!isPointName(name))
                return fault(FileFault::Kind::NotAPointName, std::string(text));
            figure.points[point] = name;
        } else {
            const std::optional<double> height = readNumber(text);
            if (!height)
                return fault(FileFault::Kind::NotANumber, std::string(text));
            figure.meanHeight = *height;
        }
    }
    return std::nullopt;
}

std::optional<FigureLine> ObservationReader::next()
{
    std::string_view line;
    for (;;) {
        const FileLines::Next next = nextLine(line);
        if (next == FileLines::Next::End)
            return std::nullopt;
        if (next == FileLines::Next::LongLine)
            return FigureLine(fileFault(FileFault::Kind::LongLine, lineNumber_, 0, ""));
        if (isSkipped(line))
            continue;
        Figure figure;
        figure.line = lineNumber_;
        const auto fault = [&figure](FileFault::Kind kind, int column, std::string text = {}) {
            return FigureLine(FileFault{kind, figure.line, column, std::move(text), 0, figure.name, {}});
        };

        if (const std::optional<int> column = split(line))
            return fault(FileFault::Kind::UnclosedQuote, *column);
        bool allEmpty = true;
        for (std::size_t i = 0; i < cellCount_ && allEmpty; ++i)
            allEmpty = trimmed(cells_[i]).empty();
        if (allEmpty)
            continue;
        for (int column = 1; column <= figureColumns; ++column) {
            if (column > static_cast<int>(cellCount_))
                return fault(FileFault::Kind::MissingValue, column);
            const std::optional<std::string_view> cell = decoded(column);
            if (!cell)
                return fault(FileFault::Kind::NotDecodable, column);
            const std::string_view text = trimmed(*cell);
            if (column == 1) {
                figure.name = formulaUnguarded(text);
                continue;
            }
            if (text.empty())
                return fault(FileFault::Kind::MissingValue, column);
            const std::optional<double> value = readNumber(text);
            if (!value)
                return fault(FileFault::Kind::NotANumber, column, std::string(text));
            figure.values.*columns[column - 1].value = *value;
        }
        if (std::optional<FileFault> named = readNamedCells(figure))
            return FigureLine(std::move(*named));
        return figure;
    }
}

std::vector<Figure> readAllFigures(const std::string& path)
{
    ObservationReader reader(path);
    std::vector<Figure> figures;
    while (std::optional<FigureLine> line = reader.next()) {
        if (auto* fault = std::get_if<FileFault>(&*line))
            throw ObservationFileError(std::move(*fault));
        figures.push_back(std::get<Figure>(std::move(*line)));
    }
    return figures;
}

std::vector<FigureLine> readFigureLines(const std::string& path)
{
    ObservationReader reader(path);
    std::vector<FigureLine> lines;
    while (std::optional<FigureLine> line = reader.next())
        lines.push_back(std::move(*line));
    return lines;
}

std::string observationFileText(std::string_view name, const Observations& values, const PointNames& points,
                                std::optional<double> meanHeight)
{
    const bool named = points != letterNames;
    std::string text(utf8ByteOrderMark);
    for (int column = 1; column <= figureColumns; ++column) {
        if (column > 1)
            text += ',';
        text += columns[column - 1].name;
    }
    if (named)
        for (const char* heading : pointNameColumns)
            text.append(",").append(heading);
    if (meanHeight)
        text.append(",").append(meanHeightColumn);
    text += csvLineEnd;

    appendCell(text, name);
    for (int column = 2; column <= figureColumns; ++column) {
        text += ',';
        text += savedText(values.*columns[column - 1].value, columns[column - 1].decimals);
    }
    if (named)
        for (const std::string& point : points) {
            text += ',';
            appendCell(text, point);
        }
    if (meanHeight) {
        text += ',';
        text += savedText(*meanHeight, meanHeightDecimals);
    }
    text += csvLineEnd;
    return text;
}

} // namespace korvane::files
