#pragma once
// Compiled resource files (.res) for the refusals of the image tool's reader:
// records with the fields a resource compiler writes, or broken ones.
#include <cstdint>
#include <string>
#include <vector>

namespace ce_image_tool_test {

// A type or name field: the number marker and an id, or a zero-ended text.
std::vector<uint8_t> IdField(uint16_t id);
std::vector<uint8_t> NameField(const std::u16string& name);

// One record, padded to 4; headerSize 0 means the size its fields take.
std::vector<uint8_t> ResRecord(const std::vector<uint8_t>& type, const std::vector<uint8_t>& name, uint16_t language,
                               const std::vector<uint8_t>& data, uint32_t headerSize = 0);

// The leading empty record, then the records given.
std::vector<uint8_t> ResFile(const std::vector<std::vector<uint8_t>>& records);

}  // namespace ce_image_tool_test
