#include "whole_file.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio> // rename
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace korvane {

namespace {

class SystemFileCalls final : public FileCalls {
public:
    int open(const char* path, int flags, mode_t mode) override { return ::open(path, flags, mode); }
    ssize_t write(int fd, const void* bytes, std::size_t count) override { return ::write(fd, bytes, count); }
    int fsync(int fd) override { return ::fsync(fd); }
    int close(int fd) override { return ::close(fd); }
    int rename(const char* from, const char* to) override { return std::rename(from, to); }
    int unlink(const char* path) override { return ::unlink(path); }
};

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Open file descriptor of the temporary file; removes the file unless it was
// given its name.
class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, FileCalls& calls) : calls_(calls)
    {
        // a short name of its own, so a chosen name near the length limit
        // fails at the renaming, as a name, and not here
        static unsigned counter = 0;
        const auto clock = static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const unsigned long long tag = (clock ^ (static_cast<unsigned long long>(getpid()) << 20)) + ++counter;
            char hex[16];
            const auto end = std::to_chars(hex, hex + sizeof hex, tag & 0xffffffffULL, 16).ptr;
            path_ = folder + "/.korvane-" + std::string(hex, end) + ".part";
            // 0666 less the user's umask, as any new document of the user
            fd_ = calls_.open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST)
                return;
        }
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            calls_.close(fd_);
        if (fd_ != neverCreated && !renamed_)
            calls_.unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // close() reports what a network disk only finds out at the end
    bool close()
    {
        return calls_.close(std::exchange(fd_, closed)) == 0;
    }
    void markRenamed() { renamed_ = true; }

private:
    static constexpr int neverCreated = -1;
    static constexpr int closed = -2;

    FileCalls& calls_;
    std::string path_;
    int fd_ = neverCreated;
    bool renamed_ = false;
};

bool writeAll(FileCalls& calls, int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = calls.write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

FileError::FileError(Reason reason, std::string path, int systemError)
    : std::runtime_error("cannot write " + path), reason_(reason), path_(std::move(path)), systemError_(systemError)
{
}

FileError::Reason fileErrorReason(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return FileError::Reason::FolderNotWritable;
    case ENOENT:
    case ENOTDIR:
        return FileError::Reason::FolderMissing;
    case ENOSPC:
    case EDQUOT:
        return FileError::Reason::DiskFull;
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case EILSEQ:
        return FileError::Reason::NotAFileName;
    default:
        return FileError::Reason::WriteFailed;
    }
}

FileCalls& systemFileCalls()
{
    static SystemFileCalls calls;
    return calls;
}

void writeWholeFile(const std::string& path, std::string_view bytes, FileCalls& calls)
{
    WholeFileWriter file(path, calls);
    file.write(bytes);
    file.commit();
}

struct WholeFileWriter::Part {
    Part(const std::string& folder, FileCalls& calls) : calls(calls), file(folder, calls) {}
    FileCalls& calls;
    TemporaryFile file;
};

WholeFileWriter::WholeFileWriter(std::string path, FileCalls& calls)
    : path_(std::move(path)), part_(std::make_unique<Part>(folderOf(path_), calls))
{
    if (!part_->file.isOpen())
        fail(errno);
}

WholeFileWriter::~WholeFileWriter() = default;

void WholeFileWriter::fail(int error) const
{
    throw FileError(fileErrorReason(error), path_, error);
}

void WholeFileWriter::write(std::string_view bytes)
{
    if (!writeAll(part_->calls, part_->file.fd(), bytes))
        fail(errno);
}

void WholeFileWriter::commit()
{
    // on the disk before it takes the name, so a power cut cannot leave an
    // empty file where the old one was
    if (part_->calls.fsync(part_->file.fd()) != 0 || !part_->file.close())
        fail(errno);
    if (part_->calls.rename(part_->file.path().c_str(), path_.c_str()) != 0)
        fail(errno);
    part_->file.markRenamed();
}

} // namespace korvane
