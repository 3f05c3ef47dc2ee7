// Sort: an in-place quicksort of 1-D arrays and of the rows of 2-D arrays, with German
// umlauts sorted as their two-letter spellings.
#include "clsMain.h"
#include "clsMainInternal.h"

namespace kv {

namespace {

// Strings compare upper-cased with Ä/Ö/Ü/ß spelled out; other values as they are.
Variant SortKey(const Variant& value) {
    if (!value.IsString()) return value;
    std::wstring upper = detail::UpperCase(value.Get<std::wstring>());
    std::wstring key;
    key.reserve(upper.size() + 4);
    for (wchar_t c : upper) {
        switch (c) {
        case L'Ä': key += L"AE"; break;
        case L'Ö': key += L"OE"; break;
        case L'Ü': key += L"UE"; break;
        case L'ß': key += L"SS"; break;
        default: key += c;
        }
    }
    return Variant(key);
}

// -1, 0 or 1 as a Basic compares two values; Null is unordered and compares as equal, so
// it never moves a scan. A text that is not a number against a number: 13.
int Compare(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return 0;
    auto cmp = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    if (a.IsString() && b.IsString()) return cmp(a.Get<std::wstring>(), b.Get<std::wstring>());
    if ((a.IsString() && b.IsEmpty()) || (a.IsEmpty() && b.IsString()))
        return cmp(a.ToString(), b.ToString());
    return cmp(a.ToDouble(), b.ToDouble());
}

class Sorter {
public:
    Sorter(VariantArray& array, bool descending, std::optional<long> column)
        : a_(array), descending_(descending), twoDim_(array.Dimensions() == 2) {
        if (twoDim_) column_ = column.value_or(array.LBound(2));
    }

    void Run() {
        if (a_.lengths.empty() || a_.lengths[0] < 2) return;
        QuickSort(a_.LBound(1), a_.UBound(1));
    }

private:
    Variant Key(long row) const { return SortKey(twoDim_ ? a_.Item({row, column_}) : a_.Item({row})); }

    bool Before(const Variant& key, const Variant& pivot) const {
        int c = Compare(key, pivot);
        return descending_ ? c > 0 : c < 0;
    }

    void Swap(long i, long j) {
        if (!twoDim_) {
            std::swap(a_.Item({i}), a_.Item({j}));
            return;
        }
        for (long c = a_.LBound(2); c <= a_.UBound(2); ++c) std::swap(a_.Item({i, c}), a_.Item({j, c}));
    }

    void QuickSort(long low, long high) {
        // Summed in 64 bits: bounds near the end of the Long range must not overflow.
        const long middle = static_cast<long>((static_cast<long long>(low) + high) / 2);
        const Variant pivot = Key(middle);
        long i = low, j = high;
        do {
            while (Before(Key(i), pivot)) ++i;
            while (Before(pivot, Key(j))) --j;
            if (i <= j) {
                Swap(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j > middle) {
            if (i < high) QuickSort(i, high);
            if (low < j) QuickSort(low, j);
        } else {
            if (low < j) QuickSort(low, j);
            if (i < high) QuickSort(i, high);
        }
    }

    VariantArray& a_;
    bool descending_;
    bool twoDim_;
    long column_ = 0;
};

}  // namespace

void clsMain::Sort(VariantArray& vntToSort, long lngSortOrder, std::optional<long> lngSortKey) {
    detail::Guarded(L"Sort", [&] { Sorter(vntToSort, lngSortOrder == conSO_Descending, lngSortKey).Run(); });
}

void clsMain::Sort(Variant& vntToSort, long lngSortOrder, std::optional<long> lngSortKey) {
    detail::Guarded(L"Sort", [&] {
        if (vntToSort.Holds<std::shared_ptr<VariantArray>>() && vntToSort.Get<std::shared_ptr<VariantArray>>()) {
            Sorter(*vntToSort.Get<std::shared_ptr<VariantArray>>(), lngSortOrder == conSO_Descending, lngSortKey).Run();
        } else if (vntToSort.IsByteArray()) {
            // A byte array sorts as a one-dimensional array of numbers.
            ByteArray& bytes = vntToSort.Get<ByteArray>();
            auto array = VariantArray::Make(VT_UI1, {0}, {static_cast<long>(bytes.size())});
            for (size_t i = 0; i < bytes.size(); ++i) array->items[i] = Variant(bytes[i]);
            Sorter(*array, lngSortOrder == conSO_Descending, std::nullopt).Run();
            for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = array->items[i].Get<std::uint8_t>();
        } else {
            throw KVError(13, L"Only array allowed");
        }
    });
}

}  // namespace kv
