// What a script host cannot show of the typed members behind IDispatch: skipped arguments,
// named arguments, refused calls with the argument named, a put by reference, and early-bound
// callers with their error info.
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

TEST(AdaptedInvoke, NamesInAnyCaseAndNamedArgumentsFindTheirMember) {
    auto probe = NewProbe();
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"sCALE"), const_cast<LPOLESTR>(L"LNGFACTOR")};
    DISPID ids[2] = {};
    ASSERT_EQ(probe->GetIDsOfNames(IID_NULL, names, 1, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 3);
    ASSERT_EQ(probe->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    ASSERT_EQ(ids[1], 1);
    VARIANT args[] = {Arg(4L), Arg(3.0)};   // named lngFactor, then the positional value
    DISPPARAMS params{args, &ids[1], 2, 1};
    kv::com::ComVariant result;
    ASSERT_EQ(probe->Invoke(ids[0], IID_NULL, 0, kGet, &params, result.Put(), nullptr, nullptr), S_OK);
    EXPECT_DOUBLE_EQ(result->dblVal, 12.0);
}

TEST(AdaptedInvoke, PutByReferenceFallsBackToThePut) {
    auto probe = NewProbe();
    CallResult put, get;
    Call(probe.Get(), L"Name", DISPATCH_PROPERTYPUTREF, {Arg(L"by reference")}, put);
    ASSERT_EQ(put.hr, S_OK);
    Call(probe.Get(), L"Name", kGet, {}, get);
    EXPECT_EQ(kv::com::FromBSTR(get.value->bstrVal), L"by reference");
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
