// The main window's behaviour on in-memory controls and fake services:
// start-up, the removal run, the results view.
#include "main/main_window.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "common/tool_outcome.h"
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
        fake.files.folders = {L"C:\\TEMP", L"C:\\Program Files\\Velmora", L"C:", L"C:\\pics"};
        fake.files.files[kTool].text = L"jhead 1.0";
        fake.processes.onRun = [&](const std::wstring& line, const std::wstring& folder) {
            RunScript(line, folder);
        };
    }
    void Queue(Texts rows) { queue.rows = std::move(rows); }
    void Picture(const std::wstring& path, int64_t size, int64_t outputSize) {
        fake.files.files[path] = {size};
        fake.files.files[path + L".tmp"] = {outputSize};
    }
    // A tool that leaves its output "P.tmp" for the program, and says so.
    void ToolOutput(const std::wstring& path, int64_t size, int64_t outputSize) {
        Picture(path, size, outputSize);
        const std::string n = Utf8FromWide(path);
        const std::string r =
            FormatOutcomeRecord({ToolOutcome::Cleaned, {}, true, false, true, n, n});
        fake.files.files[Env(L"VELMORA_OUTCOME_FILE")].text.append(r.begin(), r.end());
    }
    std::wstring Env(const wchar_t* name) { return fake.processes.Environ(name); }
    // Go.bat as cmd and jhead run it: the script by its name in the working
    // folder, then each tool line. A picture over 100 bytes loses 100 (its
    // metadata; text "GPS" says it held a position), a smaller one has
    // nothing to remove; the rest fail as the tool says. Each gets its line
    // and outcome record where the environment says. A copy of the tool
    // that is not the program's own does nothing.
    void RunScript(const std::wstring& line, const std::wstring& folder) {
        auto file = fake.files.files.find(folder + line);
        const std::wstring script = file == fake.files.files.end() ? L"" : file->second.text;
        const std::wstring event = Env(L"VELMORA_EVENT_FILE");
        for (std::wstring step : SplitText(script, L"\r\n")) {
            if (step.rfind(L"echo rem > ", 0) == 0)
                fake.files.SaveSimpleFile(event, L"rem \r\n", false);
            const size_t de = step.find(L"\" -de \"");
            if (de == std::wstring::npos || step.back() != L'"') continue;
            if (fake.files.files[step.substr(1, de - 1)].text != L"jhead 1.0") return;
            std::wstring given = step.substr(de + 7, step.size() - de - 8), picture = given;
            for (size_t p; (p = picture.find(L"%%")) != std::wstring::npos;) picture.erase(p, 1);
            if (picture.find(L"crash") != std::wstring::npos) continue;
            // The tool opens a short name's long form (the first of two
            // twins) and names both.
            OutcomeRecord r;
            r.reason = ToolReason::Missing, r.reported = true, r.path = Utf8FromWide(picture);
            picture = fake.files.Resolve(picture).empty() ? picture : fake.files.Resolve(picture);
            r.opened = Utf8FromWide(picture);
            auto it = fake.files.files.find(picture);
            if (fake.files.tree.count(picture + L"\\")) {
                r.reason = ToolReason::NotAFile;
            } else if (it != fake.files.files.end()) {
                test::FakeFile& f = it->second;
                r.reason = f.size == 0  ? ToolReason::NotJpeg
                           : f.readOnly ? ToolReason::ReadOnly
                           : f.locked   ? ToolReason::InUse
                                        : ToolReason::None;
                r.gps = f.text == L"GPS";
                if (r.reason == ToolReason::None) {
                    r.outcome = f.size > 100 ? ToolOutcome::Cleaned : ToolOutcome::NothingToRemove;
                    if (f.size > 100) f.size -= 100;
                }
            }
            if (!event.empty())
                r.reported = fake.files.SaveSimpleFile(event, given + L"\r\n", true);
            const std::string record = FormatOutcomeRecord(r);
            fake.files.SaveSimpleFile(Env(L"VELMORA_OUTCOME_FILE"),
                                      std::wstring(record.begin(), record.end()), true);
        }
    }

    const std::wstring kTool = L"C:\\Program Files\\Velmora\\jhead.exe";
    test::FakeServices fake;
    test::FakeForm form;
    test::FakeList queue;
    test::FakeButton removeButton;
    test::FakeCheck contextMenu;
    test::FakeCheck sameName;
    test::FakeControlCollection all;
    MainWindow window{fake.services, {form, queue, removeButton, contextMenu, sameName, all}};
};

