// End to end: "添加文件" through the real dialog, question, input box and
// scan, then a run with the real jhead.exe; and a long run cancelled from
// its progress window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "jpeg_samples.h"
#include "resources/main_window_layout.h"
#include "resources/progress_window_layout.h"
#include "resources/resource.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::wstring>;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A picture with every kind of metadata the tool removes.
void WritePicture(const fs::path& path) {
    using namespace jhead_test;
    const Bytes jpeg = Cat({{0xFF, 0xD8}, AllMetadata(1, false), FakeTables(), FakeScans()});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
}

bool Cleaned(const fs::path& path) {
    const std::string bytes = ReadBytes(path);
    return bytes.find("Photoshop") == std::string::npos && bytes.find("Ducky") == std::string::npos;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms = 30000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50)) {
        if (done()) return true;
    }
    return done();
}

std::wstring TextOf(HWND h) {
    wchar_t text[1024] = L"";
    GetWindowTextW(h, text, 1024);
    return text;
}

// A visible top-level window of `pid` with the class and caption given.
HWND WindowOf(DWORD pid, const wchar_t* cls, const wchar_t* caption, int childId = 0) {
    struct Query {
        DWORD pid;
        const wchar_t *cls, *caption;
        int childId;
        HWND found;
    } q{pid, cls, caption, childId, nullptr};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* q = reinterpret_cast<Query*>(p);
            DWORD owner = 0;
            wchar_t name[64] = L"";
            GetWindowThreadProcessId(h, &owner);
            GetClassNameW(h, name, 64);
            if (owner != q->pid || !IsWindowVisible(h) || wcscmp(name, q->cls) != 0) return TRUE;
            if (q->caption && TextOf(h) != q->caption) return TRUE;
            if (q->childId && !GetDlgItem(h, q->childId)) return TRUE;
            q->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&q));
    return q.found;
}

