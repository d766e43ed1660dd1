#include "form1_fixture.h"

namespace velmora::test {
namespace {

constexpr int64_t kMB = 1000000;

TEST_F(Form1Test, ScriptHasTheFirstLineAndOneToolLinePerRowAndRunsHidden) {
    Queue({L"C:\\a.jpg", L"D:\\b c.jpg"});
    bool disabledDuringRun = false;
    platform.onProcessRun = [&](const std::wstring&) { disabledDuringRun = !command2.enabled; };

    form1.Command2_Click();

    EXPECT_EQ(platform.files[L"C:\\TEMP\\Go.bat"].text,
              L"echo rem > \"C:\\TEMP\\Event.txt\"\r\n"
              L"\"C:\\TEMP\\jhead.exe\" -de \"C:\\a.jpg\"\r\n"
              L"\"C:\\TEMP\\jhead.exe\" -de \"D:\\b c.jpg\"\r\n");
    EXPECT_EQ(platform.Calls(L"Save"), std::vector<std::wstring>{L"Save C:\\TEMP\\Go.bat replace"});
    // The script's path is quoted, so a folder with a blank in it works.
    EXPECT_EQ(platform.Calls(L"Start"), std::vector<std::wstring>{L"Start 0 \"C:\\TEMP\\Go.bat\""});
    EXPECT_EQ(platform.environment[L"VELMORA_EVENT_FILE"], L"C:\\TEMP\\Event.txt");
    EXPECT_EQ(platform.Calls(L"MsgBox"), std::vector<std::wstring>{L"MsgBox 0 |搞定"});
    EXPECT_TRUE(disabledDuringRun);
    EXPECT_TRUE(command2.enabled);
    EXPECT_EQ(L.ListCount(), 2);  // the queue is not emptied by a run
}

TEST_F(Form1Test, PercentSignsAreDoubledAndAnEmptyQueueStillRuns) {
    platform.environment[L"tmp"] = L"C:\\Users\\50% off\\Temp";
    Queue({L"C:\\100%.jpg", L"C:\\%USERNAME%.jpg"});
    form1.Command2_Click();
    EXPECT_EQ(platform.files[L"C:\\Users\\50% off\\Temp\\Go.bat"].text,
              L"echo rem > \"C:\\Users\\50%% off\\Temp\\Event.txt\"\r\n"
              L"\"C:\\Users\\50%% off\\Temp\\jhead.exe\" -de \"C:\\100%%.jpg\"\r\n"
              L"\"C:\\Users\\50%% off\\Temp\\jhead.exe\" -de \"C:\\%%USERNAME%%.jpg\"\r\n");

    L.Clear();
    platform.environment.erase(L"tmp");  // unset: an empty prefix
    platform.log.clear();
    form1.Command2_Click();
    EXPECT_EQ(platform.files[L"\\Go.bat"].text, L"echo rem > \"\\Event.txt\"\r\n");
    EXPECT_EQ(platform.Calls(L"MsgBox").size(), 1u);
}

TEST_F(Form1Test, ReplacementFollowsTheSizeRuleAndNeverLosesThePicture) {
    Queue({L"C:\\fits.jpg", L"C:\\limit.jpg", L"C:\\bigger.jpg", L"C:\\hidden.jpg", L"C:\\none.jpg",
           L"C:\\gone.jpg", L"C:\\readonly.jpg", L"C:\\locked.jpg", L"C:\\huge.jpg"});
    auto pair = [&](const wchar_t* name, int64_t size, int64_t outSize) {
        platform.files[name] = {size};
        platform.files[std::wstring(name) + L".tmp"] = {outSize};
    };
    pair(L"C:\\fits.jpg", 5 * kMB, 5 * kMB - 199999);
    pair(L"C:\\limit.jpg", 5 * kMB, 5 * kMB - 200000);
    pair(L"C:\\bigger.jpg", 1 * kMB, 2 * kMB);
    pair(L"C:\\hidden.jpg", kMB, kMB - 10);
    platform.files[L"C:\\hidden.jpg.tmp"].attributes |= kAttrHidden;
    platform.files[L"C:\\none.jpg"] = {kMB};
    platform.files[L"C:\\gone.jpg.tmp"] = {kMB};
    pair(L"C:\\readonly.jpg", kMB, kMB - 10);
    platform.files[L"C:\\readonly.jpg"].attributes |= kAttrReadOnly;
    pair(L"C:\\locked.jpg", kMB, kMB - 10);
    platform.files[L"C:\\locked.jpg"].locked = true;
    // Over 4 GB: a 32-bit difference would wrap to 50000 and pass.
    pair(L"C:\\huge.jpg", (int64_t(1) << 32) + 100000, 50000);

    form1.Command2_Click();

    auto has = [&](const wchar_t* path) { return platform.files.count(path) != 0; };
    auto size = [&](const wchar_t* path) { return platform.files[path].size; };
    EXPECT_EQ(size(L"C:\\fits.jpg"), 5 * kMB - 199999);
    EXPECT_FALSE(has(L"C:\\fits.jpg.tmp"));
    EXPECT_EQ(size(L"C:\\limit.jpg"), 5 * kMB);
    EXPECT_TRUE(has(L"C:\\limit.jpg.tmp"));
    EXPECT_EQ(size(L"C:\\bigger.jpg"), 2 * kMB);
    EXPECT_EQ(size(L"C:\\hidden.jpg"), kMB);
    EXPECT_TRUE(has(L"C:\\hidden.jpg.tmp"));
    EXPECT_EQ(size(L"C:\\none.jpg"), kMB);
    EXPECT_EQ(size(L"C:\\gone.jpg"), kMB);
    EXPECT_FALSE(has(L"C:\\gone.jpg.tmp"));
    for (const wchar_t* kept : {L"C:\\readonly.jpg", L"C:\\locked.jpg"}) {
        EXPECT_EQ(size(kept), kMB) << kept;
        EXPECT_TRUE(has((std::wstring(kept) + L".tmp").c_str())) << kept;
    }
    EXPECT_EQ(size(L"C:\\huge.jpg"), (int64_t(1) << 32) + 100000);
}

TEST_F(Form1Test, ReplacementWalksTheQueueAsItStandsAfterTheWait) {
    Queue({L"C:\\a.jpg", L"C:\\b.jpg"});
    platform.processPasses = 3;
    platform.onProcessRun = [&](const std::wstring&) {
        for (const wchar_t* name : {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\c.jpg"}) {
            platform.files[name] = {1000};
            platform.files[std::wstring(name) + L".tmp"] = {900};
        }
    };
    // During the wait the user removes a.jpg and drops c.jpg on the list.
    platform.onDoEvents = [&] {
        if (platform.doEventsCount != 2) return;
        L.index = 0;
        form1.L_KeyDown(kKeyDelete, 0);
        form1.L_OLEDragDrop({L"C:\\c.jpg"});
    };

    form1.Command2_Click();

    EXPECT_EQ(platform.doEventsCount, 3);  // one event pump per 100 ms pass
    EXPECT_EQ(platform.sleptMs, 300);
    EXPECT_EQ(platform.files[L"C:\\a.jpg"].size, 1000);
    EXPECT_EQ(platform.files[L"C:\\b.jpg"].size, 900);
    EXPECT_EQ(platform.files[L"C:\\c.jpg"].size, 900);
}

TEST_F(Form1Test, AFailedStartEndsTheWaitAfterOnePassAndStillReportsDone) {
    platform.startFails = true;
    Queue({L"C:\\a.jpg"});
    form1.Command2_Click();
    EXPECT_EQ(platform.doEventsCount, 1);
    EXPECT_EQ(platform.sleptMs, 100);
    EXPECT_EQ(platform.Calls(L"MsgBox").size(), 1u);
    EXPECT_TRUE(command2.enabled);
}

TEST_F(Form1Test, ResultsViewOpensEventTxtInNotepadOnlyWhenItExists) {
    form1.Command5_Click();
    EXPECT_TRUE(platform.Calls(L"Start").empty());

    platform.files[L"C:\\TEMP\\Event.txt"] = {10, kAttrHidden | kAttrReadOnly};
    form1.Command5_Click();
    EXPECT_EQ(platform.Calls(L"Start"),
              std::vector<std::wstring>{L"Start 1 notepad \"C:\\TEMP\\Event.txt\""});
    EXPECT_TRUE(platform.Calls(L"MsgBox").empty());

    platform.startFails = true;
    form1.Command5_Click();
    ASSERT_EQ(platform.Calls(L"MsgBox").size(), 1u);
    EXPECT_NE(platform.Calls(L"MsgBox")[0].find(L"C:\\TEMP\\Event.txt"), std::wstring::npos);
}

}  // namespace
}  // namespace velmora::test
