// kv::Variant and its VARIANT form; arrays in particular (a script's a(i, j) keeps its layout;
// arrays held by reference are covered through KVCore.dll by test_KVCore.vbs).
#include <gtest/gtest.h>

#include <cmath>

#include "ComVariant.h"
#include "ErrorCapture.h"

using kv::Variant;
using kv::com::ComVariant;
using kv::test::Raised;

TEST(Variant, ConvertsLikeABasicLanguage) {
    EXPECT_EQ(Variant(kv::Null{}).ToString(), L"");
    EXPECT_EQ(Variant(L"17").ToLong(), 17);
    EXPECT_DOUBLE_EQ(Variant(true).ToDouble(), -1.0);
    EXPECT_TRUE(Variant(std::int16_t{5}) == Variant(5.0));
    EXPECT_FALSE(Variant(L"5") == Variant(5.0));
    EXPECT_EQ(Raised([] { Variant(L"abc").ToDouble(); }).Number, 13);
    EXPECT_EQ(Raised([] { Variant(std::nan("")).ToLong(); }).Number, 6);
    EXPECT_EQ(Raised([] { Variant(kv::Date{std::nan("")}).ToString(); }).Number, 13);
    EXPECT_THROW(kv::VariantArray::Make(VT_VARIANT, {0, 1}, {3, 2})->Item({3, 1}), kv::KVError);
}

TEST(ComVariant, TwoDimensionalArraysKeepBoundsAndSubscripts) {
    auto grid = kv::VariantArray::Make(VT_VARIANT, {0, 1}, {3, 2});
    grid->Item({2, 1}) = Variant(21L);
    ComVariant safe{Variant(grid)};
    ASSERT_EQ(safe->vt, VT_ARRAY | VT_VARIANT);
    LONG lower = 0, at[2] = {2, 1};
    SafeArrayGetLBound(safe->parray, 2, &lower);
    EXPECT_EQ(lower, 1);
    ComVariant item;
    ASSERT_EQ(SafeArrayGetElement(safe->parray, at, item.Get()), S_OK);
    EXPECT_EQ(item->lVal, 21);

    auto back = kv::com::FromVARIANT(*safe).Get<std::shared_ptr<kv::VariantArray>>();
    EXPECT_EQ(back->LBound(2), 1);
    EXPECT_EQ(back->UBound(1), 2);
    EXPECT_EQ(back->Item({2, 1}).ToLong(), 21);
}

TEST(ComVariant, ScalarsMissingArgumentsAndUnsupportedTypes) {
    ComVariant number;
    number->vt = VT_R4;
    number->fltVal = 1.5f;
    EXPECT_DOUBLE_EQ(kv::com::FromVARIANT(*number).ToDouble(), 1.5);

    ComVariant missing;
    missing->vt = VT_ERROR;
    missing->scode = DISP_E_PARAMNOTFOUND;
    EXPECT_TRUE(kv::com::IsMissing(*missing));
    EXPECT_TRUE(kv::com::FromVARIANT(*missing).IsEmpty());

    ComVariant bytes(Variant(kv::ByteArray{1, 2, 3}));
    EXPECT_EQ(bytes->vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(kv::com::FromVARIANT(*bytes).Get<kv::ByteArray>().size(), 3u);

    ComVariant record;
    record->vt = VT_RECORD;
    EXPECT_EQ(Raised([&] { kv::com::FromVARIANT(*record); }).Number, 13);
    record->vt = VT_EMPTY;
}
