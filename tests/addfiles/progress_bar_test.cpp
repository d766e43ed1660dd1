#include "addfiles/progress_bar.h"

#include <gtest/gtest.h>

#include "addfiles/delayed_progress.h"
#include "fake_progress_view.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

struct ProgressTest : ::testing::Test {
    FakeEventLoop events;
    FakeProgressView* window = nullptr;
    ProgressBar bar{events, FakeViews(window)};
    bool Update(int percent, std::wstring text = {}) { return bar.UpdateProBar(percent, text); }
};

TEST_F(ProgressTest, UpdatesShowTheWindowAndAHundredOrACancelClosesIt) {
    EXPECT_TRUE(Update(0, L"x"));
    EXPECT_TRUE(events.busy);
    EXPECT_EQ(window, nullptr);  // 0 only sets the busy pointer
    EXPECT_TRUE(Update(42, L"正在扫描文件..."));
    ASSERT_TRUE(window && window->visible);
    EXPECT_EQ(window->width, 2100);
    EXPECT_EQ(window->barText, L"42%");
    EXPECT_TRUE(Update(43));
    EXPECT_EQ(window->status, L"正在扫描文件...");  // an empty text leaves the line
    EXPECT_TRUE(Update(100));
    EXPECT_EQ(window, nullptr);
    EXPECT_FALSE(events.busy);

    Update(10);
    window->OnCancel();
    EXPECT_FALSE(window->visible);
    EXPECT_FALSE(bar.UpdateStatus(L"x"));
    int percent = 50;
    EXPECT_FALSE(bar.UpdateProBar(percent, L""));
    EXPECT_EQ(percent, 100);
    EXPECT_EQ(window, nullptr);
    EXPECT_FALSE(events.ended);
    EXPECT_TRUE(Update(5));  // a fresh window starts without the cancel
    bar.endProgramOnCancel = true;
    window->OnCancel();
    EXPECT_TRUE(events.ended);
}

TEST_F(ProgressTest, TheBarCreepsToItsFullLengthAndLongTextsAreShortened) {
    std::wstring sixty;
    for (int i = 0; i < 60; ++i) sixty += wchar_t(L'A' + i % 26);
    Update(98, sixty);
    EXPECT_EQ(window->status, sixty.substr(0, 23) + L"..." + sixty.substr(33));
    EXPECT_EQ(ShortenStatus(sixty.substr(0, 49)), sixty.substr(0, 49));
    for (int tick = 0; tick < 5; ++tick) events.Tick();
    EXPECT_EQ(window->barText, L"99%");
    for (int tick = 0; tick < 6; ++tick) events.Tick();
    EXPECT_EQ(window->width, 5000);
    EXPECT_EQ(window->barText, L"100%");
}

TEST_F(ProgressTest, DelayedProgressShowsNothingForTheFirstSecond) {
    DelayedProgress(events, bar).Step(L"a", 50);
    EXPECT_EQ(window, nullptr);
    {
        DelayedProgress slow(events, bar);
        events.Tick();
        EXPECT_TRUE(slow.Step(L"C:\\x", std::nullopt));
        events.Tick();
        EXPECT_TRUE(slow.Step(L"C:\\y", std::nullopt));
        EXPECT_EQ(window->width, 60);  // a status update keeps the crept bar
        EXPECT_EQ(window->status, L"C:\\y");
        window->OnCancel();
        EXPECT_FALSE(slow.Step(L"z", std::nullopt));
    }
    EXPECT_EQ(window, nullptr);
}

}  // namespace
}  // namespace velmora::test
