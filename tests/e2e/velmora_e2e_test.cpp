// End-to-end tests: the real Velmora.exe and the real jhead.exe beside it,
// started as a user or Explorer would start them, driven from outside
// through their windows.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "jpeg_samples.h"
#include "resources/about_layout.h"
#include "resources/main_window_layout.h"
#include "resources/progress_window_layout.h"
#include "resources/resource.h"
#include "runtime/file_bytes.h"
#include "runtime/layout_check_win.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// UTF-16 to 8-bit text in a given code page (independent of the program's
// own conversions).
std::string Narrow(const std::wstring& text, UINT codePage) {
    std::string out(text.size() * 4, '\0');  // room for UTF-8's widest
    out.resize(size_t(WideCharToMultiByte(codePage, 0, text.c_str(), int(text.size()), out.data(),
                                          int(out.size()), nullptr, nullptr)));
    return out;
}
std::string Ansi(const std::wstring& text) { return Narrow(text, CP_ACP); }
std::string Utf8(const std::wstring& text) { return Narrow(text, CP_UTF8); }

// A picture with every kind of metadata, for the real tool.
std::string MetadataPicture() {
    using namespace jhead_test;
    const Bytes j = Cat({B("\xFF\xD8"), AllMetadata(0, false), FakeTables(), FakeScans()});
    return std::string(j.begin(), j.end());
}

std::wstring WindowText(HWND h) {
    std::wstring text(size_t(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(h, text.data(), int(text.size()))));
    return text;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50)) {
        if (done()) return true;
    }
    return done();
}

// Top-level windows of a process of one class.
std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* cls) {
    std::vector<HWND> found;
    for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, cls, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid) found.push_back(h);
    }
    return found;
}

// A visible window of `pid` of that class, waited for; or null.
HWND WaitForWindow(DWORD pid, const wchar_t* cls, DWORD ms = 30000) {
    HWND found = nullptr;
    auto shown = [&] {
        for (HWND h : WindowsOf(pid, cls)) found = IsWindowVisible(h) ? h : found;
        return found != nullptr;
    };
    return WaitUntil(shown, ms) ? found : nullptr;
}

// A message box of `pid` with the given caption, or null.
HWND MessageBoxOf(DWORD pid, const wchar_t* caption) {
    for (HWND h : WindowsOf(pid, L"#32770")) {
        if (IsWindowVisible(h) && WindowText(h) == caption) return h;
    }
    return nullptr;
}

// The text of a box of the program (its message, or the control
// `childId`, typed into first when `typed` is given), answered with `button`.
std::wstring Answer(DWORD pid, int button, int childId = 0xFFFF, const wchar_t* typed = nullptr) {
    HWND box = nullptr;
    auto shown = [&] { return (box = MessageBoxOf(pid, L"Velmora")) && GetDlgItem(box, childId); };
    if (!WaitUntil(shown, 30000)) return L"(no message box)";
    if (typed) SetDlgItemTextW(box, childId, typed);
    const std::wstring text = WindowText(GetDlgItem(box, childId));
    PostMessageW(box, WM_COMMAND, button, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10000));
    return text;
}

std::vector<std::wstring> QueueOf(HWND main) {
    std::vector<std::wstring> rows(SendDlgItemMessageW(main, kIdQueue, LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < rows.size(); ++i) {
        wchar_t text[1024] = L"";
        SendDlgItemMessageW(main, kIdQueue, LB_GETTEXT, i, LPARAM(text));
        rows[i] = text;
    }
    return rows;
}

// The client area of a window as the screen shows it.
struct Screenshot {
    BITMAPINFOHEADER info{};  // 32 bits a pixel, top row first
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[size_t(y) * info.biWidth + x] & 0xFFFFFF; }
};

