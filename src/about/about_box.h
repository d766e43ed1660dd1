// The About box's texts and its hand-off of addresses to the web browser.
// The Win32 box (about_box_win.h) shows them.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

class Processes;

// What the executable's version information says about the program.
struct VersionFacts {
    std::wstring productName;
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::wstring description;
};

struct AboutTexts {
    std::wstring caption;
    std::wstring productName;
    std::wstring version;
    std::wstring description;
};

// The box's texts for an executable named `exeName` (without extension).
AboutTexts MakeAboutTexts(std::wstring_view exeName, const VersionFacts& facts);

// Opens an address in the default web browser: Explorer hands it on.
void OpenAddress(Processes& processes, std::wstring_view address);

}  // namespace velmora
