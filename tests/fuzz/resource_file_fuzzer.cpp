// bcimage's reader of compiled resource files (.res) on any bytes, and the
// resource section built from what it accepts: each either works or refuses
// with ImageError.
#include <cstdint>
#include <vector>

#include "ce_image_tool/image_error.h"
#include "ce_image_tool/resource_file.h"
#include "ce_image_tool/resource_section.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const std::vector<ce_image_tool::Resource> resources =
        ce_image_tool::ReadResourceFile(std::vector<uint8_t>(data, data + size));
    ce_image_tool::BuildResourceSection(0x5000, resources);
  } catch (const ce_image_tool::ImageError&) {
  }
  return 0;
}
