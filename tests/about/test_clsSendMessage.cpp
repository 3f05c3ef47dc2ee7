// The message to the maker, for real: the mail program through the shell's "mailto" handler
// (a recording program registered in the test prefix), the question and its stored choice,
// and direct sending to mail servers started on 127.0.0.1 (tests/about/smtp_server.py).
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <string>

#include "DialogDriver.h"
#include "Files.h"
#include "SendMessageSettings.h"
#include "SendMessageText.h"
#include "UserRegistry.h"
#include "clsSendMessage.h"
#include "clsVersionGlobal.h"
#include "frmDirectSend.h"
#include "frmSendQuestion.h"

using namespace kvtest;

namespace {

constexpr const wchar_t* conChoiceKey = L"Common\\SendMessage";

std::wstring Windows(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

std::wstring Wide(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    out.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                   static_cast<int>(out.size())));
    return out;
}

// Waits (bounded) for a file to appear and answers its text.
std::wstring WaitForFile(const std::wstring& path) { return Wide(WaitForFileText(path)); }

std::wstring PercentDecode(const std::wstring& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size()) {
            bytes += static_cast<char>(std::stoi(std::wstring(text, i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += static_cast<char>(text[i]);
        }
    }
    return Wide(bytes);
}

// The free memory changes between two descriptions; everything else must not.
std::wstring WithoutFreeMemory(std::wstring text) {
    const size_t at = text.find(L"(Frei: ");
    if (at == std::wstring::npos) return text;
    const size_t end = text.find(L" MB)", at);
    return text.replace(at, end == std::wstring::npos ? std::wstring::npos : end - at, L"(Frei: n");
}

void StoreChoice(long neverAsk, long curAnswer) {
    kv::WriteUserNumber(conChoiceKey, L"NeverAsk", neverAsk);
    kv::WriteUserNumber(conChoiceKey, L"CurAnswer", curAnswer);
}

class SendMessageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        kv::clsVersionGlobal identity;
        identity.InfoApplication(L"Kelvo & Co? Größe");
        identity.InfoMajorVersion(1);
        identity.InfoMinorVersion(2);
        identity.InfoBuild(3);
        RegisterRecorder();
        StartMailServers();
    }
    static void TearDownTestSuite() {
        // The handler as the prefix had it.
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, conHandlerKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            if (savedHandler_.empty()) RegDeleteValueW(key, nullptr);
            else RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(savedHandler_.c_str()),
                                static_cast<DWORD>((savedHandler_.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
        HANDLE stop = CreateFileW((Windows(KV_SMTP_DIR) + L"\\stop").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  0, nullptr);
        CloseHandle(stop);
    }
    void SetUp() override { DeleteFileW(recorded_.c_str()); }

    static void RegisterRecorder() {
        recorded_ = Windows(KV_SMTP_DIR) + L"\\mailto.txt";
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, conHandlerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        wchar_t saved[1024] = L"";
        DWORD size = sizeof(saved);
        if (RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS)
            savedHandler_ = saved;
        const std::wstring command = L"\"" + std::wstring(KV_RECORDER) + L"\" \"" + recorded_ + L"\" \"%1\"";
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    static void StartMailServers() {
        const std::wstring folder = Windows(KV_SMTP_DIR);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* name : {L"\\ports", L"\\stop"}) DeleteFileW((folder + name).c_str());
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\mail*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE) FindClose(search);

        std::wstring line = L"python3 -W ignore " + Wide(KV_SMTP_SCRIPT) + L" " + Wide(KV_SMTP_DIR);
        ASSERT_TRUE(StartUnixProgram(L"Z:\\usr\\bin\\python3", line));
        std::wistringstream ports(WaitForFile(folder + L"\\ports"));
        ports >> smtpPort_ >> closePort_ >> silentPort_;
        ASSERT_GT(silentPort_, 0) << "the mail servers did not start";
    }

    static void UseServer(long port, long timeoutSeconds = 10) {
        kv::WriteUserText(conChoiceKey, L"SmtpServer", L"127.0.0.1");
        kv::WriteUserNumber(conChoiceKey, L"SmtpPort", port);
        kv::WriteUserNumber(conChoiceKey, L"SmtpTimeout", timeoutSeconds);
        kv::WriteUserText(conChoiceKey, L"SmtpSender", L"tester@localhost");
    }

    static constexpr const wchar_t* conHandlerKey = L"Software\\Classes\\mailto\\shell\\open\\command";
    static inline std::wstring savedHandler_, recorded_;
    static inline long smtpPort_ = 0, closePort_ = 0, silentPort_ = 0;
};

