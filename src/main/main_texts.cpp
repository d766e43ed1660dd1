#include "main/main_texts.h"

#include <iterator>

#include "common/text.h"

namespace velmora {

namespace {

constexpr const wchar_t* kTexts[] = {
    L"搞定",
    L"已清除 {1} 张图片。",
    L"已清除 {1} 张图片，其中 {2} 张含GPS位置。",
    L"{1} 张图片本来就没有需要清除的信息。",
    L"有 {1} 张图片未清除，仍带着原来的信息：",
    L"有 {1} 张图片未清除，仍带着原来的信息，其中 {2} 张仍含GPS位置：",
    L"已处理但未清除的图片中，有 {1} 张仍含GPS位置。",
    L"已取消：已处理 {1} 张，共 {2} 张图片。其余图片未改动。",
    L"· {1} 张找不到（已被移走、删除或改名）",
    L"· {1} 张是只读文件",
    L"· {1} 张正被其他程序使用",
    L"· {1} 张没有修改权限",
    L"· {1} 张不是能清除的图片类型（JPEG、PNG、WebP、HEIC、HEIF、AVIF），或是空文件",
    L"· {1} 张已损坏",
    L"· {1} 张其实不是文件（是文件夹或设备）",
    L"· {1} 张因磁盘空间不足",
    L"· {1} 张因其他错误",
    L"· {1} 张的文件名含有系统代码页无法表示的字符",
    L"· {1} 张没有得到清除工具的结果（工具未能运行完）",
    L"每张图片的情况见“查看结果”。",
    L"注意：有 {1} 张图片的结果没能写入结果文件，“查看结果”中缺少它们。",
    L"注意：结果文件无法写入（可能被其他程序占用），本次的结果没有记录。",
    L"上次清除的结果没能写入结果文件（可能被其他程序占用），结果文件中不是上次的结果。",
    L"{1}：未处理，文件名含有系统代码页无法表示的字符，且所在磁盘没有短文件名，文件未改动",
    L"程序文件夹中没有 jhead.exe，或无法读取：\r\n{1}\r\n没有处理任何图片。",
    L"无法把 jhead.exe "
    L"复制到临时文件夹（那里的副本可能正被使用，或磁盘已满）：\r\n{1}\r\n没有处理任何图片。",
    L"无法在临时文件夹中记录清除结果：\r\n{1}\r\n没有处理任何图片。",
    L"无法在临时文件夹中写入脚本 Go.bat：\r\n{1}\r\n没有处理任何图片。",
    L"无法运行临时文件夹中的脚本 Go.bat：\r\n{1}\r\n没有处理任何图片。",
    L"无法启动记事本打开结果文件：\r\n{1}",
    L"已取消：另一个清除任务仍在进行，本次没有处理任何图片。",
};
static_assert(std::size(kTexts) == size_t(MainText::CancelledWaiting) + 1);

}  // namespace

std::wstring MainMessage(MainText text, std::initializer_list<std::wstring_view> args) {
    return FormatText(kTexts[int(text)], args);
}

}  // namespace velmora
