// UTF-16 to 8-bit text in a given code page, for the end-to-end test and
// its stand-in tool (both independent of the program's own code).
#pragma once

#include <windows.h>

#include <string>

inline std::string Narrow(const std::wstring& text, UINT codePage) {
    int n = WideCharToMultiByte(codePage, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), int(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}
