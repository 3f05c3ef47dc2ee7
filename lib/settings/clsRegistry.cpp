#include "clsRegistry.h"

#include <cstring>

#include "LastError.h"
#include "SettingsMain.h"
#include "SettingsText.h"
#include "DecimalText.h"

namespace kv {

using namespace settings;

namespace {

constexpr long conErrTypeNotSupported = -52000;
constexpr long conErrKeyNotFound = -52001;
constexpr long conErrValueNotFound = -52002;
constexpr long conErrNoSuchIndex = -52006;
constexpr DWORD conNameBufferChars = 1024;
// The platform's limits. Past them its 16-bit counts wrap around, and a call would reach
// another key or value instead of failing, so they are checked before every call.
constexpr std::size_t conKeyNameChars = 255;      // one name of the path
constexpr std::size_t conKeyPathChars = 32766;    // a counted Unicode string with its zero
constexpr std::size_t conValueNameChars = 16383;

}  // namespace

// ---- Choosing the key ----

void clsRegistry::SetKey(std::int32_t lngMainKey, const std::wstring& strSubKey) {
    Forwarded(conModule, L"SetKey", [&] {
        mainKey_ = lngMainKey;
        subKey_ = Main().TrimChars(strSubKey, L"\\");
    });
}

void clsRegistry::SetApplication(std::int32_t lngAffects, const std::wstring& strCompany,
                                 const std::wstring& strApplication, const std::wstring& strGroup,
                                 const std::wstring& strSubGroup) {
    Forwarded(conModule, L"SetApplication", [&] {
        std::wstring path = L"software\\" + strCompany + L"\\" + strApplication;
        // A sub group only counts below a group.
        if (!strGroup.empty()) {
            path += L"\\" + strGroup;
            if (!strSubGroup.empty()) path += L"\\" + strSubGroup;
        }
        SetKey(lngAffects != conReg_Aff_User ? conReg_HKEY_LOCAL_MACHINE : conReg_HKEY_CURRENT_USER, path);
    });
}

std::wstring clsRegistry::GetMainKeyName() const {
    return Forwarded(conModule, L"GetMainKeyName", [&]() -> std::wstring {
        switch (mainKey_) {
            case conReg_HKEY_CLASSES_ROOT: return L"HKEY_CLASSES_ROOT";
            case conReg_HKEY_CURRENT_USER: return L"HKEY_CURRENT_USER";
            case conReg_HKEY_LOCAL_MACHINE: return L"HKEY_LOCAL_MACHINE";
            case conReg_HKEY_USERS: return L"HKEY_USERS";
            case conReg_HKEY_PERFORMANCE_DATA: return L"HKEY_PERFORMANCE_DATA";
            case conReg_HKEY_CURRENT_CONFIG: return L"HKEY_CURRENT_CONFIG";
            case conReg_HKEY_DYN_DATA: return L"HKEY_DYN_DATA";
            default: return L"";
        }
    });
}

std::string clsRegistry::PlatformSubKey() const {
    for (std::size_t start = 0;;) {
        std::size_t end = subKey_.find(L'\\', start);
        std::size_t length = (end == std::wstring::npos ? subKey_.size() : end) - start;
        if (length > conKeyNameChars)
            RaiseSettingsError(conErrTooLong, L"SubKey", kv::DecimalText(length), kv::DecimalText(conKeyNameChars));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return AnsiName(subKey_, L"SubKey", conKeyPathChars);
}

std::string clsRegistry::PlatformValueName(const std::wstring& strName) {
    return AnsiName(strName, L"strName", conValueNameChars);
}

HKEY clsRegistry::Root() const {
    // The predefined handles are sign-extended 32-bit values on 64-bit Windows.
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(mainKey_));
}

std::wstring clsRegistry::KeyPathForMessage() const {
    return UpperCase(GetMainKeyName() + L"\\" + subKey_);
}

// ---- Opening and closing ----

clsRegistry::OpenedKey clsRegistry::OpenKey(REGSAM access) const {
    return Forwarded(conModule, L"OpenKey", [&] {
        OpenedKey key;
        LONG result = RegOpenKeyExA(Root(), PlatformSubKey().c_str(), 0, access, key.Receive());
        if (result == ERROR_FILE_NOT_FOUND) Main().GenerateError(conErrKeyNotFound, KeyPathForMessage());
        RaiseIfError(result);
        return key;
    });
}

clsRegistry::OpenedKey clsRegistry::CreateKey() const {
    return Forwarded(conModule, L"CreateKey", [&] {
        OpenedKey key;
        char emptyClass[] = "";
        LONG result = RegCreateKeyExA(Root(), PlatformSubKey().c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                                      KEY_WRITE, nullptr, key.Receive(), nullptr);
        RaiseIfError(result);
        return key;
    });
}

// ---- Existence ----

bool clsRegistry::ExistKey() {
    return Forwarded(conModule, L"ExistKey", [&] {
        return FalseWhenMissing({conErrKeyNotFound}, [&] {
            OpenKey(KEY_READ);
            return true;
        });
    });
}

bool clsRegistry::ExistSubKeys() {
    return Forwarded(conModule, L"ExistSubKeys", [&] {
        return FalseWhenMissing({conErrKeyNotFound}, [&] { return !GetAllSubKeys().empty(); });
    });
}

bool clsRegistry::ExistValue(const std::wstring& strName) {
    return Forwarded(conModule, L"ExistValue", [&] {
        // Without a default a missing value raises, which is what tells us it is missing.
        struct RestoreDefault {
            Variant& target;
            Variant saved;
            ~RestoreDefault() { target = std::move(saved); }
        } restore{default_, default_};
        default_ = Variant();
        return FalseWhenMissing({conErrKeyNotFound, conErrValueNotFound}, [&] {
            ReadValueByName(strName);
            return true;
        });
    });
}

// ---- Reading ----

RegReadResult clsRegistry::ReadValue(const Variant& vntName) {
    if (vntName.IsInteger()) return ReadValueAt(vntName.Get<std::int16_t>());
    if (vntName.IsLong()) return ReadValueAt(vntName.Get<std::int32_t>());
    if (vntName.IsString()) return ReadValueByName(vntName.Get<std::wstring>());
    // Anything else (a script can pass Nothing, Null, arrays, 1.5, True, a Byte) names no value.
    return Forwarded(conModule, L"ReadValue", []() -> RegReadResult { RaiseSettingsError(conErrInvalid, L"vntName"); });
}

clsRegistry::ValueEntry clsRegistry::GetDataType(HKEY key, const std::string& name) const {
    return Forwarded(conModule, L"GetDataType", [&] {
        ValueEntry entry{name};
        LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &entry.type, nullptr, &entry.size);
        if (result != ERROR_MORE_DATA) RaiseIfError(result);
        return entry;
    });
}

