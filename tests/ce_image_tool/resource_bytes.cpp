#include "tests/ce_image_tool/resource_bytes.h"

namespace ce_image_tool_test {

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void Pad(std::vector<uint8_t>& out) { out.resize((out.size() + 3) / 4 * 4); }

}  // namespace

std::vector<uint8_t> IdField(uint16_t id) {
  std::vector<uint8_t> field;
  PutU16(field, 0xFFFF);
  PutU16(field, id);
  return field;
}

std::vector<uint8_t> NameField(const std::u16string& name) {
  std::vector<uint8_t> field;
  for (char16_t unit : name) PutU16(field, unit);
  PutU16(field, 0);
  return field;
}

std::vector<uint8_t> ResRecord(const std::vector<uint8_t>& type, const std::vector<uint8_t>& name, uint16_t language,
                               const std::vector<uint8_t>& data, uint32_t headerSize) {
  std::vector<uint8_t> fields = type;
  fields.insert(fields.end(), name.begin(), name.end());
  Pad(fields);
  PutU32(fields, 0);         // data version
  PutU16(fields, 0x1030);    // memory flags
  PutU16(fields, language);
  PutU32(fields, 0);         // version
  PutU32(fields, 0);         // characteristics
  std::vector<uint8_t> record;
  PutU32(record, static_cast<uint32_t>(data.size()));
  PutU32(record, headerSize != 0 ? headerSize : static_cast<uint32_t>(8 + fields.size()));
  record.insert(record.end(), fields.begin(), fields.end());
  record.insert(record.end(), data.begin(), data.end());
  Pad(record);
  return record;
}

std::vector<uint8_t> ResFile(const std::vector<std::vector<uint8_t>>& records) {
  std::vector<uint8_t> file = ResRecord(IdField(0), IdField(0), 0, {});
  for (const std::vector<uint8_t>& record : records) file.insert(file.end(), record.begin(), record.end());
  return file;
}

}  // namespace ce_image_tool_test
