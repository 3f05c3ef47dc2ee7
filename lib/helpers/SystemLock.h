#pragma once
// A lock of the system's own, for std::lock_guard: std::mutex would link the C++ library's
// system_error and string code (about 30 KB in every binary) for its one error path.
#include <windows.h>

namespace kv {

class SystemLock {
public:
    SystemLock() = default;
    SystemLock(const SystemLock&) = delete;
    SystemLock& operator=(const SystemLock&) = delete;
    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace kv
