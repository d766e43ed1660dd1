// Times the two bulk steps of adding files, under Wine:
//   queue  30,000 new paths put on top of a real list box holding 30,000
//          (half of them duplicates), against filling the same box with the
//          60,000 rows the result holds (the list box's own floor);
//   scan   the folder scan of a tree, printed as seconds for bench/add_files.sh
//          to set against `find` on the same tree.
// Usage: add_files_bench queue | add_files_bench scan <folder> <patterns>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "addfiles/add_it.h"
#include "addfiles/folder_scan.h"
#include "common/wildcard.h"
#include "runtime/controls_win.h"
#include "runtime/file_system_win.h"

namespace velmora {
namespace {

double Seconds() {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return double(now.QuadPart) / double(freq.QuadPart);
}

std::wstring PathNumber(int i) {
    return L"C:\\Users\\someone\\Pictures\\2024\\album " + std::to_wstring(i / 1000) + L"\\IMG_" +
           std::to_wstring(100000 + i) + L".JPG";
}

// The queue as the main window has it: a child list box with a tooltip.
HWND MakeListBox() {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    return CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL, 0,
                           0, 400, 300, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int Queue() {
    constexpr int kOld = 30000, kNew = 30000;
    HWND box = MakeListBox();
    Win32ListBox list(box);
    std::vector<std::wstring> batch;
    for (int i = 0; i < kNew; ++i) batch.push_back(PathNumber(i + kOld / 2));  // half are old rows
    std::vector<std::wstring> rows;
    for (int i = 0; i < kOld + kNew / 2; ++i) rows.push_back(PathNumber(i));

    for (int i = 0; i < kOld; ++i) list.AddItem(PathNumber(i));
    const double t0 = Seconds();
    Win32FileSystem files;
    AddIt(batch, list, true, 0, files);
    const double addIt = Seconds() - t0;
    const int count = list.ListCount();

    const double t1 = Seconds();
    list.SetRedraw(false);
    list.Clear();
    for (const std::wstring& row : rows) list.AddItem(row);
    list.SetRedraw(true);
    const double floor = Seconds() - t1;
    std::printf("queue: AddIt %.3f s (%d rows), plain fill %.3f s, ratio %.2f\n", addIt, count,
                floor, addIt / floor);
    DestroyWindow(GetParent(box));
    return count == kOld + kNew / 2 ? 0 : 1;
}

int Scan(const wchar_t* folder, const wchar_t* patterns) {
    Win32FileSystem files;
    std::vector<std::wstring> found;
    const double t0 = Seconds();
    ScanFolder(
        files, folder, PatternSet(patterns), [](const std::wstring&) { return true; }, found);
    std::printf("scan: %.3f s, %zu files\n", Seconds() - t0, found.size());
    return 0;
}

}  // namespace
}  // namespace velmora

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wstring(argv[1]) == L"queue") return velmora::Queue();
    if (argc >= 4 && std::wstring(argv[1]) == L"scan") return velmora::Scan(argv[2], argv[3]);
    std::fprintf(stderr, "usage: add_files_bench queue | scan <folder> <patterns>\n");
    return 2;
}
