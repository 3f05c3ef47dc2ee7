// Script callers reach typed members: every argument a VARIANT, variables by reference.
#include <gtest/gtest.h>

#include "ComVariant.h"
#include "ProbeClient.h"

using namespace kvtest;

TEST(AdaptedInvoke, InOutStringWritesTheResultBackIntoTheScriptVariable) {
    auto probe = NewProbe();
    ScriptVariable text(L"ab");
    CallResult r;
    Call(probe.Get(), L"Append", kGet, {text.Ref(), Text(L"cd")}, r);
    ASSERT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.value.vt, VT_I4);
    EXPECT_EQ(r.value.lVal, 4);
    EXPECT_EQ(text.value.vt, VT_BSTR);
    EXPECT_EQ(text.Text(), L"abcd");
}

TEST(AdaptedInvoke, VariableOfAnotherTypeIsCoercedAndComesBackInTheDeclaredType) {
    auto probe = NewProbe();
    ScriptVariable number(short{12});
    CallResult r;
    Call(probe.Get(), L"Append", kGet, {number.Ref(), Text(L"x")}, r);
    ASSERT_EQ(r.hr, S_OK);
    EXPECT_EQ(number.Text(), L"12x");

    // A literal in a by-reference position is passed and nothing is written anywhere.
    CallResult literal;
    Call(probe.Get(), L"append", kGet, {Text(L"abc"), Text(L"d")}, literal);
    ASSERT_EQ(literal.hr, S_OK);
    EXPECT_EQ(literal.value.lVal, 4);
}

TEST(AdaptedInvoke, OutOnlyParametersStartEmptyAndAreFilled) {
    auto probe = NewProbe();
    ScriptVariable left(L"old"), right(short{5});
    CallResult r;
    Call(probe.Get(), L"Split", kGet, {Text(L"one two three"), left.Ref(), right.Ref()}, r);
    ASSERT_EQ(r.hr, S_OK);
    EXPECT_EQ(left.Text(), L"one");
    EXPECT_EQ(right.Text(), L"two three");
}

TEST(AdaptedInvoke, VariantAndEnumerationByReference) {
    auto probe = NewProbe();
    ScriptVariable a(L"7"), b(short{3});
    CallResult r;
    Call(probe.Get(), L"Swap", kGet, {a.Ref(), b.Ref()}, r);
    ASSERT_EQ(r.hr, S_OK);
    EXPECT_EQ(a.value.vt, VT_I4);
    EXPECT_EQ(a.value.lVal, 3);
    EXPECT_EQ(b.value.vt, VT_I4);
    EXPECT_EQ(b.value.lVal, 7);

    ScriptVariable colour(short{3});
    CallResult c;
    Call(probe.Get(), L"NextColour", kGet, {colour.Ref()}, c);
    ASSERT_EQ(c.hr, S_OK);
    EXPECT_EQ(colour.value.vt, VT_I4);
    EXPECT_EQ(colour.value.lVal, 1);
}

TEST(AdaptedInvoke, MissingOptionalAndDefaultParameters) {
    auto probe = NewProbe();
    CallResult none;
    Call(probe.Get(), L"Describe", kGet, {}, none);
    ASSERT_EQ(none.hr, S_OK);
    EXPECT_EQ(none.Text(), L"missing");

    // A by-value VARIANT parameter sees the variable's value, not the reference.
    ScriptVariable five(short{5});
    CallResult given;
    Call(probe.Get(), L"Describe", kGet, {five.Ref()}, given);
    EXPECT_EQ(given.Text(), L"2:5");

    CallResult scaled;
    Call(probe.Get(), L"Scale", kGet, {Text(L"3")}, scaled);
    ASSERT_EQ(scaled.hr, S_OK);
    EXPECT_EQ(scaled.value.vt, VT_R8);
    EXPECT_DOUBLE_EQ(scaled.value.dblVal, 6.0);

    // A skipped argument (script: obj.Scale 3, , ) takes the default too.
    VARIANT skipped;
    VariantInit(&skipped);
    skipped.vt = VT_ERROR;
    skipped.scode = DISP_E_PARAMNOTFOUND;
    CallResult withSkip;
    Call(probe.Get(), L"Scale", kGet, {Long(4), skipped}, withSkip);
    EXPECT_DOUBLE_EQ(withSkip.value.dblVal, 8.0);

    CallResult explicitFactor;
    Call(probe.Get(), L"Scale", kGet, {Long(4), Long(5)}, explicitFactor);
    EXPECT_DOUBLE_EQ(explicitFactor.value.dblVal, 20.0);
}

