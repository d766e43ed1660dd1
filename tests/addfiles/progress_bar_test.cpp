#include "addfiles/progress_bar.h"

#include <gtest/gtest.h>

#include "addfiles/delayed_progress.h"
#include "addfiles/run_progress.h"
#include "fake_progress_view.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

struct ProgressTest : ::testing::Test, FakeServices {
    FakeProgressView* window = nullptr;
    ProgressBar bar{events, FakeViews(window)};
    bool Update(int percent, std::wstring text = {}) { return bar.UpdateProBar(percent, text); }
};

TEST_F(ProgressTest, TheBarCreepsToItsFullLengthAndLongTextsAreShortened) {
    const std::wstring sixty = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz01234567";
    Update(98, sixty);
    EXPECT_EQ(window->status, sixty.substr(0, 23) + L"..." + sixty.substr(33));
    EXPECT_EQ(ShortenStatus(sixty.substr(0, 49)), sixty.substr(0, 49));
    for (int tick = 0; tick < 11; ++tick) events.Tick();
    EXPECT_EQ(window->barText + std::to_wstring(window->width), L"100%5000");
    Update(100);

    // Delayed progress: nothing for the first second.
    DelayedProgress slow(events, bar);
    EXPECT_TRUE(slow.Step(L"C:\\x", std::nullopt) && !window);
    events.Tick();
    EXPECT_TRUE(slow.Step(L"C:\\x", std::nullopt));
    events.Tick();
    EXPECT_TRUE(slow.Step(L"C:\\y", std::nullopt));
    EXPECT_EQ(window->status + std::to_wstring(window->width), L"C:\\y60");  // still crept
}

TEST_F(ProgressTest, RunCountsTheToolsRecordsAndNamesThePictureInHand) {
    const std::vector<std::wstring> pictures{L"C:\\a.jpg", L"C:\\P\\b.jpg", L"C:\\c.jpg",
                                             L"C:\\d.jpg"};
    std::wstring& records = files.files[L"C:\\T\\out"].text;
    RunProgress run(services, bar, L"C:\\T\\out");
    EXPECT_TRUE(run.OnWaitForTurn() && run.OnWait(pictures));
    EXPECT_EQ(window, nullptr);  // nothing during the first second
    events.Tick();
    records += L"cleaned\t-\t1\t0\tC:\\a.jpg\n";
    EXPECT_TRUE(run.OnWait(pictures));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->status + std::to_wstring(window->width), L"正在清除 1/4 b.jpg1250");
    records += std::wstring(4, L'\n');  // more records than pictures: none named
    EXPECT_TRUE(run.OnWait(pictures));
    EXPECT_EQ(window->status, L"正在清除 4/4");
    // Back for a later wait.
    run.Finish();
    EXPECT_TRUE(run.OnWaitForTurn());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->status, L"正在等待另一个清除任务结束...");
    window->OnCancel();
    EXPECT_FALSE(run.OnWait(pictures));
}

}  // namespace
}  // namespace velmora::test
