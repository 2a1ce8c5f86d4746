// A timed run, not a test: the batch command on a generated file of a
// million figures, against its parts (reading, the adjustments alone, the
// strength of each figure, the results' digits), to show where the time of
// a batch goes.
//
//   bench_batch [figures [keep]]   (default 1000000; the files go to
//   $TMPDIR/korvane-bench-batch, removed afterwards unless "keep")

#include "batch_run.h"

#include "adjustment.h"
#include "figure_compute.h"
#include "number_text.h"
#include "observation_file.h"
#include "results_table.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The worked example's rhombus, moved about the grid and measured with a few
// millimetres of noise on every side, as a survey of many figures would be.
korvane::Observations figure(std::mt19937_64& random)
{
    std::uniform_real_distribution<double> shift(-50000.0, 50000.0);
    std::normal_distribution<double> noise(0.0, 0.003);
    const double dx = shift(random), dy = shift(random);
    return {3521.418 + dx, 1204.337 + dy, 4497.112 + dx, 2188.650 + dy, 902.1006 + noise(random),
            870.9382 + noise(random), 889.6279 + noise(random), 951.5497 + noise(random), 1158.3709 + noise(random)};
}

void generate(const std::string& path, long count)
{
    std::mt19937_64 random(18);
    std::ofstream out(path, std::ios::binary);
    out << "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n";
    std::string line;
    for (long i = 0; i < count; ++i) {
        const korvane::Observations o = figure(random);
        line = "F" + std::to_string(i + 1);
        for (const double value : {o.Xa, o.Ya, o.Xc, o.Yc})
            line += "," + korvane::fixedText(value, 3, 3);
        for (const double value : {o.S1, o.S2, o.S4, o.S5, o.S6})
            line += "," + korvane::fixedText(value, 4, 4);
        out << line << '\n';
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "korvane-bench-batch";
    std::filesystem::create_directories(folder);
    const std::string figures = (folder / "FIGURES.csv").string();
    const std::string results = (folder / "RESULTS.csv").string();
    generate(figures, count);
    std::cout << count << " figures, " << std::filesystem::file_size(figures) / 1000000 << " MB\n";

    // the whole command, as the surveyor runs it
    korvane::batch::Options options;
    options.figures = figures;
    options.results = results;
    std::ostringstream err;
    auto start = Clock::now();
    const int status = korvane::batch::runBatch(options, err, false);
    const double whole = secondsSince(start);
    const long peakAfterBatch = peakResidentKilobytes();
    std::cout << "batch to RESULTS.csv: " << whole << " s (exit " << status << ", "
              << std::filesystem::file_size(results) / 1000000 << " MB written, peak resident "
              << peakAfterBatch / 1024 << " MB)\n";

    // reading and checking the file alone
    start = Clock::now();
    std::vector<korvane::Observations> all;
    all.reserve(static_cast<std::size_t>(count));
    {
        korvane::files::ObservationReader reader(figures);
        while (std::optional<korvane::files::FigureLine> line = reader.next())
            all.push_back(std::get<korvane::files::Figure>(*line).values);
    }
    const double reading = secondsSince(start);

    // the adjustments alone, and with the single copies and the check
    start = Clock::now();
    double sink = 0;
    for (const korvane::Observations& values : all) {
        korvane::Observations o = values;
        korvane::AdjustmentResult r;
        korvane::adjust(o, r);
        sink += r.xp1;
    }
    const double adjustments = secondsSince(start);
    start = Clock::now();
    for (const korvane::Observations& values : all) {
        korvane::FigureCompute compute;
        compute.computeWhole(values);
        sink += compute.misclosureCheck().limit;
    }
    const double withCheck = secondsSince(start);

    // the strength of each figure: five more adjustments, one with each
    // side's detectable blunder
    start = Clock::now();
    for (const korvane::Observations& values : all) {
        korvane::FigureCompute compute;
        compute.computeWhole(values);
        sink += compute.strength().B.md;
    }
    const double withStrength = secondsSince(start) - withCheck;

    // the results' digits and rows alone
    korvane::FigureCompute one;
    one.computeWhole(all.front());
    const double limit = one.misclosureCheck().limit;
    const korvane::FigureStrength strength = one.strength();
    const std::optional<double> scale = one.misclosureScale();
    start = Clock::now();
    std::string block;
    for (long i = 0; i < count; ++i) {
        korvane::files::appendResultRow(block, "F1", i + 2, "合格", korvane::fixedText(limit, 2, 2), one.result(),
                                        scale, strength);
        if (block.size() > (1 << 16))
            block.clear();
    }
    const double formatting = secondsSince(start);

    std::cout << "reading and checking the file: " << reading << " s\n"
              << "adjustments alone: " << adjustments << " s\n"
              << "single copies, adjustment and misclosure check: " << withCheck << " s\n"
              << "the strength of the figures: " << withStrength << " s\n"
              << "the results' digits and rows: " << formatting << " s\n"
              << "the rest (lines of bad rows, writing, fsync, rename): "
              << whole - reading - withCheck - withStrength - formatting << " s\n"
              << (sink == 0 ? "" : "\n");
    if (argc <= 2 || std::string(argv[2]) != "keep")
        std::filesystem::remove_all(folder);
    return 0;
}
