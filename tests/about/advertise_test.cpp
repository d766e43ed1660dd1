#include "about/advertise.h"

#include <gtest/gtest.h>

#include "runtime/fake_browser.h"
#include "runtime/fake_services.h"
#include "runtime/machine.h"

namespace velmora {
namespace {

using Step = test::FakeBrowsers::Step;

constexpr wchar_t kBase[] = L"https://ads.velmora.test";
// MD5 of "VELMORA-PC" and of the empty name.
constexpr wchar_t kVelmoraPcDigest[] = L"6E915B4B8AF3D2D7A95431AE575AA095";
constexpr wchar_t kEmptyDigest[] = L"D41D8CD98F00B204E9800998ECF8427E";

struct NamedMachine : Machine {
    std::wstring name = L"VELMORA-PC";
    std::wstring ComputerName() override { return name; }
};

struct AdvertiseTest : ::testing::Test {
    test::FakeBrowsers browsers;
    NamedMachine machine;
    test::FakeCodePage codePage;
    test::FakeDialogs dialogs;
    test::FakeEventLoop events;
    AdSettings settings{kBase, {}};
    TwipsSize panel;
    std::unique_ptr<Advertise> ad;

    Advertise& Make() {
        ad = std::make_unique<Advertise>(
            AdvertiseServices{browsers, machine, codePage, dialogs, events}, settings,
            [this](TwipsSize size) {
                panel = size;
                ad->OnResize();  // the window reports its new size at once
            });
        ad->ReadProperties({});
        return *ad;
    }
    // Shows the panel and lets the decision's second pass.
    void ShowAndWait() {
        ad->OnShow(true);
        events.Tick();
    }
};

// A stored type beyond 16 bits is no advert type: the default, 1, which the
// property bag leaves out.
TEST_F(AdvertiseTest, StoredAdTypeGivesSizeAndPageAndIsWrittenBackUnlessDefault) {
    struct Case {
        int32_t stored;
        TwipsSize size;
        const wchar_t* page;
    } cases[] = {
        {0, {2250, 750}, L"/ad1.htm"},     {32767, {750, 600}, L"/ad32768.htm"},
        {40000, {750, 600}, L"/ad2.htm"},  {-32768, {750, 600}, L"/ad-32767.htm"},
        {-32769, {750, 600}, L"/ad2.htm"},
    };
    for (const Case& c : cases) {
        Make().ReadProperties({{kAdTypeProperty, c.stored}});
        ShowAndWait();
        test::FakeBrowserState* b = browsers.Live();
        ASSERT_TRUE(b) << c.stored;
        EXPECT_EQ(b->address, std::wstring(kBase) + c.page);
        panel = {100, 100};  // the host or the user resized it: undone
        ad->OnResize();
        EXPECT_EQ(std::tuple(panel.width, panel.height, b->left, b->top, b->width, b->height),
                  std::tuple(c.size.width, c.size.height, 0, 0, c.size.width, c.size.height));
        PropertyBag bag{{L"Other", 5}, {kAdTypeProperty, 3}};
        ad->WriteProperties(bag);
        PropertyBag written{{L"Other", 5}, {kAdTypeProperty, c.stored}};
        if (c.stored == 40000 || c.stored == -32769) written.erase(kAdTypeProperty);
        EXPECT_EQ(bag, written);
    }
}

TEST_F(AdvertiseTest, DecisionByMachineSettingsAndFailures) {
    struct Case {
        const char* what;
        std::wstring name;
        std::vector<std::wstring> exempt;
        std::wstring base;
        Step failAt;
        bool browser;
    } cases[] = {
        {"not exempt", L"VELMORA-PC", {kEmptyDigest}, kBase, Step::None, true},
        {"exempt", L"VELMORA-PC", {L"0", kVelmoraPcDigest}, kBase, Step::None, false},
        {"empty name, listed", L"", {kEmptyDigest}, kBase, Step::None, false},
        {"no base", L"VELMORA-PC", {}, L"", Step::None, false},
        {"no base, name outside the code page", L"\u0E01", {}, L"", Step::None, false},
        {"hash fails", L"\u0E01", {kVelmoraPcDigest, L""}, kBase, Step::None, true},
        {"create fails", L"X", {}, kBase, Step::Create, false},
        {"navigate fails", L"X", {}, kBase, Step::Navigate, false},
        {"show fails", L"X", {}, kBase, Step::Show, false},
        {"place fails", L"X", {}, kBase, Step::Place, false},
    };
    for (const Case& c : cases) {
        browsers.failAt = c.failAt;
        machine.name = c.name;
        settings = {c.base, c.exempt};
        Make();
        ShowAndWait();
        EXPECT_EQ(std::pair(browsers.Live() != nullptr, ad->HasBrowser()),
                  std::pair(c.browser, c.browser))
            << c.what;
    }
    EXPECT_EQ(dialogs.shown.size(), 1u);  // only the name that cannot be hashed
}

TEST_F(AdvertiseTest, DecidesOneSecondAfterEachShowUntilABrowserStands) {
    Make().OnShow(false);  // a designer never gets a browser
    EXPECT_TRUE(events.TimerIntervals().empty());

    ad->OnShow(true);
    ad->OnShow(true);
    EXPECT_EQ(events.TimerIntervals(), std::vector<int>{1000});
    events.Tick();
    ad->OnShow(true);  // the tick's timer is gone, and no new one starts
    EXPECT_TRUE(events.TimerIntervals().empty());

    // A page that cannot be loaded: the panel empties, the next Show retries.
    browsers.Live()->raise({kNavigateError, {}});
    events.Tick();
    EXPECT_FALSE(browsers.Live());
    ShowAndWait();
    EXPECT_TRUE(browsers.Live());
}

}  // namespace
}  // namespace velmora
