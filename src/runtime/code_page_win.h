// The ANSI code page of the system, through the program's one conversion.
#pragma once

#include "runtime/code_page.h"

namespace velmora {

class Win32CodePage : public CodePage {
public:
    std::optional<std::string> ToAnsi(std::wstring_view text) override;
};

}  // namespace velmora
