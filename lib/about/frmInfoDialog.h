#pragma once
// "Programm Info": the labels of clsInfoDialog's content and the hidden animation.
//
// States: normal -> counting (the first click on a counted control starts timAllClick) ->
// animating (every counted control clicked within SpeedStartTime: the picture bounces,
// timAnimation's interval shrinks by SpeedIntervallTime per frame, the close button reads
// "Fang mich" and runs from the pointer until SpeedCatch has passed) -> credits (at
// SpeedEndTime or when the button is caught: the Texts lines scroll up by SpeedCredits per
// frame) -> normal, with the close button reading "Weiter" and "&Credits" unlocked. The
// reset label goes back to normal from any state; timNewCalculation shows the frames per
// second in the speed-test label.
#include <windows.h>

#include <set>
#include <string>

#include "Owned.h"
#include "WindowBase.h"
#include "clsInfoDialog.h"

namespace kv {

class frmInfoDialog : private WindowBase {
public:
    enum : int {
        conPicture = 101,
        conLblName,
        conLblVersion,
        conLblDescription,
        conLblCopyright,
        conLblAddress,
        conLblTerms,
        conLblWebsite,
        conLblEmail,
        conLblSpeed,
        conLblReset,
        conLblCredits,
        conCmdCredits,
        conCmdClose = IDCANCEL,
    };
    enum : UINT_PTR { timAnimation = 1, timAllClick, timNewCalculation };
    enum class State { Normal, Counting, Animating, Credits };
    static constexpr const wchar_t* conCaption = L"Programm Info";

    frmInfoDialog();
    // Modal; returns when the dialog is closed.
    void Show(const InfoDialogContent& content, HWND owner);

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnTimer(UINT_PTR id) override;
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The controls that count for starting the animation (shown labels and the picture).
    std::set<int> Counted() const;
    void Clicked(int id);
    void StartAnimation();
    void AnimationFrame();
    void StartCredits();
    void CreditsFrame();
    void EndCredits();
    void ResetToNormal();
    void ShowNormalControls(bool blnShow);
    void DodgePointer(bool blnForce);
    void DrawPicture(const DRAWITEMSTRUCT& item) const;
    void Show(int id, bool blnShow) const { ShowWindow(Item(id), blnShow ? SW_SHOW : SW_HIDE); }
    void SetCaption(int id, const wchar_t* text) const { SetDlgItemTextW(Handle(), id, text); }
    ULONGLONG Elapsed() const { return GetTickCount64() - since_; }

    InfoDialogContent content_;
    State state_ = State::Normal;
    std::set<int> clicked_;
    ULONGLONG since_ = 0;  // start of the counting, the animation or the credits
    UINT interval_ = 0;
    POINT velocity_{0, 0};
    long frames_ = 0;
    RECT pictureHome_{}, closeHome_{};
    OwnedFont titleFont_;
};

}  // namespace kv
