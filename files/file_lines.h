#pragma once

// The lines of a file on disk, read through a buffer of fixed size, so that a
// file of a million figures, or one line of a gigabyte, is read in constant
// memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::files {

// The longest line handed out, line end not counted: a figure takes about a
// hundred bytes, so a longer line is no observation data, and it is never
// held whole.
inline constexpr std::size_t longestLine = 64 * 1024;

// A file that cannot be opened or read: the errno, and the path in the file
// system's encoding.
struct ReadFault {
    std::string path;
    int systemError;
    bool notAFile; // a folder, a pipe or a device: nothing to read lines from
};

class FileLines {
public:
    enum class Next {
        Line,     // a line of at most longestLine bytes
        LongLine, // a longer one, passed over to its end
        End,
    };

    // Opens `path`; throws ReadFault.
    explicit FileLines(const std::string& path);
    ~FileLines();
    FileLines(const FileLines&) = delete;
    FileLines& operator=(const FileLines&) = delete;

    // The next line without its line end ("\n" or "\r\n") into `line`, which
    // holds until the next call; `line` is empty after a LongLine. Throws
    // ReadFault.
    Next next(std::string_view& line);

    // Back to the first line.
    void rewind();

    std::uint64_t size() const { return size_; }
    std::uint64_t bytesRead() const { return consumed_; }
    // the bytes held for reading, which no line makes grow
    std::size_t bufferCapacity() const { return buffer_.capacity(); }

private:
    bool fill();
    Next passOverLongLine();
    Next handOut(std::string_view& line, std::size_t end, std::size_t after);

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
