// The advertisement panel's behaviour: its two sizes, its one persisted
// property, and the decision, one second after it is shown, whether this
// machine gets the advert page in an embedded browser. The Win32 panel
// (advertise_win.h) owns the window and routes its events here.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/browser.h"
#include "runtime/event_loop.h"

namespace velmora {

class CodePage;
class Dialogs;
class Machine;

struct AdSettings {
    std::wstring base;  // https address the page path is appended to; empty: no adverts
    std::vector<std::wstring> exemptDigests;  // MD5OfString of upper-cased computer names
};

// The settings the program was built with.
AdSettings BuiltInAdSettings();

struct TwipsSize {
    int width = 0;
    int height = 0;
};

// The panel's size for an advert type.
TwipsSize AdSize(int16_t adType);
// The page of an advert type: base, "/ad", adType + 1 in decimal, ".htm".
std::wstring AdPageAddress(std::wstring_view base, int16_t adType);
// Whether a digest is on the exemption list; the empty digest of a failed
// hash never is.
bool IsExempt(std::wstring_view digest, const std::vector<std::wstring>& exemptDigests);

// A host's stored properties by name.
using PropertyBag = std::map<std::wstring, int32_t>;

inline constexpr wchar_t kAdTypeProperty[] = L"AdType";
inline constexpr int16_t kDefaultAdType = 1;
inline constexpr int kDecisionDelayMs = 1000;
// The browser event that reports a page that could not be loaded.
inline constexpr wchar_t kNavigateError[] = L"NavigateError";

struct AdvertiseServices {
    Browsers& browsers;
    Machine& machine;
    CodePage& codePage;
    Dialogs& dialogs;
    EventLoop& events;
};

class Advertise {
public:
    // `resizePanel` sets the panel's size; the panel reports every size
    // change back through OnResize.
    Advertise(AdvertiseServices services, AdSettings settings,
              std::function<void(TwipsSize)> resizePanel);

    int16_t AdType() const { return adType_; }
    void SetAdType(int16_t adType);
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    void OnResize();
    // The panel was shown; `runMode` is false in a designer.
    void OnShow(bool runMode);
    bool HasBrowser() const { return browser_ != nullptr; }

    // Every event of the embedded browser, passed on unchanged.
    std::function<void(const BrowserEvent&)> onBrowserEvent;

private:
    void ApplyAdSize();
    void DecideOnAdvert();
    std::unique_ptr<Browser> MakeAdvertBrowser();
    void OnBrowserEvent(const BrowserEvent& event);

    AdvertiseServices services_;
    AdSettings settings_;
    std::function<void(TwipsSize)> resizePanel_;
    int16_t adType_ = 0;
    bool resizing_ = false;
    std::unique_ptr<Timer> decisionTimer_;
    std::unique_ptr<Timer> dropTimer_;
    std::unique_ptr<Browser> browser_;
};

}  // namespace velmora
