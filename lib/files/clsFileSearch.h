#pragma once
// Searches one or more start folders (by default every fixed drive) for files matching one
// or more wildcard patterns, optionally through all sub-folders, collects their full paths
// and reports progress to a listener that may cancel the search.
#include <string>
#include <vector>

namespace kv {

enum enuEventRaise : long {
    conEr_No = 0,
    conEr_OnlyDoEvents = 1,  // the caller's window messages run before each sub-folder
    conEr_OnNewPath = 2,     // NewPath for every folder searched
    conEr_OnNewFile = 3,     // NewFile for every entry of the recursive pass
};

// What a search reports. A handler sets blnCancel to stop the search.
class IFileSearchEvents {
public:
    virtual void NewPath(const std::wstring& strPath, bool& blnCancel) = 0;
    virtual void NewFile(const std::wstring& strFile, bool& blnCancel) = 0;
    virtual void FileFound(const std::wstring& strFile) = 0;

protected:
    ~IFileSearchEvents() = default;
};

class clsFileSearch {
public:
    static constexpr const wchar_t* conModule = L"clsFileSearch";

    explicit clsFileSearch(IFileSearchEvents* events = nullptr) : events_(events) {}

    bool FoundEvent() const { return foundEvent_; }
    void FoundEvent(bool value) { foundEvent_ = value; }
    // The full paths found by the last FindFiles, in the order found.
    const std::vector<std::wstring>& Files() const { return files_; }
    bool Recursive() const { return recursive_; }
    void Recursive(bool value) { recursive_ = value; }
    enuEventRaise EventRaise() const { return eventRaise_; }
    void EventRaise(enuEventRaise value) { eventRaise_ = value; }
    bool Hidden() const { return hidden_; }
    void Hidden(bool value) { hidden_ = value; }
    // Start folders separated by ";"; empty means every fixed drive.
    const std::wstring& StartPath() const { return startPath_; }
    void StartPath(const std::wstring& value) { startPath_ = value; }
    // Patterns separated by ";"; empty means "*.*".
    const std::wstring& FilesToFind() const { return filesToFind_; }
    void FilesToFind(const std::wstring& value) { filesToFind_ = value; }

    // Replaces Files by the result of a new search. Each search starts uncancelled; empty
    // items of StartPath and FilesToFind are skipped; a file matching several patterns is
    // listed once; folders reached through junctions or symbolic links are not entered (a
    // link back up the tree would loop). Raises conErrSearchRunning when called while the
    // search is running (from one of its handlers).
    void FindFiles();

    // Counts the searches started, so a face can tell that Files was replaced.
    unsigned long SearchNumber() const { return searchNumber_; }

private:
    class Run;

    IFileSearchEvents* events_;
    bool foundEvent_ = false;
    bool recursive_ = false;
    enuEventRaise eventRaise_ = conEr_No;
    bool hidden_ = false;
    std::wstring startPath_;
    std::wstring filesToFind_;
    std::vector<std::wstring> files_;
    bool cancel_ = false;
    bool running_ = false;
    unsigned long searchNumber_ = 0;
};

}  // namespace kv
