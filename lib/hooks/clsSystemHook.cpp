#include "clsSystemHook.h"

#include "HooksMain.h"

namespace kv {

namespace {
constexpr const wchar_t* conModule = L"clsSystemHook";
}

clsSystemHook::clsSystemHook(clsSystemHookEvents* events) : events_(events) {
    try {
        form_ = std::make_unique<frmDummy>(static_cast<HookEventSink&>(*this));
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, conModule, L"Class_Initialize", e);
    }
}

// Both hooks stop before the window goes, so no event follows the object's end.
clsSystemHook::~clsSystemHook() {
    form_->StopMouse();
    form_->StopKeyboard();
}

void clsSystemHook::EnableMouse(bool blnEnable) {
    try {
        if (blnEnable) form_->StartMouse();
        else form_->StopMouse();
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, conModule, L"Let EnableMouse", e);
    }
}

bool clsSystemHook::EnableMouse() const { return form_->MouseActive(); }

void clsSystemHook::EnableKeyBoard(bool blnEnable) {
    try {
        if (blnEnable) form_->StartKeyboard();
        else form_->StopKeyboard();
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, conModule, L"Let EnableKeyBoard", e);
    }
}

bool clsSystemHook::EnableKeyBoard() const { return form_->KeyboardActive(); }

void clsSystemHook::Deliver(const HookEvent& event) {
    if (!events_) return;
    switch (event.kind) {
        case HookEvent::Kind::Click: events_->Click(); break;
        case HookEvent::Kind::DblClick: events_->DblClick(); break;
        case HookEvent::Kind::KeyDown: events_->KeyDown(event.code, event.shift); break;
        case HookEvent::Kind::KeyPress: events_->KeyPress(event.code); break;
        case HookEvent::Kind::KeyUp: events_->KeyUp(event.code, event.shift); break;
        case HookEvent::Kind::MouseDown: events_->MouseDown(event.code, event.shift, event.x, event.y); break;
        case HookEvent::Kind::MouseUp: events_->MouseUp(event.code, event.shift, event.x, event.y); break;
        case HookEvent::Kind::MouseMove: events_->MouseMove(event.shift, event.x, event.y); break;
    }
}

}  // namespace kv
