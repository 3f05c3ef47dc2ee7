// Randomized targets of the libraries: clsMain's text and number helpers, and KVSettings'
// registry class through its COM face.
#include <cmath>

#include "ComClient.h"
#include "ComVariant.h"
#include "Fuzz.h"
#include "LateBound.h"
#include "clsMain.h"

using kvfuzz::Expect;
using kvfuzz::Rng;

namespace {

kv::clsMain& Main() {
    static kv::clsMain main;
    return main;
}

std::wstring Join(const std::vector<std::wstring>& items, const std::wstring& separator) {
    std::wstring out;
    for (size_t i = 0; i < items.size(); ++i) out += (i ? separator : L"") + items[i];
    return out;
}

// The input's first character chooses a separator, the rest is the list.
void CheckLists(const std::wstring& input) {
    if (input.empty()) return;
    const std::wstring separators[] = {L";", L"||", L"/", L"@@@", L" "};
    const std::wstring& separator = separators[input[0] % 5];
    const std::wstring list = input.substr(1);
    const long count = Main().CountItemsInList(list, separator);
    Expect(count >= 0 && (list.empty() ? count == 0 : count >= 1), "CountItemsInList out of range");
    std::vector<std::wstring> items;
    for (long column = 1; column <= count; ++column) {
        long start = 0;
        items.push_back(Main().ExtractItem(start, list, separator, L"", column));
    }
    Expect(Join(items, separator) == list, "ExtractItem's items joined are not the list");

    const std::wstring trimmed = Main().TrimChars(list, separator);
    const size_t at = list.find(trimmed);
    Expect(at != std::wstring::npos, "TrimChars gave no part of the text");
    if (!trimmed.empty()) {
        Expect(separator.find(trimmed.front()) == std::wstring::npos &&
                   separator.find(trimmed.back()) == std::wstring::npos,
               "TrimChars left a trimmed character at an end");
    }
    std::wstring folder, file, extension;
    Main().SplitFilename(list, folder, file, extension);
    Expect(folder + file + (list.find(L'.', folder.size()) != std::wstring::npos ? L"." + extension : L"") == list,
           "SplitFilename's parts are not the name");
}

void CheckWrap(const std::wstring& input) {
    const long margin = 1 + static_cast<long>(input.size() % 40);
    const std::wstring wrapped = Main().WrapText(input, margin, L" -", L"\n");
    size_t start = 0;
    while (start <= wrapped.size()) {
        size_t end = wrapped.find(L'\n', start);
        if (end == std::wstring::npos) end = wrapped.size();
        // The text's own lines are wrapped; its own breaks may leave a "\r" at an end.
        size_t length = end - start;
        if (length && wrapped[end - 1] == L'\r') --length;
        Expect(length <= static_cast<size_t>(margin), "a wrapped line is longer than the margin");
        start = end + 1;
    }
}

// A number from the input's characters: ordinary, tiny, huge, negative, and the odd ones.
double NumberOf(const std::wstring& input) {
    Rng rng(std::hash<std::wstring>()(input));
    switch (rng.Below(6)) {
        case 0: return static_cast<double>(static_cast<long long>(rng.Next() >> 20)) / 1000.0;
        case 1: return (static_cast<double>(rng.Next() % 2000000) - 1000000.0) / 7.0;
        case 2: return std::ldexp(static_cast<double>(rng.Next() >> 11), static_cast<int>(rng.Below(200)) - 150);
        case 3: return -static_cast<double>(rng.Below(100000)) / 8.0;
        case 4: return input.size() % 3 == 0 ? NAN : (input.size() % 3 == 1 ? INFINITY : -1e300);
        default: return static_cast<double>(rng.Below(10));
    }
}

void CheckNumbers(const std::wstring& input) {
    const double x = NumberOf(input);
    const long places = static_cast<long>(input.size() % 12) - 1;   // -1 ... 10
    std::wstring shown;
    try {
        shown = Main().FN(x, places);
    } catch (const kv::KVError& e) {
        // Only the documented refusals: a place count out of 0-9/-1, a number it cannot show.
        Expect(e.Number == 5 ? (places < -1 || places > 9) : e.Number == 6, "FN raised an undocumented error");
        return;
    }
    Expect(places >= -1 && places <= 9 && std::isfinite(x), "FN showed what it must refuse");
    const double back = Main().UnFN(shown);
    const auto exact = [](double v) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return std::string(buffer);
    };
    const std::string values = " (x " + exact(x) + ", places " + std::to_string(places) + ", FN \"" +
                               kvfuzz::Shown(shown) + "\")";
    const double step = places >= 0 ? std::pow(10.0, -places) : 1e-9;
    Expect(std::fabs(back - x) <= step / 2 * (1 + 1e-9) + std::fabs(x) * 1e-15, "UnFN(FN(x)) is not x rounded" + values);
    // Round works on the binary value, FN on its fifteen significant digits: within those
    // digits of a half the two may round either way.
    const double quotient = x / step;
    const bool nearHalf = std::fabs(std::fabs(quotient - std::trunc(quotient)) - 0.5) <= std::fabs(quotient) * 1e-13;
    if (places >= 0 && !nearHalf) {
        const double rounded = Main().Round(x, step);
        Expect(std::fabs(rounded - back) <= std::fabs(x) * 1e-13 + step * 1e-6,   // a few units in the last place
               "Round and FN disagree: Round " + exact(rounded) + values);
    }
}

