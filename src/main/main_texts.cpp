#include "main/main_texts.h"

#include "common/text.h"

namespace velmora {

namespace {

constexpr const wchar_t* kTexts[] = {
    L"搞定",
    L"完成，但有 {1} 个文件未清除，原因见结果文件（查看结果）。",
    L"{1}：未处理，文件名含有系统代码页无法表示的字符，且所在磁盘没有短文件名，文件未改动",
    L"无法把 jhead.exe 复制到临时文件夹：\r\n{1}\r\n本次清除使用该文件夹中已有的 jhead.exe。",
    L"无法把 jhead.exe 复制到临时文件夹，那里也没有可用的副本：\r\n{1}\r\n没有处理任何图片。",
    L"无法在临时文件夹中写入脚本 Go.bat：\r\n{1}\r\n没有处理任何图片。",
    L"无法运行临时文件夹中的脚本 Go.bat：\r\n{1}\r\n没有处理任何图片。",
    L"无法启动记事本打开结果文件：\r\n{1}",
};

}  // namespace

std::wstring MainMessage(MainText text, std::initializer_list<std::wstring_view> args) {
    return FormatText(kTexts[int(text)], args);
}

}  // namespace velmora
