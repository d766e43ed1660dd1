// Each window on the shared base, moved to screens of other densities, lays
// itself out again: every control and font where its table puts them at the
// new density, the progress bar and its status line as wide as their value,
// and every text fitting its control.
#include <gtest/gtest.h>

#include <tuple>

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

TEST(WindowDpiWinTest, EveryWindowFollowsANewDensityAndItsTextsFit) {
    test::FakeServices fake;
    MainWindowWin main{fake.services};
    ProgressWindow progress;
    AboutBoxWin about{nullptr, MakeAboutTexts(L"Velmora", {L"Velmora EXIF清除器", 1, 0, 0, L""}),
                      L"Velmora", nullptr, fake.processes};
    ASSERT_TRUE(main.created() && progress.created() && about.created());
    const std::tuple<const char*, Window&, const WindowLayout&> windows[] = {
        {"main window", main, kMainLayout},
        {"progress window", progress, kProgressLayout},
        {"About box", about, kAboutLayout}};
    // Mid-run: the bar and the status line have widths the table does not
    // give, and keep them at the new density.
    progress.SetBarWidth(2000);
    progress.SetStatus(L"正在扫描文件...");
    for (const auto& [name, window, layout] : windows) {
        SCOPED_TRACE(name);
        test::ExpectLaidOut(window.hwnd(), layout, window.dpi(), true);
        for (const int dpi : {120, 144, 192, 96}) {
            RECT suggested{10, 10, 1000, 800};
            SendMessageW(window.hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
            EXPECT_EQ(window.dpi(), dpi);
            test::ExpectLaidOut(window.hwnd(), layout, dpi, true);
            test::ExpectTextsFit(window.hwnd(), dpi);
        }
    }
    RECT bar, status;
    GetWindowRect(progress.control(kIdProgressBar), &bar);
    GetWindowRect(progress.control(kIdProgressStatus), &status);
    EXPECT_NEAR(bar.right - bar.left, TwipsToPixels(2000, progress.dpi()), 1);
    EXPECT_GT(status.right - status.left, 0);
}

}  // namespace
}  // namespace velmora