// The screenshot, also kept as a .bmp file for people to look at
// (scripts/test.sh turns them into PNGs).
Screenshot Capture(HWND window, const fs::path& bmp) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = client.bottom;
    Screenshot shot{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                    std::vector<DWORD>(size_t(width) * height)};
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(mem, old);
    GetDIBits(mem, bitmap, 0, UINT(height), shot.pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&shot.info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    const DWORD start = sizeof(BITMAPFILEHEADER) + sizeof shot.info;
    const BITMAPFILEHEADER head{0x4D42, DWORD(start + shot.pixels.size() * 4), 0, 0, start};
    WriteBytes(bmp, std::string(reinterpret_cast<const char*>(&head), sizeof head) +
                        std::string(reinterpret_cast<const char*>(&shot.info), sizeof shot.info) +
                        std::string(reinterpret_cast<const char*>(shot.pixels.data()),
                                    shot.pixels.size() * 4));
    return shot;
}

// Processes a run may leave: any jhead.exe, and the command interpreter of
// the run of program `pid`. With `endTools`, every jhead.exe is ended too: a
// tool a test left running would keep the test runner waiting on its output
// and hold the next test's files.
int RunProcessesLeft(DWORD pid, bool endTools = false) {
    int left = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W p{};
    p.dwSize = sizeof p;
    for (BOOL more = Process32FirstW(snapshot, &p); more; more = Process32NextW(snapshot, &p)) {
        const bool tool = _wcsicmp(p.szExeFile, L"jhead.exe") == 0;
        left += tool || (_wcsicmp(p.szExeFile, L"cmd.exe") == 0 && p.th32ParentProcessID == pid);
        HANDLE h =
            tool && endTools ? OpenProcess(PROCESS_TERMINATE, FALSE, p.th32ProcessID) : nullptr;
        if (h) TerminateProcess(h, 1), CloseHandle(h);
    }
    CloseHandle(snapshot);
    return left;
}

// Paths as command-line items, each in quotes.
std::wstring Quoted(const std::vector<fs::path>& paths) {
    std::wstring line;
    for (const fs::path& p : paths) line += (line.empty() ? L"\"" : L" \"") + p.wstring() + L"\"";
    return line;
}