TEST_F(SendMessageTest, MailProgram_WithoutQuestion_GetsTheAddressAndTheEncodedBody) {
    StoreChoice(1, 1);
    kv::clsSendMessage message;
    message.EmailAddress(L"support@tormel.example");
    message.Send();  // no question: it would wait here for ever
    const std::wstring url = WaitForFile(recorded_);
    ASSERT_FALSE(url.empty()) << "the mail program was not started";

    const std::wstring head = L"mailto:support@tormel.example?subject=";
    ASSERT_EQ(url.compare(0, head.size(), head), 0) << url;
    // One "?" and one "&" separate the fields; the description's own are encoded.
    const size_t body = url.find(L"&Body=");
    ASSERT_NE(body, std::wstring::npos) << url;
    EXPECT_EQ(url.find_first_of(L"?&\r\n ", head.size()), body) << url;
    EXPECT_EQ(url.find_first_of(L"?&\r\n ", body + 1), std::wstring::npos) << url;
    EXPECT_EQ(PercentDecode(url.substr(head.size(), body - head.size())), L"Frage zu ''Kelvo & Co? Größe''");
    EXPECT_EQ(WithoutFreeMemory(PercentDecode(url.substr(body + 6))),
              WithoutFreeMemory(L"SYSTEMINFORMATIONEN: " + kv::SystemDescription() + L"\r\nIHR TEXT:\r\n"));
    EXPECT_NE(kv::SystemDescription().find(L"Programm: Kelvo & Co? Größe\r\nVersion: 1.2 Build 3\r\nBetriebssystem: "),
              std::wstring::npos);
}

TEST_F(SendMessageTest, Question_PresetToTheLastWay_CancelStoresNothing_OkStoresTheWayAndNeverAsk) {
    StoreChoice(0, 2);
    kv::clsSendMessage message;
    bool directPreset = false;
    WhileShowing([&] { message.Send(); },
                 [&] {
                     HWND dialog = WaitForDialog(kv::frmSendQuestion::conCaption);
                     if (!dialog) return;
                     directPreset = IsDlgButtonChecked(dialog, kv::frmSendQuestion::conOptDirect) == BST_CHECKED;
                     PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                 });
    EXPECT_TRUE(directPreset);
    EXPECT_EQ(kv::ReadSendChoice().CurAnswer, 2);
    EXPECT_EQ(kv::ReadSendChoice().NeverAsk, 0);
    EXPECT_EQ(GetFileAttributesW(recorded_.c_str()), INVALID_FILE_ATTRIBUTES);

    // A double click on the mail program's option acts like OK.
    WhileShowing([&] { message.Send(); },
                 [&] {
                     HWND dialog = WaitForDialog(kv::frmSendQuestion::conCaption);
                     if (!dialog) return;
                     SendMessageW(GetDlgItem(dialog, kv::frmSendQuestion::conChkNeverAsk), BM_CLICK, 0, 0);
                     HWND option = GetDlgItem(dialog, kv::frmSendQuestion::conOptMailProgram);
                     PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kv::frmSendQuestion::conOptMailProgram,
                                                                 BN_DOUBLECLICKED),
                                  reinterpret_cast<LPARAM>(option));
                 });
    EXPECT_EQ(kv::ReadSendChoice().CurAnswer, 1);
    EXPECT_EQ(kv::ReadSendChoice().NeverAsk, 1);
    EXPECT_FALSE(WaitForFile(recorded_).empty()) << "the mail program was not started";
}

