#include "file_system.h"

namespace jhead::fs {

static FaultHook g_fault_hook = nullptr;

void SetFaultHook(FaultHook hook) { g_fault_hook = hook; }

bool Injected(Op op, Error* e) {
    if (!g_fault_hook || !g_fault_hook(op)) return false;
    *e = {Err::DiskFull, 0, op};
    return true;
}

}  // namespace jhead::fs
