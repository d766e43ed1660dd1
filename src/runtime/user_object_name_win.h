// Names of the kernel objects that the copies of a program share for one
// user of one session.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora {

// "Local\<program>.<purpose>.<user>": Local\ keeps the name within the
// user's session, the user's name keeps other users' copies apart.
inline std::wstring UserObjectName(std::wstring_view program, std::wstring_view purpose) {
    wchar_t user[256] = L"";
    DWORD size = 256;
    if (!GetUserNameW(user, &size)) user[0] = L'\0';
    return L"Local\\" + std::wstring(program) + L"." + std::wstring(purpose) + L"." + user;
}

}  // namespace velmora
