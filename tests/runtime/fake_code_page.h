// A CodePage for tests: ASCII as itself, other characters from `bytes`
// (their code page form, set by the test); a text with any other character
// cannot be converted.
#pragma once

#include <map>

#include "runtime/code_page.h"

namespace velmora::test {

class FakeCodePage : public CodePage {
public:
    std::map<wchar_t, std::string> bytes;

    std::optional<std::string> ToAnsi(std::wstring_view text) override {
        std::string out;
        for (wchar_t c : text) {
            auto it = bytes.find(c);
            if (c >= 0x80 && it == bytes.end()) return std::nullopt;
            out += c < 0x80 ? std::string(1, char(c)) : it->second;
        }
        return out;
    }
};

}  // namespace velmora::test
