#include "about/advertise_win.h"

#include <commctrl.h>

#include "runtime/window_win.h"

namespace velmora {

namespace {

constexpr UINT_PTR kSubclassId = 0xAD;

}  // namespace

AdvertisePanel::AdvertisePanel(HWND panel, AdvertisePanelServices services, AdSettings settings,
                               const PropertyBag& bag)
    : panel_(panel), parent_(GetParent(panel)) {
    browsers_ = std::make_unique<Win32Browsers>(panel_);
    advertise_ = std::make_unique<Advertise>(
        AdvertiseServices{*browsers_, services.machine, services.codePage, services.dialogs,
                          services.events},
        std::move(settings), [this](TwipsSize size) { Resize(size); });
    SetWindowSubclass(panel_, &AdvertisePanel::PanelProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(parent_, &AdvertisePanel::ParentProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    advertise_->ReadProperties(bag);
    if (IsWindowVisible(parent_)) advertise_->OnShow(true);
}

AdvertisePanel::~AdvertisePanel() { Detach(); }

// Lets go of the browser while the panel's window still lives.
void AdvertisePanel::Detach() {
    if (!advertise_) return;
    RemoveWindowSubclass(panel_, &AdvertisePanel::PanelProc, kSubclassId);
    RemoveWindowSubclass(parent_, &AdvertisePanel::ParentProc, kSubclassId);
    advertise_.reset();
    browsers_.reset();
}

void AdvertisePanel::Resize(TwipsSize size) {
    const int dpi = WindowDpi(panel_);
    SetWindowPos(panel_, nullptr, 0, 0, TwipsToPixels(size.width, dpi),
                 TwipsToPixels(size.height, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK AdvertisePanel::PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    auto* panel = reinterpret_cast<AdvertisePanel*>(self);
    if (msg == WM_SIZE) panel->advertise_->OnResize();
    if (msg == WM_DESTROY) {
        // The window goes first (its parent is closing): detach now.
        panel->Detach();
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The panel is shown whenever its parent is.
LRESULT CALLBACK AdvertisePanel::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR self) {
    auto* panel = reinterpret_cast<AdvertisePanel*>(self);
    if (msg == WM_SHOWWINDOW && wParam) panel->advertise_->OnShow(true);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace velmora
