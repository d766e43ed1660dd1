#include "platform/file_system.h"

namespace jhead::fs {

static FaultHook g_fault_hook = nullptr;

void SetFaultHook(FaultHook hook) { g_fault_hook = hook; }

bool Injected(Op op, Error* e) {
    const Err kind = g_fault_hook ? g_fault_hook(op) : Err::None;
    if (kind == Err::None) return false;
    *e = {kind, 0, op};
    return true;
}

bool Close(File* f, Error* e) {
    if (!f->open()) return true;
    intptr_t h = f->h;
    f->h = -1;
    // An injected failure still closes the handle, as a real one does.
    bool injected = Injected(Op::Close, e);
    return CloseNative(h, e) && !injected;
}

}  // namespace jhead::fs
