// The port's lock on Windows: a named mutex per port, which every process that opens the same
// port shares. A mutex abandoned by a process that died counts as taken.
#include <windows.h>

#include <mutex>

#include "platform/NamedLock.h"

namespace {

class Win32NamedLock : public NamedLock {
public:
    explicit Win32NamedLock(const std::string& portName) {
        // A backslash would name a namespace ("\\.\COM10"); the port keeps its own name.
        std::string name = "Rs Mutex " + portName;
        for (char& c : name) {
            if (c == '\\') {
                c = '/';
            }
        }
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

std::unique_ptr<NamedLock> NamedLock::Create(const std::string& portName) {
    return std::make_unique<Win32NamedLock>(portName);
}
