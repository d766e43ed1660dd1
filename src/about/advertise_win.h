// The advertisement panel `Advertise1` over Win32: it takes over a panel
// window of a layout table, keeps the size its advert type gives, watches
// its parent being shown, and hosts the advert browser. Its behaviour is
// Advertise's (advertise.h).
#pragma once

#include <windows.h>

#include <memory>

#include "about/advertise.h"
#include "about/browser_host_win.h"

namespace velmora {

struct AdvertisePanelServices {
    Machine& machine;
    CodePage& codePage;
    Dialogs& dialogs;
    EventLoop& events;
};

class AdvertisePanel {
public:
    // Takes over `panel`, a child window, with the advert type from `bag`.
    AdvertisePanel(HWND panel, AdvertisePanelServices services, AdSettings settings,
                   const PropertyBag& bag = {});
    ~AdvertisePanel();
    AdvertisePanel(const AdvertisePanel&) = delete;
    AdvertisePanel& operator=(const AdvertisePanel&) = delete;

    HWND hwnd() const { return panel_; }
    Advertise& advertise() { return *advertise_; }

private:
    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    void Resize(TwipsSize size);
    void Detach();

    HWND panel_;
    HWND parent_;
    std::unique_ptr<Win32Browsers> browsers_;  // outlives the browser advertise_ holds
    std::unique_ptr<Advertise> advertise_;
};

}  // namespace velmora
