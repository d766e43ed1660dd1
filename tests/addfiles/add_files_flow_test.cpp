#include "addfiles/add_files_flow.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "addfiles/progress_bar.h"
#include "fake_progress_view.h"
#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

using Rows = std::vector<std::wstring>;
using namespace std::string_literals;

FolderEntry File(const wchar_t* name) { return {name}; }
FolderEntry Dir(const wchar_t* name, bool link = false) { return {name, true, link}; }

struct AddFilesTest : ::testing::Test, FakeServices {
    FakeProgressState window;
    ProgressBar bar{events, FakeViews(window)};
    AddFilesFlow flow{services, bar};
    FakeList queue;

    AddFilesTest() {
        files.tree[L"C:\\P\\"] = {File(L"a.jpg"),      Dir(L"S1"), File(L"b.JPG"),
                                  File(L"README"),     Dir(L"S2"), Dir(L"loop", true),
                                  File(L".hidden.jpg")};
        files.tree[L"C:\\P\\S1\\"] = {File(L"s1.jpg"), File(L"x.png")};
        files.tree[L"C:\\P\\S2\\"] = {File(L"s2.jpg"), Dir(L"T"), File(L"중국.jpg")};
        files.tree[L"C:\\P\\S2\\T\\"] = {File(L"t.jpg")};
        files.tree[L"C:\\P\\loop\\"] = {File(L"a.jpg")};  // a junction: the top again
        queue.rows = {L"C:\\P\\A.JPG", L"old"};
    }
    void Pick() { dialogs.fileAnswers.push_back({L"C:\\P\0a.jpg\0b.JPG"s}); }
};

TEST_F(AddFilesTest, TheAnswersDecideWhatJoinsTheQueue) {
    const Rows tree = {
        L"C:\\P\\S2\\T\\t.jpg", L"C:\\P\\S2\\s2.jpg", L"C:\\P\\S2\\중국.jpg", L"C:\\P\\S1\\s1.jpg",
        L"C:\\P\\a.jpg",        L"C:\\P\\b.JPG",      L"C:\\P\\.hidden.jpg",  L"old"};
    const Rows picked = {L"C:\\P\\a.jpg", L"C:\\P\\b.JPG", L"old"};
    struct Case {
        Answer answer;
        const wchar_t* typed;
        Rows expected;
    };
    const Case cases[] = {
        {Answer::Yes, L"*.jpg", tree},
        {Answer::No, L"*.jpg", picked},
        {Answer::Cancel, L"*.jpg", picked},
        {Answer::Yes, L"", picked},
        {Answer::Yes, L"readme", {L"C:\\P\\README.", L"C:\\P\\A.JPG", L"old"}},
        {Answer::Yes, L"*.zzz", {L"C:\\P\\A.JPG", L"old"}},
    };
    for (const Case& c : cases) {
        queue.rows = {L"C:\\P\\A.JPG", L"old"};
        queue.index = -1;
        Pick();
        dialogs.answers = {c.answer};
        dialogs.inputs = {c.typed};
        flow.AddFilesToList(queue);
        EXPECT_EQ(queue.rows, c.expected) << c.typed;
        EXPECT_EQ(queue.index, c.expected.size() > 2 ? 0 : -1);
        EXPECT_FALSE(events.busy);
    }
    const Message& question = dialogs.shown.back();
    EXPECT_EQ(question.text, L"要选择 C:\\P\\ 及其子文件夹下所有同类文件吗？");
    EXPECT_EQ(question.buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(question.secondButtonDefault);
    EXPECT_EQ(dialogs.inputDefault, L"*.JPG");
    EXPECT_EQ(dialogs.inputPlace.x, 19200 / 2 - 3000);
    EXPECT_EQ(dialogs.inputPlace.y, 10800 / 2 - 300);
}

TEST_F(AddFilesTest, AMalformedPatternIsNamedAndThePickedFilesStay) {
    Pick();
    dialogs.answers = {Answer::Yes};
    dialogs.inputs = {L"*.png;[ABC"};
    flow.AddFilesToList(queue);
    EXPECT_EQ(queue.rows, (Rows{L"C:\\P\\a.jpg", L"C:\\P\\b.JPG", L"old"}));
    EXPECT_NE(dialogs.shown.back().text.find(L"[abc"), std::wstring::npos);
    EXPECT_EQ(dialogs.shown.back().icon, MsgIcon::Critical);
}

TEST_F(AddFilesTest, ASecondClickDuringTheFlowDoesNothingAndErrorsAreShown) {
    Pick();
    dialogs.onModal = [&] { flow.AddFilesToList(queue); };
    flow.AddFilesToList(queue);
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(flow.Busy());

    dialogs.onModal = [&] {
        dialogs.onModal = nullptr;
        throw std::runtime_error("disk gone");
    };
    events.busy = true;
    flow.AddFilesToList(queue);
    EXPECT_EQ(dialogs.shown.back().text, L"disk gone");
    EXPECT_EQ(dialogs.shown.back().icon, MsgIcon::Critical);
    EXPECT_FALSE(events.busy);
    EXPECT_FALSE(flow.Busy());
}

TEST_F(AddFilesTest, ALongScanShowsProgressAndItsCancelKeepsThePickedFiles) {
    std::vector<FolderEntry>& top = files.tree[L"C:\\P\\"];
    for (int i = 0; i < 500; ++i)
        top.push_back(File((L"n" + std::to_wstring(i) + L".jpg").c_str()));
    events.onDoEvents = [&] {
        if (!window.alive) events.Tick();
        if (!window.visible) return;
        EXPECT_EQ(window.status, L"正在扫描文件... C:\\P\\");
        window.view->OnCancel();
    };
    Pick();
    dialogs.answers = {Answer::Yes};
    dialogs.inputs = {L"*.jpg"};
    flow.AddFilesToList(queue);
    EXPECT_EQ(queue.rows, (Rows{L"C:\\P\\a.jpg", L"C:\\P\\b.JPG", L"old"}));
    EXPECT_FALSE(window.alive);
    EXPECT_FALSE(events.busy);
}

TEST_F(AddFilesTest, DroppedFoldersBecomeTheirPictures) {
    files.tree[L"C:\\D\\"] = {File(L"a.JPEG"), File(L"b.png"), File(L"c.jpg")};
    EXPECT_EQ(flow.ExpandDroppedFolders({L"C:\\x.png", L"C:\\D"}),
              (Rows{L"C:\\x.png", L"C:\\D\\a.JPEG", L"C:\\D\\c.jpg"}));
}

}  // namespace
}  // namespace velmora::test
