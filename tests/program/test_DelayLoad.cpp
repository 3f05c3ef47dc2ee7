// The program loads oleaut32 and the other system DLLs at their first use. The first call of
// a function goes through the loader stub, which must hand floating-point arguments on as
// well as the others (this executable is linked the way the program is).
#include <windows.h>
#include <oleauto.h>
#include <gtest/gtest.h>

TEST(DelayLoad, TheFirstCallOfAFunctionKeepsItsFloatingPointArguments) {
    SYSTEMTIME time{};
    ASSERT_TRUE(VariantTimeToSystemTime(45000.5, &time));   // first call: through the stub
    EXPECT_EQ(time.wYear, 2023);
    EXPECT_EQ(time.wMonth, 3);
    EXPECT_EQ(time.wDay, 15);
    EXPECT_EQ(time.wHour, 12);
    BSTR text = nullptr;
    ASSERT_EQ(VarBstrFromR8(1.25, MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), 0, &text), S_OK);
    EXPECT_STREQ(text, L"1.25");
    SysFreeString(text);
}
