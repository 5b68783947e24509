#pragma once

#include <memory>
#include <string>

// A lock shared by name between threads and between processes: every process that uses the
// same name takes turns with every other. Waits without limit; a process that dies holding it
// releases it.
class NamedLock {
public:
    virtual ~NamedLock() = default;
    static std::unique_ptr<NamedLock> Create(const std::string& name);

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
