#include "runtime/run_lock_win.h"

#include "runtime/user_object_name_win.h"

namespace velmora {

Win32RunLock::Win32RunLock(std::wstring name) : name_(UserObjectName(name, L"RemovalRun")) {}

Win32RunLock::~Win32RunLock() {
    Release();
    if (mutex_) CloseHandle(mutex_);
}

bool Win32RunLock::TryAcquire() {
    if (held_) return true;
    if (!mutex_) mutex_ = CreateMutexW(nullptr, FALSE, name_.c_str());
    if (!mutex_) return false;
    // A run whose program died leaves the mutex abandoned: it is free.
    const DWORD w = WaitForSingleObject(mutex_, 0);
    held_ = w == WAIT_OBJECT_0 || w == WAIT_ABANDONED;
    return held_;
}

void Win32RunLock::Release() {
    if (held_) ReleaseMutex(mutex_);
    held_ = false;
}

}  // namespace velmora
