// The C++ runtime pieces the project defines itself (lib/helpers/LeanThreadRuntime.cpp): each
// thread's exception state and the guard of function-local statics, with threads that throw at
// the same time.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <exception>
#include <thread>
#include <vector>

#include "KVError.h"

TEST(LeanRuntime, ThreadsThrowAtOnce_EachCatchesItsOwn_AStaticIsMadeOnce) {
    static std::atomic<int> made{0};
    auto shared = [] {
        static const int value = (made.fetch_add(1), Sleep(50), 42);  // the others wait meanwhile
        return value;
    };
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            if (shared() != 42) ++wrong;
            for (long i = 0; i < 500; ++i) {
                const long number = t * 1000 + i;
                try {
                    throw kv::KVError(number, L"");
                } catch (const kv::KVError& e) {
                    if (e.Number != number || std::uncaught_exceptions() != 0) ++wrong;
                    try {
                        throw;
                    } catch (const kv::KVError& again) {
                        if (again.Number != number) ++wrong;
                    }
                }
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(wrong, 0);

    // A throw leaves the thread's last error as it was (callers read it after cleaning up).
    SetLastError(ERROR_ACCESS_DENIED);
    try {
        throw kv::KVError(1, L"");
    } catch (const kv::KVError&) {
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}
