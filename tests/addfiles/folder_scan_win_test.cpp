// The real folder listing on a real tree, in-process under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "addfiles/folder_scan.h"
#include "common/wildcard.h"
#include "runtime/file_system_win.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(FolderScanWin, EveryNameIsListedAndALinkBackIsNotFollowed) {
    const fs::path dir = fs::temp_directory_path() / L"velmora scan";
    fs::create_directories(dir / L"sub");
    auto make = [&](const wchar_t* name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        CloseHandle(CreateFileW((dir / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes, nullptr));
        return (dir / name).wstring();
    };
    std::vector<std::wstring> expected{make(L"sub\\b.jpg"),
                                       make(L"a.jpg"),
                                       make(L"中文.jpg"),
                                       make(L"한국어.JPG"),
                                       make(L"hid.jpg", FILE_ATTRIBUTE_HIDDEN),
                                       make(L"sys.jpg", FILE_ATTRIBUTE_SYSTEM),
                                       make(L"README") + L"."};
    make(L"x.png");
    ASSERT_TRUE(CreateSymbolicLinkW((dir / L"sub" / L"loop").c_str(), dir.c_str(),
                                    SYMBOLIC_LINK_FLAG_DIRECTORY));
    Win32FileSystem files;
    std::vector<std::wstring> found;
    ScanFolder(
        files, dir, PatternSet(L"*.jpg;*."), [](auto&) { return true; }, found);
    ASSERT_TRUE(!found.empty() && found.front() == expected.front());  // the subfolder's first
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    RemoveDirectoryW((dir / L"sub" / L"loop").c_str());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace velmora
