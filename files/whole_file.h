#pragma once

// A file written whole or not at all. The bytes go to a hidden temporary file
// in the chosen folder, reach the disk, and only then take the chosen name in
// one step. A fault on the way (a full disk, a name the disk refuses) leaves
// no half file under the name and no temporary file beside it, and an older
// file of that name as it was: an archived computation is never replaced by
// a broken one.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace korvane {

class FileError : public std::runtime_error {
public:
    enum class Reason {
        FolderNotWritable, // no permission to write there, or a read-only disk
        FolderMissing,     // the folder does not exist (any more)
        DiskFull,          // no space left, or the user's quota is used up
        NotAFileName,      // too long, characters the disk refuses, or the name of a folder
        WriteFailed,       // any other fault of the disk
    };

    // `path` in the file system's encoding; `systemError` the errno, 0 when
    // the fault came from elsewhere
    FileError(Reason reason, std::string path, int systemError);

    Reason reason() const { return reason_; }
    const std::string& path() const { return path_; }
    int systemError() const { return systemError_; }

private:
    Reason reason_;
    std::string path_;
    int systemError_;
};

// The reason behind an errno of opening, writing or naming a file.
FileError::Reason fileErrorReason(int systemError);

// The system calls of the write, each as POSIX has it: a result below zero
// and errno on a fault. The write makes no other, so a test can stand in
// calls of its own to see their order and to fail any one of them.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual int open(const char* path, int flags, mode_t mode) = 0;
    virtual ssize_t write(int fd, const void* bytes, std::size_t count) = 0;
    virtual int fsync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int rename(const char* from, const char* to) = 0;
    virtual int unlink(const char* path) = 0;
};

// the operating system's own
FileCalls& systemFileCalls();

// Writes `bytes` to `path` (file system encoding), replacing a file of that
// name. Throws FileError naming `path`.
void writeWholeFile(const std::string& path, std::string_view bytes, FileCalls& calls = systemFileCalls());

// The same for a file made piece by piece, too large to hold whole (a batch
// run's results): each piece goes to the temporary file as it comes, and
// only commit() gives the file its name. Destroyed without commit(), it
// leaves nothing behind.
class WholeFileWriter {
public:
    // Makes the temporary file in the folder of `path`, so that a folder
    // that cannot take the file fails before anything is computed. Throws
    // FileError naming `path`.
    explicit WholeFileWriter(std::string path, FileCalls& calls = systemFileCalls());
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    [[noreturn]] void fail(int systemError) const;

    struct Part;
    std::string path_;
    std::unique_ptr<Part> part_;
};

} // namespace korvane
