// The texts the Explorer integration shows, by enum.
#pragma once

namespace velmora {

enum class ShellMenuText { Verb, MenuNotChanged };

inline constexpr const wchar_t* kShellMenuTexts[] = {
    L"去除EXIF信息",
    L"无法修改右键菜单：注册表写入失败。",
};

constexpr const wchar_t* Text(ShellMenuText t) { return kShellMenuTexts[int(t)]; }

}  // namespace velmora
