// clsFileSearch over real folders of the test prefix: patterns, nesting, hidden files, dot
// folders, empty list items, events and cancelling, a folder loop through a link, and the
// message pump of the do-events mode with a handler that tries to search again.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ErrorCapture.h"
#include "FolderLink.h"
#include "Owned.h"
#include "TempFolder.h"
#include "clsFileSearch.h"

using kv::clsFileSearch;
using kvtest::TempFolder;

namespace {

using Files = std::vector<std::wstring>;

// Records every event as "kind:text"; cancelAt cancels at the event with that record.
class Recorder : public kv::IFileSearchEvents {
public:
    Files log;
    std::wstring cancelAt;

    void NewPath(const std::wstring& path, bool& cancel) override { Note(L"path:" + path, cancel); }
    void NewFile(const std::wstring& file, bool& cancel) override { Note(L"file:" + file, cancel); }
    void FileFound(const std::wstring& file) override { log.push_back(L"found:" + file); }

private:
    void Note(const std::wstring& record, bool& cancel) {
        log.push_back(record);
        if (record == cancelAt) cancel = true;
    }
};

Files Sorted(Files files) {
    std::sort(files.begin(), files.end());
    return files;
}

size_t IndexOf(const Files& files, const std::wstring& file) {
    return static_cast<size_t>(std::find(files.begin(), files.end(), file) - files.begin());
}

// root: a.txt b.log c.dat h.txt (hidden) s.log (system), sub\d.TXT, sub\deeper\e.log,
// .git\f.txt, secret (a hidden folder)\g.txt
class FileSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* f : {L"a.txt", L"b.log", L"c.dat", L"h.txt", L"s.log", L"sub\\d.TXT",
                                 L"sub\\deeper\\e.log", L".git\\f.txt", L"secret\\g.txt"})
            root.Put(f);
        SetFileAttributesW((root / L"h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesW((root / L"s.log").c_str(), FILE_ATTRIBUTE_SYSTEM);
        SetFileAttributesW((root / L"secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
        search.StartPath(root.Path());
    }
    std::wstring R(const std::wstring& relative) const { return root / relative; }

    TempFolder root{L"kvsearch"};
    Recorder events;
    clsFileSearch search{&events};
};

}  // namespace

TEST_F(FileSearchTest, PatternsHiddenFilesAndNesting) {
    struct Case {
        const char* what;
        std::wstring patterns;
        bool recursive, hidden;
        Files expected;
    } cases[] = {
        {"one folder", L"*.txt;*.log", false, false, {R(L"a.txt"), R(L"b.log")}},
        {"every pattern empty", L"", false, false, {R(L"a.txt"), R(L"b.log"), R(L"c.dat")}},
        {"with hidden and system", L"*.txt;*.log", false, true, {R(L"a.txt"), R(L"b.log"), R(L"h.txt"), R(L"s.log")}},
        {"through sub-folders, case ignored, hidden folder entered, dot folder not",
         L"*.txt;*.log",
         true,
         false,
         {R(L"a.txt"), R(L"b.log"), R(L"sub\\d.TXT"), R(L"sub\\deeper\\e.log"), R(L"secret\\g.txt")}},
        {"a file of two patterns listed once", L"*.txt;a.*;;", false, false, {R(L"a.txt")}},
        {"? is one character; folders are never collected", L"?.dat;sub", true, false, {R(L"c.dat")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        search.FilesToFind(c.patterns);
        search.Recursive(c.recursive);
        search.Hidden(c.hidden);
        search.FindFiles();
        EXPECT_EQ(Sorted(search.Files()), Sorted(c.expected));
    }
    EXPECT_EQ(search.FilesToFind(), L"?.dat;sub");

    // Pattern by pattern in a folder, a folder's files before those of its sub-folders.
    search.FilesToFind(L"*.log;*.txt");
    search.Recursive(true);
    search.Hidden(false);
    search.FindFiles();
    const Files& files = search.Files();
    EXPECT_LT(IndexOf(files, R(L"b.log")), IndexOf(files, R(L"a.txt")));
    EXPECT_LT(IndexOf(files, R(L"a.txt")), IndexOf(files, R(L"sub\\d.TXT")));
    EXPECT_LT(IndexOf(files, R(L"sub\\d.TXT")), IndexOf(files, R(L"sub\\deeper\\e.log")));
}

TEST_F(FileSearchTest, StartFolders_EmptyItemsSkipped_MissingFolderGivesNothing_EmptyMeansFixedDrives) {
    search.StartPath(R(L"sub\\deeper") + L";;" + R(L"missing") + L";" + R(L"sub"));
    search.FilesToFind(L"*.log;*.txt");
    search.FindFiles();
    EXPECT_EQ(search.Files(), (Files{R(L"sub\\deeper\\e.log"), R(L"sub\\d.TXT")}));

    search.StartPath(L"");
    search.FilesToFind(L"kv-no-such-file-*.none");
    search.FindFiles();
    EXPECT_TRUE(search.Files().empty());
    EXPECT_NE(search.StartPath().find(L"C:"), std::wstring::npos) << search.StartPath();
    EXPECT_EQ(search.StartPath().size() % 3, 2u) << "X:;Y: ... " << search.StartPath();
}

TEST_F(FileSearchTest, EventsInOrder_NewFileOnlyInTheRecursivePass) {
    root.Put(L"only\\x.txt");
    search.StartPath(R(L"only"));
    search.FoundEvent(true);
    search.EventRaise(kv::conEr_OnNewPath);
    search.FindFiles();
    EXPECT_EQ(events.log, (Files{L"path:" + R(L"only\\"), L"found:" + R(L"only\\x.txt")}));

    events.log.clear();
    root.Put(L"only\\in\\y.txt");
    search.EventRaise(kv::conEr_OnNewFile);
    search.FindFiles();
    EXPECT_EQ(events.log, (Files{L"found:" + R(L"only\\x.txt")})) << "no NewFile without Recursive";

    events.log.clear();
    search.Recursive(true);
    search.FindFiles();
    Files expected{L"found:" + R(L"only\\x.txt"), L"file:" + R(L"only\\in"), L"found:" + R(L"only\\in\\y.txt"),
                   L"file:" + R(L"only\\in\\y.txt"), L"file:" + R(L"only\\x.txt")};
    EXPECT_EQ(Sorted(events.log), Sorted(expected));
    EXPECT_EQ(events.log.front(), expected.front());
    // The folder's NewFile comes before the files found inside it.
    EXPECT_LT(IndexOf(events.log, L"file:" + R(L"only\\in")), IndexOf(events.log, L"found:" + R(L"only\\in\\y.txt")));
}

TEST_F(FileSearchTest, CancelKeepsWhatWasFound_AndTheNextSearchStartsAfresh) {
    search.Recursive(true);
    search.FilesToFind(L"*.txt");
    search.EventRaise(kv::conEr_OnNewPath);
    events.cancelAt = L"path:" + R(L"sub\\");
    search.FindFiles();
    EXPECT_EQ(events.log.back(), events.cancelAt);
    EXPECT_NE(IndexOf(search.Files(), R(L"a.txt")), search.Files().size());
    EXPECT_EQ(IndexOf(search.Files(), R(L"sub\\d.TXT")), search.Files().size());

    events.cancelAt.clear();
    search.FindFiles();
    EXPECT_EQ(Sorted(search.Files()), Sorted({R(L"a.txt"), R(L"sub\\d.TXT"), R(L"secret\\g.txt")}));
}

TEST_F(FileSearchTest, AFolderLinkBackUpTheTreeIsNotEntered) {
    const std::wstring link = R(L"sub\\back");
    ASSERT_TRUE(kvtest::MakeFolderLink(link, root.Path().substr(0, root.Path().size() - 1)));
    ASSERT_NE(GetFileAttributesW((link + L"\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES) << "the link shows the root";
    search.Recursive(true);
    search.FilesToFind(L"*.txt");
    search.FindFiles();
    EXPECT_TRUE(kvtest::RemoveFolderLink(link));
    EXPECT_EQ(Sorted(search.Files()), Sorted({R(L"a.txt"), R(L"sub\\d.TXT"), R(L"secret\\g.txt")}));
}

namespace {

struct PumpProbe {
    clsFileSearch* search = nullptr;
    int delivered = 0;
    kv::KVError again{0, L""};
};

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        auto* probe = reinterpret_cast<PumpProbe*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        ++probe->delivered;
        try {
            probe->search->FindFiles();
        } catch (const kv::KVError& e) {
            probe->again = e;
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

TEST_F(FileSearchTest, DoEventsServesTheCallersMessages_AndASearchCannotStartItselfAgain) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KVSearchPumpProbe";
    RegisterClassW(&wc);
    kv::OwnedWindow window(CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           wc.hInstance, nullptr));
    ASSERT_TRUE(window);
    PumpProbe probe;
    probe.search = &search;
    SetWindowLongPtrW(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&probe));

    search.Recursive(true);
    search.FilesToFind(L"*.txt");
    PostMessageW(window.Get(), WM_APP, 0, 0);
    search.FindFiles();
    EXPECT_EQ(probe.delivered, 0) << "without conEr_OnlyDoEvents the queue waits";

    search.EventRaise(kv::conEr_OnlyDoEvents);
    search.FindFiles();
    EXPECT_EQ(probe.delivered, 1);
    EXPECT_EQ(probe.again.Number, -52302);
    EXPECT_TRUE(kv::test::StartsWith(probe.again.Description,
                                     L"Die Suche läuft bereits; \"FindFiles\" kann erst nach ihrem Ende erneut "
                                     L"aufgerufen werden. @@@ clsFileSearch_FindFiles @@@ KVFiles"));
    EXPECT_EQ(Sorted(search.Files()), Sorted({R(L"a.txt"), R(L"sub\\d.TXT"), R(L"secret\\g.txt")}))
        << "the refused call left the running search alone";
}