class VelmoraE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        bin = fs::path(self).parent_path();
        // Each test sets "tmp" for the program: take the machine's own once.
        static const fs::path root = fs::temp_directory_path();
        // One folder per test: a script that a test left running may still
        // hold files in the last one.
        static int serial = 0;
        base = root / (L"velmora_e2e_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                       std::to_wstring(++serial));
        fs::remove_all(base);
        app = base / L"程序";
        tmp = base / L"tmp 50% 目录";
        pics = base / L"pics";
        for (const fs::path& dir : {app, tmp, pics}) fs::create_directories(dir);
        fs::copy_file(bin / L"Velmora.exe", app / L"Velmora.exe");
        fs::copy_file(bin / L"jhead.exe", app / L"jhead.exe");
        SetEnvironmentVariableW(L"tmp", tmp.c_str());
    }

    void TearDown() override {
        // A copy left running would take the next test's command-line starts.
        for (PROCESS_INFORMATION& p : started) {
            TerminateProcess(p.hProcess, 1);  // refused, harmlessly, when it has ended
            CloseHandle(p.hProcess), CloseHandle(p.hThread);
        }
        RunProcessesLeft(0, true);
        if (savedDpi) UseDpi(*savedDpi);
        std::error_code ignored;
        fs::remove_all(base, ignored);
    }

    // The desktop's density for the programs started from now on (0: the
    // system's own); the old one is put back however the test ends.
    void UseDpi(DWORD dpi) {
        DWORD old = 0, size = sizeof old;  // stays 0 when there is none
        RegGetValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old,
                     &size);
        if (!savedDpi) savedDpi = old;
        if (dpi)
            RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
    }

    // Starts the program as `pi`; every start is ended, if it still runs,
    // after the test.
    void Start(const std::wstring& arguments, const std::wstring& exe = L"Velmora.exe",
               const fs::path& folder = {}) {
        std::wstring command = L"\"" + (app / exe).wstring() + L"\" " + arguments;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   (folder.empty() ? base : folder).c_str(), &si, &pi));
        started.push_back(pi);
    }

    // An interactive start: the main window once it shows, or null.
    HWND StartWindow(const std::wstring& exe = L"Velmora.exe") {
        Start(L"", exe);
        return WaitForWindow(pi.dwProcessId, L"VelmoraMainWindow");
    }
    void CloseAndWait(HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForExit(15000), 0u);
    }
    // The message a command-line start ends with, answered; the program then
    // ends.
    std::wstring FinalMessage() {
        const std::wstring text = Answer(pi.dwProcessId, IDOK);
        EXPECT_EQ(WaitForExit(15000), 0u);
        return text;
    }

    DWORD WaitForExit(DWORD ms) {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }

    // "添加文件": `names` typed into the real dialog in `folder`, Yes to the
    // scan, and `typed` as its patterns. Returns the question asked.
    std::wstring AddFiles(HWND main, const fs::path& folder, const std::wstring& names,
                          const wchar_t* typed) {
        PostMessageW(GetDlgItem(main, kIdAddFiles), BM_CLICK, 0, 0);
        HWND dlg = nullptr;
        WaitUntil([&] { return (dlg = MessageBoxOf(pi.dwProcessId, L"选择文件(可多选)")); }, 30000);
        for (const std::wstring& name : {folder.wstring(), names}) {
            HWND box = GetDlgItem(dlg, 0x480) ? GetDlgItem(dlg, 0x480) : GetDlgItem(dlg, 0x47C);
            SendMessageW(box, WM_SETTEXT, 0, LPARAM(name.c_str()));  // edt1 or cmb13
            PostMessageW(dlg, WM_COMMAND, IDOK, 0);
            Sleep(3000);
        }
        const std::wstring question = Answer(pi.dwProcessId, IDYES);
        Answer(pi.dwProcessId, IDOK, IDC_INPUTBOX_TEXT, typed);
        return question;
    }

    // `n` copies of the picture with metadata in `folder`, named by number.
    std::vector<fs::path> Pictures(int n, const fs::path& folder) {
        std::vector<fs::path> made;
        fs::create_directories(folder);
        for (int i = 0; i < n; ++i) {
            made.push_back(folder / (std::to_wstring(i) + L".jpg"));
            WriteBytes(made.back(), jpeg);
        }
        return made;
    }

    // The window just started from `name`.exe at `dpi`: the tool copied in,
    // the layout, flat buttons, and the About box under the same name;
    // screenshots of both end in `shots`.
    void ExpectWindowAndAboutBox(HWND main, const std::wstring& name, int dpi,
                                 const std::wstring& shots) {
        test::ExpectLaidOut(main, kMainLayout, dpi);
        const Screenshot shot = Capture(main, bin / (L"form1" + shots));
        // The buttons drawn flat: one frame colour at the corners (themed
        // ones are rounded, classic ones lit from the top left).
        for (int id : {kIdClear, kIdAddFiles, kIdRemove, kIdViewResults, kIdAbout}) {
            RECT r;
            GetWindowRect(GetDlgItem(main, id), &r);
            MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(shot.At(r.left, r.top), shot.At(r.right - 1, r.bottom - 1)) << id;
            EXPECT_EQ(shot.At(r.left, r.top), shot.At((r.left + r.right) / 2, r.top)) << id;
        }
        EXPECT_FALSE(GetWindowLongW(GetDlgItem(main, kIdQueue), GWL_STYLE) & BS_FLAT);

        PostMessageW(GetDlgItem(main, kIdAbout), BM_CLICK, 0, 0);
        HWND box = WaitForWindow(pi.dwProcessId, L"VelmoraAboutBox");
        ASSERT_TRUE(box);
        EXPECT_EQ(WindowText(box), L"关于 " + name + L" --By Tarvik软件");
        EXPECT_EQ(WindowText(GetDlgItem(box, kIdAboutVersion)), L"Ver: 1.0.0");
        test::ExpectLaidOut(box, kAboutLayout, dpi);
        Capture(box, bin / (L"about" + shots));
        PostMessageW(box, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 15000));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 5000));
    }

    fs::path bin, base, app, tmp, pics;
    PROCESS_INFORMATION pi{};
    std::vector<PROCESS_INFORMATION> started;
    const std::string jpeg = MetadataPicture();
    static constexpr const wchar_t* kDesktop = L"Control Panel\\Desktop";
    std::optional<DWORD> savedDpi;
};

