// The named lock on POSIX systems: a mutex between the threads of this process plus an
// advisory file lock on a file of that name in the runtime directory between processes.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/NamedLock.h"

namespace {

std::string RuntimeDirectory() {
    const char* directory = std::getenv("XDG_RUNTIME_DIR");
    if (directory != nullptr && directory[0] != '\0') {
        return directory;
    }
    // A cron job is given no XDG_RUNTIME_DIR; the user's runtime directory of a desktop session
    // is still there, so that rvctl from cron and the window take turns on the same lock.
    const std::string own = "/run/user/" + std::to_string(getuid());
    struct stat entry {};
    if (stat(own.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode) && entry.st_uid == getuid()) {
        return own;
    }
    return "/tmp";
}

class PosixNamedLock : public NamedLock {
public:
    explicit PosixNamedLock(const std::string& name) {
        const std::string path = RuntimeDirectory() + "/" + name;
        // A file lock needs no write access, so a file another user made serves as well.
        fd_ = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        }
    }

    ~PosixNamedLock() override {
        if (fd_ >= 0) {
            close(fd_);
        }
    }

    void Lock() override {
        threads_.lock();
        // Without the file the lock still keeps this process's threads apart.
        while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }

    void Unlock() override {
        if (fd_ >= 0) {
            flock(fd_, LOCK_UN);
        }
        threads_.unlock();
    }

private:
    std::mutex threads_;
    int fd_ = -1;
};

}  // namespace

std::unique_ptr<NamedLock> NamedLock::Create(const std::string& name) {
    return std::make_unique<PosixNamedLock>(name);
}
