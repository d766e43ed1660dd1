// StartJoin for the starts of one user session: a named mutex elects the
// owner, whose message-only window takes the others' paths (WM_COPYDATA).
#pragma once

#include <windows.h>

#include "runtime/start_join.h"

namespace velmora {

class Win32StartJoin : public StartJoin {
public:
    // `name` tells programs apart; starts with the same name join.
    explicit Win32StartJoin(std::wstring name = L"Velmora");
    ~Win32StartJoin() override;
    Win32StartJoin(const Win32StartJoin&) = delete;
    Win32StartJoin& operator=(const Win32StartJoin&) = delete;

    bool HandOver(const std::vector<std::wstring>& paths) override;
    std::vector<std::wstring> TakeHandedOver() override;
    bool CloseIfIdle() override;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool TryOwn();
    void Close();

    std::wstring name_;
    HANDLE mutex_ = nullptr;
    bool owner_ = false;
    HWND window_ = nullptr;
    std::vector<std::wstring> arrived_;
};

}  // namespace velmora
