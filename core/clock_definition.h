// A clock definition file: a clock program whose bytes begin every clock built from it
// (clock_builder.h cuts or fills them to the payload's offset).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavimore {

// Reads a definition file. A file that is missing, unreadable or empty is refused with a
// message saying which: a clock cannot be made from it.
bool ReadDefinition(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                    std::string* error);

}  // namespace tavimore
