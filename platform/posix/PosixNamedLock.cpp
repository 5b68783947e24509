// The port's lock on POSIX systems. Between processes the serial device's own flock, taken
// when it opens and dropped with its descriptor, already keeps the port to one program; a lock
// file beside it would only add a name another user could hold or plant a link at. What is
// left is to keep this process's writer and receive thread apart.
#include <mutex>
#include <string>

#include "platform/NamedLock.h"

namespace {

class PosixNamedLock : public NamedLock {
public:
    void Lock() override { threads_.lock(); }
    void Unlock() override { threads_.unlock(); }

private:
    std::mutex threads_;
};

}  // namespace

std::unique_ptr<NamedLock> NamedLock::Create(const std::string&) {
    return std::make_unique<PosixNamedLock>();
}
