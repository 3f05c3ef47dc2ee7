#include "hotkeys/basKeyCodes.h"

#include <cwctype>
#include <string_view>

#include "KVError.h"
#include "DecimalText.h"

namespace kvr {

namespace {

struct KeyName {
    long key;
    const wchar_t* name;
};

// The names that are not a letter, a digit, a function key or a number-pad digit.
constexpr KeyName conKeyNames[] = {
    {27, L"ESC"}, {145, L"Rollen"}, {19, L"Pause"}, {220, L"^"}, {219, L"ß"}, {221, L"´"},
    {8, L"Rück"}, {9, L"Tab"}, {187, L"+"}, {13, L"Return"}, {20, L"Caps Lock"}, {191, L"#"},
    {226, L"<"}, {188, L","}, {190, L"."}, {189, L"-"}, {32, L" "}, {93, L"Kontext"},
    {45, L"Einfg"}, {36, L"Pos 1"}, {33, L"Bild rauf"}, {46, L"Entf"}, {35, L"Ende"},
    {34, L"Bild runter"}, {38, L"Pfeil rauf"}, {37, L"Pfeil links"}, {40, L"Pfeil runter"},
    {39, L"Pfeil rechts"}, {144, L"Num Lock"}, {111, L"Num /"}, {106, L"Num x"}, {109, L"Num -"},
    {110, L"Num ,"}, {107, L"Num +"}, {16, L"Umschalt"}, {17, L"Strg"}, {18, L"Alt"}, {91, L"Win"},
};

// The modifiers in prefix order: bit, name, and the key that is the modifier itself.
struct Modifier {
    long bit;
    const wchar_t* name;
    long key;
};
constexpr Modifier conModifiers[] = {
    {conKS_Shift, L"Umschalt", 16}, {conKS_Ctrl, L"Strg", 17}, {conKS_Alt, L"Alt", 18}, {conKS_Win, L"Win", 91}};

[[noreturn]] void Invalid() { throw kv::KVError(5, L"Ungültiger Prozeduraufruf oder ungültiges Argument"); }

std::wstring Padded(long value, size_t width) {
    std::wstring text = kv::DecimalText(value);
    return std::wstring(text.size() < width ? width - text.size() : 0, L'0') + text;
}

std::wstring KeyNameOf(long k) {
    if (k >= 112 && k <= 123) return L"F" + kv::DecimalText(k - 111);
    if (k >= 48 && k <= 57) return std::wstring(1, static_cast<wchar_t>(k));
    if (k >= 65 && k <= 90) return std::wstring(1, static_cast<wchar_t>(k));
    if (k >= 96 && k <= 105) return L"Num " + kv::DecimalText(k - 96);
    for (const KeyName& entry : conKeyNames)
        if (entry.key == k) return entry.name;
    return L"\"" + kv::DecimalText(k) + L"\"";
}

long KeyOfName(std::wstring_view name) {
    for (const KeyName& entry : conKeyNames)
        if (name == entry.name) return entry.key;
    if (name.size() == 1 && ((name[0] >= L'0' && name[0] <= L'9') || (name[0] >= L'A' && name[0] <= L'Z')))
        return name[0];
    const auto number = [&](std::wstring_view digits, long low, long high) -> long {
        if (digits.empty() || digits.size() > 3) return -1;
        long value = 0;
        for (wchar_t c : digits) {
            if (c < L'0' || c > L'9') return -1;
            value = value * 10 + (c - L'0');
        }
        return value >= low && value <= high ? value : -1;
    };
    if (name.size() >= 2 && name[0] == L'F') {
        if (long f = number(name.substr(1), 1, 12); f > 0) return 111 + f;
    }
    if (name.substr(0, 4) == L"Num ") {
        if (long n = number(name.substr(4), 0, 9); n >= 0) return 96 + n;
    }
    if (name.size() >= 3 && name.front() == L'"' && name.back() == L'"') {
        if (long k = number(name.substr(1, name.size() - 2), 0, 255); k >= 0) return k;
    }
    Invalid();
}

}  // namespace

std::wstring CreateKeyCode(long lngKeyCode, long lngShift) {
    return Padded(lngKeyCode, 3) + L"0" + Padded(lngShift, 2);
}

bool IsKeyCode(const std::wstring& strKeyCode) {
    if (strKeyCode.size() != 6) return false;
    for (wchar_t c : strKeyCode)
        if (c < L'0' || c > L'9') return false;
    // A virtual key is one byte; the shift state has four bits.
    return std::stol(strKeyCode.substr(0, 3)) <= 255 && std::stol(strKeyCode.substr(4)) <= 15;
}

long KeyCodeValue(long lngKeyCode, long lngShift) {
    for (const Modifier& m : conModifiers)
        if (lngKeyCode == m.key) lngShift &= ~m.bit;
    return lngKeyCode * 1000 + lngShift;
}

long KeyCodeValue(const std::wstring& strKeyCode) {
    if (!IsKeyCode(strKeyCode)) Invalid();
    return KeyCodeValue(std::stol(strKeyCode.substr(0, 3)), std::stol(strKeyCode.substr(4)));
}

std::wstring KeycodeToString(const std::wstring& strKeyCode) {
    if (!IsKeyCode(strKeyCode)) Invalid();
    const long k = std::stol(strKeyCode.substr(0, 3));
    const long s = std::stol(strKeyCode.substr(4));
    std::wstring text;
    for (const Modifier& m : conModifiers)
        if (s & m.bit) text += std::wstring(m.name) + L" + ";
    return text + KeyNameOf(k);
}

std::wstring StringToKeycode(const std::wstring& strText) {
    if (strText.empty()) return L"";
    long s = 0;
    for (const Modifier& m : conModifiers)
        if (strText.find(m.name) != std::wstring::npos) s |= m.bit;
    std::wstring_view name(strText);
    for (const Modifier& m : conModifiers) {
        const std::wstring prefix = std::wstring(m.name) + L" + ";
        if (name.substr(0, prefix.size()) == prefix) name.remove_prefix(prefix.size());
    }
    for (const Modifier& m : conModifiers) {
        if (name == m.name) return CreateKeyCode(m.key, s & ~m.bit);
    }
    return CreateKeyCode(KeyOfName(name), s);
}

}  // namespace kvr