Variant clsRegistry::ReadData(HKEY key, const std::string& name, const ValueEntry& entry) const {
    if (entry.type == REG_EXPAND_SZ || entry.type == REG_DWORD_BIG_ENDIAN)
        Main().GenerateError(conErrTypeNotSupported);

    // REG_DWORD is read into exactly 4 bytes: longer data is an error of the platform call.
    DWORD size = entry.type == REG_DWORD ? sizeof(std::int32_t) : entry.size;
    ByteArray data(size);
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size);
    RaiseIfError(result);

    switch (entry.type) {
        case REG_SZ: {
            // Text, the zero this class appends when writing, then the terminating zero;
            // values written by others end with the terminator alone.
            std::size_t length = size < data.size() ? size : data.size();
            for (int zeros = 0; zeros < 2 && length > 0 && data[length - 1] == 0; ++zeros) --length;
            return FromAnsi(reinterpret_cast<const char*>(data.data()), length);
        }
        case REG_DWORD: {
            std::int32_t number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return number;
        }
        default:
            if (size < data.size()) data.resize(size);
            return data;
    }
}

Variant clsRegistry::ReadValueByName(const std::wstring& strName) {
    return Forwarded(conModule, L"ReadValue", [&]() -> Variant {
        // A name the platform cannot take is no missing value: Default does not cover it.
        std::string name = PlatformValueName(strName);
        try {
            OpenedKey key = OpenKey(KEY_READ);
            ValueEntry entry = GetDataType(key.Get(), name);
            return ReadData(key.Get(), name, entry);
        } catch (const KVError& error) {
            if (error.Number != conErrKeyNotFound && error.Number != ERROR_FILE_NOT_FOUND) throw;
            if (!default_.IsEmpty()) return default_;
            Main().GenerateError(conErrValueNotFound, UpperCase(strName), KeyPathForMessage());
        }
    });
}

