// The advertisement panel `Advertise1` as a child window: it keeps the size
// its advert type gives, watches its parent being shown, and hosts the
// advert browser. Its behaviour is Advertise's (advertise.h).
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
    // Makes the panel a visible child of `parent` at `left`, `top` twips,
    // with the advert type from `bag`.
    AdvertisePanel(HWND parent, int id, int left, int top, AdvertisePanelServices services,
                   AdSettings settings, const PropertyBag& bag = {});
    ~AdvertisePanel();
    AdvertisePanel(const AdvertisePanel&) = delete;
    AdvertisePanel& operator=(const AdvertisePanel&) = delete;

    HWND hwnd() const { return hwnd_; }
    Advertise& advertise() { return *advertise_; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    void Resize(TwipsSize size);

    HWND parent_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<Win32Browsers> browsers_;  // outlives the browser advertise_ holds
    std::unique_ptr<Advertise> advertise_;
};

}  // namespace velmora
