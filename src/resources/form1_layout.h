// The main window's layout: sizes in twips (1/1440 inch), controls in tab
// order (creation order is tab order), with their captions.
#pragma once

namespace velmora {

enum class ControlKind { Button, ListBox, CheckBox, Label, Panel };
enum class ControlFont { Normal, Small };

enum Form1ControlId : int {
    kIdL = 100,
    kIdCommand1,
    kIdCommand2,
    kIdCh,
    kIdCommand3,
    kIdCheck1,
    kIdCommand4,
    kIdLabel1,
    kIdAdvertise1,
    kIdCommand5,
};

struct ControlLayout {
    int id;
    const wchar_t* name;
    ControlKind kind;
    const wchar_t* caption;
    int left, top, width, height;  // twips, relative to the client area
    ControlFont font;
    bool visible;
    bool checked;
};

inline constexpr wchar_t kForm1Caption[] = L"TarvikEXIF清除器 - 去除图片的附加信息";
inline constexpr int kForm1ClientWidth = 5745;
inline constexpr int kForm1ClientHeight = 3420;

// SimSun, as a form on Chinese Windows uses; "..." gets a smaller size.
inline constexpr wchar_t kFormFontFace[] = L"宋体";
inline constexpr int kNormalFontCentiPoints = 900;
inline constexpr int kSmallFontCentiPoints = 525;

inline constexpr unsigned kLabel1TextColor = 0xFF0000;  // 0x00BBGGRR: pure blue

using K = ControlKind;
using F = ControlFont;
inline constexpr ControlLayout kForm1Layout[] = {
    {kIdL, L"L", K::ListBox, L"", 0, 375, 5730, 2220, F::Normal, true, false},
    {kIdCommand1, L"Command1", K::Button, L"添加文件", 1170, 0, 1185, 375, F::Normal, true, false},
    {kIdCommand2, L"Command2", K::Button, L"清除EXIF信息", 2340, 0, 1455, 375, F::Normal, true,
     false},
    {kIdCh, L"Ch", K::CheckBox, L"清除后保存为相同文件名", 2160, 2610, 2805, 240, F::Normal, false,
     true},
    {kIdCommand3, L"Command3", K::Button, L"清空列表", 0, 0, 1185, 375, F::Normal, true, false},
    {kIdCheck1, L"Check1", K::CheckBox, L"关联jpg文件右键菜单", -15, 2610, 2055, 225, F::Normal,
     true, false},
    {kIdCommand4, L"Command4", K::Button, L"...", 5385, 0, 360, 375, F::Small, true, false},
    {kIdLabel1, L"Label1", K::Label,
     L"本程序用于批量去除各种图片文件的附加信息（EXIF），如相机信息、Photoshop编辑信息、作者信息等"
     L"。",
     60, 3000, 4515, 435, F::Normal, true, false},
    {kIdAdvertise1, L"Advertise1", K::Panel, L"", 4920, 2700, 750, 600, F::Normal, true, false},
    {kIdCommand5, L"Command5", K::Button, L"查看结果", 3780, 0, 915, 375, F::Normal, true, false},
};

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace velmora
