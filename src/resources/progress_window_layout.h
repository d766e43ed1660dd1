// The progress window's layout: a status line, the bar on its track, and
// Cancel, over a label that covers the window and drags it.
#pragma once

#include <iterator>

#include "resources/layout.h"

namespace velmora {

enum ProgressControlId : int {
    kIdProgressStatus = 200,
    kIdProgressBar,
    kIdProgressTrack,
    kIdProgressDragArea,
    kIdProgressCancel,
};

inline constexpr uint32_t kProgressWindowColor = 0x404040;  // 0x00BBGGRR
inline constexpr uint32_t kProgressDragAreaColor = 0xFFE0F6;
inline constexpr FontSpec kProgressFont{L"宋体", 900, kGb2312CharSet};

// Front to back: the status line and the bar stand in front of the track,
// which stands in front of the drag area.
inline constexpr ControlLayout kProgressControls[] = {
    {kIdProgressStatus, L"ST", ControlKind::Label, L"", 45, 120, 0, 180, nullptr, true, false,
     0xFF0000, kLookPlain, kProgressDragAreaColor},
    {kIdProgressBar, L"Pro", ControlKind::Label, L"", 90, 450, 0, 285, nullptr, true, false,
     0xFFFF00, kLookRightAligned, 0xFF80A0},
    {kIdProgressCancel, L"Command1", ControlKind::Button, L"取消", 2010, 780, 1065, 315},
    {kIdProgressTrack, L"Label1", ControlKind::Label, L"", 90, 440, 5000, 300, nullptr, true, false,
     kDefaultColor, kLookPlain, 0xC0C0C0},
    {kIdProgressDragArea, L"Label2", ControlKind::Label, L"", 0, 0, 5150, 1140, nullptr, true,
     false, kDefaultColor, kLookPlain, kProgressDragAreaColor},
};

inline constexpr WindowLayout kProgressLayout{
    L"ProB", 5175, 1170, &kProgressFont, kProgressControls, int(std::size(kProgressControls))};

}  // namespace velmora
