#pragma once

// Whether two paths of the command line name one file, so that the batch
// never writes an output over its observation file or over another output:
// `测区.csv`, `./测区.csv`, `../测量/测区.csv` and a symbolic link to it are
// all the same file.

#include <string>

namespace korvane::batch {

// By device and inode where both exist (so that every other path to the
// file, a symbolic or a hard link among them, is the file); by the path with
// its symbolic links, "." and ".." resolved where one of them does not exist
// yet. Paths in the file system's encoding.
bool sameFile(const std::string& a, const std::string& b);

} // namespace korvane::batch