// One tool line per picture; the interpreter would expand a single "%".
TEST(RemovalScript, OneToolLinePerPictureWithEveryPercentDoubled) {
    EXPECT_EQ(BuildRemovalScript(L"C:\\50% off", {L"C:\\%USERNAME%.jpg", L"D:\\b c.jpg"}),
              L"echo rem > \"C:\\50%% off\\Event.txt\"\r\n"
              L"\"C:\\50%% off\\jhead.exe\" -de \"C:\\%%USERNAME%%.jpg\"\r\n"
              L"\"C:\\50%% off\\jhead.exe\" -de \"D:\\b c.jpg\"\r\n");
}

TEST_F(MainWindowTest, CommandLineStartCleansThePicturesOfItsFolderUnseenAndCloses) {
    // Started in C:\pics; the temporary folder, where the script runs, has
    // a picture of the same name.
    fake.files.currentFolder = L"C:\\pics";
    fake.processes.commandLine = L"a.jpg \"..\\pics\\b.jpg\" \"C:\\My Pictures\\c.jpg\"";
    for (const wchar_t* p :
         {L"C:\\pics\\a.jpg", L"C:\\pics\\b.jpg", L"C:\\My Pictures\\c.jpg", L"C:\\TEMP\\a.jpg"})
        fake.files.files[p] = {1000};
    fake.files.files[L"C:\\pics\\b.jpg"].text = L"GPS";
    bool disabledDuringRun = false;
    fake.processes.onRun = [&](const std::wstring& line, const std::wstring& folder) {
        disabledDuringRun = !removeButton.enabled;
        RunScript(line, folder);
    };

    EXPECT_TRUE(window.OnLoad());

    EXPECT_EQ(queue.rows,
              (Texts{L"C:\\pics\\a.jpg", L"C:\\pics\\b.jpg", L"C:\\My Pictures\\c.jpg"}));
    EXPECT_TRUE(form.hidden && form.closed);
    EXPECT_EQ(fake.files.Size(L"C:\\pics\\a.jpg"), 900);
    EXPECT_EQ(fake.files.Size(L"C:\\TEMP\\a.jpg"), 1000);
    EXPECT_EQ(fake.processes.started, Texts{L"Go.bat"});
    EXPECT_EQ(fake.processes.starts[0].show, Show::Hidden);
    EXPECT_EQ(fake.processes.starts[0].tree, Tree::Tied);
    EXPECT_EQ(fake.dialogs.Texts(), Texts{L"搞定\r\n已清除 3 张图片，其中 1 张含GPS位置。"});
    EXPECT_EQ(fake.dialogs.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(disabledDuringRun && removeButton.enabled);
    // The records went to the program's own file, which is gone again.
    EXPECT_FALSE(fake.files.Has(Env(L"VELMORA_OUTCOME_FILE")));

    // An interactive start leaves the window open; closing it ends the
    // program and every process of a run with it.
    fake.processes.commandLine.clear();
    test::FakeList empty;
    MainWindow interactive{fake.services,
                           {form = {}, empty, removeButton, contextMenu, sameName, all}};
    EXPECT_FALSE(interactive.OnLoad());
    EXPECT_FALSE(fake.runLock.held);  // the start-up check of the tool's copy gave it back
    auto running = fake.processes.Start(L"Go.bat", Show::Hidden, L"", Tree::Tied);
    interactive.OnUnload();
    EXPECT_TRUE(fake.events.ended && fake.processes.treeTerminated);
    EXPECT_EQ(fake.processes.running, 0);
}

// "搞定" only when every picture was cleaned or had nothing to remove; the
// message counts the rest by why, from the tool's own records.
TEST_F(MainWindowTest, TheFinalMessageCountsWhatTheToolReportedForEachPicture) {
    Queue({L"C:\\good.jpg", L"C:\\ro.jpg", L"C:\\gone.jpg", L"C:\\empty.jpg", L"C:\\held.jpg",
           L"C:\\x.jpg", L"C:\\crash.jpg", L"C:\\bare.jpg", L"C:\\사진.jpg", L"C:\\ro2.jpg"});
    for (const wchar_t* p :
         {L"C:\\good.jpg", L"C:\\crash.jpg", L"C:\\ro.jpg", L"C:\\ro2.jpg", L"C:\\held.jpg"})
        fake.files.files[p] = {1000};
    fake.files.files[L"C:\\bare.jpg"] = {50};
    fake.files.files[L"C:\\empty.jpg"] = {0};
    fake.files.files[L"C:\\ro.jpg"].readOnly = fake.files.files[L"C:\\ro2.jpg"].readOnly = true;
    fake.files.files[L"C:\\held.jpg"].locked = true;
    fake.files.files[L"C:\\good.jpg"].text = fake.files.files[L"C:\\ro2.jpg"].text = L"GPS";
    fake.files.tree[L"C:\\x.jpg\\"] = {};

    window.OnRemoveClicked();

    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(fake.dialogs.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(fake.dialogs.shown[0].text,
              L"已清除 1 张图片，其中 1 张含GPS位置。\r\n"
              L"1 张图片本来就没有需要清除的信息。\r\n"
              L"有 8 张图片未清除，仍带着原来的信息，其中 1 张仍含GPS位置：\r\n"
              L"· 1 张找不到（已被移走、删除或改名）\r\n"
              L"· 2 张是只读文件\r\n"
              L"· 1 张正被其他程序使用\r\n"
              L"· 1 张不是能清除的图片类型（JPEG、PNG、WebP、HEIC、HEIF、AVIF），或是空文件\r\n"
              L"· 1 张其实不是文件（是文件夹或设备）\r\n"
              L"· 1 张的文件名含有系统代码页无法表示的字符\r\n"
              L"· 1 张没有得到清除工具的结果（工具未能运行完）\r\n"
              L"每张图片的情况见“查看结果”。");
}

// The copy the script runs is the program's own tool, byte for byte, made
// whole under another name and renamed into place.
TEST_F(MainWindowTest, TheToolCopyIsMadeSureBeforeEveryRun) {
    const std::wstring copy = L"C:\\TEMP\\jhead.exe";
    Queue({L"C:\\a.jpg"});
    // Missing, cut short, an older version: each replaced, and the run goes on.
    for (const wchar_t* before : {(const wchar_t*)nullptr, L"jhead", L"jhead 0.9"}) {
        fake.files.files[L"C:\\a.jpg"] = {50};  // nothing to remove
        if (before) fake.files.files[copy].text = before;
        fake.dialogs.shown.clear();
        window.OnRemoveClicked();
        EXPECT_EQ(fake.dialogs.Texts(), Texts{L"搞定\r\n1 张图片本来就没有需要清除的信息。"});
        EXPECT_EQ(fake.files.files[copy].text, L"jhead 1.0");
    }
    // A copy cut short on the way is not renamed into place; an empty
    // program file is no tool.
    fake.files.files[copy].text = L"jhead 0.9";
    fake.files.copyCut = 3;
    window.OnRemoveClicked();
    EXPECT_NE(fake.dialogs.Texts().back().find(L"无法把 jhead.exe"), std::wstring::npos);
    EXPECT_EQ(fake.files.files[copy].text, L"jhead 0.9");
    fake.files.files[kTool].text.clear();
    window.OnRemoveClicked();
    EXPECT_NE(fake.dialogs.Texts().back().find(L"没有 jhead.exe"), std::wstring::npos);
}

// The results view opens Event.txt in Notepad, whatever its attributes,
// once it exists. A results file another program holds: the pictures are
// cleaned, the message says their lines were not recorded, and the view
// does not pass the older lines off as this run's.
TEST_F(MainWindowTest, ResultsViewShowsOnlyARecordedRunAndUnwrittenResultsAreSaid) {
    const std::wstring results = L"C:\\TEMP\\Event.txt";
    window.OnViewResultsClicked();  // before any run: nothing to open

    fake.files.files[results].text = L"earlier run\r\n";
    fake.files.files[results].locked = true;
    Queue({L"C:\\a.jpg"});
    fake.files.files[L"C:\\a.jpg"] = {1000};
    window.OnRemoveClicked();
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 900);
    EXPECT_EQ(Env(L"VELMORA_EVENT_FILE"), L"");  // the tool does not wait on it per picture
    EXPECT_EQ(fake.dialogs.Texts().back(),
              L"搞定\r\n已清除 1 "
              L"张图片。\r\n注意：结果文件无法写入（可能被其他程序占用），本次的结果没有记录。");
    window.OnViewResultsClicked();
    EXPECT_TRUE(fake.processes.started.size() == 1 && fake.dialogs.shown.size() == 2);

    // Lines lost on the way count too; the next recorded run shows again.
    fake.files.files[results].locked = false;
    bool loseLines = true;
    fake.processes.onRun = [&](const std::wstring& line, const std::wstring& folder) {
        fake.files.files[results].locked = loseLines;
        RunScript(line, folder);
        fake.files.files[results].locked = false;
    };
    window.OnRemoveClicked();
    EXPECT_NE(fake.dialogs.Texts().back().find(L"有 1 张图片的结果没能写入"), std::wstring::npos);
    window.OnViewResultsClicked();
    EXPECT_NE(fake.dialogs.Texts().back().find(L"结果文件中不是上次的结果"), std::wstring::npos);
    loseLines = false;
    window.OnRemoveClicked();
    fake.files.files[results].readOnly = fake.files.files[results].hidden = true;
    fake.dialogs.shown.clear();
    window.OnViewResultsClicked();
    EXPECT_EQ(fake.processes.started.back(), L"notepad \"C:\\TEMP\\Event.txt\"");

    fake.processes.startFails = true;
    window.OnViewResultsClicked();
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_NE(fake.dialogs.shown[0].text.find(results), std::wstring::npos);  // named

    // A run of another start rewrote the file: it is not shown as this one's.
    fake.files.files[results].text = L"rem \r\nC:\\other.jpg\r\n";
    window.OnViewResultsClicked();
    EXPECT_EQ(fake.dialogs.Texts().back(),
              L"结果文件已被另一次清除改写，其中不是本窗口上次清除的结果。");
}

// Explorer starts one program per picture; those that join one session
// keep every batch's lines.
TEST_F(MainWindowTest, AJoinedSessionKeepsTheLinesOfEveryBatch) {
    fake.processes.commandLine = L"C:\\a.jpg";
    fake.files.files[L"C:\\a.jpg"] = {1000};
    fake.files.files[L"C:\\b.jpg"] = {1000};
    bool arrived = false;
    fake.events.onDoEvents = [&] {
        if (fake.processes.started.size() == 1 && !std::exchange(arrived, true))
            fake.starts.waiting = {L"C:\\b.jpg"};
    };
    window.OnLoad();
    EXPECT_EQ(fake.files.files[L"C:\\TEMP\\Event.txt"].text, L"rem \r\nC:\\a.jpg\r\nC:\\b.jpg\r\n");
    EXPECT_EQ(fake.dialogs.Texts(),
              (Texts{L"搞定\r\n已清除 1 张图片。", L"搞定\r\n已清除 1 张图片。"}));
}

// One run at a time for the user: a run of another copy of the program
// is waited for, and the turn is given back before the message.
TEST_F(MainWindowTest, ARunWaitsItsTurnAndGivesItBackBeforeItsMessage) {
    Queue({L"C:\\a.jpg"});
    fake.files.files[L"C:\\a.jpg"] = {1000};
    fake.runLock.heldElsewhere = true;
    fake.events.onDoEvents = [&] {
        if (fake.events.pumps == 3) fake.runLock.heldElsewhere = false;
        EXPECT_TRUE(fake.processes.started.empty() || !fake.runLock.heldElsewhere);
    };
    fake.dialogs.onModal = [&] { EXPECT_FALSE(fake.runLock.held); };
    window.OnRemoveClicked();
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 900);
    EXPECT_EQ(fake.dialogs.Texts(), Texts{L"搞定\r\n已清除 1 张图片。"});

    // Given up while waiting: nothing is touched.
    fake.events.onDoEvents = nullptr;
    fake.runLock.heldElsewhere = true;
    RemovalRunOptions options;
    options.onWaitForTurn = [] { return false; };
    RunRemoval(fake.services, queue, removeButton, options);
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 900);  // no second run
    EXPECT_EQ(fake.dialogs.Texts().back(),
              L"已取消：另一个清除任务仍在进行，本次没有处理任何图片。");
}