void CheckParsers(const std::wstring& input) {
    const bool number = Main().IsNumber(kv::Variant(input));
    if (number) Expect(input.find_first_not_of(L"-0123456789") == std::wstring::npos, "IsNumber took a non-digit");
    for (long type = 0; type <= 2; ++type) Main().IsValidDate(input, type);
}

const std::vector<std::wstring> kListSamples = {
    L";a;b;c", L"|Herunterfahren;112006||Sperren;076008", L"/T:1 /S:\"XP\" /C", L"@a @@@ b @@@ c",
    L" C:\\Programme\\Kelvo\\KVRestart.exe", L";;", L"|||||", L"/a/b/", L";C:\\a.b\\c.d.e"};
const std::wstring kListChars = L";|/@ \\.:\"";

}  // namespace

TEST(Fuzz, ListsAndNames) { kvfuzz::Run("lists", kListSamples, kListChars, CheckLists, false); }

TEST(Fuzz, WrapText) {
    kvfuzz::Run("wrap", {L"Das ist ein Satz mit Worten.", L"a-b-c d\r\ne f", L"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
                L" -\r\nab", CheckWrap, false);
}

// Work proportional to the text: 1 MiB takes at most a few times 16 x 64 KiB.
TEST(Fuzz, WrapTextOfOneMebibyteIsLinear) {
    Rng rng(7);
    std::wstring big(1 << 20, L'a'), small(1 << 16, L'a');
    for (wchar_t& c : big) c = rng.Chance(15) ? L' ' : L'a';
    for (wchar_t& c : small) c = rng.Chance(15) ? L' ' : L'a';
    const auto time = [](const std::wstring& text) {
        const auto start = std::chrono::steady_clock::now();
        Main().WrapText(text, 72);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    time(small);
    const double t64 = time(small), t1024 = time(big);
    std::printf("[fuzz] WrapText 64 KiB %.1f ms, 1 MiB %.1f ms\n", t64 * 1000, t1024 * 1000);
    EXPECT_LT(t1024, 64 * t64 + 0.2);   // quadratic work would be 256 times
}

TEST(Fuzz, NumbersAndTheirTexts) { kvfuzz::Run("numbers", {L"a", L"bb", L"ccc"}, L"x", CheckNumbers); }

TEST(Fuzz, NumberAndDateParsers) {
    kvfuzz::Run("parsers", {L"-123", L"12.05.2026", L"23:59:59", L"1,5", L"31.02.2000 12:00", L"99999999999"},
                L"0123456789.,:- ", CheckParsers, false);
}

// KVSettings.clsRegistry from a client: a value name and text either round-trip exactly or are
// refused with the library's error, and nothing but that value appears under the test key.
TEST(Fuzz, RegistryThroughTheComFace) {
    const CLSID clsRegistry = {0xA9AD8A4A, 0x4932, 0x41B4, {0x80, 0x81, 0xDE, 0xFF, 0x12, 0x97, 0xEB, 0xAA}};
    const kv::ComPtr<IDispatch> registry = kvtest::CreateFromDll(KV_SETTINGS_DLL, clsRegistry);
    ASSERT_TRUE(registry);
    const std::wstring root = L"Software\\KelvoFuzz";
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
    kv::late::CallMethod(registry.Get(), L"SetKey", {kv::Variant(static_cast<std::int32_t>(0x80000001u)), kv::Variant(root)});

    kvfuzz::Run("registry", {L"Shortcuts=Sperren;076008", L"Name=Wert", L"ä\\ö=ü", L"=leer", L"lang=" + std::wstring(300, L'x')},
                L"=\\/;\"äß ", [&](const std::wstring& input) {
                    const size_t split = input.find(L'=');
                    const std::wstring name = input.substr(0, split);
                    const std::wstring value = split == std::wstring::npos ? L"" : input.substr(split + 1);
                    bool stored = false;
                    try {
                        stored = kv::late::CallMethod(registry.Get(), L"WriteValue", {kv::Variant(name), kv::Variant(value)}).ToBool();
                    } catch (const kv::KVError& e) {
                        Expect(e.Number <= -52000 && e.Number > -53000 ? true : e.Number == 5, "refused with a foreign error");
                    }
                    HKEY key = nullptr;
                    DWORD values = 0, subkeys = 0;
                    if (RegOpenKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                         nullptr, nullptr, nullptr);
                        RegCloseKey(key);
                    }
                    Expect(subkeys == 0 && values == (stored ? 1u : 0u), "something else changed under the key");
                    if (stored) {
                        Expect(kv::late::CallMethod(registry.Get(), L"ReadValue", {kv::Variant(name)}).ToString() == value,
                               "the stored value reads back different");
                        kv::late::CallMethod(registry.Get(), L"DeleteValue", {kv::Variant(name)});
                    }
                });
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}
