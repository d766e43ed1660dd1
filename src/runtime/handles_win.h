// Move-only owners of Win32 handles: each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace velmora {

template <typename H, typename Closer>
class Owned {
public:
    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, H{});
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    H get() const { return handle_; }
    // Both "no handle" values of the API count as empty.
    explicit operator bool() const {
        return handle_ != H{} && reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
    }
    // Gives the handle up without closing it.
    H Release() { return std::exchange(handle_, H{}); }
    void Reset(H handle = H{}) {
        if (*this) Closer{}(handle_);
        handle_ = handle;
    }

private:
    H handle_{};
};

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct GdiCloser {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct FindCloser {
    void operator()(HANDLE h) const { FindClose(h); }
};

using UniqueHandle = Owned<HANDLE, HandleCloser>;
using UniqueFont = Owned<HFONT, GdiCloser>;
using UniqueBrush = Owned<HBRUSH, GdiCloser>;
using UniqueFind = Owned<HANDLE, FindCloser>;

}  // namespace velmora
