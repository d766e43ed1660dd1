#include "addfiles/run_progress.h"

#include <gtest/gtest.h>

#include "addfiles/progress_bar.h"
#include "fake_progress_view.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

struct RunProgressTest : ::testing::Test, FakeServices {
    FakeProgressState window;
    ProgressBar bar{events, FakeViews(window)};
    const std::wstring results = L"C:\\T\\Event.txt";
    std::vector<std::wstring> queue{L"C:\\a.jpg", L"C:\\P\\b.jpg", L"C:\\c.jpg", L"C:\\d.jpg"};
};

TEST_F(RunProgressTest, CountsTheToolsLinesAndNamesThePictureInHand) {
    {
        RunProgress run(services, bar, results);
        files.files[results].text = L"rem \r\n";
        EXPECT_TRUE(run.OnWait(queue));
        EXPECT_FALSE(window.alive);  // nothing during the first second
        events.Tick();
        files.files[results].text += L"a.jpg: ok\r\n";
        EXPECT_TRUE(run.OnWait(queue));
        EXPECT_TRUE(window.visible);
        EXPECT_EQ(window.status, L"正在清除 1/4 b.jpg");
        EXPECT_EQ(window.width, 25 * kBarTwipsPerPercent);

        window.view->OnCancel();
        EXPECT_FALSE(run.OnWait(queue));
        // The picture in the tool's hands finishes after the script ended.
        events.onDoEvents = [&] { files.files[results].text += L"b.jpg: ok\r\n"; };
        EXPECT_EQ(run.StoppedMessage(queue), L"已取消：已清除 2 个，共 4 个文件。其余文件未改动。");
    }
    EXPECT_FALSE(window.alive);
}

}  // namespace
}  // namespace velmora::test