TEST_F(MainWindowTest, ReplacementFollowsTheSizeRuleAndNeverLosesThePicture) {
    // The queue, and what the run leaves of each picture: its size, and
    // whether the output beside it stays.
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
        {L"C:\\stray.jpg", kMB, true},
        {L"C:\\readonly.jpg", kMB, true},
        {L"C:\\locked.jpg", kMB, true},
        {L"C:\\huge.jpg", (int64_t(1) << 32) + 100000, true},
        {L"C:\\backup.jpg", kMB, true},
    };
    for (const Expect& e : expected) queue.rows.push_back(e.picture);
    // An editor's backup lay beside this picture before the run.
    Picture(L"C:\\backup.jpg", kMB, kMB - 10);
    // The tool leaves its outputs during the run.
    fake.processes.onRun = [&](const std::wstring&, const std::wstring&) {
        ToolOutput(L"C:\\fits.jpg", 5 * kMB, 5 * kMB - 199999);
        ToolOutput(L"C:\\limit.jpg", 5 * kMB, 5 * kMB - 200000);
        ToolOutput(L"C:\\bigger.jpg", kMB, 2 * kMB);
        ToolOutput(L"C:\\hidden.jpg", kMB, kMB - 10);
        fake.files.files[L"C:\\hidden.jpg.tmp"].hidden = true;
        fake.files.files[L"C:\\none.jpg"] = {kMB};
        ToolOutput(L"C:\\readonly.jpg", kMB, kMB - 10);
        fake.files.files[L"C:\\readonly.jpg"].readOnly = true;
        ToolOutput(L"C:\\locked.jpg", kMB, kMB - 10);
        fake.files.files[L"C:\\locked.jpg"].locked = true;
        // The backup's name is the output's too: whose it is cannot be told.
        ToolOutput(L"C:\\backup.jpg", kMB, kMB - 10);
        // Over 4 GB: a 32-bit difference would wrap to 50000 and pass.
        ToolOutput(L"C:\\huge.jpg", (int64_t(1) << 32) + 100000, 50000);
        // An editor's ".tmp" appears beside a picture the tool did not
        // leave an output for.
        Picture(L"C:\\stray.jpg", kMB, kMB - 10);
    };

    window.OnRemoveClicked();

    // Only the outputs that took their picture's place count as cleaned.
    EXPECT_NE(fake.dialogs.Texts()[0].find(L"\r\n有 8 张图片未清除，"), std::wstring::npos);
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.picture);
        EXPECT_EQ(fake.files.Size(e.picture), e.size);
        EXPECT_EQ(fake.files.Has(e.picture + std::wstring(L".tmp")), e.outputLeft);
    }
}

