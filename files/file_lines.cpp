#include "file_lines.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane::files {

namespace {

constexpr std::size_t blockSize = 1 << 16;

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
    buffer_.resize(blockSize);
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

// Moves the unread bytes to the front and reads more after them; a line
// longer than the buffer makes the buffer grow. False at the end of the file.
bool FileLines::fill()
{
    if (atEnd_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
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

bool FileLines::next(std::string_view& line)
{
    std::size_t searched = begin_;
    for (;;) {
        const void* found = std::memchr(buffer_.data() + searched, '\n', end_ - searched);
        if (found) {
            const std::size_t newline = static_cast<const char*>(found) - buffer_.data();
            std::size_t lineEnd = newline;
            if (lineEnd > begin_ && buffer_[lineEnd - 1] == '\r')
                --lineEnd;
            line = std::string_view(buffer_.data() + begin_, lineEnd - begin_);
            consumed_ += newline + 1 - begin_;
            begin_ = newline + 1;
            return true;
        }
        const std::size_t before = end_ - begin_;
        if (!fill()) {
            // the last line, without a line end
            if (begin_ == end_)
                return false;
            std::size_t lineEnd = end_;
            if (buffer_[lineEnd - 1] == '\r')
                --lineEnd;
            line = std::string_view(buffer_.data() + begin_, lineEnd - begin_);
            consumed_ += end_ - begin_;
            begin_ = end_;
            return true;
        }
        searched = begin_ + before;
    }
}

} // namespace korvane::files
