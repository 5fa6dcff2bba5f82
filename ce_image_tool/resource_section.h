#pragma once
// The resource section (.rsrc) of an image: the resources of a .res file as
// the three-level tree a loader reads (format: platform/win32_resources.h).
#include <cstdint>
#include <vector>

#include "ce_image_tool/link_tables.h"
#include "ce_image_tool/resource_file.h"

namespace ce_image_tool {

struct ResourceSection {
  std::vector<uint8_t> bytes;  // to be placed at the RVA it was built for
  DataDirectory directory;
};

// The section for the resources, placed at the RVA at. Throws ImageError for
// a resource whose type, name and language another one has too.
ResourceSection BuildResourceSection(uint32_t at, const std::vector<Resource>& resources);

}  // namespace ce_image_tool
