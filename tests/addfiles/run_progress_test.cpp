#include "addfiles/run_progress.h"

#include <gtest/gtest.h>

#include "fake_progress_view.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

TEST(RunProgress, CountsTheToolsLinesAndNamesThePictureInHand) {
    FakeServices fake;
    FakeProgressView* window = nullptr;
    ProgressBar bar(fake.events, FakeViews(window));
    const std::vector<std::wstring> pictures{L"C:\\a.jpg", L"C:\\P\\b.jpg", L"C:\\c.jpg",
                                             L"C:\\d.jpg"};
    std::wstring& results = fake.files.files[L"C:\\T\\Event.txt"].text;
    RunProgress run(fake.services, bar, L"C:\\T\\Event.txt");
    results = L"rem \r\n";
    EXPECT_TRUE(run.OnWait(pictures));
    EXPECT_EQ(window, nullptr);  // nothing during the first second
    fake.events.Tick();
    results += L"a.jpg: ok\r\n";
    EXPECT_TRUE(run.OnWait(pictures));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->status, L"正在清除 1/4 b.jpg");
    EXPECT_EQ(window->width, 25 * kBarTwipsPerPercent);
    window->OnCancel();
    EXPECT_FALSE(run.OnWait(pictures));
    // The picture in the tool's hands finishes after the script ended.
    fake.events.onDoEvents = [&] { results += L"b.jpg: ok\r\n"; };
    EXPECT_EQ(run.StoppedMessage(pictures), L"已取消：已清除 2 个，共 4 个文件。其余文件未改动。");
}

}  // namespace
}  // namespace velmora::test