// The direct form: fills it in, sends, and answers what the user was told.
struct DirectRun {
    std::wstring emptyTextBox, resultBox;
    bool openAfterResult = false;
};

DirectRun SendDirect(const std::wstring& target, const std::wstring& text) {
    StoreChoice(1, 2);
    SignallingMessageBox boxes;
    DirectRun run;
    kv::clsSendMessage message;
    message.EmailAddress(target);
    WhileShowing([&] { message.Send(); },
                 [&] {
                     HWND form = WaitForDialog(kv::frmDirectSend::conCaption);
                     if (!form) return;
                     PostMessageW(form, WM_COMMAND, IDOK, 0);
                     run.emptyTextBox = boxes.Next();
                     SetDlgItemTextW(form, kv::frmDirectSend::conTxtMessage, text.c_str());
                     SetDlgItemTextW(form, kv::frmDirectSend::conTxtAdditional, L"Zusatz: Ärger über ß");
                     SendMessageW(GetDlgItem(form, kv::frmDirectSend::conOptPraise), BM_CLICK, 0, 0);
                     PostMessageW(form, WM_COMMAND, IDOK, 0);
                     run.resultBox = boxes.Next();
                     // Sent: the form goes with its input still off; failed: its input is back.
                     for (int i = 0; i < 500 && IsWindow(form) && !IsWindowEnabled(GetDlgItem(form, IDOK)); ++i)
                         Sleep(20);
                     run.openAfterResult = IsWindow(form) && IsWindowVisible(form);
                     if (run.openAfterResult) PostMessageW(form, WM_COMMAND, IDCANCEL, 0);
                 });
    return run;
}

TEST_F(SendMessageTest, DirectSending_ArrivesWithSubjectBodyAndUmlauts) {
    UseServer(smtpPort_);
    const std::wstring text = L"Grüße & Fragen?\r\n.Eine Zeile mit Punkt\r\nÄÖÜ äöü ß €";
    DirectRun run = SendDirect(L"support@tormel.example", text);
    EXPECT_EQ(run.emptyTextBox, L"Es wurde kein Nachrichtentext angegeben.");
    EXPECT_EQ(run.resultBox, L"Nachricht gesendet.");
    EXPECT_FALSE(run.openAfterResult);

    const std::wstring mail = WaitForFile(Windows(KV_SMTP_DIR) + L"\\mail0.txt");
    const std::wstring expected = L"Lob Kelvo Programm\n---\n" +
                                  kv::DirectBody(kv::SystemDescription(), L"Zusatz: Ärger über ß", text);
    // The mail parser gives the body with plain line ends.
    std::wstring plain;
    for (wchar_t c : expected)
        if (c != L'\r') plain += c;
    EXPECT_EQ(WithoutFreeMemory(mail), WithoutFreeMemory(plain));
}

TEST_F(SendMessageTest, DirectSending_Failures_ShowTheMessageAndKeepTheForm) {
    const struct {
        const char* what;
        long port;
        const wchar_t* target;
        long timeout;
    } cases[] = {
        {"refused recipient", smtpPort_, L"refuse@tormel.example", 10},
        {"connection closed", closePort_, L"support@tormel.example", 10},
        {"no answer", silentPort_, L"support@tormel.example", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UseServer(c.port, c.timeout);
        DirectRun run = SendDirect(c.target, L"Hallo");
        EXPECT_EQ(run.resultBox.rfind(L"Nachricht konnte nicht gesendet werden (", 0), 0u) << run.resultBox;
        EXPECT_TRUE(run.openAfterResult);
    }
}

TEST(SendMessageText, PercentEncodingKeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(kv::PercentEncode(L"a-Z_0.~ &?=\r\nä€", L"@"), L"a-Z_0.~%20%26%3F%3D%0D%0A%C3%A4%E2%82%AC");
    EXPECT_EQ(kv::PercentEncode(L"x@y", L"@"), L"x@y");
    EXPECT_EQ(kv::DirectSubject(L"F&ehler"), L"Fehler Kelvo Programm");
}

}  // namespace
