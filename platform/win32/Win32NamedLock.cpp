// The named lock on Windows: a named mutex, which every process that opens the same name
// shares. A mutex abandoned by a process that died counts as taken.
#include <windows.h>

#include <mutex>

#include "platform/NamedLock.h"

namespace {

class Win32NamedLock : public NamedLock {
public:
    explicit Win32NamedLock(const std::string& name) {
        mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
    }

    ~Win32NamedLock() override {
        if (mutex_ != nullptr) {
            CloseHandle(mutex_);
        }
    }

    void Lock() override {
        // Without the system mutex the lock still keeps this process's threads apart.
        threads_.lock();
        if (mutex_ != nullptr) {
            WaitForSingleObject(mutex_, INFINITE);
        }
    }

    void Unlock() override {
        if (mutex_ != nullptr) {
            ReleaseMutex(mutex_);
        }
        threads_.unlock();
    }

private:
    std::mutex threads_;
    HANDLE mutex_ = nullptr;
};

}  // namespace

std::unique_ptr<NamedLock> NamedLock::Create(const std::string& name) {
    return std::make_unique<Win32NamedLock>(name);
}
