#include "clsFileSearch.h"

#include <windows.h>

#include "FilePaths.h"
#include "FilesMain.h"
#include "FilesText.h"
#include "MessagePump.h"
#include "Owned.h"
#include "Wildcard.h"

namespace kv {

namespace {

struct Entry {
    std::wstring name;
    DWORD attributes;
};

bool IsDirectory(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The entries of one folder in the system's order, read once for every pattern and the
// descent. A folder that cannot be read (missing, no access) has none.
std::vector<Entry> ReadFolder(const std::wstring& folder) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found;
    OwnedFindHandle search(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                            nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) return entries;
    do {
        entries.push_back({found.cFileName, found.dwFileAttributes});
    } while (FindNextFileW(search.Get(), &found));
    return entries;
}

std::wstring FixedDrives() {
    std::wstring drives;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        std::wstring drive{letter, L':'};
        if (FilesMain().DriveType(drive) != conDt_Fixed) continue;
        if (!drives.empty()) drives += L';';
        drives += drive;
    }
    return drives;
}

}  // namespace

// One FindFiles: the patterns folded once, the message pump of the do-events mode.
class clsFileSearch::Run {
public:
    Run(clsFileSearch& search, std::vector<std::wstring> patterns) : s_(search) {
        for (std::wstring& p : patterns) patterns_.push_back(files::FoldCase(p));
    }

    void SearchFolder(const std::wstring& path) {
        if (s_.cancel_) return;
        if (s_.eventRaise_ == conEr_OnNewPath && s_.events_) {
            s_.events_->NewPath(path, s_.cancel_);
            if (s_.cancel_) return;
        }
        std::vector<Entry> entries = ReadFolder(path);
        Collect(path, entries);
        if (s_.recursive_) Descend(path, entries);
    }

private:
    bool Collectable(DWORD attributes) const {
        if (IsDirectory(attributes)) return false;
        return s_.hidden_ || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    }

    // Pattern by pattern, as a search per pattern would list them; each file once.
    void Collect(const std::wstring& path, const std::vector<Entry>& entries) {
        folded_.clear();
        taken_.assign(entries.size(), false);
        for (const std::wstring& pattern : patterns_) {
            for (size_t i = 0; i < entries.size(); ++i) {
                if (s_.cancel_) return;
                if (taken_[i] || !Collectable(entries[i].attributes)) continue;
                if (folded_.size() <= i) folded_.resize(entries.size());
                if (folded_[i].empty()) folded_[i] = files::FoldCase(entries[i].name);
                if (!files::MatchesPattern(folded_[i], pattern)) continue;
                taken_[i] = true;
                s_.files_.push_back(path + entries[i].name);
                if (s_.foundEvent_ && s_.events_) s_.events_->FileFound(s_.files_.back());
            }
        }
    }

    void Descend(const std::wstring& path, const std::vector<Entry>& entries) {
        for (const Entry& e : entries) {
            if (s_.cancel_) return;
            if (e.name.empty() || e.name[0] == L'.') continue;
            if (s_.eventRaise_ == conEr_OnNewFile && s_.events_) {
                s_.events_->NewFile(path + e.name, s_.cancel_);
                if (s_.cancel_) return;
            }
            if (!IsDirectory(e.attributes) || (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
            if (s_.eventRaise_ == conEr_OnlyDoEvents) pump_.DispatchPending();
            SearchFolder(path + e.name + L"\\");
        }
    }

    clsFileSearch& s_;
    std::vector<std::wstring> patterns_;
    std::vector<std::wstring> folded_;
    std::vector<bool> taken_;
    files::MessagePump pump_;
};

void clsFileSearch::FindFiles() {
    try {
        if (running_) files::RaiseFilesError(files::conErrSearchRunning);
        running_ = true;
        struct Done {
            bool& running;
            ~Done() { running = false; }
        } done{running_};

        files_.clear();
        cancel_ = false;
        ++searchNumber_;
        if (filesToFind_.empty()) filesToFind_ = L"*.*";
        if (startPath_.empty()) startPath_ = FixedDrives();

        std::vector<std::wstring> patterns = files::NonEmptyItems(filesToFind_, L";");
        if (patterns.empty()) patterns.push_back(L"*.*");
        Run run(*this, std::move(patterns));
        for (const std::wstring& folder : files::NonEmptyItems(startPath_, L";")) {
            if (cancel_) break;
            run.SearchFolder(FilesMain().DirAddBackslash(folder));
        }
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"FindFiles", e);
    }
}

}  // namespace kv
