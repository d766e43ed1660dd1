#include "about/advertise_win.h"

#include <gtest/gtest.h>

#include "runtime/code_page_win.h"
#include "runtime/event_loop_win.h"
#include "runtime/machine_win.h"
#include "runtime/window_win.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

// Without the browser engine (Wine's mshtml is turned off for the tests) the
// page cannot be loaded: the panel stays empty and its window unharmed.
TEST(AdvertisePanelWinTest, PageThatCannotLoadLeavesThePanelEmpty) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    Win32Machine machine;
    Win32CodePage codePage;
    test::FakeServices fake;
    std::vector<BrowserEvent> seen;
    {
        AdvertisePanel panel(child, {machine, codePage, fake.dialogs, fake.events},
                             {L"https://ads.velmora.invalid", {}});
        panel.advertise().onBrowserEvent = [&](const BrowserEvent& e) { seen.push_back(e); };
        RECT r;
        GetClientRect(panel.hwnd(), &r);
        EXPECT_EQ(std::pair(int(r.right), int(r.bottom)),
                  std::pair(TwipsToPixels(750, ScreenDpi()), TwipsToPixels(600, ScreenDpi())));
        ShowWindow(parent, SW_SHOW);
        ASSERT_EQ(fake.events.TimerIntervals().size(), 1u);  // the decision waits for its second
        fake.events.Tick();
        for (int i = 0; i < 50 && panel.advertise().HasBrowser(); ++i) {
            Sleep(100);
            PumpPendingMessages();
            fake.events.Tick();
        }
        EXPECT_FALSE(panel.advertise().HasBrowser());
        EXPECT_EQ(GetWindow(panel.hwnd(), GW_CHILD), nullptr);  // nothing shown
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen[0].name, L"BeforeNavigate2");
        EXPECT_EQ(seen[0].parameters.at(1), L"https://ads.velmora.invalid/ad2.htm");
    }
    EXPECT_TRUE(DestroyWindow(parent));
}

}  // namespace
}  // namespace velmora
