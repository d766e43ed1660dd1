// The results view: the last run's results file in Notepad.
#pragma once

#include <cstddef>
#include <optional>

#include "runtime/services.h"

namespace velmora {

// Opens T\Event.txt in Notepad when it exists; does nothing otherwise.
void ShowResults(Services services);

// A digest of the results file's bytes as they stand; nullopt when it
// cannot be read. Another run that writes the file changes it.
std::optional<size_t> ResultsFingerprint(Services services);

}  // namespace velmora
