// The boot system of the next start: finding boot.ini, reading and writing its default
// and its boot menu time, the first-run backup and editing the file by hand.
#include <windows.h>

#include <cstdlib>

#include "MessageBoxSeam.h"
#include "basGlobals.h"
#include "basTools.h"
#include "basWork.h"
#include "basWorkText.h"
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

// The text before the first "=" of a boot.ini line (the whole line without one), trimmed.
std::wstring EntryOf(const std::wstring& strLine) { return Trimmed(strLine.substr(0, strLine.find(L'='))); }

bool IsSectionHeader(const std::wstring& strText) { return work::SameText(strText, L"[Operating Systems]"); }

void ShowInformation(const std::wstring& strText) {
    kv::MessageBoxes().Show(nullptr, strText, VersionGlobal().InfoApplication(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

std::wstring GetBootIniLocation() {
    return Forwarded(conModule, L"GetBootIniLocation", [] {
        for (wchar_t drive = L'C'; drive <= L'Z'; ++drive) {
            std::wstring root = std::wstring(1, drive) + L":\\";
            if (Helper().DriveType(root) != kv::conDt_Fixed) break;
            WIN32_FIND_DATAW found{};
            HANDLE search = FindFirstFileW((root + L"Boot.ini").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                FindClose(search);
                return root + found.cFileName;
            }
        }
        return std::wstring();
    });
}

bool BootIniExitst() { return !GetBootIniLocation().empty(); }

bool IsBootIniWriteProtected() {
    return Forwarded(conModule, L"IsBootIniWriteProtected", [] {
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return true;
        HANDLE file = CreateFileW(bootIni.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return true;
        CloseHandle(file);
        return false;
    });
}

std::wstring GetStandardOption() {
    return Forwarded(conModule, L"GetStandardOption", [] {
        std::wstring bootIni = GetBootIniLocation();
        std::wstring name;
        if (bootIni.empty()) return name;
        std::wstring path;
        try {
            path = BootLoader(bootIni).ReadValue(L"default");
        } catch (const kv::KVError& error) {
            // No default entry: no standard system to name.
            if (error.Number != conErrIniValueNotFound) throw;
        }
        if (path.empty()) return name;
        for (const std::wstring& line : work::OperatingSystemLines(bootIni)) {
            if (ContainsText(line, path)) name = work::QuotedName(line);
        }
        return name;
    });
}

bool CheckSystem(const std::wstring& strSystem) {
    return Forwarded(conModule, L"CheckSystem", [&] {
        if (work::SameText(strSystem, conStandardSystemName)) return true;
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return false;
        for (const std::wstring& line : work::ReadLines(bootIni)) {
            if (ContainsText(line, strSystem)) return true;
        }
        return false;
    });
}

void SetStandardSystem(const std::wstring& strSystem) {
    Forwarded(conModule, L"SetStandardSystem", [&] {
        if (!BootIniExitst() || IsBootIniWriteProtected()) return;
        std::wstring bootIni = GetBootIniLocation();

        std::wstring first, target;
        for (const std::wstring& line : work::OperatingSystemLines(bootIni)) {
            std::wstring entry = EntryOf(line);
            // The header itself is never a system, neither first entry nor match.
            if (IsSectionHeader(entry)) continue;
            if (first.empty()) first = entry;
            if (ContainsText(line, strSystem)) target = entry;
        }
        if (target.empty()) target = first;
        // Without any system entry there is nothing to point the default at.
        if (target.empty()) return;
        BootLoader(bootIni).WriteValue(L"default", target);
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
        if (!BootIniExitst() || IsBootIniWriteProtected()) return;
        BootLoader(GetBootIniLocation()).WriteValue(L"timeout", std::to_wstring(lngSeconds));
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
            if (!CopyFileW(bootIni.c_str(), backup.c_str(), FALSE))
                Helper().CreateAPIError(static_cast<long>(GetLastError()), true);

            ShowInformation(L"Dieses Programm ändert die Windows NT/2000/XP Datei \"" + bootIni +
                            L"\". Aus diesem Grund wurden die Datei in das Verzeichnis \"" + folder + conBootIniBackup +
                            L"\" gesichert. Sie können die Datei verwenden, falls die Orginaldatei beschädigt wird.");
            if (IsBootIniWriteProtected())
                ShowInformation(L"Die Datei \"" + bootIni +
                                L"\" ist schreibgeschützt oder Sie haben keine Rechte für den Schreibzugriff. "
                                L"Um alle Funktionen nutzen zu können sollte der Schreibzugriff möglich sein.");
        }
        WriteSetting(VersionGlobal().InfoApplication(), conSG_Autostart, ProgramFileName());
        WriteSetting(L"RunFirstTime", conSG_PrgSettings, 0L);
        if (!IsOS(1, 5)) {  // neither Windows 95 nor NT 4 can power off by itself
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
        if (attributes == INVALID_FILE_ATTRIBUTES) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
        // Hidden and system go so the editor can save; read-only stays the user's choice.
        DWORD visible = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (visible == 0) visible = FILE_ATTRIBUTE_NORMAL;
        if (visible != attributes && !SetFileAttributesW(bootIni.c_str(), visible))
            Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
        kv::clsExecute().Run(bootIni);
    });
}

}  // namespace kvr
