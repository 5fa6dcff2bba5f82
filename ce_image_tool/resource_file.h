#pragma once
// The resources of a compiled resource file (.res), as a resource compiler
// writes them (format: platform/win32_resources.h), for the image's .rsrc
// section.
#include <cstdint>
#include <string>
#include <vector>

namespace ce_image_tool {

// A resource's type or name: a number, or a text when name is not empty.
struct ResourceKey {
  uint16_t id = 0;
  std::u16string name;
  bool operator==(const ResourceKey&) const = default;
  // The order of a resource directory: texts first, by their units, then numbers.
  bool operator<(const ResourceKey& other) const;
};

struct Resource {
  ResourceKey type;
  ResourceKey name;
  uint16_t language = 0;
  std::vector<uint8_t> data;
};

// Every resource but the file's leading empty record, in the file's order.
// Throws ImageError naming what makes the bytes unusable: no leading empty
// record, a record or a name reaching past its end, a header too small for
// its fields, or one resource listed twice.
std::vector<Resource> ReadResourceFile(const std::vector<uint8_t>& bytes);

}  // namespace ce_image_tool