// One run whose message says what really happened to each picture: a
// relative name is the picture of the folder the program was started in,
// every kind the window promises is cleaned, told by its content whatever
// its name (a phone's HEIC named ".jpg"), a broken copy of the tool is
// replaced, the pictures the tool could not clean are counted by why, and a
// results file another program holds is said not to have recorded the run.
// A second start finds nothing left to remove.
TEST_F(VelmoraE2ETest, EveryDoneIsTrueAndOnlyTheChosenPicturesChange) {
    const std::string located = ReadBytes(VELMORA_GPS_PICTURE);
    WriteBytes(pics / L"a.jpg", located);
    const fs::path from = VELMORA_PICTURES;
    const std::pair<fs::path, fs::path> kinds[] = {
        {from / L"heif" / L"gps.heic", pics / L"IMG_0001.jpg"},
        {from / L"heif" / L"gps.avif", pics / L"b.avif"},
        {from / L"png" / L"exif_xmp_text_icc.png", pics / L"c.png"},
        {from / L"webp" / L"lossy_exif_xmp_icc.webp", pics / L"d.webp"}};
    std::wstring cleanable = L"a.jpg";  // each with a GPS position
    for (const auto& [original, copy] : kinds) {
        WriteBytes(copy, ReadBytes(original));
        cleanable += L" " + Quoted({copy});
    }
    // What a full disk left: the first 16 KB of the tool.
    WriteBytes(tmp / L"jhead.exe", ReadBytes(app / L"jhead.exe").substr(0, 16384));
    const fs::path ro = pics / L"ro.jpg", empty = pics / L"empty.jpg", text = pics / L"text.jpg",
                   folder = pics / L"x.jpg";
    WriteBytes(ro, jpeg);
    SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(empty, "");
    WriteBytes(text, "not a picture");
    fs::create_directory(folder);
    WriteBytes(tmp / L"Event.txt", "an earlier run\r\n");
    HANDLE held = CreateFileW((tmp / L"Event.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);

    Start(cleanable + L" " + Quoted({ro, pics / L"missing.jpg", empty, text, folder}),
          L"Velmora.exe", pics);
    EXPECT_EQ(FinalMessage(),
              L"已清除 5 张图片，其中 5 张含GPS位置。\r\n"
              L"有 5 张图片未清除，仍带着原来的信息：\r\n"
              L"· 1 张找不到（已被移走、删除或改名）\r\n"
              L"· 1 张是只读文件\r\n"
              L"· 2 张不是能清除的图片类型（JPEG、PNG、WebP、HEIC、HEIF、AVIF），或是空文件\r\n"
              L"· 1 张其实不是文件（是文件夹或设备）\r\n"
              L"注意：结果文件无法写入（可能被其他程序占用），本次的结果没有记录。");
    CloseHandle(held);
    EXPECT_LT(ReadBytes(pics / L"a.jpg").size(), located.size());
    EXPECT_EQ(ReadBytes(ro), jpeg);
    SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
    Start(cleanable, L"Velmora.exe", pics);
    EXPECT_EQ(FinalMessage(), L"搞定\r\n5 张图片本来就没有需要清除的信息。");
}

// The verb as Explorer users meet it on a fresh Windows: .jpg and .jpeg
// name the machine's file type "jpegfile", which holds another program's
// verb of the same name. The first, interactive, start also shows the
// window at 96 dots per inch with its flat buttons and its About box.
TEST_F(VelmoraE2ETest, TheExplorerVerbCleansPicturesJoinsStartsAndComesOffAgain) {
    UseDpi(96);
    const std::wstring classes = L"Software\\Classes\\";
    const std::pair<std::wstring, std::wstring> values[] = {
        {L".jpg", L"jpegfile"},
        {L".jpeg", L"jpegfile"},
        {L"jpegfile\\shell\\去除EXIF信息\\command", L"\"C:\\Viewer\\view.exe\" \"%1\""}};
    for (const auto& [key, text] : values) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, (classes + key).c_str(), nullptr, REG_SZ, text.c_str(),
                        DWORD(text.size() + 1) * sizeof(wchar_t));
    }
    // Starts the window (and looks at it and its About box when asked),
    // checks the box's state, clicks it, checks the new state and closes
    // the window.
    auto clickBox = [&](LRESULT before, LRESULT after, bool look = false) {
        HWND main = StartWindow();
        ASSERT_TRUE(main);
        if (look) ExpectWindowAndAboutBox(main, L"Velmora", 96, L"-screenshot.bmp");
        auto state = [&] {
            return SendDlgItemMessageW(main, kIdContextMenuBox, BM_GETCHECK, 0, 0);
        };
        EXPECT_EQ(state(), before);
        PostMessageW(GetDlgItem(main, kIdContextMenuBox), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return state() == after; }, 10000));
        CloseAndWait(main);
    };

    clickBox(BST_UNCHECKED, BST_CHECKED, true);
    // 20 pictures chosen at once: Explorer starts the stored command, the
    // program and after two blanks the quoted "%1", once per picture. One
    // start gathers the others' pictures (they end without a word) and one
    // run cleans them all.
    const std::vector<fs::path> pictures = Pictures(20, base / L"My 照片");
    for (const fs::path& p : pictures) Start(L" " + Quoted({p}));
    auto alive = [](const PROCESS_INFORMATION& p) {
        return WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT;
    };
    ASSERT_TRUE(WaitUntil([&] { return std::count_if(started.begin(), started.end(), alive) == 1; },
                          60000));
    pi = *std::find_if(started.begin(), started.end(), alive);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxOf(pi.dwProcessId, L"Velmora"); }, 120000));
    EXPECT_EQ(FinalMessage(), L"搞定\r\n已清除 20 张图片。");
    const std::string event = ReadBytes(tmp / L"Event.txt");
    for (const fs::path& p : pictures) {
        EXPECT_EQ(ReadBytes(p).find("Exif"), std::string::npos) << Utf8(p.wstring());
        const std::string line = Ansi(p.wstring() + L"：已清理");
        EXPECT_TRUE(event.find(line) != event.npos && event.find(line) == event.rfind(line))
            << Utf8(p.wstring());
    }

    // A restart shows the box ticked; unticked, the verb comes off. (The
    // registry suite checks the keys one by one on this registry.)
    clickBox(BST_CHECKED, BST_UNCHECKED);
    for (const wchar_t* key : {L"jpegfile", L".jpg", L".jpeg"}) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (classes + key).c_str());
    }
}

