#include <gtest/gtest.h>

#include "KVError.h"
#include "Variant.h"

using kv::Variant;

TEST(Variant, ConvertsLikeABasicLanguage) {
    EXPECT_EQ(Variant().ToString(), L"");
    EXPECT_EQ(Variant(kv::Null{}).ToString(), L"");
    EXPECT_EQ(Variant(std::int32_t{42}).ToString(), L"42");
    EXPECT_EQ(Variant(L"17").ToLong(), 17);
    EXPECT_TRUE(Variant(true).ToBool());
    EXPECT_DOUBLE_EQ(Variant(true).ToDouble(), -1.0);
    EXPECT_TRUE(Variant(std::int16_t{5}) == Variant(5.0));
    EXPECT_FALSE(Variant(L"5") == Variant(5.0));
}

TEST(Variant, UnconvertibleTextRaisesTypeMismatch) {
    try {
        Variant(L"abc").ToDouble();
        FAIL() << "no error raised";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, 13);
    }
}

TEST(Variant, TwoDimensionalArrayAddressesRowsAndColumns) {
    auto a = kv::VariantArray::Make(VT_VARIANT, {0, 1}, {3, 2});
    a->Item({2, 2}) = Variant(L"last");
    EXPECT_EQ(a->UBound(1), 2);
    EXPECT_EQ(a->UBound(2), 2);
    EXPECT_EQ(a->items.back().ToString(), L"last");
    EXPECT_THROW(a->Item({3, 1}), kv::KVError);
}