TEST_F(MainWindowTest, ReplacementWalksTheQueueAsItStandsAfterTheWait) {
    Queue({L"C:\\a.jpg", L"C:\\b.jpg"});
    fake.processes.passes = 3;
    fake.processes.onRun = [&](const std::wstring&, const std::wstring&) {
        for (const wchar_t* name : {L"C:\\a.jpg", L"C:\\b.jpg"}) ToolOutput(name, 1000, 900);
        Picture(L"C:\\c.jpg", 1000, 900);
    };
    // During the wait the user removes b.jpg and drops c.jpg on the list.
    fake.events.onDoEvents = [&] {
        if (fake.events.pumps != 2) return;
        queue.index = 1;
        window.OnQueueKeyDown(Key::Delete);
        EXPECT_EQ(queue.index, 0);  // the last row left
        window.OnFilesDropped({L"C:\\c.jpg"});
    };

    window.OnRemoveClicked();

    EXPECT_EQ(fake.events.pumps, 3);  // one event pump per 100 ms pass
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 900);
    EXPECT_EQ(fake.files.Size(L"C:\\b.jpg"), 1000);
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
                             {L"C:\\photo².jpg", L"C:\\PHOTO~1.JPG"},
                             {L"C:\\사진.jpg", L"C:\\사진~1.JPG"}};  // no help either
    Queue({L"C:\\照片.jpg", L"C:\\photo².jpg", L"C:\\사진.jpg", L"C:\\😀.jpg"});
    // The tool finds the files by the names the script gives.
    for (const wchar_t* p : {L"C:\\照片.jpg", L"C:\\photo².jpg", L"C:\\사진.jpg"})
        fake.files.files[p] = {50};
    fake.files.files[L"C:\\Users\\B8A1~1\\Temp\\jhead.exe"].text = L"jhead 1.0";

    window.OnRemoveClicked();

    EXPECT_EQ(
        fake.files.files[t + L"\\Go.bat"].text,
        BuildRemovalScript(L"C:\\Users\\B8A1~1\\Temp", {L"C:\\照片.jpg", L"C:\\PHOTO~1.JPG"}));
    EXPECT_EQ(fake.files.files[t + L"\\Event.txt"].text,
              L"rem \r\nC:\\照片.jpg\r\nC:\\PHOTO~1.JPG\r\n"
              L"C:\\??.jpg [U+C0AC U+C9C4]：未处理，文件名含有系统代码页无法表示的字符，"
              L"且所在磁盘没有短文件名，文件未改动\r\n"
              L"C:\\?.jpg [U+1F600]：未处理，文件名含有系统代码页无法表示的字符，"
              L"且所在磁盘没有短文件名，文件未改动\r\n");
    EXPECT_EQ(fake.dialogs.Texts(),
              Texts{L"已清除 0 张图片。\r\n2 张图片本来就没有需要清除的信息。\r\n"
                    L"有 2 张图片未清除，仍带着原来的信息：\r\n"
                    L"· 2 张的文件名含有系统代码页无法表示的字符\r\n"
                    L"每张图片的情况见“查看结果”。"});
}

