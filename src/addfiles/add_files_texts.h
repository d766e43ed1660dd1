// The texts the add-files flow and the progress window show, by role.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

enum class AddFilesText {
    DialogTitle,
    AllFilesFilter,
    TooManyFiles,
    AskScanFolderBefore,  // + folder +
    AskScanFolderAfter,
    PatternPrompt,
    MalformedPatternBefore,  // + pattern +
    MalformedPatternAfter,
    NoMatchBefore,  // + pattern +
    NoMatchAfter,
    Scanning,
    Cleaning,  // + " i/n"
    WaitingForOtherRun,
    OutOfMemory,
};

inline constexpr const wchar_t* kAddFilesTexts[] = {
    L"选择文件(可多选)",
    L"所有文件|*.*",
    L"文件选取过多。",
    L"要选择 ",
    L" 及其子文件夹下所有同类文件吗？",
    L"请输入匹配字符串，如*.jpg、jpg或pic???.jpg，多个以\";\"间隔。",
    L"匹配字符串有误：",
    L"\r\n“[”之后缺少“]”。没有扫描文件夹，只添加选中的文件。",
    L"没有与“",
    L"”匹配的文件。只添加选中的文件。",
    L"正在扫描文件...",
    L"正在清除",
    L"正在等待另一个清除任务结束...",
    L"内存不足。",
};

inline std::wstring AddFilesMessage(AddFilesText id) {
    return kAddFilesTexts[static_cast<int>(id)];
}

}  // namespace velmora