std::optional<clsRegistry::ValueEntry> clsRegistry::ValueAt(HKEY key, DWORD index) const {
    char name[conNameBufferChars];
    DWORD nameChars = conNameBufferChars;
    ValueEntry entry;
    LONG result = RegEnumValueA(key, index, name, &nameChars, nullptr, &entry.type, nullptr, &entry.size);
    if (result == ERROR_NO_MORE_ITEMS) return std::nullopt;
    if (result != ERROR_MORE_DATA) RaiseIfError(result);
    entry.name.assign(name, nameChars < conNameBufferChars ? nameChars : conNameBufferChars - 1);
    return entry;
}

std::shared_ptr<clsRegValueItem> clsRegistry::MakeItem(const ValueEntry& entry) {
    auto item = std::make_shared<clsRegValueItem>();
    item->Name = FromAnsi(entry.name.data(), entry.name.size());
    item->Value = ReadValueByName(item->Name);
    item->DataLength = static_cast<std::int32_t>(entry.size);
    item->DataType = static_cast<std::int32_t>(entry.type);
    return item;
}

std::shared_ptr<clsRegValueItem> clsRegistry::ReadValueAt(std::int32_t lngIndex) {
    return Forwarded(conModule, L"ReadValue", [&] {
        if (lngIndex < 1) Main().GenerateError(conErrNoSuchIndex, lngIndex);
        OpenedKey key = OpenKey(KEY_READ);
        std::optional<ValueEntry> entry = ValueAt(key.Get(), static_cast<DWORD>(lngIndex - 1));
        if (!entry) Main().GenerateError(conErrNoSuchIndex, lngIndex);
        return MakeItem(*entry);
    });
}

std::vector<std::shared_ptr<clsRegValueItem>> clsRegistry::ReadAllValues() {
    return Forwarded(conModule, L"ReadAllValues", [&] {
        std::vector<std::shared_ptr<clsRegValueItem>> items;
        OpenedKey key = OpenKey(KEY_READ);
        for (DWORD index = 0;; ++index) {
            std::optional<ValueEntry> entry = ValueAt(key.Get(), index);
            if (!entry) break;
            items.push_back(MakeItem(*entry));
        }
        return items;
    });
}

// ---- Sub keys ----

std::wstring clsRegistry::SubKeyAt(HKEY key, std::int32_t lngIndex) const {
    return Forwarded(conModule, L"GetNthSubKey", [&] {
        if (lngIndex < 1) Main().GenerateError(conErrNoSuchIndex, lngIndex);
        char name[conNameBufferChars];
        DWORD nameChars = conNameBufferChars;
        LONG result = RegEnumKeyExA(key, static_cast<DWORD>(lngIndex - 1), name, &nameChars, nullptr, nullptr,
                                    nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) Main().GenerateError(conErrNoSuchIndex, lngIndex);
        RaiseIfError(result);
        return FromAnsi(name, nameChars);
    });
}

std::wstring clsRegistry::GetNthSubKey(std::int32_t lngIndex) {
    return Forwarded(conModule, L"GetNthSubKey", [&] {
        OpenedKey key = OpenKey(KEY_READ);
        return SubKeyAt(key.Get(), lngIndex);
    });
}

