#pragma once

#include <unistd.h>

// Takes the rights of an ordinary user (nobody) for its lifetime when the test runs as root,
// so that file permissions hold for root's tests too. Failed() when that was refused.
class OrdinaryUser {
public:
    OrdinaryUser() : wasRoot_(geteuid() == 0) {
        if (wasRoot_ && seteuid(kNobody) != 0) {
            failed_ = true;
        }
    }
    ~OrdinaryUser() {
        if (wasRoot_ && !failed_) {
            static_cast<void>(seteuid(0));
        }
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    bool Failed() const { return failed_; }

private:
    static constexpr uid_t kNobody = 65534;
    bool wasRoot_;
    bool failed_ = false;
};