// Hostile names given on the command line: a "tmp" folder whose name the
// command interpreter would expand, names the ANSI code page cannot hold
// (one with a best-fit twin beside it, one whose short name another picture
// shares), a name with line breaks, and a foreign ".tmp" file beside a
// picture. Only the queued pictures change.
TEST_F(VelmoraE2ETest, HostileNamesAndFoldersCleanExactlyTheQueuedPictures) {
    // Were "%OS%" expanded, this script would run instead of ours.
    fs::create_directories(base / L"T Windows_NT x");
    WriteBytes(base / L"T Windows_NT x" / L"Go.bat",
               "echo ran> \"" + Ansi((base / L"sibling ran").wstring()) + "\"\r\n");
    // Were the line breaks to reach the script, it would write this file.
    const fs::path pwned = base / L"pwned.txt";
    const std::wstring injected = L"x\necho PWNED > " + pwned.wstring() + L"\n.jpg";
    // Wine gives both one short name, which leads to the second.
    const fs::path twin = pics / L"사진사진01002.jpg", other = pics / L"사진사진00118.jpg";
    for (const wchar_t* folder : {L"T %OS% x", L"T %1 %~dp0 !x!", L"T 한"}) {
        SCOPED_TRACE(Utf8(folder));
        tmp = base / folder;
        fs::create_directories(tmp);
        SetEnvironmentVariableW(L"tmp", tmp.c_str());
        const fs::path queued[] = {pics / L"photo².jpg", pics / L"사진.jpg", pics / L"😀.jpg",
                                   pics / L"100% p.jpg"};
        const fs::path untouched[] = {pics / L"photo2.jpg", twin, other};
        for (const fs::path& p : queued) WriteBytes(p, jpeg);
        for (const fs::path& p : untouched) WriteBytes(p, jpeg);
        WriteBytes(pics / L"100% p.jpg.tmp", "an editor's backup");

        // The editor's backup is no picture, and the names left out are
        // said with their reason.
        Start(Quoted({queued[0], queued[1], queued[2], queued[3], pics / L"100% p.jpg.tmp",
                      pics / injected, twin}));
        EXPECT_EQ(FinalMessage(),
                  L"已清除 4 张图片。\r\n有 3 张图片未清除，仍带着原来的信息：\r\n"
                  L"· 1 张不是能清除的图片类型（JPEG、PNG、WebP、HEIC、HEIF、AVIF），或是空文件\r\n"
                  L"· 1 张的文件名含有系统代码页无法表示的字符\r\n"
                  L"· 1 张的文件名含有无法安全处理的字符（引号、换行等控制字符）\r\n"
                  L"每张图片的情况见“查看结果”。");

        for (const fs::path& p : queued) {
            EXPECT_LT(ReadBytes(p).size(), jpeg.size()) << Utf8(p.wstring());
            EXPECT_EQ(ReadBytes(p).find("GPS"), std::string::npos) << Utf8(p.wstring());
        }
        for (const fs::path& p : untouched) EXPECT_EQ(ReadBytes(p), jpeg) << Utf8(p.wstring());
        EXPECT_EQ(ReadBytes(pics / L"100% p.jpg.tmp"), "an editor's backup");
        EXPECT_FALSE(fs::exists(base / L"sibling ran") || fs::exists(pwned));
    }
}

