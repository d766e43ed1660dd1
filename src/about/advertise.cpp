#include "about/advertise.h"

#include <limits>

#include "about/about_settings.h"
#include "about/md5.h"
#include "runtime/machine.h"

namespace velmora {

AdSettings BuiltInAdSettings() {
    AdSettings settings{kAdBase, {}};
    for (std::wstring_view digest : kAdExemptDigests) {
        if (!digest.empty()) settings.exemptDigests.emplace_back(digest);
    }
    return settings;
}

TwipsSize AdSize(int16_t adType) {
    return adType == 0 ? TwipsSize{2250, 750} : TwipsSize{750, 600};
}

std::wstring AdPageAddress(std::wstring_view base, int16_t adType) {
    // In 32 bits, so that 32767 still has a page number.
    int32_t page = int32_t(adType) + 1;
    return std::wstring(base) + L"/ad" + std::to_wstring(page) + L".htm";
}

bool IsExempt(std::wstring_view digest, const std::vector<std::wstring>& exemptDigests) {
    if (digest.empty()) return false;
    for (const std::wstring& exempt : exemptDigests) {
        if (digest == exempt) return true;
    }
    return false;
}

Advertise::Advertise(AdvertiseServices services, AdSettings settings,
                     std::function<void(TwipsSize)> resizePanel)
    : services_(services), settings_(std::move(settings)), resizePanel_(std::move(resizePanel)) {}

void Advertise::SetAdType(int16_t adType) {
    adType_ = adType;
    ApplyAdSize();
}

void Advertise::ReadProperties(const PropertyBag& bag) {
    auto it = bag.find(kAdTypeProperty);
    int32_t stored = it == bag.end() ? kDefaultAdType : it->second;
    // A stored value beyond 16 bits is not an advert type: keep the default.
    if (stored < std::numeric_limits<int16_t>::min() ||
        stored > std::numeric_limits<int16_t>::max()) {
        stored = kDefaultAdType;
    }
    SetAdType(int16_t(stored));
}

void Advertise::WriteProperties(PropertyBag& bag) const {
    // A bag leaves out values equal to their default.
    if (adType_ == kDefaultAdType) {
        bag.erase(kAdTypeProperty);
    } else {
        bag[kAdTypeProperty] = adType_;
    }
}

void Advertise::OnResize() { ApplyAdSize(); }

// Undoes every other size: setting the size raises OnResize again, which
// the guard ends at once.
void Advertise::ApplyAdSize() {
    if (resizing_) return;
    resizing_ = true;
    resizePanel_(AdSize(adType_));
    resizing_ = false;
}

void Advertise::OnShow(bool runMode) {
    if (!runMode || browser_ || decisionTimer_) return;
    decisionTimer_ = services_.events.StartTimer(kDecisionDelayMs, [this] { DecideOnAdvert(); });
}

void Advertise::DecideOnAdvert() {
    // One tick only; the next Show starts the wait again.
    std::unique_ptr<Timer> tick = std::move(decisionTimer_);
    // Without a base address there is no page to show and nothing to fetch;
    // the name is not even hashed, so a name the code page cannot hold
    // shows no message.
    if (settings_.base.empty()) return;
    std::wstring digest =
        MD5OfString(services_.machine.ComputerName(), services_.codePage, services_.dialogs);
    if (IsExempt(digest, settings_.exemptDigests)) return;
    browser_ = MakeAdvertBrowser();
}

// The browser showing the page, filling the panel; nullptr when any step
// fails, so that the panel stays empty and the next Show tries again.
std::unique_ptr<Browser> Advertise::MakeAdvertBrowser() {
    std::unique_ptr<Browser> browser =
        services_.browsers.Create([this](const BrowserEvent& event) { OnBrowserEvent(event); });
    if (!browser) return nullptr;
    if (!browser->Navigate(AdPageAddress(settings_.base, adType_))) return nullptr;
    if (!browser->Show()) return nullptr;
    TwipsSize size = AdSize(adType_);
    if (!browser->Place(0, 0, size.width, size.height)) return nullptr;
    return browser;
}

void Advertise::OnBrowserEvent(const BrowserEvent& event) {
    if (onBrowserEvent) onBrowserEvent(event);
    // A page that cannot be loaded leaves the panel empty, and the next Show
    // tries again. The browser goes once its event has returned.
    if (event.name == kNavigateError && !dropTimer_) {
        dropTimer_ = services_.events.StartTimer(0, [this] {
            std::unique_ptr<Timer> once = std::move(dropTimer_);
            browser_.reset();
        });
    }
}

}  // namespace velmora
