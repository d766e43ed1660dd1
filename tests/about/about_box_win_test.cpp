// The real About box under Wine, hidden, driven by window messages.
#include "about/about_box_win.h"

#include <gtest/gtest.h>

#include "about/about_settings.h"
#include "resources/about_layout.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

std::wstring TextOf(HWND h) {
    wchar_t text[512] = L"";
    GetWindowTextW(h, text, 512);
    return text;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

struct AboutBoxWinTest : ::testing::Test {
    void Click(int id, int code) {
        SendMessageW(box.hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(box.control(id)));
    }
    void Release(int id, WPARAM key) { SendMessageW(box.control(id), WM_KEYUP, key, 0); }

    test::FakeServices fake;
    AboutBoxWin box{nullptr, MakeAboutTexts(L"Other", {L"Velmora", 1, 0, 0, L"一\\n二"}), L"Other",
                    nullptr, fake.processes};
};

TEST_F(AboutBoxWinTest, ShowsItsTextsAndTheEmailSelected) {
    ASSERT_TRUE(box.created());
    EXPECT_EQ(TextOf(box.hwnd()), L"关于 Other --By Tarvik软件");
    EXPECT_EQ(TextOf(box.control(kIdAboutVersion)), L"Ver: 1.0.0");
    EXPECT_EQ(TextOf(box.control(kIdAboutDescription)), L"一\r\n二");
    EXPECT_EQ(TextOf(box.control(kIdAboutImNumber)), std::wstring(L"QQ：") + kImNumber);
    HWND email = box.control(kIdAboutEmail);
    const DWORD length = DWORD(wcslen(kEmail));
    EXPECT_EQ(Selection(email), std::make_pair(DWORD(0), length));
    // A double-click selects all of it, not one word.
    SetWindowTextW(email, L"ab cd");
    SendMessageW(email, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(Selection(email), std::make_pair(DWORD(0), DWORD(5)));
}

TEST_F(AboutBoxWinTest, LinkAndLocationOpenTheHomePage) {
    Click(kIdAboutHomePage, STN_CLICKED);
    Click(kIdAboutLocation, STN_CLICKED);
    const std::wstring command = L"explorer \"" + std::wstring(kHomePage) + L"\"";
    EXPECT_EQ(fake.processes.started, (std::vector<std::wstring>{command, command}));
}

TEST_F(AboutBoxWinTest, EscapeReleasedClosesFromAnyControl) {
    for (int id : {kIdAboutEmail, kIdAboutSystemInfo, kIdAboutDescription}) {
        Release(id, 'A');
        Click(IDCANCEL, BN_CLICKED);  // Escape pressed, not yet released
        EXPECT_TRUE(IsWindow(box.hwnd()));
    }
    Release(kIdAboutSystemInfo, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(box.hwnd()));
}

}  // namespace
}  // namespace velmora