// On a screen of 144 dots per inch (150%), the window started under another
// name, laid out one and a half times larger, as its About box. Adding
// files: the real dialog, question, input box and scan. Then a long run
// that shows its count in a progress window laid out one and a half times
// larger, and one run at a time: a command-line start during it waits its
// turn, visibly but without its main window. Cancel ends the run between
// pictures, every picture untouched or cleaned, as many cleaned as the
// message says; the waiting start then runs. Closing the window during a
// run ends the program at once, and the run with it.
TEST_F(VelmoraE2ETest, AddedFilesJoinTheQueueAndALongRunEndsOnCancelOrClose) {
    UseDpi(144);
    // Two sibling folders, so that the reverse order of their blocks shows.
    // Names inside and outside the code page, and a hidden picture.
    const fs::path a = pics / L"a.jpg", c = pics / L"한.png", s1 = pics / L"s1" / L"中文.JPG",
                   s2 = pics / L"s2" / L"사진.jpg", deep = pics / L"s2" / L"深" / L"d.jpg";
    for (const fs::path& p : {a, c, s1, s2, deep}) {
        fs::create_directories(p.parent_path());
        WriteBytes(p, jpeg);
    }
    SetFileAttributesW(deep.c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::vector<std::wstring> tree{deep, s2, s1, a};  // blocks in reverse listing order
    auto first =
        std::find_if(fs::directory_iterator(pics), {}, [](auto& e) { return e.is_directory(); });
    if (first->path().filename() == L"s2") tree = {s1, deep, s2, a};
    const std::vector<fs::path> many = Pictures(300, base / L"many");
    const fs::path late = Pictures(1, base / L"My Pictures")[0];
    fs::copy_file(app / L"Velmora.exe", app / L"Other.exe");
    HWND main = StartWindow(L"Other.exe");
    ASSERT_TRUE(main);
    ExpectWindowAndAboutBox(main, L"Other", 144, L"-screenshot-144dpi.bmp");
    const DWORD window = pi.dwProcessId;
    AddFiles(main, many[0].parent_path(), L"\"0.jpg\"", L"*.jpg");
    ASSERT_TRUE(WaitUntil([&] { return QueueOf(main).size() == many.size(); }, 60000));
    std::vector<std::wstring> queued = QueueOf(main);
    queued.insert(queued.begin(), tree.begin(), tree.end());  // what is added goes on top
    EXPECT_EQ(AddFiles(main, pics, L"\"a.jpg\" \"한.png\"", L"*.jpg"),
              L"要选择 " + pics.wstring() + L"\\ 及其子文件夹下所有同类文件吗？");
    ASSERT_TRUE(WaitUntil([&] { return QueueOf(main) == queued; }, 30000));

    PostMessageW(GetDlgItem(main, kIdRemove), BM_CLICK, 0, 0);
    HWND progress = WaitForWindow(window, L"VelmoraProgress");
    ASSERT_TRUE(progress);
    test::ExpectLaidOut(progress, kProgressLayout, 144);
    auto count = [&] {  // "正在清除 i/n name"
        const std::wstring st = WindowText(GetDlgItem(progress, kIdProgressStatus));
        return st.size() > 5 ? _wtoi(st.c_str() + 5) : 0;
    };
    ASSERT_TRUE(WaitUntil([&] { return count() > int(tree.size()) + 1; }, 60000));
    Capture(progress, bin / L"progress-screenshot-144dpi.bmp");
    Start(Quoted({late}));
    EXPECT_TRUE(WaitForWindow(pi.dwProcessId, L"VelmoraProgress"));
    for (HWND h : WindowsOf(pi.dwProcessId, L"VelmoraMainWindow")) EXPECT_FALSE(IsWindowVisible(h));
    PostMessageW(GetDlgItem(progress, kIdProgressCancel), BM_CLICK, 0, 0);
    const std::wstring message = Answer(window, IDOK);
    ASSERT_EQ(message.rfind(L"已取消：已处理 ", 0), 0u) << Utf8(message);
    // The progress window went before the message.
    EXPECT_FALSE(IsWindow(progress) && IsWindowVisible(progress));
    EXPECT_EQ(FinalMessage(), L"搞定\r\n已清除 1 张图片。");
    EXPECT_LT(ReadBytes(late).size(), jpeg.size());
    const size_t cleanedSize = ReadBytes(a).size();
    auto cleaned = [&] {  // the scanned pictures came first
        int n = int(tree.size());
        for (const fs::path& p : many) {
            const size_t size = ReadBytes(p).size();
            n += size == cleanedSize;
            EXPECT_TRUE(size == cleanedSize || size == jpeg.size()) << Utf8(p.wstring());
        }
        return n;
    };
    for (const std::wstring& p : tree) EXPECT_LT(ReadBytes(p).size(), jpeg.size()) << Utf8(p);
    const int said = _wtoi(message.substr(8).c_str());
    EXPECT_EQ(cleaned(), said);
    EXPECT_LT(said, int(tree.size() + many.size()));

    PostMessageW(GetDlgItem(main, kIdRemove), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitForWindow(window, L"VelmoraProgress"));
    pi = started.front();
    CloseAndWait(main);
    EXPECT_TRUE(WaitUntil([&] { return RunProcessesLeft(window) == 0; }, 10000));
    EXPECT_GE(cleaned(), said);
}

}  // namespace
}  // namespace velmora
