#pragma once

#include <memory>
#include <string>

// The lock of one serial port, held for each write and each drain so that they never run at
// the same time. Between processes each system keeps a port to one program at a time in its
// own way: on POSIX the open device itself is locked (flock on its descriptor) from Open to
// Close, so another program is refused at once and told who holds it, and this lock needs no
// name in any folder; on Windows a named mutex per port ("Rs Mutex COM3"), shared with every
// process that opens the same port. A process that dies holding it releases it.
class NamedLock {
public:
    virtual ~NamedLock() = default;
    // portName: the port as the operator named it ("COM3", a device path).
    static std::unique_ptr<NamedLock> Create(const std::string& portName);

    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

// Holds a named lock for one scope.
class NamedLockHold {
public:
    explicit NamedLockHold(NamedLock& lock) : lock_(lock) { lock_.Lock(); }
    ~NamedLockHold() { lock_.Unlock(); }
    NamedLockHold(const NamedLockHold&) = delete;
    NamedLockHold& operator=(const NamedLockHold&) = delete;

private:
    NamedLock& lock_;
};
