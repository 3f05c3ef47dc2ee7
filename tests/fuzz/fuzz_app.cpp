// Randomized targets of the program: the command line, boot.ini, stored settings, hotkeys and
// the version file, against the prefix's real files and registry (put back afterwards).
#include "BootIniTest.h"
#include "CliTestSupport.h"
#include "Fuzz.h"
#include "hotkeys/basKeyCodes.h"
#include "hotkeys/basShortcuts.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "update/VersionFile.h"
#include "work/basWork.h"
#include "work/basWorkText.h"

using namespace kvr;
using kvfuzz::Expect;
using kvfuzz::Rng;

namespace {

class FuzzProgram : public kvtest::FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        State().Mode = RunMode::CommandLine;
    }
    void TearDown() override {
        DiscardShortcuts();
        FreshProfileTest::TearDown();
    }
};

std::string Bytes(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) bytes += static_cast<char>(c & 0xFF);
    return bytes;
}

// The program's own form of an accepted request.
std::wstring Written(const CommandLineRequest& r) {
    std::wstring line = L"/T:" + std::to_wstring(r.ActionType);
    if (!r.System.empty()) line += L" /S:\"" + r.System + L"\"";
    if (r.Confirm) line += L" /C";
    if (r.Force) line += L" /F";
    return line;
}

// boot.ini without its default= line (lines end at CR LF, CR or LF, as boot.ini is read):
// what writing the default must leave as it was.
std::string WithoutDefault(const std::string& file) {
    std::string out;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find_first_of("\r\n", start);
        if (end == std::string::npos) end = file.size();
        else end += (file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n') ? 2 : 1;
        std::string line = file.substr(start, end - start);
        size_t key = line.find_first_not_of(" \t");
        if (key == std::string::npos || _strnicmp(line.c_str() + key, "default", 7) != 0) out += line;
        start = end;
    }
    // A value added after a header that ended the file brings its line break.
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

const std::vector<std::wstring> kBootIniSamples = {
    std::wstring(kvtest::kXpBootIni.begin(), kvtest::kXpBootIni.end()),
    L"[boot loader]\r\ntimeout=5\r\n[operating systems]\r\nC:\\=\"Windows 98\"\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINNT=\"Windows 2000\" /fastdetect\r\n",
    L"[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\"\r\n[boot loader]\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n",
    L"; comment\n[Boot Loader]\ntimeout = 30\ndefault = C:\\\n[Operating Systems]\nC:\\=\"Recovery\"\nC:\\CMDCONS\\BOOTSECT.DAT=\"Konsole\" /cmdcons\n"};

}  // namespace

TEST_F(FuzzProgram, CommandLine) {
    kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
    const work::ReadOnce once;
    kvfuzz::Run("cmdline",
                {L"/T:1", L"/T:2 /S:\"Microsoft Windows XP Home\" /C /F", L"/t:3/f", L"/?", L"/T:4 /S:Standard",
                 L"/S:\"XP Home\" /T:2", L"/T:7 /C:ja", L"/T::1", L"\"C:\\x y\\KVRestart.exe\" /T:5"},
                L"/:\" TtSsCcFf?0123456789", [](const std::wstring& line) {
                    const CommandLineRequest r = ReadCommandLine(line);
                    if (r.Help || r.Wrong || r.ActionType < 1 || r.System.find_first_of(L"\"/") != std::wstring::npos)
                        return;
                    Expect(r.ActionType <= 7, "an action type beyond 7 was accepted");
                    const CommandLineRequest back = ReadCommandLine(Written(r));
                    Expect(!back.Wrong && !back.Help && back.ActionType == r.ActionType && back.System == r.System &&
                               back.Confirm == r.Confirm && back.Force == r.Force,
                           "an accepted line written back reads differently");
                });
}

// Every input is listed from the file and its default written in memory; every 16th is
// also written through SetStandardSystem into the prefix's boot.ini and read back.
TEST_F(FuzzProgram, BootIniListingAndWritingTheDefault) {
    kvfuzz::Run("bootini", kBootIniSamples, L"[]=\"\r\n\\;()", [&](const std::wstring& input) {
        const std::string before = Bytes(input);
        kvtest::WriteFileText(kvtest::kBootIni, before);
        work::ForgetReadLines();
        const std::vector<work::BootEntry> systems = work::OperatingSystems(kvtest::kBootIni);
        if (systems.empty()) return;
        const work::BootEntry chosen = systems[input.size() % systems.size()];
        const std::string path(chosen.Path.begin(), chosen.Path.end());
        const std::string written = WithBootLoaderValue(before, "default", path);
        Expect(WithoutDefault(written) == WithoutDefault(before),
               "the default's line was not the only one changed: \"" +
                   kvfuzz::Shown(std::wstring(written.begin(), written.end())) + "\"");
        // Decided by the input, so that a reported input replays the same way.
        if (std::hash<std::wstring>()(input) % 16 || chosen.Name.empty()) return;
        try {
            SetStandardSystem(chosen.Name);
        } catch (const kv::KVError& e) {
            Expect(e.Number == conErrAmbiguousSystem || e.Number == conErrNoBootLoaderSection ||
                       e.Number == conErrUnknownSystem,
                   "writing the default raised " + std::to_string(e.Number));
            Expect(kvtest::ReadFileText(kvtest::kBootIni) == before, "a refused write changed boot.ini");
            return;
        }
        const std::string after = kvtest::ReadFileText(kvtest::kBootIni);
        Expect(WithoutDefault(after) == WithoutDefault(before), "writing the default changed another line");
        // The default is now the path of a system of that name (of several with the name, the
        // one that was the default stays).
        wchar_t standard[1024] = {};
        GetPrivateProfileStringW(L"boot loader", L"default", L"", standard, 1024, kvtest::kBootIni.c_str());
        bool named = false;
        for (const work::BootEntry& entry : systems)
            named = named || (work::SameText(entry.Name, chosen.Name) && work::SameText(entry.Path, work::Trimmed(standard)));
        Expect(named, "the written system is not the default");
    });
}

