// The boot system of the next start: finding boot.ini, reading and writing its default
// and its boot menu time, the first-run backup and editing the file by hand.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "LastError.h"
#include "MessageBoxSeam.h"
#include "Owned.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "clsExecute.h"
#include "clsIni.h"
#include "DecimalText.h"

namespace kvr {

using work::conModule;
using work::ContainsText;
using work::Trimmed;

namespace {

constexpr long conErrIniValueNotFound = -52003;

kv::clsIni BootLoader(const std::wstring& strBootIni) {
    kv::clsIni ini;
    ini.File(strBootIni);
    ini.Section(conBootLoaderSection);
    return ini;
}

void ShowInformation(const std::wstring& strText) {
    kv::MessageBoxes().Show(nullptr, strText, VersionGlobal().InfoApplication(), MB_OK | MB_ICONINFORMATION);
}

// The ARC path boot.ini names as its default ("" when it names none).
std::wstring CurrentDefault(const std::wstring& strBootIni) {
    try {
        return Trimmed(BootLoader(strBootIni).ReadValue(L"default"));
    } catch (const kv::KVError& error) {
        if (error.Number != conErrIniValueNotFound) throw;
        return L"";
    }
}

// The system a name selects. An exact name (ignoring case) wins; of several systems with that
// name the current default stays. Otherwise the one system whose line contains the name is
// taken, so shortened names of older shortcuts keep working; a name that several lines
// contain would be a guess and selects nothing.
const work::BootEntry* FindSystem(const std::vector<work::BootEntry>& systems, const std::wstring& strName,
                                  const std::wstring& strCurrent, bool& blnAmbiguous) {
    blnAmbiguous = false;
    if (Trimmed(strName).empty()) return nullptr;
    const work::BootEntry* exact = nullptr;
    for (const work::BootEntry& entry : systems) {
        if (!work::SameText(entry.Name, strName)) continue;
        if (!exact || !work::SameText(exact->Path, strCurrent)) exact = &entry;
    }
    if (exact) return exact;
    const work::BootEntry* contained = nullptr;
    for (const work::BootEntry& entry : systems) {
        if (!ContainsText(entry.Line, strName)) continue;
        if (contained) {
            blnAmbiguous = true;
            return nullptr;
        }
        contained = &entry;
    }
    return contained;
}

// Bytes of a file (empty when it cannot be read).
std::string FileBytes(const std::wstring& strFile) {
    const kv::OwnedHandle file(CreateFileW(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    kv::RaiseLastErrorIf(file.Get() == INVALID_HANDLE_VALUE);
    std::string bytes;
    char buffer[16384];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

std::string TrimmedBytes(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameAscii(const std::string& a, const char* b) { return _stricmp(a.c_str(), b) == 0; }

}  // namespace

// boot.ini with one value of its loader section set, every other byte as it was: the value's
// line keeps its place and line end; a missing value is added right after the section's
// header with the header's own line end. The first [boot loader] section and its first line
// of that key are the ones the profile functions read.
std::string WithBootLoaderValue(const std::string& strFile, const std::string& strKey, const std::string& strValue) {
    const std::string line = strKey + "=" + strValue;
    bool inSection = false;
    size_t headerEnd = std::string::npos, headerBreak = 0;
    for (size_t start = 0; start < strFile.size();) {
        size_t end = strFile.find_first_of("\r\n", start);
        if (end == std::string::npos) end = strFile.size();
        size_t next = end;
        if (next < strFile.size()) next += (strFile[next] == '\r' && next + 1 < strFile.size() && strFile[next + 1] == '\n') ? 2 : 1;
        const std::string text = TrimmedBytes(strFile.substr(start, end - start));
        if (!text.empty() && text.front() == '[') {
            if (inSection) break;   // the section ended without the key
            inSection = text.back() == ']' && SameAscii(TrimmedBytes(text.substr(1, text.size() - 2)), "boot loader");
            if (inSection) headerEnd = end, headerBreak = next - end;
        } else if (inSection) {
            // A line without "=" is a key without a value to the profile functions too.
            if (SameAscii(TrimmedBytes(text.substr(0, text.find('='))), strKey.c_str()))
                return strFile.substr(0, start) + line + strFile.substr(end);
        }
        start = next;
    }
    if (headerEnd == std::string::npos) return strFile;
    if (headerBreak == 0) return strFile + "\r\n" + line;   // the header is the file's last line
    const std::string lineBreak = strFile.substr(headerEnd, headerBreak);
    return strFile.substr(0, headerEnd + headerBreak) + line + lineBreak + strFile.substr(headerEnd + headerBreak);
}

namespace {

// Writes one value of the loader section through a copy that replaces boot.ini in one step,
// so a failure at any point leaves the old file whole; the file keeps its attributes and
// every other byte.
void WriteBootLoaderValue(const std::wstring& strBootIni, const wchar_t* strKey, const std::wstring& strValue) {
    if (!work::HasBootLoaderSection(strBootIni))
        throw kv::KVError(conErrNoBootLoaderSection,
                          L"Die Datei \"" + strBootIni +
                              L"\" hat keinen Abschnitt [boot loader]. Sie wurde nicht geändert.");
    const DWORD attributes = GetFileAttributesW(strBootIni.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) kv::RaiseLastError();
    const auto ansi = [](const std::wstring& text) {
        std::string bytes(text.size() * 2 + 1, '\0');
        const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, nullptr);
        bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return bytes;
    };
    const std::string content = WithBootLoaderValue(FileBytes(strBootIni), ansi(strKey), ansi(strValue));

    const std::wstring folder = strBootIni.substr(0, strBootIni.find_last_of(L'\\') + 1);
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.c_str(), L"kvb", 0, temp)) kv::RaiseLastError();
    struct TempFile {
        std::wstring path;
        bool moved = false;
        ~TempFile() {
            if (moved) return;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    } copy{temp};
    {
        const kv::OwnedHandle file(
            CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        kv::RaiseLastErrorIf(file.Get() == INVALID_HANDLE_VALUE);
        DWORD written = 0;
        kv::RaiseLastErrorIf(!WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
        kv::RaiseLastErrorIf(!FlushFileBuffers(file.Get()));
    }
    // A full disk can cut the copy short without the write reporting it.
    if (FileBytes(temp) != content)
        throw kv::KVError(ERROR_WRITE_FAULT, L"Die Datei \"" + strBootIni + L"\" konnte nicht geschrieben werden.");
    // What Windows will read: a damaged file (two loader sections, a header with text after
    // it) may hide the written line from the profile functions; then nothing is changed.
    std::wstring readBack;
    try {
        readBack = Trimmed(BootLoader(temp).ReadValue(strKey));
    } catch (const kv::KVError&) {
    }
    if (readBack != Trimmed(strValue))
        throw kv::KVError(conErrNoBootLoaderSection, L"Die Datei \"" + strBootIni +
                                                         L"\" hat keinen eindeutig lesbaren Abschnitt [boot loader]. "
                                                         L"Sie wurde nicht geändert.");
    const DWORD kept = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (!SetFileAttributesW(temp, kept ? kept : FILE_ATTRIBUTE_NORMAL)) kv::RaiseLastError();
    if (!MoveFileExW(temp, strBootIni.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        kv::RaiseLastError();
    copy.moved = true;
    work::ForgetReadLines();
}

}  // namespace

std::wstring GetBootIniLocation() {
    return Forwarded(conModule, L"GetBootIniLocation", [] {
        for (wchar_t drive = L'C'; drive <= L'Z'; ++drive) {
            std::wstring root = std::wstring(1, drive) + L":\\";
            if (Helper().DriveType(root) != kv::conDt_Fixed) break;
            WIN32_FIND_DATAW found{};
            const kv::OwnedFindHandle search(FindFirstFileW((root + L"Boot.ini").c_str(), &found));
            if (search) return root + found.cFileName;
        }
        return std::wstring();
    });
}

bool BootIniExitst() { return !GetBootIniLocation().empty(); }

namespace {

// The file cannot be opened for appending (nothing is written); true for "".
bool WriteProtected(const std::wstring& strBootIni) {
    if (strBootIni.empty()) return true;
    const kv::OwnedHandle file(CreateFileW(strBootIni.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Get() == INVALID_HANDLE_VALUE;
}

}  // namespace

bool IsBootIniWriteProtected() {
    return Forwarded(conModule, L"IsBootIniWriteProtected", [] { return WriteProtected(GetBootIniLocation()); });
}

std::wstring GetStandardOption() {
    return Forwarded(conModule, L"GetStandardOption", [] {
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return std::wstring();
        const std::wstring path = CurrentDefault(bootIni);
        if (path.empty()) return std::wstring();
        // The path itself, not a part of it: "...\WINDOWS" is also the start of "...\WINDOWS2".
        for (const work::BootEntry& entry : work::OperatingSystems(bootIni)) {
            if (work::SameText(entry.Path, path)) return entry.Name;
        }
        return std::wstring();
    });
}

bool CheckSystem(const std::wstring& strSystem) {
    return Forwarded(conModule, L"CheckSystem", [&] {
        if (work::SameText(strSystem, conStandardSystemName)) return true;
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return false;
        bool ambiguous = false;
        return FindSystem(work::OperatingSystems(bootIni), strSystem, CurrentDefault(bootIni), ambiguous) != nullptr;
    });
}

void SetStandardSystem(const std::wstring& strSystem) {
    Forwarded(conModule, L"SetStandardSystem", [&] {
        const std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return;
        std::wstring name = strSystem;
        if (work::SameText(name, conStandardSystemName)) {
            // "Standard" is the user's standard system; without one, the default as it is.
            name = State().StandardSystem;
            if (name.empty() || work::SameText(name, conStandardSystemName)) return;
        }

        const std::wstring current = CurrentDefault(bootIni);
        const std::vector<work::BootEntry> systems = work::OperatingSystems(bootIni);
        bool ambiguous = false;
        const work::BootEntry* entry = FindSystem(systems, name, current, ambiguous);
        if (!entry)
            throw kv::KVError(ambiguous ? conErrAmbiguousSystem : conErrUnknownSystem,
                              L"Das Betriebssystem \"" + name + L"\" ist in der Datei \"" + bootIni +
                                  (ambiguous ? L"\" nicht eindeutig angegeben." : L"\" nicht vorhanden.") +
                                  L" Der Standardeintrag wurde nicht geändert.");
        if (work::SameText(entry->Path, current)) return;  // nothing to change
        if (WriteProtected(bootIni))
            throw kv::KVError(conErrBootIniWriteProtected,
                              L"Die Datei \"" + bootIni + L"\" ist schreibgeschützt oder gesperrt. \"" + entry->Name +
                                  L"\" konnte nicht als zu bootendes System eingetragen werden.");
        WriteBootLoaderValue(bootIni, L"default", entry->Path);
    });
}

long GetTimeOut() {
    return Forwarded(conModule, L"GetTimeOut", [] {
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return conDefaultBootTimeOut;
        kv::clsIni ini = BootLoader(bootIni);
        ini.Default(kv::DecimalText(conDefaultBootTimeOut));
        // The number the text starts with, as a whole number (0 when it starts with none).
        std::wstring text = Trimmed(ini.ReadValue(L"timeout"));
        wchar_t* end = nullptr;
        double seconds = std::wcstod(text.c_str(), &end);
        return static_cast<long>(seconds < 0 ? seconds - 0.5 : seconds + 0.5);
    });
}

void WriteTimeOut(long lngSeconds) {
    Forwarded(conModule, L"WriteTimeOut", [&] {
        const std::wstring bootIni = GetBootIniLocation();
        if (WriteProtected(bootIni)) return;  // also without boot.ini
        WriteBootLoaderValue(bootIni, L"timeout", kv::DecimalText(lngSeconds));
    });
}

bool RunFirstTime() {
    return Shown(conModule, L"RunFirstTime", [] {
        std::wstring bootIni = GetBootIniLocation();
        if (!bootIni.empty()) {
            std::wstring folder, file, extension;
            Helper().SplitFilename(bootIni, folder, file, extension);
            std::wstring backup = folder + conBootIniBackup;
            // An earlier copy keeps boot.ini's attributes, which would refuse the overwrite.
            SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
            kv::RaiseLastErrorIf(!CopyFileW(bootIni.c_str(), backup.c_str(), FALSE));

            ShowInformation(L"Dieses Programm ändert die Windows-NT/2000/XP-Datei \"" + bootIni +
                            L"\". Aus diesem Grund wurde die Datei in das Verzeichnis \"" + folder + conBootIniBackup +
                            L"\" gesichert. Sie können die Datei verwenden, falls die Originaldatei beschädigt wird.");
            if (WriteProtected(bootIni))
                ShowInformation(L"Die Datei \"" + bootIni +
                                L"\" ist schreibgeschützt oder Sie haben keine Rechte für den Schreibzugriff. "
                                L"Um alle Funktionen nutzen zu können, sollte der Schreibzugriff möglich sein.");
        }
        WriteSetting(VersionGlobal().InfoApplication(), conSG_Autostart, ProgramFileName());
        WriteSetting(L"RunFirstTime", conSG_PrgSettings, 0L);
        if (!IsOS(kv::conWV_Windows95, kv::conWV_WindowsNT4)) {  // Windows 95 and NT 4 cannot power off by themselves
            WriteSetting(L"SwitchOff", conSG_Options, 1L);
            State().SwitchOff = true;
        }
    });
}

void EditBootIni() {
    Forwarded(conModule, L"EditBootIni", [] {
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return;
        DWORD attributes = GetFileAttributesW(bootIni.c_str());
        kv::RaiseLastErrorIf(attributes == INVALID_FILE_ATTRIBUTES);
        // Hidden and system go so the editor can save; read-only stays the user's choice.
        DWORD visible = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (visible == 0) visible = FILE_ATTRIBUTE_NORMAL;
        kv::RaiseLastErrorIf(visible != attributes && !SetFileAttributesW(bootIni.c_str(), visible));
        kv::clsExecute().Run(bootIni);
    });
}

}  // namespace kvr
