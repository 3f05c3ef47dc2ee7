// The boot system of the next start: finding boot.ini, reading and writing its default
// and its boot menu time, the first-run backup and editing the file by hand.
#include <windows.h>

#include <cstdlib>

#include "LastError.h"
#include "MessageBoxSeam.h"
#include "Owned.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "clsExecute.h"
#include "clsIni.h"

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

// Writes one value of the loader section through a copy that replaces boot.ini in one step,
// so a failure at any point leaves the old file whole; the file keeps its attributes.
void WriteBootLoaderValue(const std::wstring& strBootIni, const wchar_t* strKey, const std::wstring& strValue) {
    if (!work::HasBootLoaderSection(strBootIni))
        throw kv::KVError(conErrNoBootLoaderSection,
                          L"Die Datei \"" + strBootIni +
                              L"\" hat keinen Abschnitt [boot loader]. Sie wurde nicht geändert.");
    const DWORD attributes = GetFileAttributesW(strBootIni.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) kv::RaiseLastError();

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

    if (!CopyFileW(strBootIni.c_str(), temp, FALSE)) kv::RaiseLastError();
    if (!SetFileAttributesW(temp, FILE_ATTRIBUTE_NORMAL)) kv::RaiseLastError();
    kv::clsIni ini = BootLoader(temp);
    ini.WriteValue(strKey, strValue);
    // A full disk can cut the copy short without the write reporting it.
    if (Trimmed(ini.ReadValue(strKey)) != Trimmed(strValue))
        throw kv::KVError(ERROR_WRITE_FAULT, L"Die Datei \"" + strBootIni + L"\" konnte nicht geschrieben werden.");
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
        ini.Default(std::to_wstring(conDefaultBootTimeOut));
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
        WriteBootLoaderValue(bootIni, L"timeout", std::to_wstring(lngSeconds));
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