// Only the queued pictures are touched, and each counts as cleaned only
// when the tool opened that very file: a name that would break the
// script's line never reaches it, a short name shared by two files is not
// used, and the tool copy cannot be swapped nor a second run started
// while the run goes on.
TEST_F(MainWindowTest, TheRunTouchesOnlyTheQueuedPictures) {
    const std::wstring twin = L"C:\\사진01002.jpg", other = L"C:\\사진00118.jpg",
                       raced = L"C:\\사진02.jpg", racer = L"C:\\사진01.jpg";
    fake.files.shortNames = {
        {twin, L"C:\\____~BUB.JPG"}, {other, L"C:\\____~BUB.JPG"}, {raced, L"C:\\SHORT~2.JPG"}};
    Queue({L"C:\\x\necho PWNED.jpg", L"C:\\v.jpg\" \"C:\\w.jpg", twin, other, raced, L"C:\\a.jpg"});
    for (const std::wstring& p : {twin, other, raced, racer, std::wstring(L"C:\\a.jpg")})
        fake.files.files[p] = {1000};
    fake.processes.onRun = [&](const std::wstring& line, const std::wstring& folder) {
        // Another program swaps the tool copy; a second click arrives.
        EXPECT_FALSE(fake.files.MoveReplace(L"C:\\a.jpg", L"C:\\TEMP\\jhead.exe"));
        window.OnRemoveClicked();
        // A file that takes the raced picture's short name.
        fake.files.shortNames.emplace(racer, L"C:\\SHORT~2.JPG");
        RunScript(line, folder);
    };

    window.OnRemoveClicked();

    EXPECT_NE(fake.files.files[L"C:\\TEMP\\Event.txt"].text.find(
                  L"C:\\x?echo PWNED.jpg [U+000A]：未处理，文件名含有无法安全处理的字符"),
              std::wstring::npos);
    EXPECT_EQ(fake.dialogs.Texts(),
              Texts{L"已清除 2 张图片。\r\n有 4 张图片未清除，仍带着原来的信息：\r\n"
                    L"· 1 张的短文件名指向了另一个文件，它本身没有被处理\r\n"
                    L"· 1 张的文件名含有系统代码页无法表示的字符\r\n"
                    L"· 2 张的文件名含有无法安全处理的字符（引号、换行等控制字符）\r\n"
                    L"每张图片的情况见“查看结果”。"});
}

