// The keyed collection as a script sees it: Count, Item by key or position, For Each.
#include <gtest/gtest.h>

#include "Collection.h"
#include "KVError.h"
#include "ProbeClient.h"

using namespace kvtest;

namespace {

kv::ComPtr<IDispatch> ThreeItems() {
    auto probe = NewProbe();
    CallResult r;
    Call(probe.Get(), L"Items", kGet, {Long(3)}, r);
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.value.vt, VT_DISPATCH);
    return kv::ComPtr<IDispatch>(r.value.pdispVal);
}

}  // namespace

TEST(Collection, ItemByKeyIgnoresCaseAndByPositionCountsFromOne) {
    auto items = ThreeItems();
    CallResult count;
    Call(items.Get(), L"count", kGet, {}, count);
    EXPECT_EQ(count.value.lVal, 3);

    CallResult byKey;
    Call(items.Get(), L"Item", kGet, {Text(L"k2")}, byKey);
    EXPECT_EQ(byKey.Text(), L"V2");

    ScriptVariable position(short{3});
    CallResult byPosition;
    Call(items.Get(), L"Item", kGet, {position.Ref()}, byPosition);
    EXPECT_EQ(byPosition.Text(), L"V3");

    // Item is the default member: col("K1").
    DISPPARAMS params{};
    VARIANT key = Text(L"K1");
    params.rgvarg = &key;
    params.cArgs = 1;
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(items->Invoke(DISPID_VALUE, IID_NULL, 0, kGet, &params, &value, nullptr, nullptr), S_OK);
    EXPECT_STREQ(value.bstrVal, L"V1");
    VariantClear(&value);
    VariantClear(&key);
}

TEST(Collection, UnknownKeyAndBadPositionRaiseTheBasicErrors) {
    auto items = ThreeItems();
    CallResult missingKey;
    Call(items.Get(), L"Item", kGet, {Text(L"K9")}, missingKey);
    EXPECT_EQ(missingKey.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(missingKey.excep.scode, static_cast<SCODE>(0x800A0005));
    EXPECT_EQ(missingKey.Source(), L"KVComTest");

    for (long bad : {0L, 4L}) {
        CallResult outOfRange;
        Call(items.Get(), L"Item", kGet, {Long(bad)}, outOfRange);
        EXPECT_EQ(outOfRange.excep.scode, static_cast<SCODE>(0x800A0009)) << bad;
    }
}

TEST(Collection, NewEnumYieldsTheItemsInOrder) {
    auto items = ThreeItems();
    CallResult r;
    Call(items.Get(), L"_NewEnum", kGet, {}, r);
    ASSERT_EQ(r.value.vt, VT_UNKNOWN);
    kv::ComPtr<IEnumVARIANT> e;
    ASSERT_EQ(r.value.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(e.Put())), S_OK);
    VARIANT got[4];
    ULONG fetched = 0;
    EXPECT_EQ(e->Next(4, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 3u);
    EXPECT_STREQ(got[0].bstrVal, L"V1");
    EXPECT_STREQ(got[2].bstrVal, L"V3");
    for (ULONG i = 0; i < fetched; ++i) VariantClear(&got[i]);
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(2), S_OK);
    EXPECT_EQ(e->Next(1, got, &fetched), S_OK);
    EXPECT_STREQ(got[0].bstrVal, L"V3");
    VariantClear(&got[0]);
}

TEST(Collection, DuplicateKeyIsRefusedButUnkeyedItemsAreNot) {
    kv::com::Collection* raw = nullptr;
    ASSERT_EQ(kv::com::CreateCollection(&raw), S_OK);
    auto c = kv::ComPtr<kv::com::Collection>::Attach(raw);
    VARIANT v = Long(1);
    c->Add(L"Key", v);
    c->Add(L"", v);
    c->Add(L"", v);
    try {
        c->Add(L"KEY", v);
        FAIL() << "duplicate accepted";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, 457);
    }
    EXPECT_EQ(c->Count(), 3);
}
