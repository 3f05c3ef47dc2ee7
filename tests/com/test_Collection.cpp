// The keyed collection beyond what test_ComServer.vbs sees: the enumerator's steps, a
// position out of range, and keys that must be unique while unkeyed items need not be.
#include <gtest/gtest.h>

#include "Collection.h"
#include "ErrorCapture.h"
#include "ProbeClient.h"

using namespace kvtest;

TEST(Collection, EnumeratorAndPositionsCountFromOne) {
    CallResult made, r;
    Call(NewProbe().Get(), L"Items", kGet, {Arg(3L)}, made);
    ASSERT_EQ(made.value->vt, VT_DISPATCH);
    IDispatch* items = made.value->pdispVal;
    for (long bad : {0L, 4L}) {
        CallResult outOfRange;
        Call(items, L"Item", kGet, {Arg(bad)}, outOfRange);
        EXPECT_EQ(outOfRange.excep.scode, static_cast<SCODE>(0x800A0009)) << bad;
        EXPECT_EQ(outOfRange.Source(), L"KVComTest");
    }

    Call(items, L"_NewEnum", kGet, {}, r);
    ASSERT_EQ(r.value->vt, VT_UNKNOWN);
    kv::ComPtr<IEnumVARIANT> e;
    ASSERT_EQ(r.value->punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(e.Put())), S_OK);
    VARIANT got[4];
    ULONG fetched = 0;
    EXPECT_EQ(e->Next(4, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 3u);
    EXPECT_STREQ(got[2].bstrVal, L"V3");
    for (ULONG i = 0; i < fetched; ++i) VariantClear(&got[i]);
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(2), S_OK);
    kv::com::ComVariant last;
    EXPECT_EQ(e->Next(1, last.Get(), &fetched), S_OK);
    EXPECT_STREQ(last->bstrVal, L"V3");
}

TEST(Collection, DuplicateKeyIsRefusedButUnkeyedItemsAreNot) {
    kv::com::Collection* raw = nullptr;
    ASSERT_EQ(kv::com::CreateCollection(&raw), S_OK);
    auto c = kv::ComPtr<kv::com::Collection>::Attach(raw);
    kv::com::ComVariant v(kv::Variant(1L));
    c->Add(L"Key", *v);
    c->Add(L"", *v);
    c->Add(L"", *v);
    EXPECT_EQ(kv::test::Raised([&] { c->Add(L"KEY", *v); }).Number, 457);
    EXPECT_EQ(c->Count(), 3);
}
