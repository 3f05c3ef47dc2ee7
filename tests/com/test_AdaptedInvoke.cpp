// What a script host cannot show of the typed members behind IDispatch: skipped arguments,
// refused calls with the argument named, and early-bound callers with their error info.
// test_ComServer.vbs covers by-reference variables, defaults, properties and errors.
#include <gtest/gtest.h>

#include "ProbeClient.h"

using namespace kvtest;

TEST(AdaptedInvoke, SkippedArgumentTakesTheDefault) {
    auto probe = NewProbe();
    VARIANT skipped;   // script: obj.Scale(4, )
    skipped.vt = VT_ERROR;
    skipped.scode = DISP_E_PARAMNOTFOUND;
    CallResult r;
    Call(probe.Get(), L"Scale", kGet, {Arg(4L), skipped}, r);
    ASSERT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.value->vt, VT_R8);
    EXPECT_DOUBLE_EQ(r.value->dblVal, 8.0);
}

TEST(AdaptedInvoke, WrongArgumentsAreRefusedWithTheArgumentNamed) {
    auto probe = NewProbe();
    CallResult mismatch;
    Call(probe.Get(), L"Scale", kGet, {Arg(L"abc"), Arg(2L)}, mismatch);
    EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(mismatch.argErr, 1u);   // DISPPARAMS order: the first argument is the last one

    CallResult tooFew, tooMany, unknown;
    Call(probe.Get(), L"Append", kGet, {Arg(L"a")}, tooFew);
    EXPECT_EQ(tooFew.hr, DISP_E_BADPARAMCOUNT);
    Call(probe.Get(), L"Name", DISPATCH_PROPERTYGET, {Arg(1L)}, tooMany);
    EXPECT_EQ(tooMany.hr, DISP_E_BADPARAMCOUNT);
    Call(probe.Get(), L"Nothing", kGet, {}, unknown);
    EXPECT_EQ(unknown.hr, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(probe->Invoke(4711, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST(AdaptedInvoke, EarlyBoundCallersGetTheNumberAsHResultAndTheErrorInfo) {
    auto dispatch = NewProbe();
    kv::ComPtr<IclsProbe> probe;
    ASSERT_EQ(dispatch.As(probe), S_OK);
    EXPECT_EQ(probe->Raise(-52001, nullptr), static_cast<HRESULT>(-52001));
    EXPECT_EQ(probe->Raise(53, nullptr), static_cast<HRESULT>(0x800A0035));
    kv::ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(probe.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IclsProbe), S_OK);
    kv::ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
    BSTR source = nullptr;
    info->GetSource(&source);
    EXPECT_STREQ(source, L"KVComTest");
    SysFreeString(source);
}
