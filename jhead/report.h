// The one-line reports, in simplified Chinese like the rest of Velmora.
#pragma once

#include <cstdint>
#include <string>

#include "jpeg/cleaner.h"
#include "metadata/summary.h"
#include "platform/file_system.h"

namespace jhead {

// links: names the picture had; the others still hold the original.
std::string CleanedLine(const std::string& path, const Summary& summary, uint64_t size_before,
                        uint32_t links);
std::string NothingLine(const std::string& path, uint64_t size);
std::string InfoLine(const std::string& path, const Summary& summary, uint64_t size);
// kept: what the picture, read as far as it safely could be, still holds.
std::string FailedLine(const std::string& path, const std::string& reason,
                       const Findings& kept = {});

std::string ParseErrorText(ParseError e);
std::string FsErrorText(const fs::Error& e);

}  // namespace jhead
