// The item references of a HEIF/AVIF picture checked before any item goes:
// every id names an item, nothing refers to itself through a loop, and no
// picture is built from an item that is removed.
#pragma once

#include <string>

#include "isobmff/meta_write.h"

namespace jhead {

// Fills e->refs with the references that stay; the text says why not.
std::string KeepReferences(const Meta& m, MetaEdit* e);

}  // namespace jhead
