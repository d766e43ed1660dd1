// The real About box under Wine, hidden, driven by window messages. Its
// texts are checked natively and end to end.
#include "about/about_box_win.h"

#include <gtest/gtest.h>

#include "about/about_settings.h"
#include "resources/about_layout.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

struct AboutBoxWinTest : ::testing::Test {
    void Click(int id, int code) {
        SendMessageW(box.hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(box.control(id)));
    }

    test::FakeServices fake;
    AboutBoxWin box{nullptr, MakeAboutTexts(L"Other", {L"Velmora", 1, 0, 0, L""}), L"Other",
                    nullptr, fake.processes};
};

TEST_F(AboutBoxWinTest, TheEmailIsSelectedWholeAtFirstAndOnADoubleClick) {
    ASSERT_TRUE(box.created());
    HWND email = box.control(kIdAboutEmail);
    // The selection's start and end, packed in one result.
    auto selection = [&] { return SendMessageW(email, EM_GETSEL, 0, 0); };
    EXPECT_EQ(selection(), MAKELRESULT(0, wcslen(kEmail)));
    SetWindowTextW(email, L"ab cd");
    SendMessageW(email, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(selection(), MAKELRESULT(0, 5));  // all of it, not one word
}

TEST_F(AboutBoxWinTest, LinkAndLocationOpenTheHomePage) {
    Click(kIdAboutHomePage, STN_CLICKED);
    Click(kIdAboutLocation, STN_CLICKED);
    const std::wstring command = L"explorer \"" + std::wstring(kHomePage) + L"\"";
    EXPECT_EQ(fake.processes.started, (std::vector<std::wstring>{command, command}));
}

TEST_F(AboutBoxWinTest, EscapeReleasedClosesFromAnyControl) {
    for (int id : {kIdAboutEmail, kIdAboutSystemInfo, kIdAboutDescription}) {
        SendMessageW(box.control(id), WM_KEYUP, 'A', 0);
        Click(IDCANCEL, BN_CLICKED);  // Escape pressed, not yet released
        EXPECT_TRUE(IsWindow(box.hwnd()));
    }
    SendMessageW(box.control(kIdAboutSystemInfo), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindow(box.hwnd()));
}

}  // namespace
}  // namespace velmora
