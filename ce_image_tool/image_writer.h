#pragma once
// Turns a linked ARM ELF executable into a Windows CE PE image: its allocated
// sections at the same addresses, the core library's imports by ordinal, the
// exports by name, the resources and base relocations for every absolute
// address.
#include <cstdint>
#include <optional>
#include <vector>

#include "ce_image_tool/elf_file.h"
#include "ce_image_tool/export_list.h"
#include "ce_image_tool/ordinal_table.h"
#include "ce_image_tool/resource_file.h"

namespace ce_image_tool {

// A library when it has exports; a program otherwise.
struct ImageRequest {
  const ElfFile& elf;
  const OrdinalTable& ordinals;
  std::optional<ExportList> exports;
  std::vector<Resource> resources = {};  // none: no .rsrc section
};

// Throws ImageError for what it cannot convert: a call of a function that is
// not on the table, a relocation type it does not know, a section off its
// page, an export the ELF file lacks.
std::vector<uint8_t> WriteCeImage(const ImageRequest& request);

}  // namespace ce_image_tool