// A run that cannot happen says what stopped it instead of "搞定", and
// touches nothing.
TEST_F(MainWindowTest, ARunThatCannotHappenNamesWhatStoppedItAndTouchesNoPicture) {
    const std::wstring copy = L"C:\\TEMP\\jhead.exe", script = L"C:\\TEMP\\Go.bat";
    Queue({L"C:\\a.jpg"});
    auto expectRefused = [&](const std::wstring& named) {
        fake.dialogs.shown.clear();
        Picture(L"C:\\a.jpg", 1000, 900);
        window.OnRemoveClicked();
        EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 1000);
        EXPECT_TRUE(removeButton.enabled);
        ASSERT_EQ(fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(fake.dialogs.shown[0].icon, MsgIcon::Critical);
        EXPECT_NE(fake.dialogs.shown[0].text.find(named), std::wstring::npos) << named;
    };
    // A "tmp" the program's files cannot go in is named, whatever is wrong.
    for (const wchar_t* t : {L"C:\\no such folder", L"", L"TEMP", L"C:", L"C:\\TEMP\"\""}) {
        fake.processes.environment[L"tmp"] = t;
        expectRefused(L"环境变量 TMP）不能使用：“" + std::wstring(t) + L"”");
    }
    fake.processes.environment[L"tmp"] = L"C:\\TEMP";
    // A link planted among the program's files there.
    fake.files.links = {L"C:\\TEMP\\Velmora-outcome.tmp"};
    expectRefused(L"C:\\TEMP\\Velmora-outcome.tmp 是一个链接");
    fake.files.links.clear();
    // A copy held by a running tool cannot be replaced.
    fake.files.files[copy].locked = true;
    expectRefused(copy);
    fake.files.files[copy].locked = false;
    fake.files.files[script].locked = true;
    expectRefused(L"写入脚本 Go.bat");
    fake.files.files[script].locked = false;
    // The interpreter would expand a "%" in a network folder's path.
    fake.processes.environment[L"tmp"] = L"\\\\srv\\50%";
    fake.files.folders.push_back(L"\\\\srv\\50%");
    expectRefused(L"运行临时文件夹中的脚本 Go.bat");
    fake.processes.environment[L"tmp"] = L"C:\\TEMP";
    fake.processes.startFails = true;
    expectRefused(L"运行临时文件夹中的脚本 Go.bat");
    EXPECT_EQ(fake.events.sleptMs, 100);  // a failed start still costs one pass
    // No tool beside the program.
    fake.files.files.erase(kTool);
    expectRefused(L"C:\\Program Files\\Velmora");
    EXPECT_TRUE(fake.processes.started.empty());
}

