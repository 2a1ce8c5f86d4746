#pragma once

// File systems as an ordinary user meets them, for tests that may run as
// root: a thread that writes with an ordinary user's rights, and a small
// disk that fills up. Nothing of the machine changes.

#include <string>

#include <fcntl.h>
#include <sched.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <unistd.h>

namespace korvane::testing {

// Root writes anywhere; a surveyor does not. As root, this thread meets the
// file system with the rights of an ordinary user while it lives.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_)
            setfsuid(65534);
    }
    ~AsOrdinaryUser()
    {
        if (wasRoot_)
            setfsuid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool wasRoot_;
};

// A disk of 16 KB at `folder` that only this thread sees: a tmpfs mounted in
// a mount namespace of its own, so nothing of the machine changes. Needs the
// right to mount (root); ready() tells.
class SmallDisk {
public:
    explicit SmallDisk(std::string folder)
        : folder_(std::move(folder)), home_(open("/proc/self/ns/mnt", O_RDONLY | O_CLOEXEC))
    {
        if (home_ < 0 || unshare(CLONE_NEWNS) != 0)
            return;
        entered_ = true;
        // without this a mount would show in the machine's namespace too
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return;
        mounted_ = mount("korvane-test", folder_.c_str(), "tmpfs", 0, "size=16k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            umount2(folder_.c_str(), MNT_DETACH);
        if (entered_)
            setns(home_, CLONE_NEWNS);
        if (home_ >= 0)
            close(home_);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool ready() const { return mounted_; }

private:
    std::string folder_;
    int home_;
    bool entered_ = false;
    bool mounted_ = false;
};

} // namespace korvane::testing
