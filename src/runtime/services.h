// The platform services a flow is given, one interface per concern.
#pragma once

#include "runtime/dialogs.h"
#include "runtime/event_loop.h"
#include "runtime/file_system.h"
#include "runtime/processes.h"
#include "runtime/registry.h"
#include "runtime/run_lock.h"
#include "runtime/start_join.h"

namespace velmora {

struct Services {
    Dialogs& dialogs;
    FileSystem& files;
    Processes& processes;
    EventLoop& events;
    Registry& registry;
    StartJoin& starts;
    RunLock& runLock;
};

}  // namespace velmora
