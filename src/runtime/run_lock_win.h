// The run lock as a named mutex of the user's session.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/run_lock.h"

namespace velmora {

class Win32RunLock : public RunLock {
public:
    // `name` tells programs apart; the user's name is added to it.
    explicit Win32RunLock(std::wstring name = L"Velmora");
    ~Win32RunLock() override;
    Win32RunLock(const Win32RunLock&) = delete;
    Win32RunLock& operator=(const Win32RunLock&) = delete;

    bool TryAcquire() override;
    void Release() override;

private:
    std::wstring name_;
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

}  // namespace velmora
