#include "about/advertise_win.h"

#include <gtest/gtest.h>

#include "about/md5.h"
#include "runtime/code_page_win.h"
#include "runtime/dialogs.h"
#include "runtime/machine_win.h"
#include "runtime/manual_event_loop.h"

namespace velmora {
namespace {

struct CountedDialogs : Dialogs {
    int shown = 0;
    Answer MsgBox(const Message&) override { return ++shown, Answer::Ok; }
    std::wstring InputBox(std::wstring_view, std::wstring_view, TwipsPoint) override { return {}; }
};

void PumpFor(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

TEST(CodePageWinTest, DigestOfTheAnsiBytes) {
    Win32CodePage codePage;
    CountedDialogs dialogs;
    // cp936 bytes BC C6 CB E3 BB FA C3 FB; a character cp936 lacks is "?".
    EXPECT_EQ(MD5OfString(L"计算机名", codePage, dialogs), L"5E68B2A879DAC42E741F97A72D919FD9");
    EXPECT_EQ(MD5OfString(L"\u0E01\u00C0", codePage, dialogs),
              MD5OfString(L"??", codePage, dialogs));
    EXPECT_EQ(dialogs.shown, 0);
}

HWND VisibleChild(HWND parent) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsWindowVisible(c)) return c;
    }
    return nullptr;
}

// Without the browser engine (Wine's mshtml is turned off for the tests) the
// page cannot be loaded: the panel stays empty and its window unharmed.
TEST(AdvertisePanelWinTest, PageThatCannotLoadLeavesThePanelEmpty) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    Win32Machine machine;
    Win32CodePage codePage;
    CountedDialogs dialogs;
    test::ManualEventLoop events;
    const std::wstring page = L"https://ads.velmora.invalid/ad2.htm";
    std::vector<BrowserEvent> seen;
    {
        AdvertisePanel panel(parent, 1, 4920, 2700, {machine, codePage, dialogs, events},
                             {L"https://ads.velmora.invalid", {}});
        panel.advertise().onBrowserEvent = [&](const BrowserEvent& e) { seen.push_back(e); };
        RECT r;
        GetClientRect(panel.hwnd(), &r);
        HDC screen = GetDC(nullptr);
        int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(r.right, MulDiv(750, dpi, 1440));
        EXPECT_EQ(r.bottom, MulDiv(600, dpi, 1440));
        ShowWindow(parent, SW_SHOW);
        ASSERT_EQ(events.running.size(), 1u);  // the decision waits for its second
        events.TickAll();
        for (int i = 0; i < 50 && panel.advertise().HasBrowser(); ++i) {
            PumpFor(100);
            events.TickAll();
        }
        EXPECT_FALSE(panel.advertise().HasBrowser());
        EXPECT_EQ(VisibleChild(panel.hwnd()), nullptr);
        DWORD_PTR answer;
        EXPECT_TRUE(SendMessageTimeoutW(parent, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
        EXPECT_EQ(dialogs.shown, 0);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen[0].name, L"BeforeNavigate2");
        ASSERT_GE(seen[0].parameters.size(), 2u);
        EXPECT_EQ(seen[0].parameters[1], page);

        ShowWindow(parent, SW_HIDE);
        ShowWindow(parent, SW_SHOW);
        EXPECT_EQ(events.running.size(), 1u);  // tries again
    }
    EXPECT_TRUE(DestroyWindow(parent));
}

}  // namespace
}  // namespace velmora
