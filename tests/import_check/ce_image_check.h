#pragma once
// What a Windows CE ARM module must be for a Pocket PC to load it: built for
// ARM, for the CE GUI subsystem no newer than 4.20, importing only from
// coredll.dll, only by ordinal, only ordinals of the reviewed table, with the
// lookup table the CE loader walks, and, for a library, its relocations.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/import_check/pe_image.h"

namespace import_check {

// One line per problem; none when the module passes.
std::vector<std::string> CeImageProblems(const PeImage& image, const std::map<std::string, uint16_t>& reviewed);

}  // namespace import_check
