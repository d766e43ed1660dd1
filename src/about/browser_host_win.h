// The web browser control ("Shell.Explorer.2") hosted as a plain COM object
// in a window: an OLE client site with in-place site and frame, and a sink
// for its DWebBrowserEvents2 through its connection point.
#pragma once

#include <windows.h>

#include "runtime/browser.h"

namespace velmora {

class Win32Browsers : public Browsers {
public:
    // Browsers become children of `parent`, placed at its DPI.
    explicit Win32Browsers(HWND parent);
    ~Win32Browsers() override;
    Win32Browsers(const Win32Browsers&) = delete;
    Win32Browsers& operator=(const Win32Browsers&) = delete;

    // Every browser made here must be destroyed before this object.
    std::unique_ptr<Browser> Create(std::function<void(const BrowserEvent&)> onEvent) override;

private:
    HWND parent_;
    bool oleStarted_ = false;
};

}  // namespace velmora
