// The texts the Explorer integration shows, by enum.
#pragma once

namespace velmora {

enum class ShellMenuText { Verb, MenuNotChanged, InstalledForAllUsers };

inline constexpr const wchar_t* kShellMenuTexts[] = {
    L"去除EXIF信息",
    L"无法修改右键菜单：注册表写入失败。",
    L"无法删除右键菜单：它是为所有用户安装的，需由管理员删除。",
};

constexpr const wchar_t* Text(ShellMenuText t) { return kShellMenuTexts[int(t)]; }

}  // namespace velmora
