// The real main window under Wine, driven by window messages, with fake
// services behind it. The window stays hidden: messages reach it all the
// same, and Wine without a window manager takes seconds to take one down.
#include "main/main_window_win.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include "resources/main_window_layout.h"
#include "runtime/handles_win.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

using Paths = std::vector<std::wstring>;

// A shell drop of `paths` on `target`, as Explorer hands it over.
void Drop(HWND target, const Paths& paths) {
    std::wstring names;
    for (const std::wstring& p : paths) names += p + L'\0';
    names += L'\0';
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    memcpy(df + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(mem);
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
}

// Pixels in the middle third of the list, as it paints itself into a
// bitmap, that differ from its bottom-right corner: the hint's text.
int HintPixels(HWND list) {
    RECT r;
    GetClientRect(list, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    Owned<HBITMAP, GdiCloser> bitmap(CreateCompatibleBitmap(screen, r.right, r.bottom));
    ReleaseDC(nullptr, screen);
    SelectObject(dc, bitmap.get());
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF background = GetPixel(dc, r.right - 1, r.bottom - 1);
    int count = 0;
    for (int y = r.bottom / 3; y < r.bottom * 2 / 3; ++y) {
        for (int x = 0; x < r.right; ++x) count += GetPixel(dc, x, y) != background;
    }
    DeleteDC(dc);
    return count;
}

class MainWindowWinTest : public ::testing::Test {
protected:
    HWND Queue() { return window.control(kIdQueue); }
    Paths QueueRows() { return Rows(window.queue()); }
    void Fill(const Paths& rows) {
        window.queue().Clear();
        for (const std::wstring& r : rows) window.queue().AddItem(r);
    }
    LPARAM RowPoint(int row) {
        RECT r;
        SendMessageW(Queue(), LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    }
    void PressDelete() { SendMessageW(Queue(), WM_KEYDOWN, VK_DELETE, 0); }

    test::FakeServices fake;
    MainWindowWin window{fake.services};
};

TEST_F(MainWindowWinTest, DroppedFilesGoOnTopAndTheEmptyQueueShowsAHint) {
    ASSERT_TRUE(window.created());
    EXPECT_GT(HintPixels(Queue()), 0);
    // Files dropped anywhere on the window join the queue.
    EXPECT_TRUE(GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Drop(window.hwnd(), {L"C:\\a.jpg"});
    EXPECT_EQ(QueueRows(), Paths{L"C:\\a.jpg"});
    EXPECT_EQ(HintPixels(Queue()), 0);
    PressDelete();
    EXPECT_GT(HintPixels(Queue()), 0);

    Fill({L"C:\\old.jpg", L"C:\\Pics\\A.JPG"});
    Drop(Queue(), {L"C:\\照片\\新.jpg", L"c:\\pics\\a.jpg"});
    EXPECT_EQ(QueueRows(), (Paths{L"C:\\照片\\新.jpg", L"c:\\pics\\a.jpg", L"C:\\old.jpg"}));
    EXPECT_EQ(window.queue().ListIndex(), 0);
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(kIdClear, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.control(kIdClear)));
    EXPECT_TRUE(QueueRows().empty());
}

TEST_F(MainWindowWinTest, DeleteKeyRemovesOneEntryAtATimeBeyondSixteenBitRows) {
    Fill({L"A", L"B"});
    PressDelete();  // nothing selected
    EXPECT_EQ(QueueRows().size(), 2u);
    window.queue().SetListIndex(0);
    SendMessageW(Queue(), WM_KEYDOWN, VK_INSERT, 0);  // only Delete acts
    PressDelete();
    EXPECT_EQ(QueueRows(), Paths{L"B"});
    EXPECT_EQ(window.queue().toolTipText(), L"B");  // the entry that followed
    PressDelete();
    EXPECT_TRUE(QueueRows().empty());
    EXPECT_EQ(window.queue().ListIndex(), -1);

    window.queue().SetRedraw(false);
    for (int i = 0; i < 32800; ++i) window.queue().AddItem(std::to_wstring(i));
    window.queue().SetRedraw(true);
    window.queue().SetListIndex(32799);
    PressDelete();  // the last row: the new last one is selected
    EXPECT_EQ(window.queue().ListCount(), 32799);
    EXPECT_EQ(window.queue().ListIndex(), 32798);
    EXPECT_EQ(window.queue().toolTipText(), L"32798");
}

// Step by step the entry is carried down row after row; in one jump only
// the two rows at the ends change places.
TEST_F(MainWindowWinTest, DraggingWithTheLeftButtonCarriesTheEntryAlong) {
    for (const auto& [moves, moved] :
         {std::pair{std::vector{1, 2, 3}, Paths{L"B", L"C", L"D", L"A"}},
          {std::vector{3}, Paths{L"D", L"B", L"C", L"A"}}}) {
        Fill({L"A", L"B", L"C", L"D"});
        SendMessageW(Queue(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(0));
        for (int row : moves) SendMessageW(Queue(), WM_MOUSEMOVE, MK_LBUTTON, RowPoint(row));
        SendMessageW(Queue(), WM_LBUTTONUP, 0, RowPoint(3));
        EXPECT_EQ(QueueRows(), moved);
        EXPECT_EQ(window.queue().ListIndex(), 3);
    }

    // Moving without the left button, or with the right one too, reorders
    // nothing.
    window.queue().SetListIndex(1);
    SendMessageW(Queue(), WM_MOUSEMOVE, 0, RowPoint(2));
    SendMessageW(Queue(), WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, RowPoint(2));
    EXPECT_EQ(QueueRows(), (Paths{L"D", L"B", L"C", L"A"}));
}

}  // namespace
}  // namespace velmora
