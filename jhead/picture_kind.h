// Which kind of picture a file holds, read from its first bytes, never from
// its name: phones and transfers name HEIC photos ".jpg", editors save PNG
// under any name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jhead {

enum class PictureKind : uint8_t { Jpeg, Png, Webp, IsoMedia, Unknown };

// How many bytes SniffKind looks at (fewer when the file is shorter).
constexpr size_t kSniffBytes = 64;  // a file-type box with its brands

PictureKind SniffKind(const uint8_t* head, size_t n);

}  // namespace jhead
