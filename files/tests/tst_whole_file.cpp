#include "whole_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>

namespace korvane {
namespace {

// The system calls as a list, without a disk: each call is recorded, the
// temporary file under that name; the bytes written are kept, at most eight
// a call, as a pipe or a busy disk may take them; the first call named
// `failing` fails with `error` and does nothing else.
class RecordedCalls final : public FileCalls {
public:
    RecordedCalls(std::string failing, int error) : failing_(std::move(failing)), error_(error) {}

    std::vector<std::string> calls;
    std::string written;
    std::string temporary; // the path last opened

    int open(const char* path, int flags, mode_t) override
    {
        EXPECT_NE(path, temporary) << "a taken name tried again";
        temporary = path;
        EXPECT_TRUE(flags & O_EXCL) << "never into an existing file";
        return record("open") ? descriptor : -1;
    }
    ssize_t write(int fd, const void* bytes, std::size_t count) override
    {
        EXPECT_EQ(fd, descriptor);
        if (!record("write"))
            return -1;
        count = std::min<std::size_t>(count, 8);
        written.append(static_cast<const char*>(bytes), count);
        return static_cast<ssize_t>(count);
    }
    int fsync(int fd) override { return fd == descriptor && record("fsync") ? 0 : -1; }
    int close(int fd) override { return fd == descriptor && record("close") ? 0 : -1; }
    int rename(const char* from, const char* to) override { return record("rename " + named(from) + " " + to) ? 0 : -1; }
    int unlink(const char* path) override { return record("unlink " + named(path)) ? 0 : -1; }

private:
    static constexpr int descriptor = 7;

    std::string named(const std::string& path) const { return path == temporary ? "temporary" : path; }

    // one entry for the writes of one run of them
    bool record(const std::string& call)
    {
        if (call != "write" || calls.empty() || calls.back() != "write")
            calls.push_back(call);
        if (failing_.empty() || !call.starts_with(failing_))
            return true;
        failing_.clear();
        errno = error_;
        return false;
    }

    std::string failing_;
    int error_;
};

// The bytes reach the disk (fsync) and the file is closed before it takes
// its name; a fault at any call leaves no temporary file behind, and its
// errno stays with the error.
TEST(WholeFile, FlushesBeforeTheRenameAndRemovesTheTemporaryFileOnEveryFault)
{
    const std::string path = "/archive/测区 7.pdf";
    const std::string bytes = "%PDF-1.4 the report %%EOF\n";
    const std::string renamed = "rename temporary " + path;
    struct Case {
        const char* name;
        const char* failing;
        int error; // 0: written whole
        std::vector<std::string> calls;
        FileError::Reason reason = FileError::Reason::WriteFailed;
    };
    const Case cases[] = {
        {"written whole", "", 0, {"open", "write", "fsync", "close", renamed}},
        {"a write interrupted by a signal goes on", "write", EINTR, {"open", "write", "fsync", "close", renamed}},
        {"a temporary name already taken", "open", EEXIST, {"open", "open", "write", "fsync", "close", renamed}},
        {"no permission in the folder", "open", EACCES, {"open"}, FileError::Reason::FolderNotWritable},
        {"the disk fills", "write", ENOSPC, {"open", "write", "close", "unlink temporary"},
         FileError::Reason::DiskFull},
        {"the flush fails", "fsync", EIO, {"open", "write", "fsync", "close", "unlink temporary"}},
        {"a network disk's quota found at the close", "close", EDQUOT,
         {"open", "write", "fsync", "close", "unlink temporary"}, FileError::Reason::DiskFull},
        {"a folder of that name", "rename", EISDIR, {"open", "write", "fsync", "close", renamed, "unlink temporary"},
         FileError::Reason::NotAFileName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedCalls calls(c.failing, c.error);
        const bool whole = c.error == 0 || c.error == EINTR || c.error == EEXIST;
        try {
            writeWholeFile(path, bytes, calls);
            EXPECT_TRUE(whole) << "no fault raised";
        } catch (const FileError& error) {
            EXPECT_FALSE(whole) << error.what();
            EXPECT_EQ(error.reason(), c.reason);
            EXPECT_EQ(error.systemError(), c.error);
            EXPECT_EQ(error.path(), path);
        }
        EXPECT_EQ(calls.calls, c.calls);
        if (whole) {
            EXPECT_EQ(calls.written, bytes);
        }
        // renamed within one folder, never across disks
        EXPECT_TRUE(calls.temporary.starts_with("/archive/.korvane-")) << calls.temporary;
    }
}

} // namespace
} // namespace korvane
