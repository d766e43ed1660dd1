// The system's ANSI code page, for texts whose exact bytes matter (a digest
// compared with stored ones).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class CodePage {
public:
    virtual ~CodePage() = default;
    // The text's bytes in the ANSI code page, without a terminator; nullopt
    // when the code page cannot hold the text exactly.
    virtual std::optional<std::string> ToAnsi(std::wstring_view text) = 0;
};

}  // namespace velmora
