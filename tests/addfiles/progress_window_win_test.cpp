// The real progress window, in-process under Wine.
#include "addfiles/progress_window_win.h"

#include <gtest/gtest.h>

#include "resources/progress_window_layout.h"
#include "runtime/event_loop_win.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

COLORREF BackColorOf(ProgressWindow& w, int id) {
    HDC dc = GetDC(w.control(id));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(w.hwnd(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(w.control(id))));
    ReleaseDC(w.control(id), dc);
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof lb, &lb);
    return lb.lbColor;
}

RECT PlaceOf(ProgressWindow& w, int id) {
    RECT r;
    GetWindowRect(w.control(id), &r);
    MapWindowPoints(nullptr, w.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(ProgressWindowWin, BorderlessCentredAndColouredAsTheTableSays) {
    ProgressWindow w;
    ASSERT_TRUE(w.created());
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(GetWindowLongPtrW(w.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT client;
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, w.Pixels(5175));
    EXPECT_EQ(client.bottom, w.Pixels(1170));
    RECT r;
    GetWindowRect(w.hwnd(), &r);
    EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 1);

    EXPECT_EQ(BackColorOf(w, kIdProgressDragArea), RGB(246, 224, 255));
    EXPECT_EQ(BackColorOf(w, kIdProgressTrack), RGB(192, 192, 192));
    EXPECT_EQ(BackColorOf(w, kIdProgressBar), RGB(160, 128, 255));
    // Front to back: the bar before the track before the drag area.
    EXPECT_EQ(ChildWindowFromPoint(w.hwnd(), {w.Pixels(100), w.Pixels(500)}),
              w.control(kIdProgressTrack));
    w.SetBarWidth(2100);
    EXPECT_EQ(ChildWindowFromPoint(w.hwnd(), {w.Pixels(100), w.Pixels(500)}),
              w.control(kIdProgressBar));
    EXPECT_EQ(PlaceOf(w, kIdProgressBar).right - PlaceOf(w, kIdProgressBar).left, w.Pixels(2100));
    EXPECT_EQ(ChildWindowFromPoint(w.hwnd(), {w.Pixels(3000), w.Pixels(100)}),
              w.control(kIdProgressDragArea));
}

TEST(ProgressWindowWin, UpdatesShowTheWindowAndCancelHidesIt) {
    test::FakeEventLoop events;
    ProgressBar bar(events, &MakeProgressWindow);
    int percent = 42;
    ASSERT_TRUE(bar.UpdateProBar(percent, L"正在扫描文件..."));
    auto* w = static_cast<ProgressWindow*>(bar.View());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible());
    wchar_t text[64];
    GetWindowTextW(w->control(kIdProgressBar), text, 64);
    EXPECT_STREQ(text, L"42%");
    GetWindowTextW(w->control(kIdProgressStatus), text, 64);
    EXPECT_STREQ(text, L"正在扫描文件...");
    EXPECT_GT(PlaceOf(*w, kIdProgressStatus).right, w->Pixels(45));  // sized to its text

    SendMessageW(w->control(kIdProgressCancel), BM_CLICK, 0, 0);
    EXPECT_FALSE(w->Visible());
    percent = 50;
    EXPECT_FALSE(bar.UpdateProBar(percent, L""));
    EXPECT_EQ(bar.View(), nullptr);
}

}  // namespace
}  // namespace velmora
