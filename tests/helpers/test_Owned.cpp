// The owners of Windows handles and the one "raise the last error" helper.
#include <gtest/gtest.h>

#include "LastError.h"
#include "Owned.h"
#include "clsMain.h"

using kv::KVError;

namespace {

bool IsOpenHandle(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}

}  // namespace

TEST(Owned, FreesOnce_MovedFromHoldsNothing_AssignmentFreesWhatWasHeld) {
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(first && second);
    {
        kv::OwnedHandle a(first);
        kv::OwnedHandle b(std::move(a));
        EXPECT_FALSE(a) << "the source is empty after a move";
        EXPECT_EQ(a.Get(), nullptr);
        EXPECT_EQ(b.Get(), first);

        kv::OwnedHandle c(second);
        c = std::move(b);  // c let go of `second`, and holds `first`
        EXPECT_FALSE(IsOpenHandle(second));
        EXPECT_TRUE(IsOpenHandle(first));
        EXPECT_EQ(c.Get(), first);

        c = std::move(c);  // to itself: keeps it
        EXPECT_TRUE(IsOpenHandle(first));
    }
    EXPECT_FALSE(IsOpenHandle(first)) << "closed when its last owner went";

    HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE released = kv::OwnedHandle(kept).Release();
    EXPECT_TRUE(IsOpenHandle(released)) << "Release gives up without closing";
    CloseHandle(released);
}

TEST(Owned, AFindHandleIsEmptyAsFindFirstFileFails) {
    WIN32_FIND_DATAW found{};
    kv::OwnedFindHandle search(FindFirstFileW(L"C:\\windows\\*", &found));
    EXPECT_TRUE(search);
    kv::OwnedFindHandle missing(FindFirstFileW(L"C:\\no such folder\\*", &found));
    EXPECT_FALSE(missing) << "INVALID_HANDLE_VALUE is no handle to close";
}

TEST(LastError, RaisesTheWindowsErrorAsAnApiError_NeverAsErrorZero) {
    EXPECT_NO_THROW(kv::RaiseLastErrorIf(false));
    EXPECT_NO_THROW(kv::RaiseIfError(ERROR_SUCCESS));

    SetLastError(ERROR_FILE_NOT_FOUND);
    try {
        kv::RaiseLastErrorIf(true);
        ADD_FAILURE() << "nothing raised";
    } catch (const KVError& e) {
        EXPECT_EQ(e.Number, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(e.Description, L"API: " + kv::clsMain::SystemMessage(ERROR_FILE_NOT_FOUND));
    }

    SetLastError(ERROR_SUCCESS);
    try {
        kv::RaiseLastError(ERROR_INVALID_WINDOW_HANDLE);
    } catch (const KVError& e) {
        EXPECT_EQ(e.Number, ERROR_INVALID_WINDOW_HANDLE) << "a call that set no error raises the fallback";
    }

    try {
        kv::RaiseIfError(ERROR_ACCESS_DENIED);
        ADD_FAILURE() << "nothing raised";
    } catch (const KVError& e) {
        EXPECT_EQ(e.Number, ERROR_ACCESS_DENIED);
    }
}
