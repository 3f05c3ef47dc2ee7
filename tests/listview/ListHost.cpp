// KVListHost.dll: a visible window with a list view for the script client, and the server's
// entry points.
#include <memory>

#include "ComServer.h"
#include "DispatchObject.h"
#include "ListHost.h"
#include "ListViewWindow.h"
#include "frmListview.h"

namespace {

// Makes the window inside the activation context of the host's manifest.
class ManifestContext {
public:
    ManifestContext() {
        ACTCTXW context{};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.hModule = kv::com::Module();
        context.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
        handle_ = CreateActCtxW(&context);
        if (handle_ != INVALID_HANDLE_VALUE) ActivateActCtx(handle_, &cookie_);
    }
    ~ManifestContext() {
        if (handle_ == INVALID_HANDLE_VALUE) return;
        DeactivateActCtx(0, cookie_);
        ReleaseActCtx(handle_);
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

class ListHost final : public kv::com::DispatchObject<IclsListHost> {
public:
    STDMETHODIMP get_Handle(long* hwnd) override {
        return kv::com::Guard(IID_IclsListHost, [&] {
            if (!window_) {
                ManifestContext manifest;
                window_ = std::make_unique<kv::test::ListViewWindow>(L"lstScript");
            }
            return kv::com::HandOut(hwnd, static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_->list)));
        });
    }
    STDMETHODIMP TickSearchTimer() override {
        return kv::com::Guard(IID_IclsListHost, [&] {
            HWND form = FindWindowExW(HWND_MESSAGE, nullptr, kv::listview::frmListview::conClassName, nullptr);
            if (!form) return E_FAIL;
            SendMessageW(form, WM_TIMER, kv::listview::frmListview::conTimSearch, 0);
            return S_OK;
        });
    }
    STDMETHODIMP Close() override {
        window_.reset();
        return S_OK;
    }

private:
    std::unique_ptr<kv::test::ListViewWindow> window_;
};

}  // namespace

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{L"KVListHost", &LIBID_KVListHost, 1, 0,
                                 {{&CLSID_clsListHost, L"KVListHost.clsListHost", L"List view host of the tests",
                                   &CreateObject<ListHost>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