// Cancel: the script ends at once, the tool in hand gets a while to finish
// its picture, then nothing of the run is left; nothing is replaced after.
TEST_F(MainWindowTest, ACancelledRunLeavesNoProcessAndTouchesNoPictureAfterwards) {
    Queue({L"C:\\a.jpg", L"C:\\b.jpg"});
    fake.files.files[L"C:\\a.jpg"] = {1000};
    fake.processes.passes = 5;
    fake.processes.toolPassesAfterScript = 1000;  // a tool that hangs
    fake.events.onDoEvents = [&] { ToolOutput(L"C:\\a.jpg", 1000, 900); };
    RemovalRunOptions options;
    options.onWait = [](const auto& pictures) { return pictures.size() != 2; };
    RunRemoval(fake.services, queue, removeButton, options);
    EXPECT_TRUE(fake.processes.terminated && fake.processes.treeTerminated && removeButton.enabled);
    EXPECT_EQ(fake.events.pumps, 21);  // one pass, then two seconds of grace
    EXPECT_EQ(fake.files.Size(L"C:\\a.jpg"), 1000);
    EXPECT_EQ(fake.dialogs.Texts(),
              Texts{L"已取消：已处理 0 张，共 2 张图片。其余图片未改动。\r\n· 1 张因其他错误"});
}

}  // namespace
}  // namespace velmora
