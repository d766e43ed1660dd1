// An embedded web browser, created on demand as a child of a window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One event the browser raised: its name ("NavigateComplete2") and its
// parameters as texts, in the order the browser passed them.
struct BrowserEvent {
    std::wstring name;
    std::vector<std::wstring> parameters;
};

class Browser {
public:
    virtual ~Browser() = default;
    // Starts loading the page; the browser does not wait for it.
    virtual bool Navigate(std::wstring_view address) = 0;
    virtual bool Show() = 0;
    // Places the browser in its parent's client area, in twips.
    virtual bool Place(int left, int top, int width, int height) = 0;
};

class Browsers {
public:
    virtual ~Browsers() = default;
    // A new, hidden browser whose events go to `onEvent`; nullptr when none
    // could be made. Destroying it removes it.
    virtual std::unique_ptr<Browser> Create(std::function<void(const BrowserEvent&)> onEvent) = 0;
};

}  // namespace velmora
