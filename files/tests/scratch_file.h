#pragma once

// A file of the test's own in the temporary folder, removed afterwards.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace korvane::testing {

class ScratchFile {
public:
    explicit ScratchFile(std::string_view bytes, const char* suffix = ".csv")
        : path_((std::filesystem::temp_directory_path()
                 / ("korvane-files-" + std::to_string(::getpid()) + "-" + std::to_string(++counter()) + suffix))
                    .string())
    {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }
    std::string path_;
};

} // namespace korvane::testing
