// The main window's layout.
#pragma once

#include <iterator>

#include "resources/layout.h"

namespace velmora {

enum MainControlId : int {
    kIdQueue = 100,
    kIdAddFiles,
    kIdRemove,
    kIdSameNameBox,
    kIdClear,
    kIdContextMenuBox,
    kIdAbout,
    kIdDescription,
    kIdAdvertisement,
    kIdViewResults,
};

// SimSun, as a form on Chinese Windows uses; "..." gets a smaller size.
inline constexpr FontSpec kMainFont{L"宋体", 900, kGb2312CharSet};
inline constexpr FontSpec kAboutButtonFont{L"宋体", 525, kGb2312CharSet};
inline constexpr uint32_t kBlue = 0xFF0000;  // 0x00BBGGRR

using K = ControlKind;
inline constexpr ControlLayout kMainControls[] = {
    {kIdQueue, L"L", K::ListBox, L"", 0, 375, 5730, 2220},
    {kIdAddFiles, L"Command1", K::Button, L"添加文件", 1170, 0, 1185, 375},
    {kIdRemove, L"Command2", K::Button, L"清除EXIF信息", 2340, 0, 1455, 375},
    {kIdSameNameBox, L"Ch", K::CheckBox, L"清除后保存为相同文件名", 2160, 2610, 2805, 240, nullptr,
     false, true},
    {kIdClear, L"Command3", K::Button, L"清空列表", 0, 0, 1185, 375},
    {kIdContextMenuBox, L"Check1", K::CheckBox, L"关联jpg文件右键菜单", -15, 2610, 2055, 225},
    {kIdAbout, L"Command4", K::Button, L"...", 5385, 0, 360, 375, &kAboutButtonFont},
    {kIdDescription, L"Label1", K::Label,
     L"本程序用于批量去除各种图片文件的附加信息（EXIF），如相机信息、Photoshop编辑信息、作者信息等"
     L"。",
     60, 3000, 4515, 480, nullptr, true, false, kBlue},
    {kIdAdvertisement, L"Advertise1", K::Panel, L"", 4920, 2700, 750, 600},
    {kIdViewResults, L"Command5", K::Button, L"查看结果", 3780, 0, 915, 375},
};

// Shown inside the queue while it is empty.
inline constexpr wchar_t kQueueHint[] = L"将图片或文件夹拖放到此处，或单击“添加文件”。";

inline constexpr WindowLayout kMainLayout{L"TarvikEXIF清除器 - 去除图片的附加信息",
                                          5745,
                                          3480,
                                          &kMainFont,
                                          kMainControls,
                                          int(std::size(kMainControls))};

}  // namespace velmora