class AddFilesE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const fs::path bin = fs::path(self).parent_path();
        // Each test sets "tmp" for the program: take the machine's own once.
        static const fs::path root = fs::temp_directory_path();
        base = root / (L"velmora_add_" + std::to_wstring(GetCurrentProcessId()));
        fs::remove_all(base);
        app = base / L"app";
        tmp = base / L"tmp";
        pics = base / L"照片";
        for (const fs::path& dir : {app, tmp, pics}) fs::create_directories(dir);
        fs::copy_file(bin / L"Velmora.exe", app / L"Velmora.exe");
        fs::copy_file(bin / L"jhead.exe", app / L"jhead.exe");  // the real tool
        SetEnvironmentVariableW(L"tmp", tmp.c_str());
    }
    void TearDown() override {
        if (pi.hProcess) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 10000);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
        std::error_code ignored;
        fs::remove_all(base, ignored);
        // The machine's own "tmp" again, for the tests that follow.
        SetEnvironmentVariableW(L"tmp", base.parent_path().c_str());
    }
    void Start(const std::wstring& arguments) {
        std::wstring command = L"\"" + (app / L"Velmora.exe").wstring() + L"\" " + arguments;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   base.c_str(), &si, &pi));
    }
    HWND Wait(const wchar_t* cls, const wchar_t* caption, int childId = 0) {
        HWND h = nullptr;
        WaitUntil([&] { return (h = WindowOf(pi.dwProcessId, cls, caption, childId)); });
        return h;
    }
    // The message box's text, answered with `button`.
    std::wstring Answer(int button) {
        HWND box = Wait(L"#32770", L"Velmora", 0xFFFF);  // its text, not the input box
        if (!box) return L"(no message box)";
        const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, button, 0);
        WaitUntil([&] { return !IsWindow(box); });
        return text;
    }
    // Types into the dialog's name box and presses Open.
    void TypeInDialog(HWND dialog, const std::wstring& text) {
        HWND name = GetDlgItem(dialog, 0x480);
        if (!name) name = GetDlgItem(dialog, 0x47C);
        SendMessageW(name, WM_SETTEXT, 0, LPARAM(text.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    // "添加文件", the three files chosen, and the answer to the question.
    std::wstring AddThree(HWND main, bool navigate, int answer) {
        PostMessageW(GetDlgItem(main, kIdAddFiles), BM_CLICK, 0, 0);
        HWND dialog = Wait(L"#32770", L"选择文件(可多选)");
        if (!dialog) return L"(no dialog)";
        if (navigate) {
            TypeInDialog(dialog, pics.wstring());
            Sleep(1000);
        }
        TypeInDialog(dialog, L"\"a.jpg\" \"c.png\" \"notes.txt\"");
        return Answer(answer);
    }
    void Type(const std::wstring& patterns) {
        HWND input = Wait(L"#32770", L"Velmora", IDC_INPUTBOX_TEXT);
        ASSERT_TRUE(input);
        SendDlgItemMessageW(input, IDC_INPUTBOX_TEXT, WM_SETTEXT, 0, LPARAM(patterns.c_str()));
        PostMessageW(input, WM_COMMAND, IDOK, 0);
    }
    Rows Queue(HWND main) {
        HWND list = GetDlgItem(main, kIdQueue);
        Rows rows;
        const int n = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            wchar_t text[MAX_PATH * 2] = L"";
            SendMessageW(list, LB_GETTEXT, i, LPARAM(text));
            rows.push_back(text);
        }
        return rows;
    }
    int Selected(HWND main) { return int(SendDlgItemMessageW(main, kIdQueue, LB_GETCURSEL, 0, 0)); }

    fs::path base, app, tmp, pics;
    PROCESS_INFORMATION pi{};
};

TEST_F(AddFilesE2ETest, ChosenFilesAndTheirTreeJoinTheQueueAndTheRealToolCleansThem) {
    // Two sibling folders, so that the reverse order of their blocks shows.
    for (const fs::path& dir : {pics / L"s1", pics / L"s2", pics / L"s2" / L"深"}) {
        fs::create_directories(dir);
    }
    const fs::path a = pics / L"a.jpg", c = pics / L"c.png", notes = pics / L"notes.txt",
                   s1 = pics / L"s1" / L"한국.JPG", s2 = pics / L"s2" / L"b.jpg",
                   deep = pics / L"s2" / L"深" / L"d.jpg";
    for (const fs::path& p : {a, c, notes, s1, s2, deep}) WritePicture(p);
    // The folders' order as the system lists them decides the blocks' order.
    fs::path first, second;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((pics / L"*").c_str(), &data);
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || data.cFileName[0] == L'.')
            continue;
        (first.empty() ? first : second) = data.cFileName;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    const Rows block1 = first == L"s1" ? Rows{s1} : Rows{deep, s2};
    const Rows block2 = first == L"s1" ? Rows{deep, s2} : Rows{s1};
    Rows tree = block2;
    tree.insert(tree.end(), block1.begin(), block1.end());
    tree.push_back(a);

    Start(L"");
    HWND main = Wait(L"VelmoraMainWindow", nullptr);
    ASSERT_TRUE(main);

    // Yes, "*.jpg": exactly the tree's .jpg and .JPG files, in the scan's order.
    EXPECT_EQ(AddThree(main, true, IDYES),
              L"要选择 " + pics.wstring() + L"\\ 及其子文件夹下所有同类文件吗？");
    Type(L"*.jpg");
    ASSERT_TRUE(WaitUntil([&] { return Queue(main).size() == tree.size(); }));
    EXPECT_EQ(Queue(main), tree);
    EXPECT_EQ(Selected(main), 0);

    // No: the three chosen files go on top, the dialog opening where it was.
    EXPECT_NE(AddThree(main, false, IDNO), L"(no dialog)");
    Rows picked{a, c, notes};
    Rows expected = picked;
    for (const std::wstring& row : tree) {
        if (row != a.wstring()) expected.push_back(row);
    }
    ASSERT_TRUE(WaitUntil([&] { return Queue(main) == expected; }));

    // A malformed pattern is named, and the chosen files stay the result.
    AddThree(main, false, IDYES);
    Type(L"[abc");
    EXPECT_NE(Answer(IDOK).find(L"[abc"), std::wstring::npos);
    EXPECT_EQ(Queue(main), expected);

    // The script is written in the ANSI code page, which has no Korean: the
    // Korean picture leaves the queue (Delete key) before the run.
    HWND list = GetDlgItem(main, kIdQueue);
    const auto korean = std::find(expected.begin(), expected.end(), s1.wstring());
    SendMessageW(list, LB_SETCURSEL, WPARAM(korean - expected.begin()), 0);
    expected.erase(korean);
    PostMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_TRUE(WaitUntil([&] { return Queue(main) == expected; }));

    // The real tool cleans every queued picture.
    PostMessageW(GetDlgItem(main, kIdRemove), BM_CLICK, 0, 0);
    EXPECT_EQ(Answer(IDOK), L"搞定");
    for (const std::wstring& row : expected) {
        EXPECT_TRUE(Cleaned(row)) << fs::path(row).string() << ReadBytes(tmp / L"Event.txt");
    }
}

TEST_F(AddFilesE2ETest, ALongRunShowsItsCountAndCancelLeavesEveryPictureWholeOrClean) {
    const int n = 200;
    std::wstring arguments;
    for (int i = 0; i < n; ++i) {
        const fs::path p = pics / (L"p" + std::to_wstring(i) + L".jpg");
        WritePicture(p);
        arguments += L"\"" + p.wstring() + L"\" ";
    }
    const std::string original = ReadBytes(pics / L"p0.jpg");
    Start(arguments);

    HWND progress = Wait(L"VelmoraProgress", nullptr);
    ASSERT_TRUE(progress);
    auto count = [&] {
        const std::wstring st = TextOf(GetDlgItem(progress, kIdProgressStatus));
        return st.rfind(L"正在清除 ", 0) == 0 ? std::stoi(st.substr(5)) : -1;
    };
    const int early = count();
    ASSERT_TRUE(WaitUntil([&] { return count() > early + 3; }, 60000));
    PostMessageW(GetDlgItem(progress, kIdProgressCancel), BM_CLICK, 0, 0);

    const std::wstring message = Answer(IDOK);
    EXPECT_EQ(message.rfind(L"已取消：已清除 ", 0), 0u) << fs::path(message).string();
    const int done = std::stoi(message.substr(8));
    int clean = 0;
    for (int i = 0; i < n; ++i) {
        const fs::path p = pics / (L"p" + std::to_wstring(i) + L".jpg");
        if (Cleaned(p)) {
            ++clean;
        } else {
            EXPECT_EQ(ReadBytes(p), original) << i;
        }
    }
    EXPECT_GT(done, early + 3);
    EXPECT_LT(done, n);
    EXPECT_EQ(clean, done);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace velmora
