// The error convention: chains, table messages, transformation and the shown box.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ComError.h"
#include "ErrorCapture.h"
#include "RecordingMessageBox.h"
#include "clsMain.h"

using kv::clsMain;
using kv::KVError;
using kv::test::Raised;

TEST(clsMainErrors, ForwardErrorBuildsChainsOutermostFirst) {
    clsMain m;
    KVError inner = Raised([&] { m.ForwardError(L"KVSettings", L"clsRegistry", L"ReadValue", -52001, L"kaputt"); });
    EXPECT_EQ(inner.Description, L"kaputt @@@ clsRegistry_ReadValue @@@ KVSettings");
    KVError middle = Raised([&] { m.ForwardError(L"KVFiles", L"clsExecute", L"Run", inner); });
    KVError outer = Raised([&] { m.ForwardError(L"KVRestart", L"basWork", L"RebootWindows", middle); });
    EXPECT_EQ(outer.Number, -52001);
    EXPECT_EQ(outer.Description,
              L"kaputt @@@ basWork_RebootWindows --> clsExecute_Run --> clsRegistry_ReadValue"
              L" @@@ KVRestart --> KVFiles --> KVSettings");

    // The class's own members forward with their place.
    kv::Variant notAnArray(L"text");
    KVError sort = Raised([&] { m.Sort(notAnArray); });
    EXPECT_EQ(sort.Number, 13);
    EXPECT_EQ(sort.Description, L"Only array allowed @@@ clsMain_Sort @@@ KVCore");
    EXPECT_EQ(Raised([&] { m.Round(1, 0); }).Number, 11);
}

// Descriptions that are no well-formed chain (cut short, separators only, empty) still give
// one well-formed chain: nothing may fail while an error is passed on.
TEST(clsMainErrors, ForwardErrorMendsMalformedChains) {
    const struct { const wchar_t *given, *forwarded; } cases[] = {
        {L"", L" @@@ M_F @@@ P"},
        {L"kaputt@@@", L"kaputt @@@ M_F @@@ P"},
        {L"@@@", L" @@@ M_F @@@ P"},
        {L"@@@@@@", L" @@@ M_F @@@ P"},
        {L" @@@  @@@ ", L" @@@ M_F @@@ P"},
        {L"@@@ x", L" @@@ M_F --> x @@@ P"},
        {L"a @@@ b @@@", L"a @@@ M_F --> b @@@ P"},
        {L"a @@@b@@@c", L"a @@@ M_F --> b @@@ P --> c"},
        {L"a @@@ b @@@ c @@@ d", L"a @@@ M_F --> b @@@ P --> c @@@ d"},  // a third mark is the projects' text
    };
    clsMain m;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        KVError e = Raised([&] { m.ForwardError(L"P", L"M", L"F", 5, c.given); });
        EXPECT_EQ(e.Number, 5);
        EXPECT_EQ(e.Description, c.forwarded);
    }
}

// A library exception's own text (English, an implementation detail) never reaches a script.
TEST(clsMainErrors, LibraryExceptionsCrossCOMWithTheirOwnDescription) {
    const auto translated = [](auto&& thrown) {
        try {
            throw thrown;
        } catch (...) {
            return kv::com::CurrentExceptionToHResult(L"KVCore", IID_NULL);
        }
    };
    EXPECT_EQ(translated(std::out_of_range("basic_string::replace: __pos")), E_FAIL);
    EXPECT_EQ(kv::com::TakeErrorDescription(E_FAIL), L"Unerwarteter interner Fehler der Komponente.");
    EXPECT_EQ(translated(std::bad_alloc()), E_OUTOFMEMORY);
}

TEST(clsMainErrors, ShowErrorPutsThePlaceOfTheDisplayLast) {
    clsMain m;
    kvtest::RecordingMessageBox boxes;
    KVError inner = Raised([&] { m.ForwardError(L"KVSettings", L"clsIni", L"ReadValue", -52003, L"nicht da"); });
    m.ShowError(L"Kelvo Restart", L"basMain", L"RunMain",
                Raised([&] { m.ForwardError(L"KVCore", L"clsMain", L"Wrap", inner); }));
    m.ShowError(L"Kelvo Restart", L"frmMain", L"cmdOK_Click", 5, L"Ungültig");
    m.ShowError(L"Kelvo Restart", L"frmMain", L"Load", 5, L"kaputt@@@@@@");  // chains cut short

    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].title, L"KVCore --> KVSettings --> Kelvo Restart");
    EXPECT_EQ(boxes.shown[0].text,
              L"(clsMain_Wrap --> clsIni_ReadValue --> basMain_RunMain) - \r-52003: nicht da");
    EXPECT_EQ(boxes.shown[1].title, L"Kelvo Restart");
    EXPECT_EQ(boxes.shown[1].text, L"(frmMain_cmdOK_Click) - \r5: Ungültig");
    EXPECT_EQ(boxes.shown[2].title, L"Kelvo Restart");
    EXPECT_EQ(boxes.shown[2].text, L"(frmMain_Load) - \r5: kaputt");
    for (const auto& box : boxes.shown) EXPECT_EQ(box.style, 0x10010u);
}

TEST(clsMainErrors, GenerateErrorFillsFirstPlaceholdersAndNullAsEmpty) {
    clsMain m;
    KVError e = Raised([&] { m.GenerateError(-52002, L"Wert1", kv::Null{}); });
    EXPECT_EQ(e.Number, -52002);
    EXPECT_EQ(e.Description, L"Wert \"Wert1\" im Schlüssel \"\" der Registry nicht gefunden.");
    EXPECT_EQ(kv::FillPlaceholders(L"$1$ und $1$ ($2$)", 7L, L"x"), L"7 und $1$ (x)");
    EXPECT_EQ(Raised([&] { m.GenerateError(-52018); }).Description, L"Unbekannter Fehler.");
    EXPECT_EQ(kv::MessageTableText(-52020), L"Angegebenes Menüobjekt ist kein Menüfeld.");
}

TEST(clsMainErrors, TransformErrorReplacesOnlyTheChosenNumber) {
    clsMain m;
    KVError hit = Raised([&] {
        m.TransformError(L"KVFiles", L"clsFileShortcut", L"Save", 53, L"File not found", 53, -52012, L"C:\\a.lnk");
    });
    EXPECT_EQ(hit.Number, -52012);
    EXPECT_EQ(hit.Description, L"Datei \"C:\\a.lnk\" nicht gefunden. @@@ clsFileShortcut_Save @@@ KVFiles");
    KVError miss = Raised([&] {
        m.TransformError(L"KVFiles", L"clsFileShortcut", L"Save", 76, L"Path not found", 53, -52012, L"x");
    });
    EXPECT_EQ(miss.Number, 76);
    EXPECT_EQ(miss.Description, L"Path not found @@@ clsFileShortcut_Save @@@ KVFiles");
}

TEST(clsMainErrors, CreateAPIErrorRaisesTheSystemMessageOnlyOnFailure) {
    clsMain m;
    EXPECT_NO_THROW(m.CreateAPIError(ERROR_FILE_NOT_FOUND, false));
    KVError e = Raised([&] { m.CreateAPIError(ERROR_FILE_NOT_FOUND, true); });
    EXPECT_EQ(e.Number, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(clsMain::SystemMessage(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_EQ(e.Description, L"API: " + clsMain::SystemMessage(ERROR_FILE_NOT_FOUND));
}
