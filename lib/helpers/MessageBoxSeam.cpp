#include "MessageBoxSeam.h"

namespace kv {

namespace {
class RealMessageBox : public IMessageBox {
public:
    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
        return MessageBoxW(owner, text.c_str(), title.c_str(), style);
    }
};

RealMessageBox g_real;
IMessageBox* g_current = &g_real;
}  // namespace

IMessageBox& MessageBoxes() { return *g_current; }

IMessageBox* SetMessageBoxes(IMessageBox* replacement) {
    IMessageBox* previous = g_current;
    g_current = replacement ? replacement : &g_real;
    return previous == &g_real ? nullptr : previous;
}

}  // namespace kv
