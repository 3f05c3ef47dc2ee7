#pragma once
// Stands in for the activity seam: the idle time, the full screen and the watched program's
// end are what the test sets.
#include "StandIn.h"
#include "work/Activity.h"

namespace kvtest {

class ManualActivity : public StandIn<kvr::IActivity, kvr::SetActivity> {
public:
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
};

}  // namespace kvtest
