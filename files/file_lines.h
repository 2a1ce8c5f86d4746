#pragma once

// The lines of a file on disk, read through a buffer of fixed size, so that a
// file of a million figures is read in constant memory.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::files {

// A file that cannot be opened or read: the errno, and the path in the file
// system's encoding.
struct ReadFault {
    std::string path;
    int systemError;
    bool notAFile; // a folder, a pipe or a device: nothing to read lines from
};

class FileLines {
public:
    // Opens `path`; throws ReadFault.
    explicit FileLines(const std::string& path);
    ~FileLines();
    FileLines(const FileLines&) = delete;
    FileLines& operator=(const FileLines&) = delete;

    // The next line without its line end ("\n" or "\r\n"); false at the end
    // of the file. The view holds until the next call. Throws ReadFault.
    bool next(std::string_view& line);

    // Back to the first line.
    void rewind();

    std::uint64_t size() const { return size_; }
    std::uint64_t bytesRead() const { return consumed_; }

private:
    bool fill();

    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t consumed_ = 0; // bytes handed out as lines, line ends included
    std::string buffer_;
    std::size_t begin_ = 0; // unread bytes are buffer_[begin_, end_)
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

} // namespace korvane::files
