// The file search over a generated tree, against a plain recursive FindFirstFileExW walk
// (FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH) that collects the same files in the same run:
//   FileSearchBench <folder> <runs>
// Searches the folder for "*.txt;*.log" through all sub-folders; prints
// "<name> <files-per-second> <files-found>" for "reference" and "search" (medians of the runs;
// files per second count every file the walk passes).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "clsFileSearch.h"

namespace {

bool EndsWithNoCase(const wchar_t* name, size_t length, const wchar_t* ending, size_t endingLength) {
    return length >= endingLength &&
           CompareStringOrdinal(name + length - endingLength, static_cast<int>(endingLength), ending,
                                static_cast<int>(endingLength), TRUE) == CSTR_EQUAL;
}

// The plain walk: one directory read per folder, the two endings compared, matches kept.
void Walk(const std::wstring& folder, std::vector<std::wstring>& found, long& passed) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> folders;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (data.cFileName[0] != L'.') folders.push_back(folder + data.cFileName + L"\\");
            continue;
        }
        ++passed;
        size_t length = std::wcslen(data.cFileName);
        if (EndsWithNoCase(data.cFileName, length, L".txt", 4) || EndsWithNoCase(data.cFileName, length, L".log", 4))
            found.push_back(folder + data.cFileName);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    for (const std::wstring& sub : folders) Walk(sub, found, passed);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring folder = std::wstring(argv[1]) + L"\\";
    const int runs = std::max(1, _wtoi(argv[2]));

    long passed = 0;
    size_t referenceFound = 0, searchFound = 0;
    std::vector<double> reference, search;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms the caches and is not counted
        LARGE_INTEGER a, b, c;
        std::vector<std::wstring> found;
        long counted = 0;
        QueryPerformanceCounter(&a);
        Walk(folder, found, counted);
        QueryPerformanceCounter(&b);
        kv::clsFileSearch fileSearch;
        fileSearch.StartPath(folder);
        fileSearch.FilesToFind(L"*.txt;*.log");
        fileSearch.Recursive(true);
        fileSearch.FindFiles();
        QueryPerformanceCounter(&c);
        passed = counted;
        referenceFound = found.size();
        searchFound = fileSearch.Files().size();
        if (run == 0) continue;
        reference.push_back(passed / Seconds(a, b));
        search.push_back(passed / Seconds(b, c));
    }
    std::printf("reference %.0f %zu\n", Median(reference), referenceFound);
    std::printf("search %.0f %zu\n", Median(search), searchFound);
    return referenceFound == searchFound ? 0 : 1;
}
