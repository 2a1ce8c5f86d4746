// Any bytes as an observation file, read to its end as the batch command
// reads it: nothing crashes or reads out of bounds, every figure's values are
// finite and its names are names, line numbers only grow, the progress stays
// within 0 to 1, and the first figure, saved and opened again, is the same
// figure.
//
// The bytes go to a file rather than through a seam: the reader is the one
// the window and the batch use, its open, fstat, reads and rewind included,
// and it carries nothing for the fuzzer alone.

#include "file_lines.h"
#include "observation_file.h"
#include "point_names.h"
#include "text_encoding.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace korvane::files;

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// A file in memory (Linux's memfd), opened again by its path as any file is:
// no disk between runs, and nothing left behind when a run crashes.
class ScratchFile {
public:
    ScratchFile() : fd_(::memfd_create("korvane-fuzz", MFD_CLOEXEC)), path_("/proc/self/fd/" + std::to_string(fd_))
    {
        require(fd_ >= 0);
    }
    ~ScratchFile() { ::close(fd_); }

    const std::string& holding(std::string_view bytes) const
    {
        require(::ftruncate(fd_, 0) == 0);
        for (off_t at = 0; !bytes.empty();) {
            const ssize_t written = ::pwrite(fd_, bytes.data(), bytes.size(), at);
            require(written > 0);
            bytes.remove_prefix(static_cast<std::size_t>(written));
            at += written;
        }
        return path_;
    }

private:
    int fd_;
    std::string path_;
};

std::uint64_t bitsOf(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

const double* valuesOf(const Figure& figure)
{
    return &figure.values.Xa;
}

void requireSound(const Figure& figure)
{
    for (int i = 0; i < 9; ++i)
        require(std::isfinite(valuesOf(figure)[i]));
    require(!figure.meanHeight || std::isfinite(*figure.meanHeight));
    require(!firstInvalidUtf8(figure.name));
    for (const std::string& point : figure.points)
        require(isPointName(point));
}

// Saved as the window saves a figure and opened again: the same figure.
void requireSavedWhole(const ScratchFile& file, const Figure& figure)
{
    const std::string saved = observationFileText(figure.name, figure.values, figure.points, figure.meanHeight);
    std::vector<Figure> again;
    try {
        again = readAllFigures(file.holding(saved));
    } catch (const ObservationFileError& error) {
        // a name of 40 000 quotes, each doubled, makes a line no figure has
        require(error.fault().kind == FileFault::Kind::LongLine && saved.size() > longestLine);
        return;
    }
    require(again.size() == 1);
    require(again[0].name == figure.name);
    require(again[0].points == figure.points);
    for (int i = 0; i < 9; ++i)
        require(bitsOf(valuesOf(again[0])[i]) == bitsOf(valuesOf(figure)[i]));
    require(again[0].meanHeight.has_value() == figure.meanHeight.has_value());
    require(!figure.meanHeight || bitsOf(*again[0].meanHeight) == bitsOf(*figure.meanHeight));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile file;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::optional<ObservationReader> reader;
    try {
        reader.emplace(file.holding(bytes));
    } catch (const ObservationFileError& error) {
        require(error.fault().line >= 0);
        return 0;
    }
    long lastLine = 0;
    double progress = reader->progress();
    require(progress >= 0 && progress <= 1);
    std::optional<Figure> first;
    while (std::optional<FigureLine> line = reader->next()) {
        if (const auto* figure = std::get_if<Figure>(&*line)) {
            requireSound(*figure);
            require(figure->line > lastLine);
            lastLine = figure->line;
            if (!first)
                first = *figure;
        } else {
            const FileFault& fault = std::get<FileFault>(*line);
            require(fault.line > lastLine && fault.column >= 0);
            lastLine = fault.line;
        }
        require(reader->progress() >= progress && reader->progress() <= 1);
        progress = reader->progress();
    }
    require(reader->progress() == 1);
    reader.reset();
    if (first)
        requireSavedWhole(file, *first);
    return 0;
}
