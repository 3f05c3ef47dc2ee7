#include "Variant.h"

#include <cmath>
#include <cwchar>

#include "KVError.h"
#include "DecimalText.h"

namespace kv {

namespace {
[[noreturn]] void TypeMismatch() { throw KVError(13, L"Type mismatch"); }
}  // namespace

std::shared_ptr<VariantArray> VariantArray::Make(VARTYPE type, std::vector<long> lower,
                                                 std::vector<long> lengths) {
    auto a = std::make_shared<VariantArray>();
    a->elementType = type;
    size_t n = lengths.empty() ? 0 : 1;
    for (long l : lengths) n *= static_cast<size_t>(l < 0 ? 0 : l);
    a->lowerBounds = std::move(lower);
    a->lengths = std::move(lengths);
    a->items.resize(n);
    return a;
}

size_t VariantArray::Offset(const std::vector<long>& indices) const {
    if (indices.size() != lengths.size()) throw KVError(9, L"Subscript out of range");
    size_t off = 0;
    for (size_t d = 0; d < lengths.size(); ++d) {
        long i = indices[d] - lowerBounds[d];
        if (i < 0 || i >= lengths[d]) throw KVError(9, L"Subscript out of range");
        off = off * static_cast<size_t>(lengths[d]) + static_cast<size_t>(i);
    }
    return off;
}

Variant& VariantArray::Item(const std::vector<long>& indices) { return items[Offset(indices)]; }
const Variant& VariantArray::Item(const std::vector<long>& indices) const { return items[Offset(indices)]; }

bool Variant::IsNumeric() const {
    return Holds<std::uint8_t>() || Holds<std::int16_t>() || Holds<std::int32_t>() || Holds<double>();
}

std::wstring Variant::ToString() const {
    if (IsEmpty() || IsNull()) return L"";
    if (auto s = std::get_if<std::wstring>(&v_)) return *s;
    if (auto b = std::get_if<bool>(&v_)) return *b ? L"True" : L"False";
    // Whole numbers read the same in every locale (no grouping), without a trip through oleaut32.
    if (auto p = std::get_if<std::int32_t>(&v_)) return kv::DecimalText(*p);
    if (auto p = std::get_if<std::int16_t>(&v_)) return kv::DecimalText(*p);
    if (auto p = std::get_if<std::uint8_t>(&v_)) return kv::DecimalText(*p);
    if (IsNumeric() || IsDate()) {
        // The locale-aware text a script host would show.
        VARIANT in, out;
        VariantInit(&in);
        VariantInit(&out);
        if (auto d = std::get_if<Date>(&v_)) {
            if (!std::isfinite(d->value)) TypeMismatch();  // oleaut32 would show it as 30.12.1899
            in.vt = VT_DATE;
            in.date = d->value;
        }
        else { in.vt = VT_R8; in.dblVal = ToDouble(); }
        if (FAILED(VariantChangeType(&out, &in, 0, VT_BSTR))) TypeMismatch();
        std::wstring r(out.bstrVal, SysStringLen(out.bstrVal));
        VariantClear(&out);
        return r;
    }
    TypeMismatch();
}

double Variant::ToDouble() const {
    if (IsEmpty()) return 0;
    if (auto p = std::get_if<std::uint8_t>(&v_)) return *p;
    if (auto p = std::get_if<std::int16_t>(&v_)) return *p;
    if (auto p = std::get_if<std::int32_t>(&v_)) return *p;
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<bool>(&v_)) return *p ? -1 : 0;
    if (auto p = std::get_if<Date>(&v_)) return p->value;
    if (auto s = std::get_if<std::wstring>(&v_)) {
        // Plain digits, as the program stores its numbers, read here: exact up to 15 digits,
        // and without loading the automation library (600 KB a resident program need not hold).
        if (!s->empty() && s->size() <= 15 && s->find_first_not_of(L"0123456789") == std::wstring::npos)
            return static_cast<double>(std::wcstoull(s->c_str(), nullptr, 10));
        double d = 0;
        if (FAILED(VarR8FromStr(const_cast<OLECHAR*>(s->c_str()), LOCALE_USER_DEFAULT, 0, &d))) TypeMismatch();
        return d;
    }
    TypeMismatch();
}

std::int32_t Variant::ToLong() const {
    if (auto p = std::get_if<std::int32_t>(&v_)) return *p;
    double d = ToDouble();
    // Banker's rounding, as CLng does.
    double r = std::nearbyint(d);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw KVError(6, L"Overflow");  // NaN included
    return static_cast<std::int32_t>(r);
}

bool Variant::ToBool() const {
    if (auto b = std::get_if<bool>(&v_)) return *b;
    if (auto s = std::get_if<std::wstring>(&v_)) {
        if (_wcsicmp(s->c_str(), L"True") == 0) return true;
        if (_wcsicmp(s->c_str(), L"False") == 0) return false;
    }
    return ToDouble() != 0;
}

bool Variant::operator==(const Variant& o) const {
    if (IsNumeric() && o.IsNumeric()) return ToDouble() == o.ToDouble();
    if (v_.index() != o.v_.index()) return false;
    if (auto a = std::get_if<std::shared_ptr<VariantArray>>(&v_))
        return *a == o.Get<std::shared_ptr<VariantArray>>();
    if (auto a = std::get_if<ComPtr<IDispatch>>(&v_))
        return a->Get() == o.Get<ComPtr<IDispatch>>().Get();
    return v_ == o.v_;
}

}  // namespace kv
