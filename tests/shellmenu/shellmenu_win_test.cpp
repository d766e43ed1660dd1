#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "runtime/start_join_win.h"
#include "shellmenu/form_controls_win.h"

namespace velmora::test {
namespace {

TEST(FormControlsWinTest, OnlyButtonsAndCheckBoxesTurnFlat) {
    HWND form = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
    struct Child {
        const wchar_t* cls;
        DWORD style;
        const wchar_t* type;
    } children[] = {
        {L"BUTTON", BS_PUSHBUTTON, L"CommandButton"},
        {L"BUTTON", BS_AUTOCHECKBOX, L"CheckBox"},
        {L"BUTTON", BS_AUTORADIOBUTTON, L"OptionButton"},
        {L"LISTBOX", LBS_NOTIFY, L"ListBox"},
        {L"STATIC", SS_LEFT, L"Label"},
    };
    for (const Child& c : children) {
        CreateWindowExW(0, c.cls, L"x", WS_CHILD | c.style, 0, 0, 50, 20, form, nullptr, nullptr,
                        nullptr);
    }
    for (int pass = 0; pass < 2; ++pass)
        MakeFormFlat(*std::make_unique<Win32ControlCollection>(form));
    Win32ControlCollection controls(form);
    ASSERT_EQ(controls.Count(), 5);
    HWND h = GetWindow(form, GW_CHILD);
    for (const Child& c : children) {
        EXPECT_EQ(controls.TypeName(int(&c - children)), c.type);
        const DWORD expected = WS_CHILD | c.style | (wcscmp(c.cls, L"BUTTON") == 0 ? BS_FLAT : 0);
        EXPECT_EQ(DWORD(GetWindowLongW(h, GWL_STYLE)) & ~WS_VSCROLL, expected) << c.type;
        h = GetWindow(h, GW_HWNDNEXT);
    }
    DestroyWindow(form);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(StartJoinWinTest, LaterStartsHandTheirPathsToTheOwner) {
    Win32StartJoin owner(L"VelmoraTest");
    ASSERT_FALSE(owner.HandOver({L"a"}));
    bool handed = false;
    std::thread later([&] {
        handed = Win32StartJoin(L"VelmoraTest").HandOver({L"b", L"", L"c 中"});
    });
    std::vector<std::wstring> arrived;
    for (int i = 0; i < 200 && arrived.empty(); ++i, Sleep(10)) {
        Pump();
        arrived = owner.TakeHandedOver();
    }
    later.join();
    EXPECT_TRUE(handed);
    EXPECT_EQ(arrived, (std::vector<std::wstring>{L"b", L"", L"c 中"}));
    EXPECT_TRUE(owner.CloseIfIdle());
    // Once the owner is closed, the next start owns the next run.
    std::thread next([&] { handed = Win32StartJoin(L"VelmoraTest").HandOver({L"d"}); });
    next.join();
    EXPECT_FALSE(handed);
}

}  // namespace
}  // namespace velmora::test
