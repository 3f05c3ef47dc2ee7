#pragma once
// The small variant of the cores: the value kinds the components pass where a caller
// may hand over "anything" (script clients, settings values, sort arrays).
#include <windows.h>
#include <oaidl.h>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "ComPtr.h"

namespace kv {

struct Null {
    bool operator==(const Null&) const = default;
};

// An OLE automation date (days since 30 Dec 1899, time as the fraction).
struct Date {
    double value = 0;
    bool operator==(const Date&) const = default;
};

using ByteArray = std::vector<std::uint8_t>;

class Variant;

// A (possibly multi-dimensional) array with per-dimension lower bounds. Items are stored
// with the first index varying slowest; Item({row, column}) addresses them.
struct VariantArray {
    VARTYPE elementType = VT_VARIANT;  // what a script client gets back
    std::vector<long> lowerBounds;
    std::vector<long> lengths;
    std::vector<Variant> items;

    static std::shared_ptr<VariantArray> Make(VARTYPE type, std::vector<long> lower,
                                              std::vector<long> lengths);
    long Dimensions() const { return static_cast<long>(lengths.size()); }
    long LBound(long dim = 1) const { return lowerBounds.at(dim - 1); }
    long UBound(long dim = 1) const { return lowerBounds.at(dim - 1) + lengths.at(dim - 1) - 1; }
    Variant& Item(const std::vector<long>& indices);
    const Variant& Item(const std::vector<long>& indices) const;

private:
    size_t Offset(const std::vector<long>& indices) const;
};

class Variant {
public:
    using Storage = std::variant<std::monostate, Null, bool, std::uint8_t, std::int16_t,
                                 std::int32_t, double, Date, std::wstring, ByteArray,
                                 std::shared_ptr<VariantArray>, ComPtr<IDispatch>>;

    Variant() = default;
    Variant(Null n) : v_(n) {}
    Variant(bool b) : v_(b) {}
    Variant(std::uint8_t b) : v_(b) {}
    Variant(std::int16_t i) : v_(i) {}
    Variant(std::int32_t i) : v_(i) {}
    Variant(long i) : v_(static_cast<std::int32_t>(i)) {}
    Variant(double d) : v_(d) {}
    Variant(Date d) : v_(d) {}
    Variant(std::wstring s) : v_(std::move(s)) {}
    Variant(const wchar_t* s) : v_(std::wstring(s)) {}
    Variant(ByteArray b) : v_(std::move(b)) {}
    Variant(std::shared_ptr<VariantArray> a) : v_(std::move(a)) {}
    Variant(ComPtr<IDispatch> d) : v_(std::move(d)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsNull() const { return std::holds_alternative<Null>(v_); }
    bool IsBoolean() const { return std::holds_alternative<bool>(v_); }
    bool IsString() const { return std::holds_alternative<std::wstring>(v_); }
    bool IsInteger() const { return std::holds_alternative<std::int16_t>(v_); }
    bool IsLong() const { return std::holds_alternative<std::int32_t>(v_); }
    bool IsNumeric() const;  // byte, integer, long, double
    bool IsByteArray() const { return std::holds_alternative<ByteArray>(v_); }
    bool IsArray() const { return IsByteArray() || std::holds_alternative<std::shared_ptr<VariantArray>>(v_); }
    bool IsObject() const { return std::holds_alternative<ComPtr<IDispatch>>(v_); }
    bool IsDate() const { return std::holds_alternative<Date>(v_); }

    template <class T> const T& Get() const { return std::get<T>(v_); }
    template <class T> T& Get() { return std::get<T>(v_); }
    template <class T> bool Holds() const { return std::holds_alternative<T>(v_); }
    const Storage& Raw() const { return v_; }

    // Conversions as a Basic-style language does them; a value that cannot be converted
    // raises error 13 ("Type mismatch").
    std::wstring ToString() const;  // Null and Empty give ""
    double ToDouble() const;
    std::int32_t ToLong() const;
    bool ToBool() const;

    bool operator==(const Variant& o) const;

private:
    Storage v_;
};

}  // namespace kv
