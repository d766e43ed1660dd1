// The results view: the last run's results file in Notepad.
#pragma once

#include "runtime/services.h"

namespace velmora {

// Opens T\Event.txt in Notepad when it exists; does nothing otherwise.
void ShowResults(Services services);

}  // namespace velmora
