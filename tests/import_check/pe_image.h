#pragma once
// Reads a Windows program or library (PE32 or PE32+) without loading it: the
// header values its loader checks, its sections, each imported function by
// library and name or ordinal, its exports and its base relocations. The
// import checks and the ARM emulator's loader read images through it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace import_check {

struct Import {
  std::string library;   // lower case, as Windows compares library names
  std::string function;  // the name, or "#<ordinal>" for an import by ordinal
  uint32_t slot = 0;     // the RVA of its import address table entry
  bool operator==(const Import&) const = default;
};

struct Export {
  std::string name;
  uint32_t rva = 0;
  bool operator==(const Export&) const = default;
};

struct Section {
  uint32_t address = 0;  // RVA
  uint32_t virtualSize = 0;
  uint32_t fileOffset = 0;
  uint32_t fileSize = 0;
  std::string name;     // up to 8 characters
  uint32_t flags = 0;   // platform::ce_image's section flags
};

struct PeImage {
  uint16_t machine = 0;  // 0x14c: Intel 386, 0x8664: x86-64, 0x1c0: ARM
  uint16_t characteristics = 0;
  uint16_t subsystem = 0;
  uint16_t subsystemMajor = 0;
  uint16_t subsystemMinor = 0;
  uint64_t imageBase = 0;
  uint32_t entry = 0;  // RVA
  uint32_t imageSize = 0;
  uint32_t sectionAlignment = 0;
  uint32_t fileAlignment = 0;
  uint32_t headersSize = 0;
  std::vector<Section> sections;
  std::vector<Import> imports;
  bool lookupTables = true;  // every import descriptor has its lookup table
  std::vector<Export> exports;
  // The RVAs of the 32-bit absolute addresses to shift when the image loads
  // elsewhere, and how many entries of any other type but padding there are.
  std::vector<uint32_t> relocations;
  uint32_t otherRelocations = 0;
};

// The bytes of a file; none when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// Nothing when the bytes are not a well-formed PE image.
std::optional<PeImage> ReadPeImage(const std::vector<uint8_t>& file);

}  // namespace import_check
