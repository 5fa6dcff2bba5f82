// bcimage on any bytes as the linked ARM ELF file: the reader, then the image
// writer for a program and for a library with the reviewed coredll table;
// each either works or refuses with ImageError.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ce_image_tool/elf_file.h"
#include "ce_image_tool/image_error.h"
#include "ce_image_tool/image_writer.h"
#include "ce_image_tool/ordinal_table.h"

namespace {

const ce_image_tool::OrdinalTable& ReviewedTable() {
  static const ce_image_tool::OrdinalTable table = [] {
    std::ifstream file(BC_CORE_ORDINALS);
    return ce_image_tool::ReadOrdinalTable({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
  }();
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ce_image_tool;
  try {
    const ElfFile elf = ReadElfFile(std::vector<uint8_t>(data, data + size));
    for (const std::optional<ExportList>& exports : {std::optional<ExportList>(), std::optional<ExportList>({"x.dll", {"DllMain"}})}) {
      try {
        WriteCeImage({elf, ReviewedTable(), exports});
      } catch (const ImageError&) {
      }
    }
  } catch (const ImageError&) {
  }
  return 0;
}
