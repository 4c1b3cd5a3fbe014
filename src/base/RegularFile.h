#pragma once
// Reading a file somebody chose (a photo, a memory image): only a regular
// file, and never more than a bound. A named pipe would block the reader
// forever and a device may never end, so both are refused before anything
// is read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/Status.h"

namespace tempovia {

// Reads a regular file (following links: a file the user chose) and refuses
// anything else. Reads at most limit + 1 bytes, enough to tell that a file
// is too large.
Status ReadRegularFile(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& bytes);

}  // namespace tempovia