std::vector<std::wstring> clsRegistry::GetAllSubKeys() {
    return Forwarded(conModule, L"GetAllSubKeys", [&] {
        std::vector<std::wstring> names;
        OpenedKey key = OpenKey(KEY_READ);
        for (std::int32_t index = 1;; ++index) {
            std::wstring name;
            try {
                name = SubKeyAt(key.Get(), index);
            } catch (const KVError&) {
                // The lookup's end (or any failure of it) ends the list.
            }
            if (name.empty()) break;
            names.push_back(std::move(name));
        }
        return names;
    });
}

// ---- Writing, deleting, flushing ----

bool clsRegistry::WriteValue(const std::wstring& strName, const Variant& vntValue) {
    return Forwarded(conModule, L"WriteValue", [&] {
        DWORD type = REG_NONE;
        ByteArray data;
        if (vntValue.IsString()) {
            // Text, an appended zero character and the string's terminating zero.
            std::string text = ToAnsi(vntValue.Get<std::wstring>(), L"vntValue");
            data.assign(text.begin(), text.end());
            data.insert(data.end(), {0, 0});
            type = REG_SZ;
        } else if (vntValue.IsInteger() || vntValue.IsLong()) {
            std::int32_t number = vntValue.IsInteger() ? vntValue.Get<std::int16_t>() : vntValue.Get<std::int32_t>();
            data.resize(sizeof number);
            std::memcpy(data.data(), &number, sizeof number);
            type = REG_DWORD;
        } else if (vntValue.IsByteArray()) {
            data = vntValue.Get<ByteArray>();
            type = REG_BINARY;
        } else {
            Main().GenerateError(conErrTypeNotSupported);
        }
        // Checked before the key is created, so a refused name or value leaves no trace.
        std::string name = PlatformValueName(strName);
        OpenedKey key = CreateKey();
        LONG result = RegSetValueExA(key.Get(), name.c_str(), 0, type, data.data(),
                                     static_cast<DWORD>(data.size()));
        RaiseIfError(result);
        return true;
    });
}

bool clsRegistry::DeleteValue(const std::wstring& strName) {
    return Forwarded(conModule, L"DeleteValue", [&] {
        std::string name = PlatformValueName(strName);
        OpenedKey key = OpenKey(KEY_WRITE);
        LONG result = RegDeleteValueA(key.Get(), name.c_str());
        if (result == ERROR_FILE_NOT_FOUND)
            Main().GenerateError(conErrValueNotFound, UpperCase(strName), KeyPathForMessage());
        RaiseIfError(result);
        return true;
    });
}

bool clsRegistry::DeleteKey() {
    return Forwarded(conModule, L"DeleteKey", [&] {
        // A refused deletion must not look like one that happened.
        if (!deleteKeyAllowed_) RaiseSettingsError(conErrDeleteRefused, KeyPathForMessage());
        std::string path = PlatformSubKey();
        LONG result = RegDeleteKeyA(Root(), path.c_str());
        if (result == ERROR_FILE_NOT_FOUND) Main().GenerateError(conErrKeyNotFound, KeyPathForMessage());
        // The platform answers "access denied" for a key that still has sub keys; say so.
        if (result == ERROR_ACCESS_DENIED && HasSubKeys(path))
            RaiseSettingsError(conErrKeyHasSubKeys, KeyPathForMessage());
        RaiseIfError(result);
        return true;
    });
}

bool clsRegistry::HasSubKeys(const std::string& path) const {
    OpenedKey key;
    if (RegOpenKeyExA(Root(), path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
    DWORD subKeys = 0;
    return RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys > 0;
}

bool clsRegistry::WriteImmediately() {
    return Forwarded(conModule, L"WriteImmediately", [&] {
        RaiseIfError(RegFlushKey(Root()));
        return true;
    });
}

}  // namespace kv
