#pragma once
// The tables the CE loader reads besides the code: the import directory with
// its lookup table, the export directory, and the base relocations.
#include <cstdint>
#include <string>
#include <vector>

namespace ce_image_tool {

struct DataDirectory {
  uint32_t rva = 0;
  uint32_t size = 0;
};

struct Export {
  std::string name;
  uint32_t rva = 0;
};

struct LinkTables {
  std::vector<uint8_t> bytes;  // to be placed at the RVA they were built for
  DataDirectory imports;
  DataDirectory exports;
};

// The core library's import descriptor, its lookup table (by ordinal, in the
// order of the import address table at iatRva) and, for a library, its
// export directory under libraryName; all placed at the RVA at.
LinkTables BuildLinkTables(uint32_t at, const std::vector<uint16_t>& ordinals, uint32_t iatRva,
                           const std::string& libraryName, std::vector<Export> exports);

// Base relocation blocks, one per 4 KB page, for 32-bit absolute addresses
// at the given RVAs.
std::vector<uint8_t> BuildBaseRelocations(std::vector<uint32_t> places);

}  // namespace ce_image_tool
