// VARIANT <-> kv::Variant, arrays in particular (a script's a(i, j) keeps its layout).
#include <gtest/gtest.h>

#include "ComVariant.h"
#include "KVError.h"

using kv::Variant;
using kv::com::ComVariant;

namespace {

// A 3 x 2 array of VARIANTs, lower bounds 0 and 1, item (i, j) = 10 * i + j.
SAFEARRAY* Grid() {
    SAFEARRAYBOUND bounds[2] = {{3, 0}, {2, 1}};
    SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 2, bounds);
    for (LONG i = 0; i < 3; ++i)
        for (LONG j = 1; j <= 2; ++j) {
            LONG at[2] = {i, j};
            VARIANT v;
            v.vt = VT_I4;
            v.lVal = 10 * i + j;
            SafeArrayPutElement(psa, at, &v);
        }
    return psa;
}

long At(SAFEARRAY* psa, LONG i, LONG j) {
    LONG at[2] = {i, j};
    ComVariant v;
    EXPECT_EQ(SafeArrayGetElement(psa, at, v.Get()), S_OK);
    return v->vt == VT_I4 ? v->lVal : -1;
}

}  // namespace

TEST(ComVariant, TwoDimensionalArraysKeepBoundsAndSubscripts) {
    ComVariant grid;
    grid->vt = VT_ARRAY | VT_VARIANT;
    grid->parray = Grid();
    Variant value = kv::com::FromVARIANT(*grid);
    auto& array = *value.Get<std::shared_ptr<kv::VariantArray>>();
    EXPECT_EQ(array.LBound(2), 1);
    EXPECT_EQ(array.UBound(1), 2);
    EXPECT_EQ(array.Item({2, 1}).ToLong(), 21);

    ComVariant back(value);
    ASSERT_EQ(back->vt, VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(At(back->parray, 2, 1), 21);
    EXPECT_EQ(At(back->parray, 0, 2), 2);
}

TEST(ComVariant, StoringIntoAFixedArrayHeldByReferenceKeepsItsStorage) {
    SAFEARRAY* fixed = Grid();
    VARIANT variable;   // what a script variable of a Dim'd array holds
    variable.vt = VT_BYREF | VT_ARRAY | VT_VARIANT;
    variable.pparray = &fixed;
    VARIANT reference;
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &variable;

    Variant value = kv::com::FromVARIANT(reference);
    value.Get<std::shared_ptr<kv::VariantArray>>()->Item({0, 1}) = Variant(99L);
    kv::com::StoreVARIANT(value, &reference);
    EXPECT_EQ(variable.vt, VT_BYREF | VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(variable.pparray, &fixed);
    EXPECT_EQ(At(fixed, 0, 1), 99);
    SafeArrayDestroy(fixed);

    // Anything else is replaced.
    ComVariant text(Variant(L"x"));
    kv::com::StoreVARIANT(Variant(7L), text.Get());
    EXPECT_EQ(text->vt, VT_I4);
}

TEST(ComVariant, ScalarsAndUnsupportedTypes) {
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
    try {
        kv::com::FromVARIANT(*record);
        FAIL() << "no error raised";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, 13);
    }
    record->vt = VT_EMPTY;
}
