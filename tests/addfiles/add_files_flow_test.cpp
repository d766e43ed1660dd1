#include "addfiles/add_files_flow.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fake_progress_view.h"
#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"

namespace velmora::test {
namespace {

using Rows = std::vector<std::wstring>;
using namespace std::string_literals;

FolderEntry File(std::wstring name) { return {std::move(name)}; }
FolderEntry Dir(const wchar_t* name, uint32_t reparseTag = 0) { return {name, true, reparseTag}; }

struct AddFilesTest : ::testing::Test, FakeServices {
    FakeProgressView* window = nullptr;
    ProgressBar bar{events, FakeViews(window)};
    AddFilesFlow flow{services, bar};
    FakeList queue;
    const Rows picked{L"C:\\P\\a.jpg", L"C:\\P\\b.JPG", L"old"};

    AddFilesTest() {
        // Reparse points: a symbolic link, a junction, the least tag that
        // marks a link, and cloud-synced folders (placeholders).
        files.tree[L"C:\\P\\"] = {
            File(L"a.jpg"),        Dir(L"S1", 0x9000001A), File(L"b.JPG"),
            File(L"README"),       Dir(L"S2", 0xDFFFFFFF), Dir(L"loop", 0xA000000C),
            Dir(L"j", 0xA0000003), Dir(L"k", 0x20000000),  File(L".h.jpg")};
        files.tree[L"C:\\P\\S1\\"] = {File(L"s1.jpg"), File(L"x.png"), File(L"y.HEIC"),
                                      File(L"z.gif")};
        files.tree[L"C:\\P\\S2\\"] = {File(L"s2.jpg"), Dir(L"T"), Dir(L"unreadable"),
                                      File(L"중국.jpg")};
        files.tree[L"C:\\P\\S2\\T\\"] = {File(L"t.jpg")};
        for (const wchar_t* link : {L"loop", L"j", L"k"})  // links: the top again
            files.tree[L"C:\\P\\" + std::wstring(link) + L"\\"] = {File(L"a.jpg")};
    }
    // "添加文件" with a.jpg and b.JPG chosen, the question answered, `typed`.
    void Add(Answer answer, const wchar_t* typed, std::wstring chosen = L"C:\\P\0a.jpg\0b.JPG"s) {
        queue.rows = {L"C:\\P\\A.JPG", L"old"};
        queue.index = -1;
        dialogs.fileAnswers.push_back({chosen});
        dialogs.answers = {answer};
        dialogs.inputs = {typed};
        flow.AddFilesToList(queue);
    }
};

TEST_F(AddFilesTest, TheAnswersDecideWhatJoinsTheQueue) {
    const Rows tree = {
        L"C:\\P\\S2\\T\\t.jpg", L"C:\\P\\S2\\s2.jpg", L"C:\\P\\S2\\중국.jpg", L"C:\\P\\S1\\s1.jpg",
        L"C:\\P\\a.jpg",        L"C:\\P\\b.JPG",      L"C:\\P\\.h.jpg",       L"old"};
    const std::pair<Answer, const wchar_t*> answers[] = {
        {Answer::Yes, L"*.jpg"}, {Answer::No, L"*.jpg"},   {Answer::Cancel, L"*.jpg"},
        {Answer::Yes, L""},      {Answer::Yes, L"readme"}, {Answer::Yes, L"*.zzz"}};
    const Rows readme{L"C:\\P\\README.", L"C:\\P\\A.JPG", L"old"};
    const Rows expected[] = {tree, picked, picked, picked, readme, picked};
    for (int i = 0; i < 6; ++i) {
        // First, full paths typed while the dialog shows another folder.
        Add(answers[i].first, answers[i].second,
            i ? L"C:\\P\0a.jpg\0b.JPG"s : L"C:\\many\0C:\\P\\S1\\s1.jpg\0C:\\P\\b.JPG"s);
        EXPECT_EQ(queue.rows, expected[i]) << i;
        EXPECT_EQ(queue.index, 0);
    }
    EXPECT_EQ(dialogs.shown.back().text, L"没有与“*.zzz”匹配的文件。只添加选中的文件。");
    EXPECT_TRUE(dialogs.shown.end()[-2].secondButtonDefault &&
                dialogs.inputDefault == L"*.jpg;*.jpeg;*.png;*.webp;*.heic;*.heif;*.avif");
    EXPECT_EQ(std::pair(dialogs.inputPlace.x, dialogs.inputPlace.y), std::pair(6600, 5100));

    Add(Answer::Yes, L"*.png;[ABC");  // malformed: named, and the chosen files stay
    EXPECT_EQ(queue.rows, picked);
    EXPECT_NE(dialogs.shown.back().text.find(L"[abc"), std::wstring::npos);
    EXPECT_EQ(flow.ExpandDroppedFolders({L"C:\\x.png", L"C:\\P\\S1"}),
              (Rows{L"C:\\x.png", L"C:\\P\\S1\\s1.jpg", L"C:\\P\\S1\\x.png",
                    L"C:\\P\\S1\\y.HEIC"}));  // a dropped folder: its pictures
}

TEST_F(AddFilesTest, ASecondClickDuringTheFlowDoesNothingAndErrorsAreShown) {
    dialogs.onModal = [&] { flow.AddFilesToList(queue); };
    Add(Answer::No, L"");
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    dialogs.onModal = [&] {
        dialogs.onModal = nullptr;
        throw std::runtime_error("disk gone");
    };
    flow.AddFilesToList(queue);
    EXPECT_EQ(dialogs.shown.back().text, L"disk gone");
    EXPECT_FALSE(flow.Busy());  // the next click works again
}

TEST_F(AddFilesTest, ALongScanShowsProgressAndItsCancelKeepsThePickedFiles) {
    for (int i = 0; i < 500; ++i) files.tree[L"C:\\P\\"].push_back(File(std::to_wstring(i)));
    events.onDoEvents = [&] {
        if (!window) events.Tick();
        if (!window || !window->visible) return;
        EXPECT_EQ(window->status, L"正在扫描文件... C:\\P\\");
        window->OnCancel();
    };
    Add(Answer::Yes, L"*.jpg");
    EXPECT_EQ(queue.rows, picked);
    EXPECT_FALSE(events.busy);
}

}  // namespace
}  // namespace velmora::test
