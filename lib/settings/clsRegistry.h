#pragma once
// clsRegistry: the gateway to the Windows registry. One object addresses one key (a
// predefined root plus a path below it); every member opens the key, does its work and
// closes it again. Names, paths and strings travel to the registry in the ANSI code page;
// one without an exact form there, or beyond the platform's limits, is refused.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Owned.h"
#include "RegistryEnums.h"
#include "Variant.h"
#include "clsRegValueItem.h"

namespace kv {

// What ReadValue gives: a value read by name, or the record of a value read by position.
using RegReadResult = std::variant<Variant, std::shared_ptr<clsRegValueItem>>;

class clsRegistry {
public:
    static constexpr const wchar_t* conModule = L"clsRegistry";

    bool DeleteKeyAllowed() const { return deleteKeyAllowed_; }
    void DeleteKeyAllowed(bool value) { deleteKeyAllowed_ = value; }
    std::int32_t MainKey() const { return mainKey_; }
    std::wstring SubKey() const { return subKey_; }

    // Chooses the key; leading and trailing backslashes of the path are removed.
    void SetKey(std::int32_t lngMainKey, const std::wstring& strSubKey);
    // software\company\application[\group[\subgroup]] below HKLM (machine) or HKCU (user).
    void SetApplication(std::int32_t lngAffects, const std::wstring& strCompany,
                        const std::wstring& strApplication, const std::wstring& strGroup = L"",
                        const std::wstring& strSubGroup = L"");

    bool ExistKey();
    bool ExistSubKeys();
    // Reads the value with Default cleared for the while; Default is left as it was.
    bool ExistValue(const std::wstring& strName);
    std::wstring GetMainKeyName() const;
    // Flushes the predefined root key.
    bool WriteImmediately();
    // Every value of the key as a record, in the platform's order; names are the keys.
    std::vector<std::shared_ptr<clsRegValueItem>> ReadAllValues();
    std::vector<std::wstring> GetAllSubKeys();
    std::wstring GetNthSubKey(std::int32_t lngIndex);
    bool DeleteValue(const std::wstring& strName);
    // Deletes the key (without sub keys) only while DeleteKeyAllowed is True; otherwise
    // raises and deletes nothing.
    bool DeleteKey();

    // A 16/32-bit integer reads by 1-based position, a string by name; any other kind of
    // argument raises.
    RegReadResult ReadValue(const Variant& vntName);
    // By name: a string for REG_SZ, a 32-bit integer for REG_DWORD, a byte array for every
    // other readable type; Default (when not Empty) for a missing key or value.
    Variant ReadValueByName(const std::wstring& strName);
    std::shared_ptr<clsRegValueItem> ReadValueAt(std::int32_t lngIndex);

    // Strings (REG_SZ), 16/32-bit integers (REG_DWORD) and byte arrays (REG_BINARY).
    bool WriteValue(const std::wstring& strName, const Variant& vntValue);

    const Variant& Default() const { return default_; }
    void Default(const Variant& value) { default_ = value; }

private:
    // A key opened by one member, closed when the member is done on every path.
    using OpenedKey = OwnedKey;

    struct ValueEntry {
        std::string name;  // in the ANSI code page, as the platform reported it
        DWORD type = 0;
        DWORD size = 0;
    };

    HKEY Root() const;
    // The sub key and a value name in the ANSI code page, once checked against the
    // platform's limits; they raise rather than let the platform address something else.
    std::string PlatformSubKey() const;
    static std::string PlatformValueName(const std::wstring& strName);
    bool HasSubKeys(const std::string& path) const;
    // "HKEY_...\SUB\KEY" as error messages name the key.
    std::wstring KeyPathForMessage() const;
    OpenedKey OpenKey(REGSAM access) const;
    OpenedKey CreateKey() const;
    ValueEntry GetDataType(HKEY key, const std::string& name) const;
    // The index lookup: the 1-based lngIndex-th sub key name of an opened key.
    std::wstring SubKeyAt(HKEY key, std::int32_t lngIndex) const;
    // The 0-based index-th value of an opened key; nothing when there are no more.
    std::optional<ValueEntry> ValueAt(HKEY key, DWORD index) const;
    std::shared_ptr<clsRegValueItem> MakeItem(const ValueEntry& entry);
    Variant ReadData(HKEY key, const std::string& name, const ValueEntry& entry) const;

    std::int32_t mainKey_ = -1;
    std::wstring subKey_ = L"-1";
    bool deleteKeyAllowed_ = false;
    Variant default_;
};

}  // namespace kv
