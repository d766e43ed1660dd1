// Window layouts as tables: every control with its kind, caption, place and
// look, positions in twips (1/1440 inch) relative to the client area.
// Creation order is tab order.
#pragma once

#include <cstdint>

namespace velmora {

enum class ControlKind { Button, ListBox, CheckBox, Label, TextBox, Image, Line, Panel };

struct FontSpec {
    const wchar_t* face;
    int centiPoints;  // 900 is 9 points
    uint8_t charSet;  // 134 is GB2312
    bool bold = false;
    bool underline = false;
};

// How a control looks beyond its kind; flags that combine.
enum ControlLook : uint8_t {
    kLookPlain = 0,
    kLookRightAligned = 1,  // labels
    kLookMultiLine = 2,     // text boxes, wrapping
    kLookFramed = 4,        // text boxes: a thin border
    kLookNoTabStop = 8,
};

inline constexpr uint32_t kDefaultColor = 0xFFFFFFFF;
inline constexpr uint8_t kGb2312CharSet = 134;

struct ControlLayout {
    int id;
    const wchar_t* name;  // the control's name, tying it to its place
    ControlKind kind;
    const wchar_t* caption;
    int left, top, width, height;
    const FontSpec* font = nullptr;  // nullptr: the window's font
    bool visible = true;
    bool checked = false;
    uint32_t textColor = kDefaultColor;  // 0x00BBGGRR; a line's own colour
    uint8_t look = kLookPlain;
};

struct WindowLayout {
    const wchar_t* caption;
    int clientWidth, clientHeight;  // twips
    const FontSpec* font;
    const ControlLayout* controls;
    int controlCount;
};

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace velmora
