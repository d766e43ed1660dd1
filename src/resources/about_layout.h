// The About box's layout: a fixed tool window; texts that come from the
// version information or the build's settings are set when it loads.
#pragma once

#include <iterator>

#include "resources/layout.h"

namespace velmora {

enum AboutControlId : int {
    kIdAboutSystemInfo = 300,  // "Inf", the only tab stop
    kIdAboutIcon,
    kIdAboutProduct,
    kIdAboutVersion,
    kIdAboutBlueLine,
    kIdAboutDescription,
    kIdAboutInvitation,
    kIdAboutLine,
    kIdAboutRights,
    kIdAboutHomePageLabel,
    kIdAboutHomePage,
    kIdAboutEmailLabel,
    kIdAboutEmail,
    kIdAboutLocationLabel,
    kIdAboutLocation,
    kIdAboutImNumber,
};

inline constexpr FontSpec kAboutFont{L"宋体", 900, kGb2312CharSet};
inline constexpr FontSpec kAboutSmallFont{L"宋体", 825, kGb2312CharSet};
inline constexpr FontSpec kAboutLinkFont{L"宋体", 900, kGb2312CharSet, false, true};
inline constexpr FontSpec kAboutEmailFont{L"MS Sans Serif", 825, 0};
inline constexpr uint32_t kAboutBlue = 0xFF0000;  // 0x00BBGGRR
inline constexpr uint32_t kAboutGrey = 0x808080;

// Prefix of the instant-messaging line, before the number.
inline constexpr wchar_t kAboutImPrefix[] = L"QQ：";
inline constexpr wchar_t kAboutHomePageTip[] = L"访问我的主页";

using K = ControlKind;
inline constexpr ControlLayout kAboutControls[] = {
    {kIdAboutSystemInfo, L"Command1", K::Button, L"Inf", 90, 3030, 615, 300},
    {kIdAboutIcon, L"Img", K::Image, L"", 405, 210, 640, 640},
    {kIdAboutProduct, L"Label1", K::Label, L"", 2730, 30, 1875, 225},
    {kIdAboutVersion, L"Label2", K::Label, L"", 2730, 210, 1875, 225},
    {kIdAboutBlueLine, L"Line2", K::Line, L"", 1770, 420, 2760, 15, nullptr, true, false,
     kAboutBlue},
    {kIdAboutDescription, L"Text2", K::TextBox, L"", 1710, 480, 2895, 1515, nullptr, true, false,
     kDefaultColor, kLookMultiLine | kLookFramed | kLookNoTabStop},
    {kIdAboutInvitation, L"Label11", K::Label, L"程序纯个人创作,若发现Bug 或有建议欢迎联系与交流！",
     210, 1050, 1440, 1080},
    {kIdAboutLine, L"Line1", K::Line, L"", 120, 2160, 4410, 30},
    {kIdAboutRights, L"Label8", K::Label, L"", 1380, 2250, 1845, 210, &kAboutSmallFont, true, false,
     kAboutGrey},
    {kIdAboutHomePageLabel, L"Label5", K::Label, L"主页：", 600, 2468, 1275, 225, nullptr, true,
     false, kDefaultColor, kLookRightAligned},
    {kIdAboutHomePage, L"Label9", K::Label, L"", 1890, 2468, 2715, 225, &kAboutLinkFont, true,
     false, kAboutBlue},
    {kIdAboutEmailLabel, L"Label6", K::Label, L"Email：", 600, 2686, 1275, 225, nullptr, true,
     false, kDefaultColor, kLookRightAligned},
    {kIdAboutEmail, L"Text1", K::TextBox, L"", 1890, 2686, 1455, 225, &kAboutEmailFont, true, false,
     kDefaultColor, kLookNoTabStop},
    {kIdAboutLocationLabel, L"Label3", K::Label, L"地址：", 930, 2910, 945, 225, nullptr, true,
     false, kDefaultColor, kLookRightAligned},
    {kIdAboutLocation, L"Label7", K::Label, L"", 1860, 2910, 2355, 225, nullptr, true, false,
     kAboutBlue},
    {kIdAboutImNumber, L"Label12", K::Label, L"", 600, 3120, 1905, 225, nullptr, true, false,
     kDefaultColor, kLookRightAligned},
};

// The caption is set when the box loads.
inline constexpr WindowLayout kAboutLayout{
    L"", 4680, 3330, &kAboutFont, kAboutControls, int(std::size(kAboutControls))};

}  // namespace velmora
