// A CodePage for tests: ASCII as itself, other characters from `bytes`
// (their code page form, set by the test) or the default character "?";
// `fails` makes every conversion fail.
#pragma once

#include <map>

#include "runtime/code_page.h"

namespace velmora::test {

class FakeCodePage : public CodePage {
public:
    std::map<wchar_t, std::string> bytes;
    bool fails = false;

    std::optional<std::string> ToAnsi(std::wstring_view text) override {
        if (fails) return std::nullopt;
        std::string out;
        for (wchar_t c : text) {
            auto it = bytes.find(c);
            out += c < 0x80 ? std::string(1, char(c)) : it != bytes.end() ? it->second : "?";
        }
        return out;
    }
};

}  // namespace velmora::test
