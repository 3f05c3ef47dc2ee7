#pragma once
// The hidden window of a clsListView: the search text typed so far and the timer timSearch,
// which ends a search sequence 500 ms after the last accepted character. A message-only
// window, made on the first search.
#include <string>

#include "WindowBase.h"

namespace kv::listview {

class frmListview final : public WindowBase {
public:
    static constexpr const wchar_t* conClassName = L"KVWidgets.frmListview";
    static constexpr UINT_PTR conTimSearch = 1;
    static constexpr UINT conTimSearchInterval = 500;

    frmListview();

    std::wstring& SearchText() { return searchText_; }
    void StopSearchTimer();
    void StartSearchTimer();

protected:
    bool OnTimer(UINT_PTR id) override;
    void OnError(const wchar_t* procedure, const KVError& error) override;

private:
    std::wstring searchText_;
};

}  // namespace kv::listview
