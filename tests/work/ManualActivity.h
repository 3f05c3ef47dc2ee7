#pragma once
// Stands in for the activity seam: the idle time, the full screen and the watched program's
// end are what the test sets. Installs itself for its lifetime.
#include "work/Activity.h"

namespace kvtest {

class ManualActivity : public kvr::IActivity {
public:
    ManualActivity() { previous_ = kvr::SetActivity(this); }
    ~ManualActivity() override { kvr::SetActivity(previous_); }
    ManualActivity(const ManualActivity&) = delete;
    ManualActivity& operator=(const ManualActivity&) = delete;

    long long IdleSeconds() override { return idle; }
    bool FullScreenRunning() override { return fullScreen; }
    void Watch(const kvr::ProcessChoice& choice, HWND, UINT_PTR) override {
        watched = choice;
        watching = true;
    }
    void StopWatching() override { watching = false; }
    bool WatchedEnded() override { return ended; }

    long long idle = 0;
    bool fullScreen = false, ended = false, watching = false;
    kvr::ProcessChoice watched;

private:
    kvr::IActivity* previous_ = nullptr;
};

}  // namespace kvtest
