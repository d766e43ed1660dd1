// The main window's behaviour on in-memory controls and fake services:
// start-up, the removal run, the results view.
#include "main/main_window.h"

#include <gtest/gtest.h>

#include "main/removal_run.h"
#include "main/removal_script.h"
#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

using Texts = std::vector<std::wstring>;
constexpr int64_t kMB = 1000000;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        sameName.value = 1;  // created checked
        fake.processes.environment[L"tmp"] = L"C:\\TEMP";
        fake.files.folders = {L"C:\\TEMP", L"C:\\Program Files\\Velmora", L"C:"};
    }
    void Queue(Texts rows) { queue.rows = std::move(rows); }
    void Picture(const std::wstring& path, int64_t size, int64_t outputSize) {
        fake.files.files[path] = {size};
        fake.files.files[path + L".tmp"] = {outputSize};
    }

    test::FakeServices fake;
    test::FakeForm form;
    test::FakeList queue;
    test::FakeButton removeButton;
    test::FakeCheck contextMenu;
    test::FakeCheck sameName;
    test::FakeControlCollection all;
    MainWindow window{fake.services, {form, queue, removeButton, contextMenu, sameName, all}};
};

TEST(RemovalScript, OneToolLinePerPictureWithEveryPercentDoubled) {
    struct Case {
        const wchar_t* temp;
        Texts pictures;
        const wchar_t* script;
    } cases[] = {
        {L"C:\\TEMP",
         {L"C:\\a.jpg", L"D:\\b c.jpg"},
         L"echo rem > \"C:\\TEMP\\Event.txt\"\r\n"
         L"\"C:\\TEMP\\jhead.exe\" -de \"C:\\a.jpg\"\r\n"
         L"\"C:\\TEMP\\jhead.exe\" -de \"D:\\b c.jpg\"\r\n"},
        {L"C:\\50% off",
         {L"C:\\%USERNAME%.jpg"},
         L"echo rem > \"C:\\50%% off\\Event.txt\"\r\n"
         L"\"C:\\50%% off\\jhead.exe\" -de \"C:\\%%USERNAME%%.jpg\"\r\n"},
        {L"", {}, L"echo rem > \"\\Event.txt\"\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildRemovalScript(c.temp, c.pictures), c.script);
}

TEST_F(MainWindowTest, CommandLineStartQueuesEveryItemRunsAndClosesUnseen) {
    fake.processes.commandLine = L"\"C:\\My Pictures\\a.jpg\"  a.jpg";
    fake.files.files[L"C:\\Program Files\\Velmora\\jhead.exe"] = {1234};
    bool disabledDuringRun = false;
    fake.processes.onRun = [&](const std::wstring&) { disabledDuringRun = !removeButton.enabled; };

    EXPECT_TRUE(window.OnLoad());

    EXPECT_EQ(queue.rows, (Texts{L"C:\\My Pictures\\a.jpg", L"", L"a.jpg"}));
    EXPECT_TRUE(form.hidden && form.closed);
    // The folder had no tool: it was copied in before the run.
    EXPECT_EQ(fake.files.Size(L"C:\\TEMP\\jhead.exe"), 1234);
    EXPECT_EQ(fake.files.files[L"C:\\TEMP\\Go.bat"].text,
              BuildRemovalScript(L"C:\\TEMP", queue.rows));
    EXPECT_EQ(fake.processes.started, Texts{L"Go.bat"});
    EXPECT_EQ(fake.processes.environment[L"VELMORA_EVENT_FILE"], L"C:\\TEMP\\Event.txt");
    EXPECT_EQ(fake.dialogs.Texts(), Texts{L"搞定"});
    EXPECT_TRUE(disabledDuringRun);
    EXPECT_TRUE(removeButton.enabled);

    // An existing copy is used as it is on a command-line start...
    fake.files.files[L"C:\\TEMP\\jhead.exe"] = {1};
    MainWindow again{fake.services, {form, queue, removeButton, contextMenu, sameName, all}};
    again.OnLoad();
    EXPECT_EQ(fake.files.Size(L"C:\\TEMP\\jhead.exe"), 1);
    // ...and replaced at an interactive start, which leaves the window open.
    fake.processes.commandLine.clear();
    fake.processes.appPath = L"C:\\";  // a drive root ends in its separator
    fake.files.files[L"C:\\jhead.exe"] = {77};
    form = {};
    test::FakeList empty;
    MainWindow interactive{fake.services, {form, empty, removeButton, contextMenu, sameName, all}};
    EXPECT_FALSE(interactive.OnLoad());
    EXPECT_EQ(fake.files.Size(L"C:\\TEMP\\jhead.exe"), 77);
    EXPECT_FALSE(form.hidden || form.closed);
    interactive.OnUnload();
    EXPECT_TRUE(fake.events.ended);
}

TEST_F(MainWindowTest, ReplacementFollowsTheSizeRuleAndNeverLosesThePicture) {
    Queue({L"C:\\fits.jpg", L"C:\\limit.jpg", L"C:\\bigger.jpg", L"C:\\hidden.jpg", L"C:\\none.jpg",
           L"C:\\gone.jpg", L"C:\\readonly.jpg", L"C:\\locked.jpg", L"C:\\huge.jpg",
           L"C:\\backup.jpg"});
    // An editor's backup lay beside this picture before the run.
    Picture(L"C:\\backup.jpg", kMB, kMB - 10);
    // The tool leaves its outputs during the run.
    fake.processes.onRun = [&](const std::wstring&) {
        Picture(L"C:\\fits.jpg", 5 * kMB, 5 * kMB - 199999);
        Picture(L"C:\\limit.jpg", 5 * kMB, 5 * kMB - 200000);
        Picture(L"C:\\bigger.jpg", kMB, 2 * kMB);
        Picture(L"C:\\hidden.jpg", kMB, kMB - 10);
        fake.files.files[L"C:\\hidden.jpg.tmp"].hidden = true;
        fake.files.files[L"C:\\none.jpg"] = {kMB};
        fake.files.files[L"C:\\gone.jpg.tmp"] = {kMB};
        Picture(L"C:\\readonly.jpg", kMB, kMB - 10);
        fake.files.files[L"C:\\readonly.jpg"].readOnly = true;
        Picture(L"C:\\locked.jpg", kMB, kMB - 10);
        fake.files.files[L"C:\\locked.jpg"].locked = true;
        // Over 4 GB: a 32-bit difference would wrap to 50000 and pass.
        Picture(L"C:\\huge.jpg", (int64_t(1) << 32) + 100000, 50000);
    };

    window.OnRemoveClicked();

    struct Expect {
        const wchar_t* picture;
        int64_t size;
        bool outputLeft;
    } expected[] = {
        {L"C:\\fits.jpg", 5 * kMB - 199999, false},
        {L"C:\\limit.jpg", 5 * kMB, true},
        {L"C:\\bigger.jpg", 2 * kMB, false},
        {L"C:\\hidden.jpg", kMB, true},
        {L"C:\\none.jpg", kMB, false},
        {L"C:\\gone.jpg", kMB, false},
        {L"C:\\readonly.jpg", kMB, true},
        {L"C:\\locked.jpg", kMB, true},
        {L"C:\\huge.jpg", (int64_t(1) << 32) + 100000, true},
        {L"C:\\backup.jpg", kMB, true},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.picture);
        EXPECT_EQ(fake.files.Size(e.picture), e.size);
        EXPECT_EQ(fake.files.Has(e.picture + std::wstring(L".tmp")), e.outputLeft);
    }
}

TEST_F(MainWindowTest, ReplacementWalksTheQueueAsItStandsAfterTheWait) {
    Queue({L"C:\\a.jpg", L"C:\\b.jpg"});
    fake.processes.passes = 3;
    fake.processes.onRun = [&](const std::wstring&) {
        for (const wchar_t* name : {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\c.jpg"})
            Picture(name, 1000, 900);
    };
    // During the wait the user removes a.jpg and drops c.jpg on the list.
    fake.events.onDoEvents = [&] {
        if (fake.events.pumps != 2) return;
        queue.index = 0;
        window.OnQueueKeyDown(Key::Delete);
        window.OnFilesDropped({L"C:\\c.jpg"});
    };

    window.OnRemoveClicked();

    EXPECT_EQ(fake.events.pumps, 3);  // one event pump per 100 ms pass
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 1000);
    EXPECT_EQ(fake.files.Size(L"C:\\b.jpg"), 900);
    // Whether c.jpg.tmp was there before the run is not known: left alone.
    EXPECT_EQ(fake.files.Size(L"C:\\c.jpg"), 1000);
}

// The script is written in the ANSI code page: a name it cannot hold goes
// in by its short form, or, without one, is left out and reported.
TEST_F(MainWindowTest, NamesTheCodePageCannotHoldGoInShortOrAreReported) {
    const std::wstring t = L"C:\\Users\\한\\Temp";
    fake.processes.environment[L"tmp"] = t;
    fake.files.folders.push_back(t);
    fake.files.shortNames = {{t, L"C:\\Users\\B8A1~1\\Temp"},
                             {L"C:\\photo².jpg", L"C:\\PHOTO~1.JPG"}};
    Queue({L"C:\\照片.jpg", L"C:\\photo².jpg", L"C:\\사진.jpg"});
    fake.files.files[t + L"\\Event.txt"] = {};

    window.OnRemoveClicked();

    EXPECT_EQ(
        fake.files.files[t + L"\\Go.bat"].text,
        BuildRemovalScript(L"C:\\Users\\B8A1~1\\Temp", {L"C:\\照片.jpg", L"C:\\PHOTO~1.JPG"}));
    EXPECT_EQ(
        fake.files.files[t + L"\\Event.txt"].text,
        L"C:\\??."
        L"jpg：未处理，文件名含有系统代码页无法表示的字符，且所在磁盘没有短文件名，文件未改动\r\n");
    EXPECT_EQ(fake.dialogs.Texts(),
              Texts{L"完成，但有 1 个文件未清除，原因见结果文件（查看结果）。"});
}

// A run that could not happen says so instead of "搞定" and touches nothing.
TEST_F(MainWindowTest, ARunThatCannotHappenNamesTheFolderAndTouchesNoPicture) {
    Queue({L"C:\\a.jpg"});
    auto runWith = [&](const wchar_t* temp) {
        fake.dialogs.shown.clear();
        fake.processes.environment[L"tmp"] = temp;
        Picture(L"C:\\a.jpg", 1000, 900);
        window.OnRemoveClicked();
        EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 1000);
        EXPECT_TRUE(removeButton.enabled);
        EXPECT_EQ(fake.dialogs.shown.size(), 1u);
        return fake.dialogs.shown.empty() ? Message{} : fake.dialogs.shown[0];
    };
    const Message missing = runWith(L"C:\\no such folder");
    EXPECT_EQ(missing.icon, MsgIcon::Critical);
    EXPECT_NE(missing.text.find(L"C:\\no such folder"), std::wstring::npos);

    fake.processes.startFails = true;
    const Message notStarted = runWith(L"C:\\TEMP");
    EXPECT_EQ(notStarted.icon, MsgIcon::Critical);
    EXPECT_NE(notStarted.text.find(L"Go.bat"), std::wstring::npos);
    EXPECT_EQ(fake.events.sleptMs, 100);  // a failed start still costs one pass
}

TEST_F(MainWindowTest, AFailedToolCopyIsReportedByTheFirstRun) {
    // Interactive start, and the program's folder holds no tool.
    EXPECT_FALSE(window.OnLoad());
    Queue({L"C:\\a.jpg"});
    window.OnRemoveClicked();
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(fake.dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(fake.processes.started.empty());  // no tool anywhere: no run

    // Once a copy is there, the next run goes ahead as usual.
    fake.files.files[L"C:\\TEMP\\jhead.exe"] = {1};
    window.OnRemoveClicked();
    EXPECT_EQ(fake.dialogs.Texts().back(), L"搞定");
    EXPECT_EQ(fake.processes.started.size(), 1u);
}

TEST_F(MainWindowTest, ResultsViewOpensEventTxtInNotepadOnlyWhenItExists) {
    window.OnViewResultsClicked();
    EXPECT_TRUE(fake.processes.started.empty());

    fake.files.files[L"C:\\TEMP\\Event.txt"].readOnly = true;
    fake.files.files[L"C:\\TEMP\\Event.txt"].hidden = true;
    window.OnViewResultsClicked();
    EXPECT_EQ(fake.processes.started, Texts{L"notepad \"C:\\TEMP\\Event.txt\""});
    EXPECT_TRUE(fake.dialogs.shown.empty());

    fake.processes.startFails = true;
    window.OnViewResultsClicked();
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_NE(fake.dialogs.shown[0].text.find(L"C:\\TEMP\\Event.txt"), std::wstring::npos);
}

// Cancel from the progress window: the script ends, nothing is replaced
// afterwards, and the run's own message replaces "搞定".
TEST_F(MainWindowTest, ACancelledRunEndsTheScriptAndTouchesNoPicture) {
    Queue({L"C:\\a.jpg"});
    fake.files.files[L"C:\\a.jpg"] = {1000};
    fake.processes.passes = 5;
    fake.events.onDoEvents = [&] { fake.files.files[L"C:\\a.jpg.tmp"] = {900}; };
    RemovalRunOptions options;
    options.onWait = [](const auto& pictures) { return pictures.size() != 1; };
    options.stoppedMessage = [](const auto&) { return std::wstring(L"stopped"); };
    RunRemoval(fake.services, queue, removeButton, options);
    EXPECT_TRUE(fake.processes.terminated && removeButton.enabled);
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 1000);
    EXPECT_EQ(fake.dialogs.Texts(), Texts{L"stopped"});
}

}  // namespace
}  // namespace velmora
