#include "file_lines.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane::files {

namespace {

// a line of the longest length, its "\r\n", and room to read on after it
constexpr std::size_t bufferSize = 2 * longestLine;

} // namespace

FileLines::FileLines(const std::string& path) : path_(path)
{
    // without O_NONBLOCK a pipe would wait here for a writer that never comes
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        throw ReadFault{path, errno, false};
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        throw ReadFault{path, error, false};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw ReadFault{path, 0, true};
    }
    ::fcntl(fd_, F_SETFL, 0);
    size_ = static_cast<std::uint64_t>(info.st_size);
    buffer_.resize(bufferSize);
}

FileLines::~FileLines()
{
    ::close(fd_);
}

void FileLines::rewind()
{
    if (::lseek(fd_, 0, SEEK_SET) != 0)
        throw ReadFault{path_, errno, false};
    begin_ = end_ = 0;
    consumed_ = 0;
    atEnd_ = false;
}

// Moves the unread bytes to the front and reads more after them. The buffer
// never grows: next() passes over a line before it could fill the buffer.
// False at the end of the file.
bool FileLines::fill()
{
    if (atEnd_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw ReadFault{path_, errno, false};
        }
        if (got == 0) {
            atEnd_ = true;
            return false;
        }
        end_ += static_cast<std::size_t>(got);
        return true;
    }
}

// The unread bytes start a line longer than longestLine: on to its line end
// through the same buffer, keeping nothing of the line.
FileLines::Next FileLines::passOverLongLine()
{
    for (;;) {
        consumed_ += end_ - begin_;
        begin_ = end_ = 0;
        if (!fill())
            return Next::LongLine; // the last line, without a line end
        if (const void* found = std::memchr(buffer_.data(), '\n', end_)) {
            const std::size_t newline = static_cast<const char*>(found) - buffer_.data();
            consumed_ += newline + 1;
            begin_ = newline + 1;
            return Next::LongLine;
        }
    }
}

// Hands out buffer_[begin_, end) without a '\r' before the line end, and
// moves on to `after`.
FileLines::Next FileLines::handOut(std::string_view& line, std::size_t end, std::size_t after)
{
    if (end > begin_ && buffer_[end - 1] == '\r')
        --end;
    const std::size_t length = end - begin_;
    const std::size_t start = begin_;
    consumed_ += after - begin_;
    begin_ = after;
    if (length > longestLine)
        return Next::LongLine;
    line = std::string_view(buffer_.data() + start, length);
    return Next::Line;
}

FileLines::Next FileLines::next(std::string_view& line)
{
    line = {};
    std::size_t searched = begin_;
    for (;;) {
        if (const void* found = std::memchr(buffer_.data() + searched, '\n', end_ - searched)) {
            const std::size_t newline = static_cast<const char*>(found) - buffer_.data();
            return handOut(line, newline, newline + 1);
        }
        // longer than the longest line even if a "\r\n" comes next
        if (end_ - begin_ > longestLine + 1)
            return passOverLongLine();
        const std::size_t before = end_ - begin_;
        if (!fill()) {
            if (begin_ == end_)
                return Next::End;
            return handOut(line, end_, end_); // the last line, without a line end
        }
        searched = begin_ + before;
    }
}

} // namespace korvane::files
