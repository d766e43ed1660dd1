// Every item's bytes of a HEIF/AVIF file, by item id, as its iloc names
// them: what a cleaned file must keep for each item it keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace jhead_test {

using ItemBytes = std::map<uint32_t, std::vector<uint8_t>>;

// False when the file's structure cannot be read.
bool ReadItems(const uint8_t* data, size_t size, ItemBytes* items);

}  // namespace jhead_test