TEST(AdaptedInvoke, PropertyPutAndGet) {
    auto probe = NewProbe();
    ScriptVariable name(L"renamed");
    CallResult put;
    Call(probe.Get(), L"Name", DISPATCH_PROPERTYPUT, {name.Ref()}, put);
    ASSERT_EQ(put.hr, S_OK);
    CallResult get;
    Call(probe.Get(), L"Name", DISPATCH_PROPERTYGET, {}, get);
    ASSERT_EQ(get.hr, S_OK);
    EXPECT_EQ(get.Text(), L"renamed");
}

TEST(AdaptedInvoke, WrongArgumentsAreRefusedWithTheArgumentNamed) {
    auto probe = NewProbe();
    CallResult mismatch;
    Call(probe.Get(), L"Scale", kGet, {Text(L"abc"), Long(2)}, mismatch);
    EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(mismatch.argErr, 1u);   // DISPPARAMS order: the first argument is the last one

    CallResult tooFew;
    Call(probe.Get(), L"Append", kGet, {Text(L"a")}, tooFew);
    EXPECT_EQ(tooFew.hr, DISP_E_BADPARAMCOUNT);

    CallResult tooMany;
    Call(probe.Get(), L"Name", DISPATCH_PROPERTYGET, {Long(1)}, tooMany);
    EXPECT_EQ(tooMany.hr, DISP_E_BADPARAMCOUNT);

    CallResult unknown;
    Call(probe.Get(), L"Nothing", kGet, {}, unknown);
    EXPECT_EQ(unknown.hr, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(probe->Invoke(4711, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST(AdaptedInvoke, ErrorsReachTheCallerWithNumberDescriptionAndSource) {
    auto probe = NewProbe();
    CallResult negative;
    Call(probe.Get(), L"Raise", kGet, {Long(-52002), Text(L"Wert fehlt")}, negative);
    EXPECT_EQ(negative.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(negative.excep.scode, static_cast<SCODE>(-52002));
    EXPECT_EQ(negative.Description(), L"Wert fehlt");
    EXPECT_EQ(negative.Source(), L"KVComTest");

    CallResult positive;
    Call(probe.Get(), L"Raise", kGet, {Long(53), Text(L"Datei nicht gefunden")}, positive);
    EXPECT_EQ(positive.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(positive.excep.scode, static_cast<SCODE>(0x800A0035));
    EXPECT_EQ(positive.Description(), L"Datei nicht gefunden");
}

TEST(AdaptedInvoke, AnErrorOfAnObjectCalledInsideAMemberTravelsOnUnchanged) {
    auto probe = NewProbe();
    auto target = NewProbe();
    VARIANT object;
    VariantInit(&object);
    object.vt = VT_DISPATCH;
    object.pdispVal = target.Get();
    object.pdispVal->AddRef();
    CallResult r;
    Call(probe.Get(), L"Relay", kGet, {object, Long(-52013), Text(L"a @@@ m_f @@@ P")}, r);
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(r.excep.scode, static_cast<SCODE>(-52013));
    EXPECT_EQ(r.Description(), L"a @@@ m_f @@@ P");

    CallResult noObject;
    VARIANT nothing;
    VariantInit(&nothing);
    nothing.vt = VT_DISPATCH;
    Call(probe.Get(), L"Relay", kGet, {nothing, Long(1), Text(L"x")}, noObject);
    EXPECT_EQ(noObject.excep.scode, static_cast<SCODE>(0x800A005B));   // 91
}

TEST(AdaptedInvoke, EarlyBoundCallersUseTheDeclaredTypes) {
    auto dispatch = NewProbe();
    kv::ComPtr<IclsProbe> probe;
    ASSERT_EQ(dispatch->QueryInterface(IID_IclsProbe, reinterpret_cast<void**>(probe.Put())), S_OK);
    BSTR text = SysAllocString(L"x");
    BSTR suffix = SysAllocString(L"yz");
    long length = 0;
    EXPECT_EQ(probe->Append(&text, suffix, &length), S_OK);
    EXPECT_EQ(length, 3);
    EXPECT_STREQ(text, L"xyz");
    SysFreeString(text);
    SysFreeString(suffix);

    EXPECT_EQ(probe->Raise(-52001, nullptr), static_cast<HRESULT>(-52001));
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
