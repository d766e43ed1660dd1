// Each window on the shared base, moved to a screen of one and a half times
// the density, lays itself out again: every control and font where its
// table puts them at the new density, the progress bar and its status line
// as wide as their value.
#include <gtest/gtest.h>

#include "about/about_box_win.h"
#include "about/about_settings.h"
#include "addfiles/progress_window_win.h"
#include "main/main_window_win.h"
#include "resources/about_layout.h"
#include "resources/main_window_layout.h"
#include "resources/progress_window_layout.h"
#include "runtime/fake_services.h"
#include "runtime/layout_check_win.h"

namespace velmora {
namespace {

TEST(WindowDpiWinTest, EveryWindowFollowsANewDensity) {
    test::FakeServices fake;
    MainWindowWin main{fake.services};
    ProgressWindow progress;
    AboutBoxWin about{nullptr, MakeAboutTexts(L"Velmora", {L"Velmora", 1, 0, 0, L""}), L"Velmora",
                      nullptr, fake.processes};
    ASSERT_TRUE(main.created() && progress.created() && about.created());
    const struct {
        const char* name;
        Window& window;
        const WindowLayout& layout;
    } windows[] = {{"main window", main, kMainLayout},
                   {"progress window", progress, kProgressLayout},
                   {"About box", about, kAboutLayout}};
    // Mid-run: the bar and the status line have widths the table does not
    // give, and keep them at the new density.
    progress.SetBarWidth(2000);
    progress.SetStatus(L"正在扫描文件...");
    for (const auto& [name, window, layout] : windows) {
        SCOPED_TRACE(name);
        test::ExpectLaidOut(window.hwnd(), layout, window.dpi(), true);
        const int after = window.dpi() * 3 / 2;
        RECT suggested{10, 10, 1000, 800};
        SendMessageW(window.hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(after, after),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(window.dpi(), after);
        test::ExpectLaidOut(window.hwnd(), layout, after, true);
    }
    RECT bar, status;
    GetWindowRect(progress.control(kIdProgressBar), &bar);
    GetWindowRect(progress.control(kIdProgressStatus), &status);
    EXPECT_NEAR(bar.right - bar.left, TwipsToPixels(2000, progress.dpi()), 1);
    EXPECT_GT(status.right - status.left, 0);
}

}  // namespace
}  // namespace velmora
