#include "ce_image_tool/resource_file.h"

#include <algorithm>

#include "ce_image_tool/image_error.h"
#include "platform/win32_resources.h"

namespace ce_image_tool {

namespace res = platform::win32_resources;

namespace {

uint16_t U16(const std::vector<uint8_t>& bytes, uint64_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t U32(const std::vector<uint8_t>& bytes, uint64_t at) { return U16(bytes, at) | uint32_t{U16(bytes, at + 2)} << 16; }

uint64_t AlignUp(uint64_t value) { return (value + res::kRecordAlignment - 1) / res::kRecordAlignment * res::kRecordAlignment; }

std::string Describe(const ResourceKey& key) {
  if (key.name.empty()) return std::to_string(key.id);
  std::string text = "\"";
  for (char16_t unit : key.name) text += unit < 0x80 ? static_cast<char>(unit) : '?';
  return text + "\"";
}

// One record's header, from its type to its end.
class RecordHeader {
 public:
  RecordHeader(const std::vector<uint8_t>& bytes, uint64_t start, uint64_t end)
      : bytes_(bytes), at_(start + res::kRecordSizesSize), start_(start), end_(end) {}

  // A type or name: kIdMarker and a number, or a zero-ended text.
  ResourceKey Key(const char* what) {
    ResourceKey key;
    if (at_ + 4 <= end_ && U16(bytes_, at_) == res::kIdMarker) {
      key.id = U16(bytes_, at_ + 2);
      at_ += 4;
      return key;
    }
    for (;;) {
      if (at_ + 2 > end_) throw Error(std::string("its ") + what + " is not ended within its header");
      const uint16_t unit = U16(bytes_, at_);
      at_ += 2;
      if (unit == 0) return key;
      key.name += static_cast<char16_t>(unit);
    }
  }

  uint16_t Language() {
    const uint64_t trailer = AlignUp(at_);
    if (trailer + res::kRecordTrailerSize > end_) throw Error("its header is too small for its fields");
    return U16(bytes_, trailer + res::kRecordLanguageAt);
  }

  ImageError Error(const std::string& what) const {
    return ImageError("the record at offset " + std::to_string(start_) + ": " + what);
  }

 private:
  const std::vector<uint8_t>& bytes_;
  uint64_t at_, start_, end_;
};

}  // namespace

bool ResourceKey::operator<(const ResourceKey& other) const {
  if (name.empty() != other.name.empty()) return !name.empty();
  return name.empty() ? id < other.id : name < other.name;
}

std::vector<Resource> ReadResourceFile(const std::vector<uint8_t>& bytes) {
  std::vector<Resource> resources;
  bool leading = true;
  for (uint64_t at = 0; at < bytes.size(); leading = false) {
    if (at + res::kRecordSizesSize > bytes.size())
      throw ImageError("the record at offset " + std::to_string(at) + ": reaches past the end of the file");
    const uint32_t dataSize = U32(bytes, at), headerSize = U32(bytes, at + 4);
    const uint64_t dataAt = at + headerSize;
    RecordHeader header(bytes, at, std::min<uint64_t>(dataAt, bytes.size()));
    if (dataAt + dataSize > bytes.size()) throw header.Error("reaches past the end of the file");
    Resource resource;
    resource.type = header.Key("type");
    resource.name = header.Key("name");
    resource.language = header.Language();
    const bool empty = dataSize == 0 && resource.type == ResourceKey{} && resource.name == ResourceKey{};
    if (leading && !empty) throw ImageError("not a resource file: it does not start with the empty record");
    if (!leading) {
      for (const Resource& r : resources) {
        if (r.type == resource.type && r.name == resource.name && r.language == resource.language)
          throw header.Error("resource type " + Describe(r.type) + " name " + Describe(r.name) + " language " +
                             std::to_string(r.language) + " is listed twice");
      }
      resource.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(dataAt),
                           bytes.begin() + static_cast<std::ptrdiff_t>(dataAt + dataSize));
      resources.push_back(std::move(resource));
    }
    at = AlignUp(dataAt + dataSize);
  }
  if (leading) throw ImageError("not a resource file: it does not start with the empty record");
  return resources;
}

}  // namespace ce_image_tool