// Any stored value of any type reads as the default or as a valid value, never as an error.
TEST_F(FuzzProgram, StoredSettings) {
    const std::wstring key = kvtest::kOptionsKey;
    kvfuzz::Run("settings", {L"1", L"4294967295", L"23:59:59", L"-1", L"abc"}, L"0123456789:-", [&](const std::wstring& input) {
        const DWORD types[] = {REG_SZ, REG_DWORD, REG_BINARY, REG_EXPAND_SZ, REG_MULTI_SZ, REG_QWORD, REG_NONE};
        const DWORD type = types[input.empty() ? 0 : input[0] % 7];
        const std::string data = input.size() % 5 == 0 ? Bytes(input) : std::string(reinterpret_cast<const char*>(input.c_str()), input.size() * 2);
        kvtest::StoreRaw(HKEY_CURRENT_USER, key, L"FuzzValue", type, data.data(), data.size());
        switch (input.size() % 3) {
            case 0: {
                const long number = ReadNumberSetting(L"FuzzValue", conSG_Options, 7, 0, 100);
                Expect(number >= 0 && number <= 100, "a number setting out of its range");
                break;
            }
            case 1: ReadFlagSetting(L"FuzzValue", conSG_Options, true); break;
            default: ReadTextSetting(L"FuzzValue", conSG_Options, L"x"); break;
        }
        TakeRepairedSettings();
    }, false);
}

TEST_F(FuzzProgram, StoredHotkeys) {
    kvfuzz::Run("hotkeys",
                {L"Herunterfahren;112006||Sperren;076008", L"Neu starten;018003||", L"||;||a;b||Ruhezustand;255015",
                 L"Standby-Modus;032000||standby-modus;033000"},
                L";|0123456789", [](const std::wstring& stored) {
                    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"Shortcuts", stored);
                    ReadShortcuts();
                    const std::vector<clsShortcutData> first = Shortcuts();
                    std::vector<std::pair<std::wstring, std::wstring>> rows;
                    for (const auto& r : first) rows.emplace_back(r.Action, KeycodeToString(r.Key));
                    DiscardShortcuts();   // the list shows every action: nothing hidden is kept
                    try {
                        WriteShortcuts(rows);
                    } catch (const kv::KVError& e) {
                        // The settings are stored in the ANSI code page: an action outside it is refused.
                        Expect(e.Number == -52102, "rewriting hotkeys raised " + std::to_string(e.Number));
                        return;
                    }
                    const std::vector<clsShortcutData> second = Shortcuts();
                    Expect(second.size() == first.size(), "rewritten hotkeys differ in number");
                    for (size_t i = 0; i < first.size() && i < second.size(); ++i)
                        Expect(second[i].Action == first[i].Action &&
                                   KeyCodeValue(second[i].Key) == KeyCodeValue(first[i].Key),
                               "a rewritten hotkey differs");
                    try {
                        const std::wstring code = StringToKeycode(stored);
                        Expect(code.empty() || IsKeyCode(code), "a text read to a malformed code");
                    } catch (const kv::KVError& e) {
                        Expect(e.Number == 5, "a key text raised " + std::to_string(e.Number));
                    }
                }, false);
}

TEST(FuzzVersionFile, AnyAnswerReadsOrIsRefused) {
    const std::wstring good = L"Kelvo Restart\r\nDownload Kelvo Restart\r\nVersion: 3.1 Build 245\r\nDatum: 01.12.2026\r\nNeu: alles\r\n";
    kvfuzz::Run("versionfile", {good, L"a\nb\nVersion 1.0 Build 1\nDatum 1.1.2000\ne", L"\n\n\n\n\n"},
                L".\r\n Build:0123456789", [](const std::wstring& input) {
                    const auto text = VersionFileText(Bytes(input));
                    if (!text) return;
                    HasDownloadMark(*text, L"Kelvo Restart");
                    const VersionFileInfo info = ReadVersionFile(*text);
                    long major = -1, minor = -1, build = -1;
                    ParseVersionText(info.VersionText, major, minor, build);
                    Expect(major == info.Major && minor == info.Minor && build == info.Build &&
                               major >= 0 && minor >= 0 && build >= 0,
                           "the version read is not the version text");
                });
}
