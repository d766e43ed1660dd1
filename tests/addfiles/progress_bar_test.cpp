#include "addfiles/progress_bar.h"

#include <gtest/gtest.h>

#include "addfiles/delayed_progress.h"
#include "fake_progress_view.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

struct ProgressTest : ::testing::Test {
    FakeEventLoop events;
    FakeProgressState window;
    ProgressBar bar{events, FakeViews(window)};

    bool Update(int percent, std::wstring text = {}) { return bar.UpdateProBar(percent, text); }
};

TEST_F(ProgressTest, ZeroOnlySetsTheBusyPointerAndAHundredCloses) {
    EXPECT_TRUE(Update(0, L"正在扫描文件..."));
    EXPECT_TRUE(events.busy);
    EXPECT_FALSE(window.alive);

    EXPECT_TRUE(Update(42, L"正在扫描文件..."));
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.width, 2100);
    EXPECT_EQ(window.barText, L"42%");
    EXPECT_EQ(window.status, L"正在扫描文件...");
    EXPECT_TRUE(Update(43));
    EXPECT_EQ(window.status, L"正在扫描文件...");  // an empty text leaves the line

    EXPECT_TRUE(Update(100));
    EXPECT_FALSE(window.alive);
    EXPECT_FALSE(events.busy);
}

TEST_F(ProgressTest, CancelTurnsTheNextUpdateIntoTheEnd) {
    Update(10);
    window.view->OnCancel();
    EXPECT_TRUE(window.alive);
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(bar.UpdateStatus(L"x"));
    int percent = 50;
    EXPECT_FALSE(bar.UpdateProBar(percent, L""));
    EXPECT_EQ(percent, 100);
    EXPECT_FALSE(window.alive);
    EXPECT_FALSE(events.busy);
    EXPECT_FALSE(events.ended);

    // A fresh window starts without the cancel; "only" ends the program.
    EXPECT_TRUE(Update(5));
    bar.endProgramOnCancel = true;
    window.view->OnCancel();
    EXPECT_TRUE(events.ended);
}

TEST_F(ProgressTest, TheBarCreepsToItsFullLengthAndStops) {
    Update(98);
    for (int tick = 0; tick < 5; ++tick) events.Tick();
    EXPECT_EQ(window.barText, L"99%");
    for (int tick = 0; tick < 5; ++tick) events.Tick();
    EXPECT_EQ(window.width, 5000);
    events.Tick();
    EXPECT_EQ(window.width, 5000);
    EXPECT_EQ(window.barText, L"100%");
}

TEST_F(ProgressTest, LongStatusTextsAreShortenedInTheMiddle) {
    std::wstring sixty;
    for (int i = 0; i < 60; ++i) sixty += wchar_t(L'A' + i % 26);
    Update(1, sixty);
    EXPECT_EQ(window.status, sixty.substr(0, 23) + L"..." + sixty.substr(33));
    EXPECT_EQ(ShortenStatus(sixty.substr(0, 49)), sixty.substr(0, 49));
}

TEST_F(ProgressTest, DelayedProgressShowsNothingForTheFirstSecond) {
    {
        DelayedProgress quick(events, bar);
        EXPECT_TRUE(quick.Step(L"a", 50));
    }
    EXPECT_EQ(window.made, 0);
    {
        DelayedProgress slow(events, bar);
        events.Tick();
        EXPECT_TRUE(slow.Step(L"正在扫描文件... C:\\x", std::nullopt));
        events.Tick();
        EXPECT_TRUE(slow.Step(L"正在扫描文件... C:\\y", std::nullopt));
        EXPECT_EQ(window.width, 60);  // a status update keeps the crept bar
        EXPECT_EQ(window.status, L"正在扫描文件... C:\\y");
        window.view->OnCancel();
        EXPECT_FALSE(slow.Step(L"z", std::nullopt));
    }
    EXPECT_FALSE(window.alive);
}

}  // namespace
}  // namespace velmora::test
